#include "geometry/outline_placement.h"

#include <gtest/gtest.h>

#include <utility>

namespace moji {
namespace {

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

TEST(PlaceOutlineTest, MapsStartAndCurvePointsAlike) {
  EXPECT_EQ(Place({0, 0}, 20, 0, 160, true), Placed(20, 160));
  EXPECT_EQ(Place({1, 1}, 20, 0, 160, true), Placed(180, 0));
  EXPECT_EQ(Place({0.5f, 0.5f}, 20, 0, 160, true), Placed(100, 80));
  EXPECT_EQ(Place({0.25f, -0.125f}, 20, 0, 160, true), Placed(60, 180));
  EXPECT_EQ(Place({0.3f, -7.1f}, 0, 0, 1, false), Placed(0.3f, -7.1f));
  EXPECT_EQ(Place({1, 1}, 3, 4, 2, false), Placed(5, 6));
  EXPECT_EQ(Place({1, 1}, 3, 4, 2, true), Placed(5, 4));
  // x is rounded to single once, from double; y is rounded at every step.
  EXPECT_EQ(Place({0.003f, 0.002f}, 0.7f, 20, 160, true), Placed(1.17999995f, 179.680008f));
}

TEST(PlaceOutlineTest, PlacingTwiceTransformsTwiceAndEmptyOrOverstatedOutlinesAreSafe) {
  // Counts beyond the arrays (blocks, curves, points) are bounded by them, never followed.
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
