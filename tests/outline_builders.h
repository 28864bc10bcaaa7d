#pragma once
// Outlines written out by hand in tests: a curve of its points, a block of its curves, an
// outline of its blocks, each counted as the records count them.

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/glyph_outline.h"

namespace moji::test {

inline OutlineCurve Curve(std::int32_t type, std::vector<OutlinePoint> points) {
  return {type, static_cast<std::int32_t>(points.size()), std::move(points)};
}

inline OutlineBlock Block(float x, float y, std::vector<OutlineCurve> curves) {
  return {x, y, static_cast<std::int32_t>(curves.size()), std::move(curves)};
}

/// The outline of "x" made of `blocks`, its largest curve counted.
inline GlyphOutline Outline(std::vector<OutlineBlock> blocks) {
  std::int32_t most = 0;
  for (const OutlineBlock& block : blocks) {
    for (const OutlineCurve& curve : block.Curves) most = std::max(most, curve.PointCount);
  }
  return {u"x", static_cast<std::int32_t>(blocks.size()), std::move(blocks), most};
}

}  // namespace moji::test
