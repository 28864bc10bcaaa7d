// A whole display request for "龍" as the window runs it (fetch, report text, placement, clear,
// every block in its palette colour with pen 2 on the 200 x 200 raster surface), without the
// event loop, beside Qt stroking the same lines and cubics as one path into a 200 x 200 image.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <string>
#include <utility>

#include "bench_ratio.h"
#include "raster_target.h"
#include "platform/raster_surface.h"
#include "platform/recording_surface.h"
#include "display/block_palette.h"
#include "display/display_request.h"

namespace moji {
namespace {

constexpr char kFace[] = "IPAGothic";
constexpr std::int32_t kPenWidth = 2;

void BM_DisplayRequest(benchmark::State& state) {
  GraphicsServices services;
  bench::RasterTarget target(services);
  std::int32_t blocks = 0;
  for (auto _ : state) {
    blocks = RunDisplayRequest(u"龍", kFace, DrawingStyle{kPenWidth, {}, {}}, target)->Outline.BlockCount;
  }
  state.counters["blocks"] = blocks;
}
BENCHMARK(BM_DisplayRequest)->Unit(benchmark::kMicrosecond);

/// The device points of every line and cubic the request draws for "龍", as one path: the
/// calls are recorded and joined where one starts at the end of the one before.
QPainterPath DragonPath() {
  GraphicsServices services;
  RecordingSurface recording(services);
  class RecordingTarget final : public DisplayTarget {
   public:
    RecordingTarget(GraphicsServices& services, RecordingSurface& surface) : dc_{services} {
      dc_.Surface = &surface;
    }
    DeviceContext& DrawingDc() override { return dc_; }
    void ClearDrawing() override {}
    void RefreshDrawing() override {}
    void DrawPulseCircle(float, float, float) override {}
    void DrawMarks(const OutlineMarks&) override {}

   private:
    DeviceContext dc_;
  } target(services, recording);
  RunDisplayRequest(u"龍", kFace, DrawingStyle{kPenWidth, {}, {}}, target);

  QPainterPath path;
  for (const SurfaceCall& call : recording.Calls()) {
    const bool drawn =
        call.Kind == SurfaceCallKind::Polyline || call.Kind == SurfaceCallKind::PolyBezier;
    if (!drawn) continue;
    const auto& p = call.Points;
    const QPointF first(p[0].x, p[0].y);
    if (path.elementCount() == 0 || path.currentPosition() != first) path.moveTo(first);
    if (call.Kind == SurfaceCallKind::PolyBezier) {
      path.cubicTo(QPointF(p[1].x, p[1].y), QPointF(p[2].x, p[2].y), QPointF(p[3].x, p[3].y));
    } else {
      for (std::size_t k = 1; k < p.size(); ++k) path.lineTo(p[k].x, p[k].y);
    }
  }
  return path;
}

// Baseline: one antialiased stroke of the whole outline with a pen 2 wide: clear and stroke
// only, the path is built once.
void BM_BaselineOnePathStroke(benchmark::State& state) {
  const QPainterPath path = DragonPath();
  QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
  const QPen pen(QColor(0, 0, 0), kPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen);
    painter.drawPath(path);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["elements"] = path.elementCount();
}
BENCHMARK(BM_BaselineOnePathStroke)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moji

int main(int argc, char** argv) {
  return moji::bench::RunWithRatios(
      argc, argv,
      {{"display_request/one_path_stroke", "BM_DisplayRequest", "BM_BaselineOnePathStroke", 1.5}});
}
