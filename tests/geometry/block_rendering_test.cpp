#include "geometry/block_rendering.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <utility>

#include "geometry/outline_placement.h"
#include "platform/recording_surface.h"
#include "outline_builders.h"

namespace moji {
namespace {

using test::Curve;
using test::Block;
using test::Outline;

using Calls = std::vector<SurfaceCall>;
using Points = std::vector<OutlinePoint>;

constexpr PenDescription kPen{PS_SOLID, 3, 0x00804020};

class BlockRenderingTest : public ::testing::Test {
 protected:
  BlockRenderingTest() { hdc_.Surface = &surface_; }

  /// Forgets the recording, then draws with `kPen`.
  void Draw(const GlyphOutline& outline, std::int32_t blockIndex = ALL_BLOCKS, float offsetX = 0,
            float offsetY = 0, float scale = 1, bool flipY = false) {
    surface_.Clear();
    DrawOutlineBlocks(hdc_, outline, offsetX, offsetY, scale, flipY, kPen.Color, kPen.Width,
                      kPen.Style, blockIndex);
  }

  /// The recording is `kPen` created and selected, `drawing`, the stock pen back, `kPen` deleted.
  void ExpectRecorded(const Calls& drawing) {
    ASSERT_FALSE(surface_.Calls().empty());
    const HGDIOBJ pen = surface_.Calls()[0].Object;
    Calls expected{SurfaceCall::PenCreated(pen, kPen), SurfaceCall::PenSelected(pen, kPen)};
    expected.insert(expected.end(), drawing.begin(), drawing.end());
    expected.push_back(SurfaceCall::PenSelected(kStockPen, {PS_SOLID, 1, 0}));
    expected.push_back(SurfaceCall::ObjectDeleted(pen));
    EXPECT_EQ(surface_.Calls(), expected);
    EXPECT_EQ(gdi_.LiveHandleCount(), 0u);
  }

  GraphicsServices gdi_;
  RecordingSurface surface_{gdi_};
  DeviceContext hdc_{gdi_};
};

TEST_F(BlockRenderingTest, SplineRunsBecomeCubicSegmentsAndTheBlockCloses) {
  // A quadratic run: one segment per control, to the implied midpoints and then its last point.
  Draw(Outline({Block(10, 10,
                      {Curve(CURVE_QSPLINE, {{30, 0}, {60, 10}, {60, 40}, {30, 50}}),
                       Curve(CURVE_POLYLINE, {{10, 50}})})}));
  ExpectRecorded({SurfaceCall::PolyBezier({{10, 10}, {23, 3}, {35, 2}, {45, 5}}),
                  SurfaceCall::PolyBezier({{45, 5}, {55, 8}, {60, 15}, {60, 25}}),
                  SurfaceCall::PolyBezier({{60, 25}, {60, 35}, {50, 43}, {30, 50}}),
                  SurfaceCall::Polyline({{30, 50}, {10, 50}, {10, 10}})});

  // Two points make one segment; the closing line is drawn even when it has no length.
  Draw(Outline({Block(0, 0, {Curve(CURVE_QSPLINE, {{30, 0}, {0, 0}})})}));
  ExpectRecorded({SurfaceCall::PolyBezier({{0, 0}, {20, 0}, {20, 0}, {0, 0}}),
                  SurfaceCall::Polyline({{0, 0}, {0, 0}})});

  // A cubic run is one segment per three points, from the current point, as it is; the block
  // closes after it as after a quadratic run.
  GlyphOutline cubic = Outline({Block(
      0, 0, {Curve(CURVE_CSPLINE, {{10, 0}, {20, 5}, {20, 20}, {20, 30}, {5, 30}, {0, 30}}),
             Curve(CURVE_POLYLINE, {{0, 10}}), Curve(CURVE_CSPLINE, {{0, 7}, {1, 2}, {0, 0}})})});
  cubic.MaxCurvePoints = 6;
  Draw(cubic);
  ExpectRecorded({SurfaceCall::PolyBezier({{0, 0}, {10, 0}, {20, 5}, {20, 20}}),
                  SurfaceCall::PolyBezier({{20, 20}, {20, 30}, {5, 30}, {0, 30}}),
                  SurfaceCall::Polyline({{0, 30}, {0, 10}}),
                  SurfaceCall::PolyBezier({{0, 10}, {0, 7}, {1, 2}, {0, 0}}),
                  SurfaceCall::Polyline({{0, 0}, {0, 0}})});
}

TEST_F(BlockRenderingTest, PolylineRunsOtherRunTypesAndDevicePoints) {
  // A polyline run of n points has n + 1 points, n + 2 as the block's last run; a run of an
  // unknown type draws nothing, moves the current point and, last in its block, leaves it open.
  Draw(Outline({Block(0, 0, {Curve(7, {{1, 1}, {5, 5}}), Curve(CURVE_POLYLINE, {{9, 9}, {7, 7}})}),
                Block(0, 0, {Curve(CURVE_POLYLINE, {{1, 1}, {2, 2}}), Curve(0, {{4, 4}})})}));
  ExpectRecorded({SurfaceCall::Polyline({{5, 5}, {9, 9}, {7, 7}, {0, 0}}),
                  SurfaceCall::Polyline({{0, 0}, {1, 1}, {2, 2}})});

  // Device points are rounded half to even, after the placement transform.
  Draw(Outline({Block(2.5f, 3.5f, {Curve(CURVE_POLYLINE, {{-2.5f, -0.5f}, {0.5f, 1.5f}})})}));
  ExpectRecorded({SurfaceCall::Polyline({{2, 4}, {-2, 0}, {0, 2}, {2, 4}})});
  Draw(Outline({Block(0.5f, 0.25f, {Curve(CURVE_POLYLINE, {{0, 0}})})}), ALL_BLOCKS, 20, 0, 160,
       true);
  ExpectRecorded({SurfaceCall::Polyline({{100, 120}, {20, 160}, {100, 120}})});
}

// The first n segments of a block's drawing: a Polyline is cut after its first points, calls
// past the limit are dropped, the pen is made and deleted whatever the limit.
TEST_F(BlockRenderingTest, SegmentLimitDrawsTheFirstSegments) {
  const GlyphOutline outline = Outline({Block(
      0, 0, {Curve(CURVE_POLYLINE, {{10, 0}, {10, 10}}), Curve(CURVE_QSPLINE, {{5, 20}, {0, 10}})})});
  const SurfaceCall bezier = SurfaceCall::PolyBezier({{10, 10}, {7, 17}, {3, 17}, {0, 10}});
  const std::pair<std::size_t, Calls> cases[] = {
      {0, {}},
      {1, {SurfaceCall::Polyline({{0, 0}, {10, 0}})}},
      {2, {SurfaceCall::Polyline({{0, 0}, {10, 0}, {10, 10}})}},
      {3, {SurfaceCall::Polyline({{0, 0}, {10, 0}, {10, 10}}), bezier}},
      {4, {SurfaceCall::Polyline({{0, 0}, {10, 0}, {10, 10}}), bezier, SurfaceCall::Polyline({{0, 10}, {0, 0}})}},
      {99, {SurfaceCall::Polyline({{0, 0}, {10, 0}, {10, 10}}), bezier, SurfaceCall::Polyline({{0, 10}, {0, 0}})}}};
  for (const auto& [segments, drawing] : cases) {
    SCOPED_TRACE(segments);
    surface_.Clear();
    DrawOutlineBlockSegments(hdc_, outline, 0, 0, 1, false, kPen.Color, kPen.Width, kPen.Style, 0, segments);
    ExpectRecorded(drawing);
  }
  Draw(outline);
  ExpectRecorded(cases[4].second);
}

TEST_F(BlockRenderingTest, BlockIndexChoosesOneBlockOrAll) {
  const GlyphOutline outline =
      Outline({Block(0, 0, {Curve(CURVE_POLYLINE, {{1, 0}})}), Block(5, 5, {}),
               Block(2, 2, {Curve(CURVE_POLYLINE, {{3, 2}})})});
  const SurfaceCall first = SurfaceCall::Polyline({{0, 0}, {1, 0}, {0, 0}});
  const SurfaceCall third = SurfaceCall::Polyline({{2, 2}, {3, 2}, {2, 2}});
  const std::pair<std::int32_t, Calls> cases[] = {
      {ALL_BLOCKS, {first, third}}, {2, {third}}, {1, {}}, {-2, {}}, {3, {}}};
  for (const auto& [blockIndex, drawing] : cases) {
    Draw(outline, blockIndex);
    ExpectRecorded(drawing);
  }
  Draw(GlyphOutline{});
  ExpectRecorded({});
}

TEST_F(BlockRenderingTest, BrokenOutlinesThrowAfterThePenIsGivenBack) {
  // The first run is drawn before the broken second one is reached, and stays drawn.
  const auto secondRun = [](Points points, std::int32_t type = CURVE_POLYLINE) {
    return Outline({Block(0, 0, {Curve(CURVE_POLYLINE, {{1, 1}}), Curve(type, points)})});
  };
  const Calls firstRun{SurfaceCall::Polyline({{0, 0}, {1, 1}})};
  GlyphOutline tooLong = secondRun({{1, 1}, {2, 2}});
  tooLong.MaxCurvePoints = 1;
  GlyphOutline overstated = secondRun({{1, 1}});
  overstated.Blocks[0].Curves[1].PointCount = 2;
  for (const GlyphOutline& outline :
       {secondRun({}), secondRun({{1, 1}}, CURVE_QSPLINE), secondRun({{1, 1}, {2, 2}}, CURVE_CSPLINE),
        tooLong, overstated}) {
    EXPECT_THROW(Draw(outline), std::out_of_range);
    ExpectRecorded(firstRun);
  }
  for (const float beyond : {3e9f, -2.2e9f, std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_THROW(Draw(secondRun({{0, beyond}})), std::overflow_error);
    ExpectRecorded(firstRun);
  }
}

using Placed = std::pair<float, float>;

/// Where a block's start point at `model` is placed; a curve point at `model` must land there too.
Placed Place(OutlinePoint model, float offsetX, float offsetY, float scale, bool flipY) {
  GlyphOutline outline{u"x", 1, {{model.X, model.Y, 1, {{CURVE_POLYLINE, 1, {model}}}}}, 1};
  PlaceOutline(outline, offsetX, offsetY, scale, flipY);
  const OutlineBlock& block = outline.Blocks[0];
  EXPECT_EQ(Placed(block.Curves[0].Points[0].X, block.Curves[0].Points[0].Y),
            Placed(block.StartX, block.StartY));
  return {block.StartX, block.StartY};
}

TEST(PlaceOutlineTest, MapsStartAndCurvePointsAlikeAndSafelyOnOverstatedOutlines) {
  EXPECT_EQ(Place({0, 0}, 20, 0, 160, true), Placed(20, 160));
  EXPECT_EQ(Place({1, 1}, 20, 0, 160, true), Placed(180, 0));
  EXPECT_EQ(Place({0.25f, -0.125f}, 20, 0, 160, true), Placed(60, 180));
  EXPECT_EQ(Place({0.3f, -7.1f}, 0, 0, 1, false), Placed(0.3f, -7.1f));
  EXPECT_EQ(Place({1, 1}, 3, 4, 2, false), Placed(5, 6));
  EXPECT_EQ(Place({1, 1}, 3, 4, 2, true), Placed(5, 4));
  // x is rounded to single once, from double; y is rounded at every step.
  EXPECT_EQ(Place({0.003f, 0.002f}, 0.7f, 20, 160, true), Placed(1.17999995f, 179.680008f));

  // Placing twice transforms twice; counts beyond the arrays are not followed.
  GlyphOutline outline{u"x", 4, {{0, 0, 3, {{CURVE_POLYLINE, 7, {{1, 1}}}}}}, 7};
  PlaceOutline(outline, 20, 0, 160, true);
  PlaceOutline(outline, 20, 0, 160, true);
  EXPECT_EQ(Placed(outline.Blocks[0].StartX, outline.Blocks[0].StartY), Placed(3220, -25440));
  EXPECT_EQ(outline.Blocks[0].Curves[0].Points[0].X, 180 * 160 + 20);

  GlyphOutline empty;
  PlaceOutline(empty, 20, 0, 160, true);
  EXPECT_TRUE(empty.BlockCount == 0 && empty.Blocks.empty());
}

}  // namespace
}  // namespace moji
