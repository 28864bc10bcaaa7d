#include "report/outline_report.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace moji {
namespace {

TEST(OutlineReportTest, OneBlockOutlineReadsLineForLine) {
  GlyphOutline outline{u"A", 1, {{0.125f, 0.5f, 2, {}}}, 2};
  outline.Blocks[0].Curves = {{CURVE_POLYLINE, 1, {{0.5f, 0.5f}}},
                              {CURVE_QSPLINE, 2, {{0.5f, 0.0f}, {0.125f, 0.5f}}}};
  EXPECT_EQ(OutlineReportText(outline),
            u"文字：A\r\nブロック数：1\r\nカーブ最大点数：2\r\n"
            u"+++++++++++++++++++++++++++++++++++++\r\nブロック [ 0 ] 始点－ ( 0.125 , 0.500)\r\n"
            u"カーブ数：2\r\n-------------------------------------\r\n"
            u"  カーブ [ 0 ] タイプ：折れ線\r\n    点[ 0 ] ( 0.500 , 0.500 )\r\n\r\n"
            u"  カーブ [ 1 ] タイプ：Bスプライン\r\n"
            u"    点[ 0 ] ( 0.500 , 0.000 )\r\n    点[ 1 ] ( 0.125 , 0.500 )\r\n\r\n");
}

// The empty outline; a block without curves; type 3 is a spline; counts beyond their arrays
// (blocks, curves, points) are not followed.
TEST(OutlineReportTest, EmptyOutlineBlockWithoutCurvesAndOtherCurveTypes) {
  EXPECT_EQ(OutlineReportText(GlyphOutline{}), u"文字：\r\nブロック数：0\r\nカーブ最大点数：0\r\n");
  const GlyphOutline overstated{u"龍", 3, {{0, 1, 0, {}}, {0, 0, 5, {{3, 9, {{1, 2}}}}}}, 1};
  EXPECT_EQ(OutlineReportText(overstated),
            u"文字：龍\r\nブロック数：3\r\nカーブ最大点数：1\r\n"
            u"+++++++++++++++++++++++++++++++++++++\r\nブロック [ 0 ] 始点－ ( 0.000 , 1.000)\r\n"
            u"カーブ数：0\r\n-------------------------------------\r\n"
            u"+++++++++++++++++++++++++++++++++++++\r\nブロック [ 1 ] 始点－ ( 0.000 , 0.000)\r\n"
            u"カーブ数：5\r\n-------------------------------------\r\n"
            u"  カーブ [ 0 ] タイプ：Bスプライン\r\n    点[ 0 ] ( 1.000 , 2.000 )\r\n\r\n");
}

TEST(FormatCoordinateTest, RoundsHalfAwayFromZeroWithoutNegativeZero) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const std::pair<float, std::u16string> cases[] = {
      {0.5f, u"0.500"},       {1.0f, u"1.000"},     {12.3456f, u"12.346"}, {0.0625f, u"0.063"},
      {-0.09375f, u"-0.094"}, {-0.0004f, u"0.000"}, {-0.0f, u"0.000"},     {kNaN, u"NaN"},
      {kInf, u"Infinity"},    {-kInf, u"-Infinity"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatCoordinate(value), text) << value;
  EXPECT_EQ(FormatCoordinate(std::numeric_limits<float>::max()),
            u"340282346638528859811704183484516925440.000");
}

}  // namespace
}  // namespace moji
