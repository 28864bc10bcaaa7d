#pragma once
// The font-unit grid of the view: which lines to draw at the current zoom.

#include <cstddef>
#include <vector>

#include "inspect/view_transform.h"

namespace moji {

/// The closest the grid lines come to each other, in device pixels.
inline constexpr double kMinGridSpacing = 8;
/// The most grid lines drawn across each direction of the viewport.
inline constexpr std::size_t kMaxGridLines = 256;

/// The grid lines inside the viewport, in font units.
struct UnitGrid {
  /// Font units between neighbouring lines: 1, 2, 5, 10, 20, 50, 100, ...
  double Step = 1;
  /// The x of each vertical line, left to right.
  std::vector<double> Verticals;
  /// The y of each horizontal line, top to bottom.
  std::vector<double> Horizontals;
  friend bool operator==(const UnitGrid&, const UnitGrid&) = default;
};

/// The smallest step of 1, 2, 5, 10, 20, 50, ... font units whose lines lie at least
/// kMinGridSpacing device pixels apart at `scale` device pixels per font unit.
double GridStep(double scale);

/// The grid of a `width` x `height` viewport seen through `view`: the lines inside it at the
/// step `GridStep` gives, made coarser where the viewport would hold more than kMaxGridLines
/// in one direction. No lines for an empty viewport.
UnitGrid UnitGridOf(const ViewTransform& view, double width, double height);

}  // namespace moji
