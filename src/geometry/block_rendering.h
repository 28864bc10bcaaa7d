#pragma once
// Drawing the blocks of an outline with one pen: polylines, quadratic runs converted to cubic
// Bezier segments, cubic runs as they are.

#include <cstdint>

#include "model/glyph_outline.h"
#include "platform/device_context.h"
#include "platform/gdi_objects.h"

namespace moji {

/// `blockIndex` value that draws every block.
inline constexpr std::int32_t ALL_BLOCKS = -1;

/// Draws block `blockIndex` (or every block for `ALL_BLOCKS`) with a pen of the given style,
/// width and colour; every point goes through the placement transform and is rounded half to
/// even. Throws std::out_of_range or std::overflow_error for an outline that breaks its
/// invariants, after the previous pen is selected again and this call's pen deleted.
void DrawOutlineBlocks(DeviceContext& hdc, const GlyphOutline& outline, float offsetX,
                       float offsetY, float scale, bool flipY, COLORREF penColor,
                       std::int32_t penWidth, std::int32_t penStyle, std::int32_t blockIndex);

}  // namespace moji
