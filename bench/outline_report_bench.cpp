// The outline report of "龍": our one-buffer listing beside the same text built with QString.
#include <benchmark/benchmark.h>

#include <QString>
#include <cstring>

#include "bench_glyphs.h"
#include "bench_ratio.h"
#include "report/outline_report.h"

namespace moji {
namespace {

const GlyphOutline& Dragon() {
  static const GlyphOutline outline = bench::FaceOutline("IPAGothic", u"龍");
  return outline;
}

void BM_OutlineReportText(benchmark::State& state) {
  const GlyphOutline& outline = Dragon();
  for (auto _ : state) benchmark::DoNotOptimize(OutlineReportText(outline));
}
BENCHMARK(BM_OutlineReportText);

void BM_FormatCoordinate(benchmark::State& state) {
  float value = -1.0f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatCoordinate(value));
    value += 0.001953125f;
    if (value > 1.0f) value = -1.0f;
  }
}
BENCHMARK(BM_FormatCoordinate);

// Baseline: the listing as a Qt program would usually build it, with QString::arg and
// QString::number (which rounds halves differently; only the speed is compared).
void BM_BaselineQStringReport(benchmark::State& state) {
  const GlyphOutline& outline = Dragon();
  for (auto _ : state) {
    QString text = QStringLiteral("文字：%1\r\nブロック数：%2\r\nカーブ最大点数：%3\r\n")
                       .arg(QString::fromStdU16String(outline.Character))
                       .arg(outline.BlockCount)
                       .arg(outline.MaxCurvePoints);
    for (std::size_t b = 0; b < outline.Blocks.size(); ++b) {
      const OutlineBlock& block = outline.Blocks[b];
      text += QStringLiteral(
                  "+++++++++++++++++++++++++++++++++++++\r\nブロック [ %1 ] 始点－ ( %2 , %3)\r\n"
                  "カーブ数：%4\r\n-------------------------------------\r\n")
                  .arg(b)
                  .arg(QString::number(block.StartX, 'f', 3), QString::number(block.StartY, 'f', 3))
                  .arg(block.CurveCount);
      for (std::size_t c = 0; c < block.Curves.size(); ++c) {
        const OutlineCurve& curve = block.Curves[c];
        text += QStringLiteral("  カーブ [ %1 ] タイプ：%2\r\n")
                    .arg(c)
                    .arg(curve.CurveType == CURVE_POLYLINE ? QStringLiteral("折れ線")
                                                           : QStringLiteral("Bスプライン"));
        for (std::size_t p = 0; p < curve.Points.size(); ++p) {
          text += QStringLiteral("    点[ %1 ] ( %2 , %3 )\r\n")
                      .arg(p)
                      .arg(QString::number(curve.Points[p].X, 'f', 3),
                           QString::number(curve.Points[p].Y, 'f', 3));
        }
        text += QStringLiteral("\r\n");
      }
    }
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_BaselineQStringReport);

}  // namespace
}  // namespace moji

int main(int argc, char** argv) {
  return moji::bench::RunWithRatios(
      argc, argv, {{"report/qstring_report", "BM_OutlineReportText", "BM_BaselineQStringReport"}});
}
