#include "inspect/point_hit.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace moji {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr auto kNone = std::nullopt;

TEST(PointHitTest, NearestWithinTheRadiusEarlierOnTies) {
  const std::vector<DevicePoint> points{{10, 10}, {20, 10}, {15, 10}, {kNaN, 0}, {10, 10},
                                        {kInf, kNaN}};
  struct Case {
    DevicePoint Cursor;
    double Radius;
    std::optional<std::size_t> Expected;
  };
  const Case cases[] = {
      {{12, 10}, 5, 0}, {{17.5, 10}, 5, 1}, {{16, 10}, 5, 2},  // 0 and 4 tie, 1 and 2 tie
      {{30, 10}, 5, kNone}, {{30, 10}, 10, 1}, {{15, 10}, 0, 2},  // the radius itself counts
      {{kNaN, 10}, 5, kNone}, {{12, 10}, kNaN, kNone}, {{12, 10}, -1, kNone},
      {{12, 10}, kInf, kNone}, {{1e300, 1e300}, 1e300, kNone}};
  for (const Case& c : cases) EXPECT_EQ(NearestPoint(points, c.Cursor, c.Radius), c.Expected);
  EXPECT_EQ(NearestPoint({}, {0, 0}, 100), kNone);
}

TEST(PointHitTest, TabStepsWrapAtBothEnds) {
  struct Case {
    std::optional<std::size_t> Current;
    std::size_t Count;
    bool Backwards;
    std::optional<std::size_t> Expected;
  };
  const Case cases[] = {{kNone, 5, false, 0}, {kNone, 5, true, 4},     {0, 5, false, 1},
                        {4, 5, false, 0},     {0, 5, true, 4},         {3, 5, true, 2},
                        {7, 5, false, 0},     {7, 5, true, 4},         {0, 0, false, kNone},
                        {kNone, 0, true, kNone}, {0, 1, false, 0},     {0, 1, true, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(SteppedPoint(c.Current, c.Count, c.Backwards), c.Expected) << c.Count;
  }
}

}  // namespace
}  // namespace moji
