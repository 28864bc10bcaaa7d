#include "report/outline_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace moji {
namespace {

OutlineCurve Curve(std::int32_t type, std::vector<OutlinePoint> points) {
  return {type, static_cast<std::int32_t>(points.size()), std::move(points)};
}

OutlineBlock Block(float x, float y, std::vector<OutlineCurve> curves) {
  return {x, y, static_cast<std::int32_t>(curves.size()), std::move(curves)};
}

TEST(OutlineReportTest, OneBlockOutlineReadsLineForLine) {
  GlyphOutline outline{u"A",
                       1,
                       {Block(0.125f, 0.5f,
                              {Curve(CURVE_POLYLINE, {{0.5f, 0.5f}}),
                               Curve(CURVE_QSPLINE, {{0.5f, 0.0f}, {0.125f, 0.5f}})})},
                       2};
  EXPECT_EQ(OutlineReportText(outline),
            u"文字：A\r\n"
            u"ブロック数：1\r\n"
            u"カーブ最大点数：2\r\n"
            u"+++++++++++++++++++++++++++++++++++++\r\n"
            u"ブロック [ 0 ] 始点－ ( 0.125 , 0.500)\r\n"
            u"カーブ数：2\r\n"
            u"-------------------------------------\r\n"
            u"  カーブ [ 0 ] タイプ：折れ線\r\n"
            u"    点[ 0 ] ( 0.500 , 0.500 )\r\n"
            u"\r\n"
            u"  カーブ [ 1 ] タイプ：Bスプライン\r\n"
            u"    点[ 0 ] ( 0.500 , 0.000 )\r\n"
            u"    点[ 1 ] ( 0.125 , 0.500 )\r\n"
            u"\r\n");
}

TEST(OutlineReportTest, EmptyOutlineAndBlockWithoutCurves) {
  EXPECT_EQ(OutlineReportText(GlyphOutline{}), u"文字：\r\nブロック数：0\r\nカーブ最大点数：0\r\n");

  GlyphOutline outline{u"龍", 2, {Block(-0.09375f, 1.0f, {}), Block(0.0f, -0.0004f, {})}, 0};
  EXPECT_EQ(OutlineReportText(outline),
            u"文字：龍\r\nブロック数：2\r\nカーブ最大点数：0\r\n"
            u"+++++++++++++++++++++++++++++++++++++\r\n"
            u"ブロック [ 0 ] 始点－ ( -0.094 , 1.000)\r\n"
            u"カーブ数：0\r\n"
            u"-------------------------------------\r\n"
            u"+++++++++++++++++++++++++++++++++++++\r\n"
            u"ブロック [ 1 ] 始点－ ( 0.000 , 0.000)\r\n"
            u"カーブ数：0\r\n"
            u"-------------------------------------\r\n");
}

TEST(OutlineReportTest, EveryTypeButPolylineIsCalledSpline) {
  for (std::int32_t type : {0, 2, 3, -1}) {
    const GlyphOutline outline{u"x", 1, {Block(0, 0, {Curve(type, {{1.0f, 2.0f}})})}, 1};
    EXPECT_NE(OutlineReportText(outline).find(
                  u"  カーブ [ 0 ] タイプ：Bスプライン\r\n    点[ 0 ] ( 1.000 , 2.000 )\r\n\r\n"),
              std::u16string::npos)
        << "type " << type;
  }
}

TEST(OutlineReportTest, CountsThatOverstateTheirArraysAreNotReadPastTheEnd) {
  GlyphOutline outline{u"x", 3, {Block(0, 0, {Curve(CURVE_POLYLINE, {{1.0f, 1.0f}})})}, 1};
  outline.Blocks[0].CurveCount = 5;
  outline.Blocks[0].Curves[0].PointCount = 9;
  EXPECT_TRUE(OutlineReportText(outline).ends_with(
      u"カーブ数：5\r\n-------------------------------------\r\n"
      u"  カーブ [ 0 ] タイプ：折れ線\r\n    点[ 0 ] ( 1.000 , 1.000 )\r\n\r\n"));
}

TEST(FormatCoordinateTest, RoundsTheExactValueHalfAwayFromZero) {
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  const struct {
    float value;
    const char16_t* text;
  } cases[] = {
      {0.5f, u"0.500"},
      {1.0f, u"1.000"},
      {-0.03125f, u"-0.031"},
      {-1.2345f, u"-1.235"},
      // Exact halves go away from zero.
      {0.0625f, u"0.063"},
      {2.0625f, u"2.063"},
      {-0.09375f, u"-0.094"},
      // Decimal halves that are not exact floats round by the float's exact value.
      {0.0005f, u"0.001"},
      {0.0025f, u"0.002"},
      {0.0045f, u"0.004"},
      {-0.0005f, u"-0.001"},
      // No negative zero.
      {-0.0004f, u"0.000"},
      {-0.0f, u"0.000"},
      {std::numeric_limits<float>::denorm_min(), u"0.000"},
      // Large values keep all their digits.
      {8388607.5f, u"8388607.500"},
      {1e10f, u"10000000000.000"},
      {std::numeric_limits<float>::max(), u"340282346638528859811704183484516925440.000"},
      {std::numeric_limits<float>::quiet_NaN(), u"NaN"},
      {kInfinity, u"Infinity"},
      {-kInfinity, u"-Infinity"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatCoordinate(c.value), c.text) << "value " << c.value;
  }
}

}  // namespace
}  // namespace moji
