// Placing and drawing "龍": placement, block rendering onto the recording and the raster
// surface, beside Qt stroking the same quadratic contours directly.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstring>

#include "bench_glyphs.h"
#include "bench_ratio.h"
#include "geometry/block_rendering.h"
#include "geometry/outline_placement.h"
#include "display/glyph_outline_fetch.h"
#include "platform/raster_surface.h"
#include "platform/recording_surface.h"
#include "display/block_palette.h"

namespace moji {
namespace {

const GlyphOutline& ModelDragon() {
  static const GlyphOutline outline = bench::FaceOutline("IPAGothic", u"龍");
  return outline;
}

const GlyphOutline& PlacedDragon() {
  static const GlyphOutline outline = [] {
    GlyphOutline placed = ModelDragon();
    PlaceOutline(placed, 20, 0, 160, true);
    return placed;
  }();
  return outline;
}

/// Every block in its colour, one call per block, as the window draws.
void DrawAllBlocks(DeviceContext& hdc, const GlyphOutline& outline, std::int32_t penWidth) {
  for (std::int32_t k = 0; k < outline.BlockCount; ++k) {
    DrawOutlineBlocks(hdc, outline, 0, 0, 1, false, BlockColor(k), penWidth, PS_SOLID, k);
  }
}

void BM_PlaceOutline(benchmark::State& state) {
  GlyphOutline outline = ModelDragon();
  for (auto _ : state) {
    PlaceOutline(outline, 20, 0, 160, true);
    PlaceOutline(outline, -20.0f / 160.0f, 1, 1.0f / 160.0f, true);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlaceOutline);

void BM_DrawOnRecordingSurface(benchmark::State& state) {
  GraphicsServices services;
  RecordingSurface surface(services);
  DeviceContext hdc{services};
  hdc.Surface = &surface;
  for (auto _ : state) {
    surface.Clear();
    DrawAllBlocks(hdc, PlacedDragon(), 2);
  }
}
BENCHMARK(BM_DrawOnRecordingSurface);

void BM_DrawOnRasterSurface(benchmark::State& state) {
  RasterSurface surface(200, 200);
  GraphicsServices services;
  DeviceContext hdc{services};
  hdc.Surface = &surface;
  const auto penWidth = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) {
    surface.Clear();
    DrawAllBlocks(hdc, PlacedDragon(), penWidth);
    benchmark::DoNotOptimize(surface.Image().constBits());
  }
}
BENCHMARK(BM_DrawOnRasterSurface)->Arg(1)->Arg(3);

// Baseline: Qt stroking the same contours as quadratic paths, one painter and path per block.
void BM_BaselineQtQuadraticPaths(benchmark::State& state) {
  QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
  const GlyphOutline& outline = PlacedDragon();
  const int penWidth = static_cast<int>(state.range(0));
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t k = 0; k < outline.Blocks.size(); ++k) {
      const OutlineBlock& block = outline.Blocks[k];
      QPainterPath path(QPointF(block.StartX, block.StartY));
      for (const OutlineCurve& curve : block.Curves) {
        const auto& q = curve.Points;
        if (curve.CurveType == CURVE_POLYLINE) {
          for (const OutlinePoint& p : q) path.lineTo(p.X, p.Y);
          continue;
        }
        for (std::size_t i = 0; i + 1 < q.size(); ++i) {
          const QPointF end = i + 2 == q.size()
                                  ? QPointF(q[i + 1].X, q[i + 1].Y)
                                  : QPointF((q[i].X + q[i + 1].X) / 2, (q[i].Y + q[i + 1].Y) / 2);
          path.quadTo(QPointF(q[i].X, q[i].Y), end);
        }
      }
      path.closeSubpath();
      const COLORREF c = BlockColor(k);
      painter.setPen(QPen(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF),
                          penWidth > 1 ? penWidth : 0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      painter.drawPath(path);
    }
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_BaselineQtQuadraticPaths)->Arg(1)->Arg(3);

}  // namespace
}  // namespace moji

int main(int argc, char** argv) {
  return moji::bench::RunWithRatios(
      argc, argv,
      {{"raster_blocks/qt_quadratic_paths pen 1", "BM_DrawOnRasterSurface/1",
        "BM_BaselineQtQuadraticPaths/1"},
       {"raster_blocks/qt_quadratic_paths pen 3", "BM_DrawOnRasterSurface/3",
        "BM_BaselineQtQuadraticPaths/3"}});
}
