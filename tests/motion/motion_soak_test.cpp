// A long run of the motion mode on the most complex glyph of IPAGothic: nothing grows, nothing
// leaks, nothing becomes non-finite.

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "geometry/block_rendering.h"
#include "geometry/outline_placement.h"
#include "model/glyph_outline_fetch.h"
#include "motion/motion_step.h"
#include "platform/gdi_objects.h"
#include "platform/random_source.h"
#include "platform/recording_surface.h"

namespace moji {
namespace {

// U+2603 (snowman) has the most points of all characters in IPAGothic's character map: 256
// points in 26 contours, counted once over every mapped glyph with fontTools
// (glyf[name].getCoordinates(glyf), composites resolved).
constexpr char16_t kMostComplexCharacter[] = u"\u2603";
constexpr std::size_t kMinimumPoints = 250;
constexpr int kSteps = 100'000;
constexpr int kDrawEvery = 20;

LOGFONTA IpaGothic32() {
  LOGFONTA font{};
  font.lfHeight = 32;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(font.lfFaceName, "IPAGothic");
  return font;
}

/// The capacity of every vector of the outline, in traversal order.
std::vector<std::size_t> Capacities(const GlyphOutline& outline) {
  std::vector<std::size_t> capacities{outline.Blocks.capacity()};
  for (const OutlineBlock& block : outline.Blocks) {
    capacities.push_back(block.Curves.capacity());
    for (const OutlineCurve& curve : block.Curves) capacities.push_back(curve.Points.capacity());
  }
  return capacities;
}

/// Start points and curve points together.
std::size_t PointCount(const GlyphOutline& outline) {
  std::size_t points = 0;
  for (const OutlineBlock& block : outline.Blocks) {
    points += 1;
    for (const OutlineCurve& curve : block.Curves) points += curve.Points.size();
  }
  return points;
}

bool AllFinite(const GlyphOutline& outline) {
  for (const OutlineBlock& block : outline.Blocks) {
    if (!std::isfinite(block.StartX) || !std::isfinite(block.StartY)) return false;
    for (const OutlineCurve& curve : block.Curves) {
      for (const OutlinePoint& point : curve.Points) {
        if (!std::isfinite(point.X) || !std::isfinite(point.Y)) return false;
      }
    }
  }
  return true;
}

void DrawEveryBlock(DeviceContext& dc, const GlyphOutline& outline) {
  for (std::int32_t block = 0; block < outline.BlockCount; ++block) {
    DrawOutlineBlocks(dc, outline, 0.0f, 0.0f, 1.0f, false, static_cast<COLORREF>(block), 3,
                      PS_SOLID, block);
  }
}

TEST(MotionSoak, HundredThousandStepsWithHeldButtonStayFiniteAndFlat) {
  const std::size_t liveAtStart = LiveHandleCount();
  DeviceContext dc;
  GlyphOutline outline = FetchGlyphOutline(dc, kMostComplexCharacter, IpaGothic32());
  ASSERT_GE(PointCount(outline), kMinimumPoints) << "IPAGothic changed: find the glyph again";
  PlaceOutline(outline, 20.0f, 0.0f, 160.0f, true);
  const std::vector<std::size_t> capacities = Capacities(outline);

  RecordingSurface recording;
  dc.Surface = &recording;
  DrawEveryBlock(dc, outline);
  const std::size_t callsPerFrame = recording.Calls().size();
  ASSERT_GT(callsPerFrame, 0u);

  ClockSeededRandom random;
  random.Seed(20240601);
  MouseState mouse{1, 100.0f, 80.0f};
  for (int step = 1; step <= kSteps; ++step) {
    ++mouse.ButtonDown;
    MoveOutline(outline, mouse, random);
    if (step % kDrawEvery != 0) continue;
    recording.Clear();
    DrawEveryBlock(dc, outline);
    ASSERT_EQ(recording.Calls().size(), callsPerFrame) << "step " << step;
    ASSERT_TRUE(AllFinite(outline)) << "step " << step;
    ASSERT_EQ(LiveHandleCount(), liveAtStart) << "step " << step;
  }

  EXPECT_TRUE(AllFinite(outline));
  EXPECT_EQ(Capacities(outline), capacities);
  EXPECT_EQ(LiveHandleCount(), liveAtStart);
  EXPECT_EQ(dc.CurrentPen, kStockPen);
}

}  // namespace
}  // namespace moji
