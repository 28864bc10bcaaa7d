#pragma once
// The marks drawn over a placed outline: its points, their numbers, each contour's start and
// direction.

#include <span>
#include <vector>

#include "display/block_palette.h"
#include "model/glyph_outline.h"
#include "native/native_writer.h"
#include "platform/drawing_marks.h"

namespace moji {

/// Which marks are drawn over the outline; all off, the drawing is the outline alone.
struct OverlaySettings {
  /// On-curve points as squares, control points as circles, implied on-curve points as crosses.
  bool Points = false;
  /// The font's number of each point beside it.
  bool Numbers = false;
  /// A ring at each contour's start and an arrow along its first curve.
  bool StartAndDirection = false;
  friend bool operator==(const OverlaySettings&, const OverlaySettings&) = default;
};

/// The marks of an outline.
struct OutlineMarks {
  /// Whether the point marks show their symbol (square, circle, cross); else only their number.
  bool Symbols = false;
  std::vector<PointMark> Points;
  std::vector<StartMark> Starts;
};

/// The marks of a placed outline in each block's colour of the palette, as the settings ask. `sources`
/// gives, in the outline's order (each block's start point, then its curves' points), the
/// font's number of each point; a point past its end has none. A point that only closes its
/// contour again at the start is marked once, as the start.
OutlineMarks MarksOfOutline(const GlyphOutline& placed, std::span<const PointSource> sources,
                            const OverlaySettings& settings,
                            BlockPalette palette = BlockPalette::Classic);

}  // namespace moji
