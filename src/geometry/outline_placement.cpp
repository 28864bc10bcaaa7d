#include "geometry/outline_placement.h"

#include <algorithm>
#include <cstddef>

namespace moji {
namespace {

/// The placement of one point: x with double intermediates rounded once, y in single steps.
struct Placement {
  float OffsetX;
  float OffsetY;
  float Scale;
  bool FlipY;

  float PlaceX(float x) const {
    return static_cast<float>(static_cast<double>(x) * Scale + OffsetX);
  }

  float PlaceY(float y) const {
    const float flipped = FlipY ? 1.0f - y : y;
    const float scaled = flipped * Scale;
    const float placed = scaled + OffsetY;
    return placed;
  }
};

}  // namespace

void PlaceOutline(GlyphOutline& outline, float offsetX, float offsetY, float scale, bool flipY) {
  const Placement placement{offsetX, offsetY, scale, flipY};
  const std::size_t blocks = VisitableCount(outline.BlockCount, outline.Blocks);
  for (std::size_t b = 0; b < blocks; ++b) {
    OutlineBlock& block = outline.Blocks[b];
    block.StartX = placement.PlaceX(block.StartX);
    block.StartY = placement.PlaceY(block.StartY);
    const std::size_t curves = VisitableCount(block.CurveCount, block.Curves);
    for (std::size_t c = 0; c < curves; ++c) {
      OutlineCurve& curve = block.Curves[c];
      const std::size_t points = VisitableCount(curve.PointCount, curve.Points);
      for (std::size_t p = 0; p < points; ++p) {
        curve.Points[p].X = placement.PlaceX(curve.Points[p].X);
        curve.Points[p].Y = placement.PlaceY(curve.Points[p].Y);
      }
    }
  }
}

}  // namespace moji
