// The glyph table グリフ一覧 on Noto Sans CJK JP (65,535 glyphs): opening it (a fresh font
// engine, the dock built, the face listed, the first screenful of cells drawn into an image as
// into the window's backing store), and a screenful of cells not drawn before (the list paged
// down one screen a step, so every cell is read and drawn from the font), at device pixel
// ratio 1. Opening is printed as a share of 300 ms (goal: under 100 %), the screenful as a share
// of a 16.7 ms frame (goal: under 50 %). Runs on the font set "bench_cjk".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QListView>
#include <QScrollBar>

#include "bench_ratio.h"
#include "motion_ticks.h"
#include "window/glyph_table_dock.h"
#include "window/glyph_table_model.h"

namespace moji::bench {
namespace {

constexpr double kFrameSeconds = 1.0 / 60.0;
constexpr double kOpenSeconds = 0.3;
constexpr int kTableWidth = 900;
constexpr int kTableHeight = 700;
constexpr MovedGlyph kNoto{u"龍", "Noto Sans CJK JP", "tests/fonts/make_font_set.py cjk"};

const FontFace* NotoFace(FontEngine& engine) { return engine.Resolve(kNoto.Face); }

/// The table at its size listing Noto Sans CJK JP, shown and laid out.
void Open(GlyphTableDock& table, FontEngine& engine) {
  table.resize(kTableWidth, kTableHeight);
  table.Follow(NotoFace(engine), 0);
  table.show();
  QCoreApplication::processEvents();
}

/// The table's cells drawn as the window draws them.
void Paint(GlyphTableDock& table, QImage& image) {
  table.Cells()->viewport()->render(&image);
  benchmark::DoNotOptimize(image.constBits());
}

void BM_GlyphTableOpen(benchmark::State& state) {
  if (!FaceInstalled(state, kNoto)) return;
  QImage image(kTableWidth, kTableHeight, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    FontEngine engine;
    GlyphTableDock table(engine);
    Open(table, engine);
    Paint(table, image);
    state.counters["glyphs"] = table.Model()->rowCount();
  }
}

void BM_GlyphTableScreenful(benchmark::State& state) {
  if (!FaceInstalled(state, kNoto)) return;
  FontEngine engine;
  GlyphTableDock table(engine);
  Open(table, engine);
  QImage image(table.Cells()->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  QScrollBar* bar = table.Cells()->verticalScrollBar();
  for (auto _ : state) {
    bar->setValue(bar->value() + bar->pageStep() >= bar->maximum() ? 0 : bar->value() + bar->pageStep());
    Paint(table, image);
  }
  const int columns = table.Cells()->viewport()->width() / GlyphCellDelegate::kCellWidth;
  const int rows = table.Cells()->viewport()->height() / GlyphCellDelegate::kCellHeight + 1;
  state.counters["cells"] = columns * rows;
}

BENCHMARK(BM_GlyphTableOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlyphTableScreenful)->Unit(benchmark::kMillisecond);

std::vector<PeriodShare> Shares() {
  return {{"glyph table opened on Noto Sans CJK JP, of 300 ms", "BM_GlyphTableOpen", kOpenSeconds, 100.0},
          {"glyph table screenful of cells drawn anew, of the frame", "BM_GlyphTableScreenful",
           kFrameSeconds, 50.0}};
}

}  // namespace
}  // namespace moji::bench

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return moji::bench::RunWithRatios(argc, argv, {}, moji::bench::Shares());
}
