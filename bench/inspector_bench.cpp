// The large view 拡大表示 as the window draws it (the window's own view, painted into an image
// as into its backing store): one repaint of a view of 1600 x 1000 pixels at device pixel ratio
// 2 with every layer on (metrics, grid, handles, drawn cubics, points, numbers, starts), after
// a zoom step; and a motion tick with that view open (the tick of the drawing area, then the
// view drawn again with the moved points, over the underlay it keeps).
//
// Glyphs: U+3106C (𱁬), the glyph with the most points in Noto Sans CJK JP (509 points, cubic),
// and "龍" in the same face. The repaint is printed as a share of a 16.7 ms frame (goal: under
// 50 %), the ticks as shares of the 50 ms tick period (goals: 𱁬 under 10 %, 龍 under 3 %).
// A step of the 組み立て mode of 𱁬 in that view, through all its steps in turn, is a share of
// the frame (goal: under 50 %), and so is a step of the ピクセル mode's size sweep (goal: under
// 50 %). Beside the ticks, the least a tick with the view open can cost: the drawing area's tick
// and the moved blocks stroked in the view's image, nothing else (information). Runs on the font
// set "bench_cjk" (see cjk_motion_bench.cpp).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <optional>
#include <vector>

#include "bench_ratio.h"
#include "display/display_request.h"
#include "display/motion_frame.h"
#include "inspect/construction_lesson.h"
#include "inspect/font_unit_outline.h"
#include "inspect/pixel_scene.h"
#include "platform/hinted_glyph.h"
#include "motion_ticks.h"
#include "window/inspector_view.h"

namespace moji::bench {
namespace {

constexpr double kFrameSeconds = 1.0 / 60.0;
constexpr int kViewWidth = 1600;
constexpr int kViewHeight = 1000;
constexpr char kCjkSet[] = "tests/fonts/make_font_set.py cjk";
constexpr MovedGlyph kNotoDragon{u"龍", "Noto Sans CJK JP", kCjkSet};
constexpr MovedGlyph kMostPoints{u"\U0003106C", "Noto Sans CJK JP", kCjkSet};

/// Every layer and mark on, pen 2.
DrawingStyle EveryMark() { return {2, {true, true, true}, BlockPalette::Classic}; }

InspectorLayers EveryLayer() {
  InspectorLayers layers = AllMetricLayers({});
  layers.Grid = layers.Handles = layers.DrawnCubics = layers.Cursor = true;
  return layers;
}

/// The view at its size (the screen's ratio is 2, see main) showing the glyph, every layer on.
void Open(InspectorView& view, const FetchedGlyph& fetched) {
  view.resize(kViewWidth, kViewHeight);
  view.SetLayers(EveryLayer());
  view.ShowGlyph(fetched, EveryMark());
}

/// The image the view paints into, as the window's backing store at the view's ratio.
QImage ImageFor(const InspectorView& view) {
  const qreal ratio = view.devicePixelRatioF();
  QImage image(static_cast<int>(kViewWidth * ratio), static_cast<int>(kViewHeight * ratio),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  return image;
}

void BM_InspectorRepaint(benchmark::State& state, MovedGlyph glyph) {
  if (!FaceInstalled(state, glyph)) return;
  GraphicsServices services;
  DeviceContext dc{services};
  const FetchedGlyph fetched = *FetchForDisplay(dc, glyph.Character, glyph.Face);
  InspectorView view;
  Open(view, fetched);
  QImage image = ImageFor(view);
  bool in = true;
  for (auto _ : state) {
    // A zoom step about the view's centre, in and out in turn.
    view.ZoomBy(in ? 1.25 : 0.8);
    in = !in;
    view.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["points"] = static_cast<double>(PointCount(fetched.Outline));
  state.counters["ratio"] = view.devicePixelRatioF();
}

/// Motion ticks with the view open, in sessions from the freshly placed glyph as motion_ticks.h's:
/// the drawing area's tick, then `drawView(view, outline, image)` with the moved points.
template <typename DrawView>
void RunTicksWithView(benchmark::State& state, MovedGlyph glyph, DrawView drawView) {
  if (!FaceInstalled(state, glyph)) return;
  GraphicsServices services;
  RasterTarget target(services);
  const FetchedGlyph fetched = *FetchForDisplay(target.DrawingDc(), glyph.Character, glyph.Face);
  InspectorView view;
  Open(view, fetched);
  QImage image = ImageFor(view);
  view.render(&image);
  GlyphOutline outline = fetched.Placed;
  ClockSeededRandom random;
  random.Seed(1);
  MouseState mouse{0, 100.0f, 80.0f};
  int tick = 0;
  for (auto _ : state) {
    if (tick++ % kSessionTicks == 0) outline = fetched.Placed;
    RunMotionFrame(mouse, random, EveryMark(), outline, fetched.Sources(), target);
    drawView(view, outline, image);
    benchmark::DoNotOptimize(image.constBits());
  }
}

/// A motion tick with the view open: the view drawn with the moved points over its underlay.
void BM_TickWithInspector(benchmark::State& state, MovedGlyph glyph) {
  RunTicksWithView(state, glyph, [](InspectorView& view, const GlyphOutline& outline, QImage& image) {
    view.ShowMoved(outline, EveryMark());
    view.render(&image);
  });
}

/// The least a tick with the view open can cost, as information beside the ticks' goals: only
/// the moved blocks stroked in the view's image at the view's transform (no background,
/// metrics, grid, handles, marks or numbers).
void BM_TickStrokesOnly(benchmark::State& state, MovedGlyph glyph) {
  std::optional<InspectorScene> scene;
  RasterTextCache texts;
  MarkStamps stamps;
  RunTicksWithView(state, glyph, [&](InspectorView& view, const GlyphOutline& outline, QImage& image) {
    if (!scene) {
      scene = view.Scene();
      scene->Style.Overlays = {false, false, false};
      scene->Layers = {};
      scene->Layers.Cursor = false;
    }
    scene->Outline = PlacedOutlineInFontUnits(outline, view.CellUnits());
    QPainter painter(&image);
    RasterCanvas canvas(painter, kViewWidth, kViewHeight, texts, stamps);
    DrawInspectorGlyph(canvas, *scene, view.View(), kViewWidth, kViewHeight);
  });
}

/// A step of the 組み立て mode with that view open: the view drawn after one more step (over the
/// underlay it keeps), through every step of the glyph in turn.
void BM_ConstructionStep(benchmark::State& state, MovedGlyph glyph) {
  if (!FaceInstalled(state, glyph)) return;
  GraphicsServices services;
  DeviceContext dc{services};
  const FetchedGlyph fetched = *FetchForDisplay(dc, glyph.Character, glyph.Face);
  const ConstructionLesson lesson = LessonOfGlyph(fetched);
  InspectorView view;
  Open(view, fetched);
  QImage image = ImageFor(view);
  view.render(&image);
  std::size_t done = 0;
  for (auto _ : state) {
    done = done % lesson.Steps.size() + 1;
    view.SetConstruction(&lesson, {done, false});
    view.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["steps"] = static_cast<double>(lesson.Steps.size());
}

/// A step of the ピクセル mode's size sweep with that view open: the glyph loaded, hinted with the
/// font's hints and rendered at the next size from 8 to 48 ppem, its scene made and the view
/// drawn, fitted anew.
void BM_SizeSweepStep(benchmark::State& state, MovedGlyph glyph) {
  if (!FaceInstalled(state, glyph)) return;
  GraphicsServices services;
  DeviceContext dc{services};
  const FetchedGlyph fetched = *FetchForDisplay(dc, glyph.Character, glyph.Face);
  const FontFace* face = services.Fonts().Resolve(fetched.FaceName);
  InspectorView view;
  Open(view, fetched);
  QImage image = ImageFor(view);
  HintingRequest request;
  int ppem = 8;
  for (auto _ : state) {
    request.Ppem = ppem;
    ppem = ppem == 48 ? 8 : ppem + 1;
    const HintedGlyph hinted = LoadHintedGlyph(services.Fonts(), *face, *fetched.Glyph.CodePoint, request);
    view.SetPixels(PixelSceneOf(hinted, fetched, EveryMark(), PixelLayers{}));
    view.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}

BENCHMARK_CAPTURE(BM_InspectorRepaint, noto_most_points, kMostPoints)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_InspectorRepaint, noto_dragon, kNotoDragon)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TickWithInspector, noto_most_points, kMostPoints)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TickWithInspector, noto_dragon, kNotoDragon)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TickStrokesOnly, noto_most_points, kMostPoints)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TickStrokesOnly, noto_dragon, kNotoDragon)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConstructionStep, noto_most_points, kMostPoints)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SizeSweepStep, noto_most_points, kMostPoints)->Unit(benchmark::kMillisecond);

std::vector<PeriodShare> Shares() {
  return {{"inspector repaint U+3106C 1600x1000 at ratio 2, every layer",
           "BM_InspectorRepaint/noto_most_points", kFrameSeconds, 50.0},
          {"inspector repaint 龍 1600x1000 at ratio 2, every layer", "BM_InspectorRepaint/noto_dragon",
           kFrameSeconds, 0.0},
          {"tick with the inspector open U+3106C", "BM_TickWithInspector/noto_most_points",
           kTickPeriodSeconds, 10.0},
          {"tick with the inspector open 龍", "BM_TickWithInspector/noto_dragon", kTickPeriodSeconds,
           3.0},
          {"the least such a tick costs U+3106C: the drawing area's tick and the moved outline's strokes",
           "BM_TickStrokesOnly/noto_most_points", kTickPeriodSeconds, 0.0},
          {"the least such a tick costs 龍", "BM_TickStrokesOnly/noto_dragon", kTickPeriodSeconds, 0.0},
          {"construction step U+3106C 1600x1000 at ratio 2", "BM_ConstructionStep/noto_most_points",
           kFrameSeconds, 50.0},
          {"size sweep step U+3106C 1600x1000 at ratio 2", "BM_SizeSweepStep/noto_most_points",
           kFrameSeconds, 50.0}};
}

}  // namespace
}  // namespace moji::bench

int main(int argc, char** argv) {
  // The window's view on a screen of device pixel ratio 2.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication application(argc, argv);
  return moji::bench::RunWithRatios(argc, argv, {}, moji::bench::Shares());
}
