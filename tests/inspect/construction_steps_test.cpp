#include "inspect/construction_steps.h"

#include <gtest/gtest.h>

#include <utility>

#include "outline_builders.h"

namespace moji {
namespace {

using test::Curve;
using test::Block;
using test::Outline;

using Points = std::vector<OutlinePoint>;
using Steps = std::vector<ConstructionStep>;
using Numbers = std::array<std::int32_t, 2>;

StepPoint P(float x, float y, std::int32_t number) { return {{x, y}, number}; }

ConstructionStep Start(std::int32_t b, StartRule rule, StepPoint at, std::int32_t first,
                       Numbers between = {-1, -1}) {
  return {.Kind = StepKind::Start, .Block = b, .Rule = rule, .From = at, .To = at,
          .Between = between, .FirstPointNumber = first};
}

ConstructionStep Line(std::int32_t b, std::int32_t c, std::int32_t s, StepPoint from, StepPoint to,
                      bool endsAtStart = false) {
  return {.Kind = StepKind::Line, .Block = b, .Curve = c, .Segment = s, .From = from, .To = to,
          .EndsAtStart = endsAtStart};
}

/// A quadratic piece ending on the run's last point.
ConstructionStep Quad(std::int32_t b, std::int32_t c, std::int32_t s, StepPoint from,
                      StepPoint control, StepPoint to, OutlinePoint c1, OutlinePoint c2,
                      bool endsAtStart = false) {
  return {.Kind = StepKind::Quadratic, .Block = b, .Curve = c, .Segment = s, .From = from,
          .Control1 = control, .To = to, .CubicControls = {c1, c2}, .EndsAtStart = endsAtStart};
}

/// A quadratic piece ending at the point implied between two controls.
ConstructionStep Implied(std::int32_t b, std::int32_t c, std::int32_t s, StepPoint from,
                         StepPoint control, OutlinePoint to, OutlinePoint c1, OutlinePoint c2,
                         Numbers between) {
  return {.Kind = StepKind::Quadratic, .Block = b, .Curve = c, .Segment = s, .From = from,
          .Control1 = control, .To = {to, -1}, .CubicControls = {c1, c2}, .ImpliedEnd = true,
          .Between = between};
}

ConstructionStep Cubic(std::int32_t b, std::int32_t c, std::int32_t s, StepPoint from,
                       StepPoint c1, StepPoint c2, StepPoint to, bool endsAtStart = false) {
  return {.Kind = StepKind::Cubic, .Block = b, .Curve = c, .Segment = s, .From = from,
          .Control1 = c1, .Control2 = c2, .To = to, .EndsAtStart = endsAtStart};
}

ConstructionStep Close(std::int32_t b, StepPoint from, StepPoint to) {
  return {.Kind = StepKind::Close, .Block = b, .From = from, .To = to, .EndsAtStart = true};
}

void ExpectSteps(const GlyphOutline& outline, const std::vector<PointSource>& sources,
                 const Steps& expected, const std::vector<std::size_t>& firsts) {
  const Steps steps = ConstructionSteps(outline, sources);
  ASSERT_EQ(steps.size(), expected.size());
  for (std::size_t k = 0; k < steps.size(); ++k) EXPECT_EQ(steps[k], expected[k]) << "step " << k;
  EXPECT_EQ(ConstructionStepCount(outline), expected.size());
  EXPECT_EQ(BlockFirstSteps(outline), firsts);
}

// The sources are what the writer gives for three contours: #0-#2 all on the curve; #3 a control,
// #4 and #5 on it (the last point starts); #6 and #8 controls around #7 (their midpoint starts,
// and the last run ends there again).
TEST(ConstructionStepsTest, EachStartRuleWithTheWritersSources) {
  const GlyphOutline outline = Outline({
      Block(0, 0, {Curve(CURVE_POLYLINE, {{4, 0}, {4, 4}})}),
      Block(10, 0, {Curve(CURVE_QSPLINE, {{13, 6}, {16, 0}})}),
      Block(24, 0, {Curve(CURVE_QSPLINE, {{24, 6}, {30, 0}}),
                    Curve(CURVE_QSPLINE, {{24, -6}, {24, 0}})}),
  });
  const std::vector<PointSource> sources{{0, 0, 0},  {1, 4, 0},  {2, 4, 4},  {5, 10, 0},
                                         {3, 13, 6}, {4, 16, 0}, {-1, 24, 0}, {6, 24, 6},
                                         {7, 30, 0}, {8, 24, -6}, {-1, 24, 0}};
  ExpectSteps(outline, sources,
              {Start(0, StartRule::FirstPoint, P(0, 0, 0), 0),
               Line(0, 0, 0, P(0, 0, 0), P(4, 0, 1)),
               Line(0, 0, 1, P(4, 0, 1), P(4, 4, 2)),
               Close(0, P(4, 4, 2), P(0, 0, 0)),
               Start(1, StartRule::LastPoint, P(10, 0, 5), 3),
               Quad(1, 0, 0, P(10, 0, 5), P(13, 6, 3), P(16, 0, 4), {12, 4}, {14, 4}),
               Close(1, P(16, 0, 4), P(10, 0, 5)),
               Start(2, StartRule::Midpoint, P(24, 0, -1), 6, {8, 6}),
               Quad(2, 0, 0, P(24, 0, -1), P(24, 6, 6), P(30, 0, 7), {24, 4}, {26, 4}),
               Quad(2, 1, 0, P(30, 0, 7), P(24, -6, 8), P(24, 0, -1), {26, -4}, {24, -4}, true),
               Close(2, P(24, 0, -1), P(24, 0, -1))},
              {0, 4, 7});
  const Steps all = ConstructionSteps(outline, sources);
  EXPECT_EQ(BlockConstructionSteps(outline.Blocks[2], 2, std::span(sources).subspan(6)),
            Steps(all.begin() + 7, all.end()));
}

// Three controls give two implied ends; a quadratic run of one point draws nothing but moves on;
// a cubic run of 3k points gives k segments, the last back at the start.
TEST(ConstructionStepsTest, QuadraticRunsOfManyAndOneControlAndACubicRun) {
  const GlyphOutline outline = Outline({Block(0, 0, {
      Curve(CURVE_QSPLINE, {{3, 6}, {9, 6}, {15, 0}, {18, 0}}),
      Curve(CURVE_QSPLINE, {{20, 0}}),
      Curve(CURVE_CSPLINE, {{20, 3}, {18, 6}, {15, 6}, {6, 6}, {0, 3}, {0, 0}}),
  })});
  const std::vector<PointSource> sources{{0, 0, 0},  {1, 3, 6}, {2, 9, 6},  {3, 15, 0},
                                         {4, 18, 0}, {5, 20, 0}, {6, 20, 3}, {7, 18, 6},
                                         {8, 15, 6}, {9, 6, 6},  {10, 0, 3}, {0, 0, 0}};
  ExpectSteps(outline, sources,
              {Start(0, StartRule::FirstPoint, P(0, 0, 0), 0),
               Implied(0, 0, 0, P(0, 0, 0), P(3, 6, 1), {6, 6}, {2, 4}, {4, 6}, {1, 2}),
               Implied(0, 0, 1, P(6, 6, -1), P(9, 6, 2), {12, 3}, {8, 6}, {10, 5}, {2, 3}),
               Quad(0, 0, 2, P(12, 3, -1), P(15, 0, 3), P(18, 0, 4), {14, 1}, {16, 0}),
               Cubic(0, 2, 0, P(20, 0, 5), P(20, 3, 6), P(18, 6, 7), P(15, 6, 8)),
               Cubic(0, 2, 1, P(15, 6, 8), P(6, 6, 9), P(0, 3, 10), P(0, 0, 0), true),
               Close(0, P(0, 0, 0), P(0, 0, 0))},
              {0});
}

// A one-point contour; a run of an unknown type; counts that overstate their arrays; a source
// table that ends inside the second block, and a block wholly past it whose line run comes back
// to the start.
TEST(ConstructionStepsTest, NoCurvesUnknownRunsLyingCountsAndShortSources) {
  GlyphOutline outline = Outline({
      Block(5, 5, {}),
      Block(0, 0, {Curve(7, {{1, 1}, {2, 2}}), Curve(CURVE_POLYLINE, {{3, 0}})}),
      Block(0, 0, {Curve(CURVE_POLYLINE, {{1, 0}, {0, 0}})}),
  });
  outline.BlockCount = 4;
  outline.Blocks[1].Curves[1].PointCount = 3;
  const std::vector<PointSource> sources{{0, 5, 5}, {1, 0, 0}, {2, 1, 1}};
  ExpectSteps(outline, sources,
              {Start(0, StartRule::FirstPoint, P(5, 5, 0), 0),
               Close(0, P(5, 5, 0), P(5, 5, 0)),
               Start(1, StartRule::FirstPoint, P(0, 0, 1), 1),
               Line(1, 1, 0, P(2, 2, -1), P(3, 0, -1)),
               Close(1, P(3, 0, -1), P(0, 0, 1)),
               Start(2, StartRule::FirstPoint, P(0, 0, -1), -1),
               Line(2, 0, 0, P(0, 0, -1), P(1, 0, -1)),
               Line(2, 0, 1, P(1, 0, -1), P(0, 0, -1), true),
               Close(2, P(0, 0, -1), P(0, 0, -1))},
              {0, 2, 5});
  EXPECT_TRUE(ConstructionSteps(GlyphOutline{}, sources).empty());
}

}  // namespace
}  // namespace moji
