#include "inspect/font_unit_outline.h"

#include <cstddef>

#include "display/display_request.h"
#include "model/outline_visit.h"

namespace moji {
namespace {

/// Points an outline walk visits: each block's start point and its curves' points.
std::size_t PointsOf(const GlyphOutline& outline) {
  std::size_t points = 0;
  ForEachOutlinePoint(outline, [&points](float, float) { ++points; });
  return points;
}

}  // namespace

GlyphOutline OutlineInFontUnits(const GlyphOutline& outline, std::span<const PointSource> sources,
                                double cellUnits) {
  GlyphOutline units = outline;
  if (PointsOf(outline) == sources.size()) {
    std::size_t next = 0;
    ForEachOutlinePoint(units, [&](float& x, float& y) {
      x = static_cast<float>(sources[next].X);
      y = static_cast<float>(sources[next].Y);
      ++next;
    });
    return units;
  }
  ForEachOutlinePoint(units, [cellUnits](float& x, float& y) {
    x = static_cast<float>(x * cellUnits);
    y = static_cast<float>(y * cellUnits);
  });
  return units;
}

GlyphOutline PlacedOutlineInFontUnits(const GlyphOutline& placed, double cellUnits) {
  GlyphOutline units = placed;
  ForEachOutlinePoint(units, [cellUnits](float& x, float& y) {
    // The drawing area's placement undone: x' = 160 x + 20, y' = 160 (1 - y).
    x = static_cast<float>((double{x} - kPlaceOffsetX) / kPlaceScale * cellUnits);
    y = static_cast<float>((1.0 - (double{y} - kPlaceOffsetY) / kPlaceScale) * cellUnits);
  });
  return units;
}

}  // namespace moji
