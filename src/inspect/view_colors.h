#pragma once
// The colours the large view's modes share, so that a thing looks the same in each of them.

#include "display/block_palette.h"

namespace moji {

/// The view's background.
inline constexpr COLORREF kViewBackground = PaletteRgb(255, 255, 255);
/// What is chosen now: the hovered or highlighted point, the step's segment.
inline constexpr COLORREF kViewChosenColor = PaletteRgb(230, 120, 0);
/// Construction lines: the handles from an on-curve point to its controls, a step's polygon,
/// the unhinted outline at a size.
inline constexpr COLORREF kViewConstructionColor = PaletteRgb(120, 120, 120);
/// The cubic control points a quadratic segment is drawn with.
inline constexpr COLORREF kViewCubicControlColor = PaletteRgb(200, 40, 160);
/// Names, numbers and captions.
inline constexpr COLORREF kViewTextColor = PaletteRgb(60, 60, 60);

}  // namespace moji
