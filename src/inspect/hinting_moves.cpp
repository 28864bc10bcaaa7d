#include "inspect/hinting_moves.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace moji {
namespace {

constexpr double kUnitsPerPixel = 64.0;

/// The first and one-past-last point of each contour, as long as the ends hold.
std::vector<std::pair<std::size_t, std::size_t>> ContourRanges(const ScaledOutline& outline) {
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  std::size_t first = 0;
  for (const std::size_t end : outline.Ends) {
    if (end < first || end >= outline.Points.size()) break;
    ranges.emplace_back(first, end + 1);
    first = end + 1;
  }
  return ranges;
}

std::int32_t NumberAt(const ScaledOutline& outline, std::size_t index) {
  return index < outline.Numbers.size() ? outline.Numbers[index] : -1;
}

PointMove MoveOf(const ScaledOutline& unhinted, std::size_t from, const ScaledOutline& hinted,
                 std::size_t to, std::int32_t fontNumber) {
  const PixelPoint a = unhinted.Points[from];
  const PixelPoint b = hinted.Points[to];
  const double distance =
      std::hypot(static_cast<double>(b.X - a.X), static_cast<double>(b.Y - a.Y)) / kUnitsPerPixel;
  return {from, to, fontNumber, a, b, distance};
}

}  // namespace

HintingMoves MovesOfHinting(const ScaledOutline& unhinted, const ScaledOutline& hinted) {
  HintingMoves moves;
  const auto from = ContourRanges(unhinted);
  const auto to = ContourRanges(hinted);
  for (std::size_t c = 0; c < std::min(from.size(), to.size()); ++c) {
    const auto [fromFirst, fromEnd] = from[c];
    const auto [toFirst, toEnd] = to[c];
    const std::size_t fromCount = fromEnd - fromFirst;
    const std::size_t toCount = toEnd - toFirst;
    const std::size_t longer = std::max(fromCount, toCount);
    const std::size_t paired = longer - std::min(fromCount, toCount) <= 1 ? longer
                                                                          : std::min(fromCount, toCount);
    for (std::size_t k = 0; k < paired; ++k) {
      // The point is numbered by the side that keeps it, not by the first point it lands on.
      const std::size_t a = k < fromCount ? fromFirst + k : fromFirst;
      const std::size_t b = k < toCount ? toFirst + k : toFirst;
      const std::int32_t number = k < fromCount ? NumberAt(unhinted, a) : NumberAt(hinted, b);
      moves.Moves.push_back(MoveOf(unhinted, a, hinted, b, number));
    }
  }
  for (std::size_t m = 0; m < moves.Moves.size(); ++m) {
    const double distance = moves.Moves[m].Distance;
    if (distance == 0) moves.Unmoved.push_back(m);
    if (distance > 0 && (!moves.Largest || distance > moves.Moves[*moves.Largest].Distance)) {
      moves.Largest = m;
    }
  }
  return moves;
}

}  // namespace moji
