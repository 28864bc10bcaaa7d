#include "inspect/contour_fill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "outline_builders.h"

namespace moji {
namespace {

using test::Curve;
using test::Block;
using test::Outline;

using Points = std::vector<OutlinePoint>;
using Roles = std::vector<FillRole>;

/// A square of side `size` from (x, y), counter-clockwise with y up unless `clockwise`.
OutlineBlock Square(float x, float y, float size, bool clockwise = false) {
  const float right = x + size, top = y + size;
  if (clockwise) return Block(x, y, {Curve(CURVE_POLYLINE, {{x, top}, {right, top}, {right, y}})});
  return Block(x, y, {Curve(CURVE_POLYLINE, {{right, y}, {right, top}, {x, top}})});
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(ContourFillTest, SignedAreaAndDirection) {
  struct Case {
    const char* name;
    OutlineBlock block;
    double area;
    ContourDirection direction;
  };
  const Case cases[] = {
      {"square", Square(0, 0, 2), 4, ContourDirection::CounterClockwise},
      {"square reversed", Square(0, 0, 2, true), -4, ContourDirection::Clockwise},
      {"square far away", Square(1e6f, -1e6f, 1), 1, ContourDirection::CounterClockwise},
      {"cubic drop", Block(0, 0, {Curve(CURVE_CSPLINE, {{2, 2}, {-2, 2}, {0, 0}})}), 1.2,
       ContourDirection::CounterClockwise},
      // The parabola from (0, 0) pulled by (2, 0) to (2, 2) bounds 2/3 of its triangle.
      {"quadratic piece", Block(0, 0, {Curve(CURVE_QSPLINE, {{2, 0}, {2, 2}})}), 4.0 / 3,
       ContourDirection::CounterClockwise},
      {"unknown run jumps straight",
       Block(0, 0, {Curve(CURVE_POLYLINE, {{2, 0}}), Curve(9, {{5, 5}, {2, 2}}),
                    Curve(CURVE_POLYLINE, {{0, 2}})}),
       4, ContourDirection::CounterClockwise},
      {"out and back", Block(0, 0, {Curve(CURVE_POLYLINE, {{1, 1}, {2, 2}, {1, 1}})}), 0,
       ContourDirection::Neither},
      {"one point", Block(3, 3, {}), 0, ContourDirection::Neither},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(BlockSignedArea(c.block), c.area, 1e-6) << c.name;
    EXPECT_EQ(BlockDirection(c.block), c.direction) << c.name;
  }
  const OutlineBlock broken[] = {Square(kNaN, 0, 1),
                                 Square(0, 0, std::numeric_limits<float>::infinity()),
                                 Block(0, 0, {Curve(CURVE_CSPLINE, {{1, kNaN}, {0, 1}, {0, 0}})})};
  for (const OutlineBlock& block : broken) {
    EXPECT_TRUE(std::isnan(BlockSignedArea(block)));
    EXPECT_EQ(BlockDirection(block), ContourDirection::Unknown);
  }
}

TEST(ContourFillTest, OuterContoursAndHoles) {
  using enum FillRole;
  struct Case {
    const char* name;
    GlyphOutline outline;
    Roles roles;
  };
  const Case cases[] = {
      {"ring", Outline({Square(0, 0, 10), Square(3, 3, 4, true)}), {Outer, Hole}},
      {"ring, the font's way round", Outline({Square(0, 0, 10, true), Square(3, 3, 4)}),
       {Outer, Hole}},
      {"ring of one direction", Outline({Square(0, 0, 10), Square(3, 3, 4)}), {Outer, Covered}},
      {"two apart", Outline({Square(0, 0, 2), Square(5, 0, 2, true)}), {Outer, Outer}},
      {"hole in a hole", Outline({Square(0, 0, 10), Square(2, 2, 6, true), Square(4, 4, 2)}),
       {Outer, Hole, Outer}},
      {"crossing bars",
       Outline({Block(0, 4, {Curve(CURVE_POLYLINE, {{10, 4}, {10, 6}, {0, 6}})}),
                Block(4, 0, {Curve(CURVE_POLYLINE, {{6, 0}, {6, 10}, {4, 10}})})}),
       {Outer, Outer}},
      {"round hole",
       Outline({Square(-4, -4, 8),
                Block(0, -2, {Curve(CURVE_QSPLINE,
                                    {{-2, -2}, {-2, 2}, {2, 2}, {2, -2}, {0, -2}})})}),
       {Outer, Hole}},
      {"flat one beside",
       Outline({Square(0, 0, 2), Block(0, 0, {Curve(CURVE_POLYLINE, {{3, 3}})})}),
       {Outer, Flat}},
      {"a coordinate not a number", Outline({Square(0, 0, 10), Square(3, kNaN, 4, true)}),
       {Unknown, Unknown}},
      {"empty", GlyphOutline{}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(FillRoles(c.outline), c.roles) << c.name;
}

// Work is bounded: too many points are not flattened at all, and once the edge tests are spent
// the contours left are not judged.
TEST(ContourFillTest, LargeOutlinesEndUnknown) {
  Points many(300'000, OutlinePoint{1, 1});
  many.front() = {1, 0};
  EXPECT_EQ(FillRoles(Outline({Block(0, 0, {Curve(CURVE_POLYLINE, many)})})),
            Roles{FillRole::Unknown});

  std::vector<OutlineBlock> stack(1500, Square(0, 0, 1));
  const Roles roles = FillRoles(Outline(stack));
  ASSERT_EQ(roles.size(), stack.size());
  EXPECT_EQ(roles.front(), FillRole::Outer);
  EXPECT_EQ(roles.back(), FillRole::Unknown);
}

}  // namespace
}  // namespace moji
