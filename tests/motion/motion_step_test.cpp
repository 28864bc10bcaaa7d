#include "motion/motion_step.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

#include "model/outline_visit.h"

namespace moji {
namespace {

/// Replays a fixed list of numbers; std::out_of_range once they run out.
struct ScriptedRandom final : RandomSource {
  explicit ScriptedRandom(std::vector<float> values) : Values(std::move(values)) {}
  float NextUniform() override { return Values.at(Taken++); }
  std::vector<float> Values;
  std::size_t Taken = 0;
};

TEST(MovePoint, StepAndPushGiveExactResults) {
  struct Case {
    float x, y, r1, r2;
    MouseState mouse;
    float expectedX, expectedY;
  };
  // r = 0.5 leaves a coordinate where it was, so most cases see exactly the given point.
  const Case cases[] = {
      {10, 20, 0.25f, 0.75f, {}, 10.25f, 19.75f},       // x takes r1, y r2
      {1e-8f, 7, 0.5f, 0.125f, {}, 1e-8f, 7.375f},      // double intermediates keep a tiny x
      {110, 100, 0.5f, 0.5f, {0, 100, 100}, 110, 100},  // no push without a button
      {148, 164, 0.5f, 0.5f, {1, 100, 100}, 148, 164},  // distance exactly 80 stays
      // sqrt gives 79.9999974 in double, which rounds to 80.0f: not strictly inside.
      {79.99999237f, 0.0283f, 0.5f, 0.5f, {1, 0, 0}, 79.99999237f, 0.0283f},
      {64, 52, 0.5f, 0.5f, {2, 100, 100}, 63.28f, 51.04f},                // 60 pushed to 61.2
      {135.75f, 148.25f, 0.25f, 0.75f, {1, 100, 100}, 136.72f, 148.96f},  // push after the step
      {100, 100, 0.5f, 0.5f, {1, 100, 100}, 100, 100}};  // a point on the mouse stays
  for (const Case& c : cases) {
    ScriptedRandom random({c.r1, c.r2});
    float x = c.x, y = c.y;
    MovePoint(x, y, c.mouse, random);
    EXPECT_EQ(std::pair(x, y), std::pair(c.expectedX, c.expectedY)) << c.x << "," << c.y;
  }
}

TEST(MoveOutline, EachPointTakesTwoDrawsInTraversalOrder) {
  const OutlineCurve onePoint{CURVE_POLYLINE, 1, {OutlinePoint{}}};
  // BlockCount and the last PointCount overstate their arrays: the walk stops at their ends.
  GlyphOutline outline{u"x", 4, {{0, 0, 2, {onePoint, onePoint}}, {}, {0, 0, 1, {onePoint}}}, 1};
  outline.Blocks[2].Curves[0].PointCount = 9;
  ScriptedRandom random({});
  for (int i = 0; i < 12; ++i) random.Values.push_back(static_cast<float>(i) / 64.0f);
  MoveOutline(outline, {1, 1000, 1000}, random);
  std::vector<float> moved, expected;
  ForEachOutlinePoint(outline, [&](float x, float y) { moved.insert(moved.end(), {x, y}); });
  for (const float r : random.Values) expected.push_back(0.5f - r);
  EXPECT_EQ(moved, expected);
}

// (The cycle itself is checked tick by tick through the window.)
TEST(PulseRadius, IsZeroForTheLowestCount) {
  EXPECT_EQ(PulseRadius(std::numeric_limits<std::int32_t>::min()), 0.0f);
}

TEST(ClockSeededRandom, StaysInHalfOpenUnitInterval) {
  ClockSeededRandom random;
  random.SeedFromClock();
  double sum = 0.0;
  for (int i = 0; i < 100'000; ++i) {
    const float r = random.NextUniform();
    ASSERT_TRUE(r >= 0.0f && r < 1.0f) << r;
    sum += r;
  }
  EXPECT_NEAR(sum / 1e5, 0.5, 0.01);
}

}  // namespace
}  // namespace moji
