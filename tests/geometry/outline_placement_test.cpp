#include "geometry/outline_placement.h"

#include <gtest/gtest.h>

namespace moji {
namespace {

/// An outline with one block starting at `start` and one polyline run through `point`.
GlyphOutline OnePointOutline(OutlinePoint start, OutlinePoint point) {
  return {u"x", 1, {{start.X, start.Y, 1, {{CURVE_POLYLINE, 1, {point}}}}}, 1};
}

struct PlacementCase {
  OutlinePoint model;
  float offsetX, offsetY, scale;
  bool flipY;
  OutlinePoint placed;
};

TEST(PlaceOutlineTest, MapsStartAndCurvePointsAlike) {
  const PlacementCase cases[] = {
      {{0.0f, 0.0f}, 20, 0, 160, true, {20, 160}},
      {{1.0f, 1.0f}, 20, 0, 160, true, {180, 0}},
      {{0.5f, 0.5f}, 20, 0, 160, true, {100, 80}},
      {{0.25f, -0.125f}, 20, 0, 160, true, {60, 180}},
      {{0.3f, -7.1f}, 0, 0, 1, false, {0.3f, -7.1f}},
      {{1.0f, 1.0f}, 3, 4, 2, false, {5, 6}},
      {{1.0f, 1.0f}, 3, 4, 2, true, {5, 4}},
  };
  for (const PlacementCase& c : cases) {
    GlyphOutline outline = OnePointOutline(c.model, c.model);
    PlaceOutline(outline, c.offsetX, c.offsetY, c.scale, c.flipY);
    const OutlineBlock& block = outline.Blocks[0];
    EXPECT_EQ(block.StartX, c.placed.X) << c.model.X << "," << c.model.Y;
    EXPECT_EQ(block.StartY, c.placed.Y) << c.model.X << "," << c.model.Y;
    EXPECT_EQ(block.Curves[0].Points[0].X, c.placed.X);
    EXPECT_EQ(block.Curves[0].Points[0].Y, c.placed.Y);
  }
}

TEST(PlaceOutlineTest, PlacingTwiceTransformsTwice) {
  GlyphOutline outline = OnePointOutline({0, 0}, {0, 0});
  PlaceOutline(outline, 20, 0, 160, true);
  PlaceOutline(outline, 20, 0, 160, true);
  EXPECT_EQ(outline.Blocks[0].StartX, 3220.0f);
  EXPECT_EQ(outline.Blocks[0].StartY, -25440.0f);
}

TEST(PlaceOutlineTest, XIsRoundedOnceAndYInSingleSteps) {
  // Inputs where the two precision rules give different floats.
  GlyphOutline outline = OnePointOutline({0.003f, 0.002f}, {0.003f, 0.002f});
  PlaceOutline(outline, 0.7f, 20.0f, 160.0f, true);
  const float roundedOnceX = static_cast<float>(0.003f * 160.0 + 0.7f);
  const float singleStepsY = (1.0f - 0.002f) * 160.0f + 20.0f;
  ASSERT_NE(roundedOnceX, 0.003f * 160.0f + 0.7f);
  ASSERT_NE(singleStepsY, static_cast<float>((1.0 - 0.002f) * 160.0 + 20.0f));
  EXPECT_EQ(outline.Blocks[0].StartX, roundedOnceX);
  EXPECT_EQ(outline.Blocks[0].StartY, singleStepsY);
  EXPECT_EQ(outline.Blocks[0].Curves[0].Points[0].X, roundedOnceX);
  EXPECT_EQ(outline.Blocks[0].Curves[0].Points[0].Y, singleStepsY);
}

TEST(PlaceOutlineTest, EmptyOrOverstatedOutlinesAreNeverReadPastAnArray) {
  GlyphOutline empty;
  PlaceOutline(empty, 20, 0, 160, true);
  EXPECT_EQ(empty.BlockCount, 0);

  GlyphOutline broken = OnePointOutline({1, 1}, {1, 1});
  broken.BlockCount = 4;
  broken.Blocks[0].CurveCount = 3;
  broken.Blocks[0].Curves[0].PointCount = 7;
  PlaceOutline(broken, 20, 0, 160, true);
  EXPECT_EQ(broken.Blocks[0].Curves[0].Points[0].X, 180.0f);
  EXPECT_EQ(broken.Blocks[0].Curves[0].PointCount, 7);
}

}  // namespace
}  // namespace moji
