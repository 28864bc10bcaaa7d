#include "inspect/unit_grid.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace moji {
namespace {

/// The step sequence 1, 2, 5, 10, 20, 50, ...: its `index`th member.
double StepAt(int index) {
  constexpr std::array<double, 3> kMantissas{1, 2, 5};
  return kMantissas[static_cast<std::size_t>(index % 3)] * std::pow(10.0, index / 3);
}

/// The index of the first step whose lines lie kMinGridSpacing apart at `scale`.
int StepIndex(double scale) {
  int index = 0;
  while (StepAt(index) * scale < kMinGridSpacing) ++index;
  return index;
}

/// The multiples of `step` from `low` to `high`, in that order (`high` below `low` counts down).
std::vector<double> LinesBetween(double low, double high, double step) {
  const double direction = high < low ? -1 : 1;
  const double first = direction * std::ceil(direction * low / step);
  const double last = direction * std::floor(direction * high / step);
  std::vector<double> lines;
  for (double k = first; direction * (last - k) >= 0 && lines.size() < kMaxGridLines;
       k += direction) {
    lines.push_back(k * step);
  }
  return lines;
}

/// How many multiples of `step` lie in a range of `extent` font units, at most.
double MostLines(double extent, double step) { return std::floor(extent / step) + 1; }

}  // namespace

double GridStep(double scale) { return StepAt(StepIndex(UsableView({scale, 0, 0}).Scale)); }

UnitGrid UnitGridOf(const ViewTransform& view, double width, double height) {
  const ViewTransform usable = UsableView(view);
  UnitGrid grid{GridStep(usable.Scale), {}, {}};
  if (!(width > 0 && height > 0)) return grid;
  width = std::min(width, kDeviceLimit);
  height = std::min(height, kDeviceLimit);
  const UnitPoint topLeft = usable.ToFontUnits(0, 0);
  const UnitPoint bottomRight = usable.ToFontUnits(width, height);
  const double extent = std::max(bottomRight.X - topLeft.X, topLeft.Y - bottomRight.Y);
  int index = StepIndex(usable.Scale);
  while (MostLines(extent, StepAt(index)) > static_cast<double>(kMaxGridLines)) ++index;
  grid.Step = StepAt(index);
  grid.Verticals = LinesBetween(topLeft.X, bottomRight.X, grid.Step);
  grid.Horizontals = LinesBetween(topLeft.Y, bottomRight.Y, grid.Step);
  return grid;
}

}  // namespace moji
