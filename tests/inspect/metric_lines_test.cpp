#include "inspect/metric_lines.h"

#include <gtest/gtest.h>

#include <limits>

namespace moji {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr auto H = LineDirection::Horizontal;
constexpr auto V = LineDirection::Vertical;
using L = MetricLayer;

TEST(MetricLinesTest, LinesAndBoxesOfFacesWithAndWithoutEachMetric) {
  struct Case {
    FontMetrics Metrics;
    std::vector<MetricLine> Lines;
    std::vector<MetricBox> Boxes;
  };
  const MetricLine baseline{L::BaselineAndEmBox, H, 0, "ベースライン"};
  const Case cases[] = {
      // A Japanese face with every metric.
      {{1000, VerticalSpan{-288, 1160}, VerticalSpan{-288, 1160}, VerticalSpan{-120, 880}, 733,
        543, VerticalSpan{-125, 875}, 1000, 45, UnitBox{45, -70, 955, 830}},
       {baseline, {L::DesignCell, H, 1160, "デザインセル"}, {L::DesignCell, H, -288, "デザインセル"},
        {L::AscenderAndDescender, H, 1160, "アセンダー (hhea)"},
        {L::AscenderAndDescender, H, -288, "ディセンダー (hhea)"},
        {L::AscenderAndDescender, H, 880, "アセンダー (OS/2 typo)"},
        {L::AscenderAndDescender, H, -120, "ディセンダー (OS/2 typo)"},
        {L::CapAndXHeight, H, 733, "キャップハイト"}, {L::CapAndXHeight, H, 543, "エックスハイト"},
        {L::AdvanceAndBearings, V, 1000, "送り幅"},
        {L::AdvanceAndBearings, V, 45, "左サイドベアリング"},
        {L::AdvanceAndBearings, V, 955, "右サイドベアリング"}},
       {{L::BaselineAndEmBox, {0, -120, 1000, 880}, "em ボックス"},
        {L::IdeographicEmBox, {0, -125, 1000, 875}, "仮想ボディ"},
        {L::BoundingBox, {45, -70, 955, 830}, "バウンディングボックス"}}},
      // No OS/2 typo metrics, cap height or side bearing: the em box stands on the hhea
      // descender, the ideographic em box is the em box, no right side bearing.
      {{.UnitsPerEm = 2048, .Hhea = VerticalSpan{-512, 1536}, .XHeight = 1100,
        .AdvanceWidth = 1200, .GlyphBox = UnitBox{100, 0, 1100, 1400}},
       {baseline, {L::AscenderAndDescender, H, 1536, "アセンダー (hhea)"},
        {L::AscenderAndDescender, H, -512, "ディセンダー (hhea)"},
        {L::CapAndXHeight, H, 1100, "エックスハイト"}, {L::AdvanceAndBearings, V, 1200, "送り幅"}},
       {{L::BaselineAndEmBox, {0, -512, 2048, 1536}, "em ボックス"},
        {L::IdeographicEmBox, {0, -512, 2048, 1536}, "仮想ボディ"},
        {L::BoundingBox, {100, 0, 1100, 1400}, "バウンディングボックス"}}},
      // The typo ascender equals hhea's: one line; the typo descender differs: its own line.
      {{.UnitsPerEm = 1000, .Hhea = VerticalSpan{-200, 800}, .Typo = VerticalSpan{-250, 800}},
       {baseline, {L::AscenderAndDescender, H, 800, "アセンダー (hhea)"},
        {L::AscenderAndDescender, H, -200, "ディセンダー (hhea)"},
        {L::AscenderAndDescender, H, -250, "ディセンダー (OS/2 typo)"}},
       {{L::BaselineAndEmBox, {0, -250, 1000, 750}, "em ボックス"},
        {L::IdeographicEmBox, {0, -250, 1000, 750}, "仮想ボディ"}}},
      // The design cell alone places the em box; a BASE box upside down is not used.
      {{.UnitsPerEm = 1000, .DesignCell = VerticalSpan{-300, 1100},
        .IdeographicEmBox = VerticalSpan{880, -120}},
       {baseline, {L::DesignCell, H, 1100, "デザインセル"}, {L::DesignCell, H, -300, "デザインセル"}},
       {{L::BaselineAndEmBox, {0, -300, 1000, 700}, "em ボックス"},
        {L::IdeographicEmBox, {0, -300, 1000, 700}, "仮想ボディ"}}},
      // Values that are not numbers give nothing; BASE without an em is square by its height.
      {{kNaN, VerticalSpan{kNaN, 1}, VerticalSpan{0, kNaN}, VerticalSpan{kNaN, 0}, kNaN, kNaN,
        VerticalSpan{-100, 900}, kNaN, kNaN, UnitBox{kNaN, 0, 1, 1}},
       {baseline},
       {{L::IdeographicEmBox, {0, -100, 1000, 900}, "仮想ボディ"}}},
      // A glyph as vertical text sets it: its vertical origin each way, the end of its advance
      // down the column, the top of its ink; an origin that is no number gives none of them.
      {{.UnitsPerEm = 1000,
        .Vertical = VerticalMetrics{.Advance = 1000, .TopSideBearing = 100, .OriginX = 500, .OriginY = 880}},
       {baseline, {L::VerticalMetrics, H, 880, "縦書きの原点"}, {L::VerticalMetrics, V, 500, "縦書きの原点"},
        {L::VerticalMetrics, H, -120, "縦の送り"}, {L::VerticalMetrics, H, 780, "上サイドベアリング"}},
       {{L::BaselineAndEmBox, {0, 0, 1000, 1000}, "em ボックス"},
        {L::IdeographicEmBox, {0, 0, 1000, 1000}, "仮想ボディ"}}},
      {{.Vertical = VerticalMetrics{.Advance = 1000, .TopSideBearing = 100, .OriginX = kNaN, .OriginY = kNaN}},
       {baseline},
       {}},
  };
  for (const Case& c : cases) {
    const MetricDrawing drawing = MetricLinesOf(c.Metrics);
    EXPECT_EQ(drawing.Lines, c.Lines);
    EXPECT_EQ(drawing.Boxes, c.Boxes);
  }
  EXPECT_EQ(MetricLinesOf({}), (MetricDrawing{{baseline}, {}}));
}

}  // namespace
}  // namespace moji
