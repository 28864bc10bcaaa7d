#include "motion/motion_step.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "platform/random_source.h"

namespace moji {
namespace {

/// Replays a fixed list of numbers and counts how many were taken.
class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<float> values) : values_(std::move(values)) {}
  float NextUniform() override {
    if (taken_ >= values_.size()) {
      ADD_FAILURE() << "more draws than scripted";
      return 0.5f;
    }
    return values_[taken_++];
  }
  std::size_t Taken() const { return taken_; }

 private:
  std::vector<float> values_;
  std::size_t taken_ = 0;
};

struct PointCase {
  const char* name;
  float x, y, r1, r2;
  MouseState mouse;
  float expectedX, expectedY;
};

// r = 0.5 leaves a coordinate where it was, so the push cases see exactly the given point.
const PointCase kPointCases[] = {
    {"step x uses r1, y uses r2", 10.0f, 20.0f, 0.25f, 0.75f, {}, 10.25f, 19.75f},
    {"step of r = 0 is +0.5", -3.0f, 0.0f, 0.0f, 0.0f, {}, -2.5f, 0.5f},
    {"double intermediates keep a tiny x", 1e-8f, 7.0f, 0.5f, 0.125f, {}, 1e-8f, 7.375f},
    {"no push without a button", 110.0f, 100.0f, 0.5f, 0.5f, {0, 100.0f, 100.0f}, 110.0f, 100.0f},
    {"distance exactly 80 stays", 148.0f, 164.0f, 0.5f, 0.5f, {1, 100.0f, 100.0f}, 148.0f, 164.0f},
    {"distance exactly 80 stays, other side", 52.0f, 36.0f, 0.5f, 0.5f, {3, 100.0f, 100.0f},
     52.0f, 36.0f},
    // sqrt gives 79.9999974 in double, which rounds to 80.0f: not strictly inside.
    {"distance rounding to 80 stays", 79.99999237f, 0.0283f, 0.5f, 0.5f, {1, 0.0f, 0.0f},
     79.99999237f, 0.0283f},
    {"distance 60 pushed to 61.2", 136.0f, 148.0f, 0.5f, 0.5f, {1, 100.0f, 100.0f}, 136.72f,
     148.96f},
    {"distance 60 pushed, other side", 64.0f, 52.0f, 0.5f, 0.5f, {2, 100.0f, 100.0f}, 63.28f,
     51.04f},
    {"push after the step", 135.75f, 148.25f, 0.25f, 0.75f, {1, 100.0f, 100.0f}, 136.72f,
     148.96f},
    {"point on the mouse stays", 100.0f, 100.0f, 0.5f, 0.5f, {1, 100.0f, 100.0f}, 100.0f, 100.0f},
};

TEST(MovePoint, StepAndPushGiveExactResults) {
  for (const PointCase& c : kPointCases) {
    SCOPED_TRACE(c.name);
    ScriptedRandom random({c.r1, c.r2});
    float x = c.x;
    float y = c.y;
    MovePoint(x, y, c.mouse, random);
    EXPECT_FLOAT_EQ(x, c.expectedX);
    EXPECT_FLOAT_EQ(y, c.expectedY);
    EXPECT_EQ(random.Taken(), 2u);
  }
}

OutlineCurve Curve(std::int32_t pointCount, std::size_t points) {
  return OutlineCurve{CURVE_POLYLINE, pointCount, std::vector<OutlinePoint>(points)};
}

TEST(MoveOutline, EachPointTakesTwoDrawsInTraversalOrder) {
  GlyphOutline outline;
  outline.Blocks.push_back({0, 0, 2, {Curve(2, 2), Curve(1, 1)}});
  outline.Blocks.push_back({0, 0, 0, {}});
  outline.Blocks.push_back({0, 0, 1, {Curve(3, 3)}});
  // Counts beyond the vectors are bounded by the vectors; negative counts visit nothing.
  outline.Blocks.push_back({0, 0, 5, {Curve(9, 1), Curve(-1, 2)}});
  outline.Blocks.push_back({0, 0, -2, {Curve(1, 1)}});
  outline.BlockCount = 7;
  // For every stored point in storage order: the index of the point in the draw order, or -1
  // for a point the counts leave out (it keeps (0, 0)).
  const int kDrawOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, -1, -1, 11, -1};
  constexpr std::size_t kMoved = 12;

  std::vector<float> draws;
  for (std::size_t i = 0; i < 2 * kMoved; ++i) draws.push_back(static_cast<float>(i) / 64.0f);
  ScriptedRandom random(draws);
  MoveOutline(outline, {1, 1000.0f, 1000.0f}, random);
  EXPECT_EQ(random.Taken(), 2 * kMoved);

  std::vector<std::pair<float, float>> stored;
  for (const OutlineBlock& block : outline.Blocks) {
    stored.emplace_back(block.StartX, block.StartY);
    for (const OutlineCurve& curve : block.Curves) {
      for (const OutlinePoint& point : curve.Points) stored.emplace_back(point.X, point.Y);
    }
  }
  std::vector<std::pair<float, float>> expected;
  for (const int i : kDrawOrder) {
    if (i < 0) {
      expected.emplace_back(0.0f, 0.0f);
    } else {
      expected.emplace_back(0.5f - draws[2 * i], 0.5f - draws[2 * i + 1]);
    }
  }
  EXPECT_EQ(stored, expected);

  GlyphOutline empty;
  ScriptedRandom unused({});
  MoveOutline(empty, {1, 0.0f, 0.0f}, unused);
  EXPECT_EQ(unused.Taken(), 0u);
}

TEST(PulseRadius, CyclesInStepsOfEightWithPeriodTen) {
  const float expected[] = {16, 24, 32, 40, 48, 56, 64, 72, 0, 8, 16};
  for (std::int32_t buttonDown = 2; buttonDown <= 12; ++buttonDown) {
    EXPECT_EQ(PulseRadius(buttonDown), expected[buttonDown - 2]) << buttonDown;
  }
  EXPECT_EQ(PulseRadius(0), 0.0f);
  EXPECT_EQ(PulseRadius(std::numeric_limits<std::int32_t>::max()), 56.0f);
  EXPECT_EQ(PulseRadius(-3), 0.0f);
  EXPECT_EQ(PulseRadius(std::numeric_limits<std::int32_t>::min()), 0.0f);
}

TEST(ClockSeededRandom, StaysInHalfOpenUnitIntervalAndFollowsItsSeed) {
  ClockSeededRandom random;
  random.SeedFromClock();
  double sum = 0.0;
  constexpr int kDraws = 1'000'000;
  for (int i = 0; i < kDraws; ++i) {
    const float r = random.NextUniform();
    ASSERT_GE(r, 0.0f);
    ASSERT_LT(r, 1.0f);
    sum += r;
  }
  EXPECT_NEAR(sum / kDraws, 0.5, 0.01);

  ClockSeededRandom a;
  ClockSeededRandom b;
  ClockSeededRandom c;
  a.Seed(1);
  b.Seed(2);
  c.Seed(1);
  std::vector<float> first, second, again;
  for (int i = 0; i < 8; ++i) {
    first.push_back(a.NextUniform());
    second.push_back(b.NextUniform());
    again.push_back(c.NextUniform());
  }
  EXPECT_NE(first, second);
  EXPECT_EQ(first, again);
}

}  // namespace
}  // namespace moji
