#pragma once
// Walking an outline by its counts, never past the end of an array whose count lies.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/glyph_outline.h"

namespace moji {

/// The first `count` elements, but never more than the array holds and none for a count <= 0:
/// what a reader may visit of a record whose count may not match its array.
template <typename Elements>
auto Counted(Elements& elements, std::int32_t count) {
  const std::size_t n = count <= 0 ? 0 : std::min(static_cast<std::size_t>(count), elements.size());
  return std::span(elements).first(n);
}

/// Calls `visit(x, y)` on every start point and curve point, block by block, each block's start
/// point before its curves' points, as far as the counts allow.
template <typename Outline, typename Visit>
void ForEachOutlinePoint(Outline& outline, Visit&& visit) {
  for (auto& block : Counted(outline.Blocks, outline.BlockCount)) {
    visit(block.StartX, block.StartY);
    for (auto& curve : Counted(block.Curves, block.CurveCount)) {
      for (auto& point : Counted(curve.Points, curve.PointCount)) visit(point.X, point.Y);
    }
  }
}

}  // namespace moji
