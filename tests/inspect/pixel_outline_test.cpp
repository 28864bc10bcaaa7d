// A scaled outline as outline records in pixels: runs as the report lists them, the implied
// points between quadratic controls, the font's numbers, and contours that make no outline.
#include "inspect/pixel_outline.h"

#include <gtest/gtest.h>

#include <vector>

#include "report/outline_report.h"

namespace moji {
namespace {

constexpr PointKind kOn = PointKind::OnCurve;
constexpr PointKind kQuad = PointKind::QuadraticControl;
constexpr PointKind kCubic = PointKind::CubicControl;

// A quadratic contour that starts off the curve, in 26.6: its last point starts the block; and a
// cubic contour. Numbers as a load gives them (the closing point of the cubic repeats point 4).
TEST(PixelOutline, RunsInPixelsWithTheFontsNumbers) {
  const ScaledOutline outline{
      {{32, 0}, {64, 64}, {96, 0}, {160, 32}, {0, 0}, {64, 0}, {64, 64}, {0, 64}, {-1, -1}},
      {kQuad, kOn, kQuad, kQuad, kOn, kCubic, kCubic, kOn, kOn},
      {3, 8},
      {0, 1, 2, 3, 4, 5, 6, 7, 4}};
  std::vector<PointSource> sources;
  const GlyphOutline pixels = PixelOutlineOf(outline, u"A", &sources);
  ASSERT_EQ(pixels.BlockCount, 2);
  EXPECT_EQ(pixels.Character, u"A");
  // The first block starts at the midpoint of its last and first controls.
  const OutlineBlock& quadratic = pixels.Blocks[0];
  EXPECT_EQ((std::vector{quadratic.StartX, quadratic.StartY}), (std::vector{1.5f, 0.25f}));
  EXPECT_EQ(quadratic.Curves[0].CurveType, CURVE_QSPLINE);
  EXPECT_EQ(quadratic.Curves[0].Points, (std::vector<OutlinePoint>{{0.5f, 0}, {1, 1}}));
  EXPECT_EQ(quadratic.Curves[1].Points,
            (std::vector<OutlinePoint>{{1.5f, 0}, {2.5f, 0.5f}, {1.5f, 0.25f}}));
  const OutlineBlock& cubic = pixels.Blocks[1];
  EXPECT_EQ(cubic.Curves[0].CurveType, CURVE_CSPLINE);
  EXPECT_EQ(cubic.Curves[1].Points, (std::vector<OutlinePoint>{{-0.015625f, -0.015625f}}));
  std::vector<std::int32_t> numbers;
  for (const PointSource& source : sources) numbers.push_back(source.Number);
  EXPECT_EQ(numbers, (std::vector<std::int32_t>{-1, 0, 1, 2, 3, -1, 4, 5, 6, 7, 4}));
  EXPECT_EQ((std::vector{sources[4].X, sources[4].Y}), (std::vector{2.5, 0.5}));
  // The report prints the same pixels.
  EXPECT_NE(OutlineReportText(pixels).find(u"始点－ ( 1.500 , 0.250)"), std::u16string::npos);
}

TEST(PixelOutline, ContoursThatMakeNoOutline) {
  const ScaledOutline cubicAlone{{{0, 0}, {64, 0}, {64, 64}}, {kOn, kCubic, kOn}, {2}, {0, 1, 2}};
  const ScaledOutline kindsMissing{{{0, 0}, {64, 0}}, {kOn}, {1}, {}};
  const ScaledOutline endPastThePoints{{{0, 0}}, {kOn}, {4}, {0}};
  for (const ScaledOutline& outline : {cubicAlone, kindsMissing, endPastThePoints}) {
    std::vector<PointSource> sources;
    EXPECT_EQ(PixelOutlineOf(outline, u"A", &sources), GlyphOutline{});
    EXPECT_TRUE(sources.empty());
  }
  EXPECT_EQ(PixelOutlineOf({}, u"A"), GlyphOutline{});
}

}  // namespace
}  // namespace moji
