#include "geometry/outline_placement.h"

#include "model/outline_visit.h"

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
  ForEachOutlinePoint(outline, [&placement](float& x, float& y) {
    x = placement.PlaceX(x);
    y = placement.PlaceY(y);
  });
}

}  // namespace moji
