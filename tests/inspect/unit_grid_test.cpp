#include "inspect/unit_grid.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace moji {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using Lines = std::vector<double>;

TEST(UnitGridTest, StepIsTheFinestThatKeepsLinesEightPixelsApart) {
  // Scales outside the view's range count as its ends; NaN and 0 as 1.
  const std::pair<double, double> cases[] = {
      {32, 1},   {8, 1},      {7.9, 2},    {3.9, 5},  {1.5, 10},     {0.5, 20}, {0.1, 100},
      {0.02, 500}, {1e-9, 1e10}, {100, 1}, {0x1p-60, 1e13}, {kNaN, 10}, {0, 10}};
  for (const auto& [scale, step] : cases) EXPECT_EQ(GridStep(scale), step) << scale;
}

TEST(UnitGridTest, LinesInsideTheViewportAndBoundedAtEveryZoom) {
  // Ten pixels a unit, the origin at (5, 95): x from -0.5 to 9.5, y from 9.5 down to -0.5.
  EXPECT_EQ(UnitGridOf({10, 5, 95}, 100, 100),
            (UnitGrid{1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}}));
  // Lines on the viewport's edges are inside.
  EXPECT_EQ(UnitGridOf({10, 0, 30}, 30, 30), (UnitGrid{1, {0, 1, 2, 3}, {3, 2, 1, 0}}));
  EXPECT_EQ(UnitGridOf({10, 5, 95}, 0, 100), (UnitGrid{1, {}, {}}));
  EXPECT_EQ(UnitGridOf({10, 5, 95}, kNaN, 100), (UnitGrid{1, {}, {}}));
  // Too wide a viewport for a line every 32 pixels coarsens to every 200 units, 0 to 31,200.
  const UnitGrid wide = UnitGridOf({32, 0, 0}, 1e6, 1e6);
  EXPECT_EQ(wide.Step, 200);
  EXPECT_EQ(wide.Verticals.size(), 157u);
  EXPECT_EQ(wide.Verticals.back(), 31200);
  for (const ViewTransform& view : {ViewTransform{32, 0, 0}, ViewTransform{kMinViewScale, 0, 0},
                                    ViewTransform{kMinViewScale, kDeviceLimit, -kDeviceLimit},
                                    ViewTransform{kNaN, kNaN, kNaN}}) {
    for (const double side : {1.0, 1e6, 1e300, std::numeric_limits<double>::infinity()}) {
      const UnitGrid grid = UnitGridOf(view, side, side);
      EXPECT_LE(grid.Verticals.size(), kMaxGridLines);
      EXPECT_LE(grid.Horizontals.size(), kMaxGridLines);
    }
  }
}

}  // namespace
}  // namespace moji
