#pragma once
// How far hinting moves each point: the arrows from the unhinted outline to the hinted one.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/hinted_glyph.h"

namespace moji {

/// One point's way from its unhinted place to its hinted place.
struct PointMove {
  /// The point's index in the unhinted and in the hinted outline. Where one of them leaves out
  /// a contour's closing point (it landed on the first), the point is that contour's first there.
  std::size_t Unhinted = 0;
  std::size_t Hinted = 0;
  /// The font's number of the point, -1 for none.
  std::int32_t FontNumber = -1;
  /// Its unhinted and its hinted place, in 26.6 as the loads give them.
  PixelPoint From;
  PixelPoint To;
  /// How far it moved, in pixels.
  double Distance = 0;
  friend bool operator==(const PointMove&, const PointMove&) = default;
};

/// Every point's move, contour by contour in the outlines' order.
struct HintingMoves {
  std::vector<PointMove> Moves;
  /// The indices in `Moves` of the points hinting left where they were.
  std::vector<std::size_t> Unmoved;
  /// The index in `Moves` of the point that moved farthest (the first of equals); none when no
  /// point moved.
  std::optional<std::size_t> Largest;
  friend bool operator==(const HintingMoves&, const HintingMoves&) = default;
};

/// The moves from `unhinted` to `hinted`, two loads of one glyph: the k-th point of a contour
/// goes to the k-th point of the same contour. Where a contour has one point more on one side,
/// that closing point pairs with the other side's first point of the contour; where contours
/// differ more, only the points they both have are paired, and contours past the shorter list
/// or after contour ends that do not hold (out of order, past the points) are left out.
HintingMoves MovesOfHinting(const ScaledOutline& unhinted, const ScaledOutline& hinted);

}  // namespace moji
