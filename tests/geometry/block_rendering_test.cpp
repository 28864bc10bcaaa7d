#include "geometry/block_rendering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "platform/recording_surface.h"

namespace moji {
namespace {

using Calls = std::vector<SurfaceCall>;

OutlineCurve Curve(std::int32_t type, std::vector<OutlinePoint> points) {
  return {type, static_cast<std::int32_t>(points.size()), std::move(points)};
}

OutlineBlock Block(float x, float y, std::vector<OutlineCurve> curves) {
  return {x, y, static_cast<std::int32_t>(curves.size()), std::move(curves)};
}

/// An outline with consistent counts and `MaxCurvePoints`.
GlyphOutline Outline(std::vector<OutlineBlock> blocks) {
  GlyphOutline outline{u"x", static_cast<std::int32_t>(blocks.size()), std::move(blocks), 0};
  for (const OutlineBlock& block : outline.Blocks) {
    for (const OutlineCurve& curve : block.Curves) {
      outline.MaxCurvePoints = std::max(outline.MaxCurvePoints, curve.PointCount);
    }
  }
  return outline;
}

constexpr PenDescription kPen{PS_SOLID, 3, 0x00804020};
constexpr PenDescription kStockPenDescription{PS_SOLID, 1, 0};

class BlockRenderingTest : public ::testing::Test {
 protected:
  BlockRenderingTest() { hdc_.Surface = &surface_; }

  /// Draws with the identity transform and `kPen`; returns what was drawn between the pen's
  /// set-up and clean-up, after checking those.
  Calls Draw(const GlyphOutline& outline, std::int32_t blockIndex = ALL_BLOCKS, float offsetX = 0,
             float offsetY = 0, float scale = 1, bool flipY = false) {
    surface_.Clear();
    DrawOutlineBlocks(hdc_, outline, offsetX, offsetY, scale, flipY, kPen.Color, kPen.Width,
                      kPen.Style, blockIndex);
    return Drawing();
  }

  /// The recorded drawing calls, after checking that the recording begins with this call's pen
  /// and ends with that pen given back, and that no handle is left behind.
  Calls Drawing() {
    const Calls& calls = surface_.Calls();
    EXPECT_GE(calls.size(), 4u);
    if (calls.size() < 4) return {};
    const HGDIOBJ pen = calls[0].Object;
    EXPECT_EQ(calls[0], SurfaceCall::PenCreated(pen, kPen));
    EXPECT_EQ(calls[1], SurfaceCall::PenSelected(pen, kPen));
    EXPECT_EQ(calls[calls.size() - 2], SurfaceCall::PenSelected(kStockPen, kStockPenDescription));
    EXPECT_EQ(calls.back(), SurfaceCall::ObjectDeleted(pen));
    EXPECT_EQ(hdc_.CurrentPen, kStockPen);
    EXPECT_EQ(LiveHandleCount(), liveBefore_);
    return {calls.begin() + 2, calls.end() - 2};
  }

  RecordingSurface surface_;
  DeviceContext hdc_;
  std::size_t liveBefore_ = LiveHandleCount();
};

TEST_F(BlockRenderingTest, SplineRunsBecomeCubicSegments) {
  EXPECT_EQ(Draw(Outline({Block(0, 0, {Curve(CURVE_QSPLINE, {{30, 0}, {30, 30}, {0, 30}})})})),
            (Calls{SurfaceCall::PolyBezier({{0, 0}, {20, 0}, {30, 5}, {30, 15}}),
                   SurfaceCall::PolyBezier({{30, 15}, {30, 25}, {20, 30}, {0, 30}}),
                   SurfaceCall::Polyline({{0, 30}, {0, 0}})}));

  EXPECT_EQ(Draw(Outline({Block(10, 10,
                                {Curve(CURVE_QSPLINE, {{30, 0}, {60, 10}, {60, 40}, {30, 50}}),
                                 Curve(CURVE_POLYLINE, {{10, 50}})})})),
            (Calls{SurfaceCall::PolyBezier({{10, 10}, {23, 3}, {35, 2}, {45, 5}}),
                   SurfaceCall::PolyBezier({{45, 5}, {55, 8}, {60, 15}, {60, 25}}),
                   SurfaceCall::PolyBezier({{60, 25}, {60, 35}, {50, 43}, {30, 50}}),
                   SurfaceCall::Polyline({{30, 50}, {10, 50}, {10, 10}})}));

  // Two points: one segment, and the closing line even when it has no length.
  EXPECT_EQ(Draw(Outline({Block(0, 0, {Curve(CURVE_QSPLINE, {{30, 0}, {0, 0}})})})),
            (Calls{SurfaceCall::PolyBezier({{0, 0}, {20, 0}, {20, 0}, {0, 0}}),
                   SurfaceCall::Polyline({{0, 0}, {0, 0}})}));
}

TEST_F(BlockRenderingTest, PolylineRunsStartAtTheCurrentPointAndTheLastOneCloses) {
  EXPECT_EQ(Draw(Outline({Block(1, 2, {Curve(CURVE_POLYLINE, {{3, 4}, {5, 6}, {7, 8}})})})),
            (Calls{SurfaceCall::Polyline({{1, 2}, {3, 4}, {5, 6}, {7, 8}, {1, 2}})}));

  EXPECT_EQ(
      Draw(Outline({Block(0, 0,
                          {Curve(CURVE_POLYLINE, {{9, 0}}), Curve(CURVE_QSPLINE, {{9, 9}, {6, 9}}),
                           Curve(CURVE_POLYLINE, {{3, 9}})})})),
      (Calls{SurfaceCall::Polyline({{0, 0}, {9, 0}}),
             SurfaceCall::PolyBezier({{9, 0}, {9, 6}, {8, 9}, {6, 9}}),
             SurfaceCall::Polyline({{6, 9}, {3, 9}, {0, 0}})}));
}

TEST_F(BlockRenderingTest, OtherCurveTypesDrawNothingButMoveTheCurrentPoint) {
  EXPECT_EQ(
      Draw(Outline({Block(0, 0, {Curve(7, {{1, 1}, {5, 5}}), Curve(CURVE_POLYLINE, {{9, 9}})}),
                    Block(0, 0, {Curve(CURVE_POLYLINE, {{1, 1}}), Curve(0, {{4, 4}})})})),
      (Calls{SurfaceCall::Polyline({{5, 5}, {9, 9}, {0, 0}}),
             SurfaceCall::Polyline({{0, 0}, {1, 1}})}));
}

TEST_F(BlockRenderingTest, BlockIndexChoosesOneBlockOrAll) {
  const GlyphOutline outline =
      Outline({Block(0, 0, {Curve(CURVE_POLYLINE, {{1, 0}})}), Block(5, 5, {}),
               Block(2, 2, {Curve(CURVE_POLYLINE, {{3, 2}})})});
  const SurfaceCall first = SurfaceCall::Polyline({{0, 0}, {1, 0}, {0, 0}});
  const SurfaceCall third = SurfaceCall::Polyline({{2, 2}, {3, 2}, {2, 2}});
  EXPECT_EQ(Draw(outline, ALL_BLOCKS), (Calls{first, third}));
  EXPECT_EQ(Draw(outline, 2), Calls{third});
  EXPECT_EQ(Draw(outline, 1), Calls{});
  EXPECT_EQ(Draw(outline, -2), Calls{});
  EXPECT_EQ(Draw(outline, 3), Calls{});
  EXPECT_EQ(Draw(GlyphOutline{}), Calls{});
}

TEST_F(BlockRenderingTest, DeviceCoordinatesRoundHalvesToEven) {
  EXPECT_EQ(
      Draw(Outline({Block(2.5f, 3.5f, {Curve(CURVE_POLYLINE, {{-2.5f, -0.5f}, {0.5f, 1.5f}})})})),
      (Calls{SurfaceCall::Polyline({{2, 4}, {-2, 0}, {0, 2}, {2, 4}})}));

  EXPECT_EQ(Draw(Outline({Block(0.5f, 0.25f, {Curve(CURVE_POLYLINE, {{0, 0}})})}), ALL_BLOCKS, 20,
                 0, 160, true),
            (Calls{SurfaceCall::Polyline({{100, 120}, {20, 160}, {100, 120}})}));
}

TEST_F(BlockRenderingTest, PointBufferDoesNotFollowABrokenMaxCurvePoints) {
  // Small MaxCurvePoints still leaves room for one Bezier segment; a huge one is not allocated.
  GlyphOutline outline = Outline({Block(0, 0, {Curve(CURVE_QSPLINE, {{30, 0}, {0, 0}})})});
  outline.MaxCurvePoints = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(Draw(outline).size(), 2u);
}

TEST_F(BlockRenderingTest, BrokenOutlinesThrowAfterThePenIsGivenBack) {
  const auto withPoints = [](std::vector<OutlinePoint> points, std::int32_t type = CURVE_POLYLINE) {
    return Outline(
        {Block(0, 0, {Curve(CURVE_POLYLINE, {{1, 1}}), Curve(type, std::move(points))})});
  };
  GlyphOutline tooLong = withPoints({{1, 1}, {2, 2}});
  tooLong.MaxCurvePoints = 1;
  GlyphOutline overstatedPoints = withPoints({{1, 1}});
  overstatedPoints.Blocks[0].Curves[1].PointCount = 2;
  GlyphOutline overstatedCurves = withPoints({{1, 1}});
  overstatedCurves.Blocks[0].CurveCount = 3;
  GlyphOutline overstatedBlocks = withPoints({{1, 1}});
  overstatedBlocks.BlockCount = 2;
  // A run drawn before the broken one was reached stays drawn.
  const Calls firstRun{SurfaceCall::Polyline({{0, 0}, {1, 1}})};
  const std::pair<GlyphOutline, Calls> cases[] = {
      {withPoints({}), firstRun}, {withPoints({{1, 1}}, CURVE_QSPLINE), firstRun},
      {tooLong, firstRun},        {overstatedPoints, firstRun},
      {overstatedCurves, {}},     {overstatedBlocks, {}}};
  for (const auto& [outline, drawn] : cases) {
    surface_.Clear();
    EXPECT_THROW(DrawOutlineBlocks(hdc_, outline, 0, 0, 1, false, kPen.Color, kPen.Width,
                                   kPen.Style, ALL_BLOCKS),
                 std::out_of_range);
    EXPECT_EQ(Drawing(), drawn);
  }

  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  const struct {
    OutlinePoint point;
    float scale;
  } overflows[] = {{{3e9f, 0}, 1},      {{0, -2.2e9f}, 1}, {{kNaN, 0}, 1},
                   {{0, kInfinity}, 1}, {{0, 3e38f}, 10},  {{3e38f, 0}, 10}};
  for (const auto& c : overflows) {
    surface_.Clear();
    EXPECT_THROW(
        DrawOutlineBlocks(hdc_, Outline({Block(0, 0, {Curve(CURVE_POLYLINE, {c.point})})}), 0, 0,
                          c.scale, false, kPen.Color, kPen.Width, kPen.Style, ALL_BLOCKS),
        std::overflow_error);
    EXPECT_EQ(Drawing(), Calls{});
  }
  surface_.Clear();
  EXPECT_THROW(Draw(withPoints({{0, 0}, {3e9f, 0}}, CURVE_QSPLINE)), std::overflow_error);
  EXPECT_EQ(Drawing(), firstRun);
}

}  // namespace
}  // namespace moji
