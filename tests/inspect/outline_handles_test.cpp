#include "inspect/outline_handles.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "outline_builders.h"

namespace moji {
namespace {

using test::Curve;
using test::Block;
using test::Outline;

using Handles = std::vector<HandleLine>;
using Cubics = std::vector<DrawnCubic>;

TEST(OutlineHandlesTest, QuadraticRunsOfThreeAndOneControlsAndACubicRun) {
  // Three controls: two pieces end at implied midpoints, the last at the run's last point. The
  // second block's quadratic run of one control starts where its cubic run ends.
  const OutlineHandles handles = HandlesOfOutline(Outline(
      {Block(0, 0, {Curve(CURVE_QSPLINE, {{30, 0}, {60, 30}, {30, 60}, {0, 30}}),
                    Curve(CURVE_POLYLINE, {{0, 0}})}),
       Block(100, 0, {Curve(CURVE_CSPLINE, {{110, 0}, {120, 10}, {120, 20}, {120, 30}, {110, 40},
                                            {100, 40}}),
                      Curve(CURVE_QSPLINE, {{70, 40}, {70, 10}})})}));
  EXPECT_EQ(handles.Handles,
            (Handles{{{0, 0}, {30, 0}, 0, 0},     {{45, 15}, {30, 0}, 0, 0},
                     {{45, 15}, {60, 30}, 0, 0},  {{45, 45}, {60, 30}, 0, 0},
                     {{45, 45}, {30, 60}, 0, 0},  {{0, 30}, {30, 60}, 0, 0},
                     {{100, 0}, {110, 0}, 1, 0},  {{120, 20}, {120, 10}, 1, 0},
                     {{120, 20}, {120, 30}, 1, 0}, {{100, 40}, {110, 40}, 1, 0},
                     {{100, 40}, {70, 40}, 1, 1}, {{70, 10}, {70, 40}, 1, 1}}));
  EXPECT_EQ(handles.Cubics,
            (Cubics{{{{{0, 0}, {20, 0}, {35, 5}, {45, 15}}}, true, true, 0, 0},
                    {{{{45, 15}, {55, 25}, {55, 35}, {45, 45}}}, true, true, 0, 0},
                    {{{{45, 45}, {35, 55}, {20, 50}, {0, 30}}}, false, true, 0, 0},
                    {{{{100, 0}, {110, 0}, {120, 10}, {120, 20}}}, false, false, 1, 0},
                    {{{{120, 20}, {120, 30}, {110, 40}, {100, 40}}}, false, false, 1, 0},
                    {{{{100, 40}, {80, 40}, {70, 30}, {70, 10}}}, false, true, 1, 1}}));
}

TEST(OutlineHandlesTest, BrokenCurvesGiveNothingAndTheWalkGoesOn) {
  OutlineCurve lyingCount = Curve(CURVE_QSPLINE, {{1, 1}, {2, 2}});
  lyingCount.PointCount = 5;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  GlyphOutline outline = Outline({Block(
      0, 0, {Curve(CURVE_QSPLINE, {{5, 5}}), Curve(CURVE_CSPLINE, {{1, 1}, {2, 2}}),
             Curve(CURVE_QSPLINE, {{8, 2}, {8, 8}}),  // from (2, 2), where the last one ended
             lyingCount, Curve(CURVE_QSPLINE, {{nan, 0}, {3, 3}}), Curve(CURVE_CSPLINE, {})})});
  outline.BlockCount = 7;
  outline.Blocks[0].CurveCount = 9;
  const OutlineHandles handles = HandlesOfOutline(outline);
  EXPECT_EQ(handles.Handles, (Handles{{{2, 2}, {8, 2}, 0, 2}, {{8, 8}, {8, 2}, 0, 2}}));
  EXPECT_EQ(handles.Cubics, (Cubics{{{{{2, 2}, {6, 2}, {8, 4}, {8, 8}}}, false, true, 0, 2}}));
  outline.BlockCount = -1;
  EXPECT_EQ(HandlesOfOutline(outline), OutlineHandles{});
}

}  // namespace
}  // namespace moji
