// One tick of the motion mode, as the timer runs it: move every point with a held button, clear
// the 200 x 200 raster, draw the pulse circle and every block in its palette colour. Each run
// reports its share of the 50 ms tick period; the point rule alone is measured beside it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstring>

#include "geometry/outline_placement.h"
#include "model/glyph_outline_fetch.h"
#include "motion/motion_step.h"
#include "platform/raster_surface.h"
#include "platform/random_source.h"
#include "window/block_palette.h"

namespace moji {
namespace {

constexpr double kTickPeriodSeconds = 0.050;
// U+2603 has the most points in IPAGothic (256 in 26 contours, counted with fontTools).
constexpr char16_t kDragon[] = u"龍";
constexpr char16_t kMostComplex[] = u"\u2603";

GlyphOutline PlacedGlyph(const char16_t* character) {
  LOGFONTA font{};
  font.lfHeight = 32;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(font.lfFaceName, "IPAGothic");
  DeviceContext hdc;
  GlyphOutline outline = FetchGlyphOutline(hdc, character, font);
  PlaceOutline(outline, 20.0f, 0.0f, 160.0f, true);
  return outline;
}

std::int64_t PointCount(const GlyphOutline& outline) {
  std::int64_t points = 0;
  for (const OutlineBlock& block : outline.Blocks) {
    points += 1;
    for (const OutlineCurve& curve : block.Curves) points += curve.PointCount;
  }
  return points;
}

/// Mean wall time per iteration since `start`, as a percentage of the tick period.
double TickPercent(const benchmark::State& state, std::chrono::steady_clock::time_point start) {
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  const auto iterations = static_cast<double>(state.iterations());
  return iterations > 0 ? 100.0 * elapsed.count() / iterations / kTickPeriodSeconds : 0.0;
}

void BM_MotionTick(benchmark::State& state, const char16_t* character) {
  GlyphOutline outline = PlacedGlyph(character);
  RasterSurface raster(200, 200);
  DeviceContext hdc;
  hdc.Surface = &raster;
  ClockSeededRandom random;
  random.Seed(1);
  MouseState mouse{1, 100.0f, 80.0f};
  const auto penWidth = static_cast<std::int32_t>(state.range(0));
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    mouse.ButtonDown = mouse.ButtonDown % 1000 + 1;
    MoveOutline(outline, mouse, random);
    raster.Clear();
    raster.DrawCircle(mouse.MouseX, mouse.MouseY, PulseRadius(mouse.ButtonDown), 0, 1);
    DrawBlocksInPaletteColors(hdc, outline, penWidth);
    benchmark::DoNotOptimize(raster.Image().constBits());
  }
  state.counters["points"] = static_cast<double>(PointCount(outline));
  state.counters["tick_percent"] = TickPercent(state, start);
}
BENCHMARK_CAPTURE(BM_MotionTick, dragon, kDragon)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MotionTick, most_complex, kMostComplex)
    ->Arg(1)
    ->Arg(5)
    ->Unit(benchmark::kMicrosecond);

// The point rule alone, without drawing: what the motion itself adds to a tick.
void BM_MoveOutlineOnly(benchmark::State& state, const char16_t* character) {
  GlyphOutline outline = PlacedGlyph(character);
  ClockSeededRandom random;
  random.Seed(1);
  const MouseState mouse{1, 100.0f, 80.0f};
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    MoveOutline(outline, mouse, random);
    benchmark::ClobberMemory();
  }
  state.counters["points"] = static_cast<double>(PointCount(outline));
  state.counters["tick_percent"] = TickPercent(state, start);
}
BENCHMARK_CAPTURE(BM_MoveOutlineOnly, dragon, kDragon)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MoveOutlineOnly, most_complex, kMostComplex)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moji

BENCHMARK_MAIN();
