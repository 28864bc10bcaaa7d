#include "inspect/construction_lesson.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "display/block_palette.h"
#include "platform/recording_surface.h"
#include "outline_builders.h"

namespace moji {
namespace {

using test::Curve;
using test::Block;
using test::Outline;

using Points = std::vector<OutlinePoint>;
using Calls = std::vector<SurfaceCall>;

constexpr std::size_t kWhole = std::numeric_limits<std::size_t>::max();

/// A polyline and a B-spline run closed by the drawing; a block without runs; a cubic run and a
/// polyline run that ends the block at its start.
GlyphOutline ThreeBlocks() {
  std::vector<OutlineBlock> blocks{
      Block(0, 0, {Curve(CURVE_POLYLINE, {{10, 0}, {10, 10}}), Curve(CURVE_QSPLINE, {{5, 20}, {0, 10}})}),
      Block(50, 50, {}),
      Block(20, 20, {Curve(CURVE_CSPLINE, {{30, 20}, {30, 30}, {20, 30}}), Curve(CURVE_POLYLINE, {{20, 20}})})};
  return Outline(std::move(blocks));
}

/// The polyline and Bezier calls of the palette drawing of the part of the outline.
Calls DrawnCalls(const GlyphOutline& outline, const std::optional<DrawnPart>& part) {
  GraphicsServices gdi;
  RecordingSurface surface(gdi);
  DeviceContext dc{gdi};
  dc.Surface = &surface;
  DrawBlocksInPaletteColors(dc, outline, 1, BlockPalette::Classic, part);
  Calls drawn;
  for (const SurfaceCall& call : surface.Calls()) {
    if (call.Kind == SurfaceCallKind::Polyline || call.Kind == SurfaceCallKind::PolyBezier) drawn.push_back(call);
  }
  return drawn;
}

// After each step, the drawing holds the blocks begun so far: whole before the step's block,
// and of it the segments its steps have drawn; the last step's drawing is the whole drawing.
TEST(ConstructionLesson, EachStepDrawsItsSegment) {
  const GlyphOutline outline = ThreeBlocks();
  const std::vector<ConstructionStep> steps = ConstructionSteps(outline, {});
  ASSERT_EQ(steps.size(), 11u);
  const std::optional<DrawnPart> parts[] = {
      DrawnPart{0, 0}, DrawnPart{0, 0}, DrawnPart{0, 1}, DrawnPart{0, 2}, DrawnPart{0, 3},
      DrawnPart{0, kWhole}, DrawnPart{1, 0}, DrawnPart{1, kWhole}, DrawnPart{2, 0},
      DrawnPart{2, 1}, DrawnPart{2, 2}, std::nullopt};
  const SurfaceCall bezier = SurfaceCall::PolyBezier({{10, 10}, {7, 17}, {3, 17}, {0, 10}});
  const SurfaceCall close = SurfaceCall::Polyline({{0, 10}, {0, 0}});
  const SurfaceCall lines = SurfaceCall::Polyline({{0, 0}, {10, 0}, {10, 10}});
  const SurfaceCall cubic = SurfaceCall::PolyBezier({{20, 20}, {30, 20}, {30, 30}, {20, 30}});
  const Calls firstBlock{lines, bezier, close};
  const auto with = [&firstBlock](Calls more) {
    more.insert(more.begin(), firstBlock.begin(), firstBlock.end());
    return more;
  };
  const Calls drawings[] = {{},
                            {},
                            {SurfaceCall::Polyline({{0, 0}, {10, 0}})},
                            {lines},
                            {lines, bezier},
                            firstBlock,
                            firstBlock,
                            firstBlock,
                            firstBlock,
                            with({cubic}),
                            with({cubic, SurfaceCall::Polyline({{20, 30}, {20, 20}})}),
                            with({cubic, SurfaceCall::Polyline({{20, 30}, {20, 20}, {20, 20}})})};
  for (std::size_t done = 0; done <= steps.size(); ++done) {
    SCOPED_TRACE(done);
    EXPECT_EQ(PartAfterSteps(steps, done), parts[done]);
    EXPECT_EQ(DrawnCalls(outline, PartAfterSteps(steps, done)), drawings[done]);
  }
  EXPECT_EQ(DrawnCalls(outline, std::nullopt), drawings[11]);
  EXPECT_EQ(PartAfterSteps(steps, 99), std::nullopt);
  EXPECT_EQ(PartAfterSteps({}, 0), std::nullopt);
}

// The keys' moves: one step, the ends, the ends of blocks; never past either end.
TEST(ConstructionLesson, MovesThroughTheSteps) {
  const std::vector<std::size_t> firsts = BlockFirstSteps(ThreeBlocks());
  ASSERT_EQ(firsts, (std::vector<std::size_t>{0, 5, 7}));
  struct Case {
    StepMove Move;
    std::size_t From, To;
  };
  const Case cases[] = {
      {StepMove::Next, 0, 1},           {StepMove::Next, 11, 11},         {StepMove::Next, 40, 11},
      {StepMove::Previous, 0, 0},       {StepMove::Previous, 6, 5},       {StepMove::First, 9, 0},
      {StepMove::Last, 2, 11},          {StepMove::NextBlock, 0, 5},      {StepMove::NextBlock, 5, 7},
      {StepMove::NextBlock, 6, 7},      {StepMove::NextBlock, 7, 11},     {StepMove::NextBlock, 11, 11},
      {StepMove::PreviousBlock, 11, 7}, {StepMove::PreviousBlock, 7, 5},  {StepMove::PreviousBlock, 6, 5},
      {StepMove::PreviousBlock, 3, 0},  {StepMove::PreviousBlock, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(SteppedTo(c.Move, c.From, 11, firsts), c.To) << int(c.Move) << " from " << c.From;
  }
  EXPECT_EQ(SteppedTo(StepMove::NextBlock, 0, 0, {}), 0u);
  EXPECT_EQ(SteppedTo(StepMove::PreviousBlock, 0, 0, {}), 0u);
}

// The line each step is told at, its lines for report --steps, the caption, the fill's words.
TEST(ConstructionLesson, ReportPointsCaptionsAndLines) {
  const std::vector<ConstructionStep> steps = ConstructionSteps(ThreeBlocks(), {});
  const ReportPoint expected[] = {{0, -1, 0}, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}, {0, -1, 0}, {1, -1, 0},
                                  {1, -1, 0}, {2, -1, 0}, {2, 0, 2}, {2, 1, 0}, {2, -1, 0}};
  for (std::size_t k = 0; k < steps.size(); ++k) EXPECT_EQ(ReportPointOfStep(steps[k]), expected[k]) << k;

  ConstructionLesson lesson;
  lesson.Sentences = {u"ブロック [ 0 ] 始点", u"カーブ [ 0 ] 折れ線"};
  EXPECT_EQ(StepLines(lesson), "1\tブロック [ 0 ] 始点\n2\tカーブ [ 0 ] 折れ線\n");
  EXPECT_EQ(StepCaption(lesson, 0), u"ステップ 0 / 2");
  EXPECT_EQ(StepCaption(lesson, 2), u"ステップ 2 / 2：カーブ [ 0 ] 折れ線");
  EXPECT_EQ(StepCaption(lesson, 7), u"ステップ 2 / 2：カーブ [ 0 ] 折れ線");
  EXPECT_EQ(StepLines(ConstructionLesson{}), "");
  EXPECT_EQ(StepCaption(ConstructionLesson{}, 3), u"ステップ 0 / 0");

  EXPECT_EQ(FillCaption(ContourDirection::CounterClockwise, FillRole::Outer), u"反時計回り・外側");
  EXPECT_EQ(FillCaption(ContourDirection::Clockwise, FillRole::Hole), u"時計回り・穴");
  EXPECT_EQ(FillCaption(ContourDirection::Neither, FillRole::Flat), u"向きなし・面積なし");
  EXPECT_EQ(FillCaption(ContourDirection::Unknown, FillRole::Unknown), u"向き不明・不明");
}

}  // namespace
}  // namespace moji
