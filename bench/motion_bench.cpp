// One tick of the motion mode, as the timer runs it: move every point, clear the 200 x 200
// raster, draw the pulse circle while a button is held and every block in its palette colour.
// The median tick of "龍" and of IPAGothic's most complex glyph is printed as a share of the
// 50 ms tick period; the point rule alone is measured beside it. "龍" is measured again on a
// screen of device pixel ratio 2, where the raster has 400 x 400 device pixels.
//
// Moved outlines get harder to stroke the longer the motion runs (the points wander and the
// curves crumple), so a tick's cost depends on how many ticks came before it. To measure the
// same thing in every repetition, whatever its iteration count, the ticks run in sessions of
// 5 seconds (100 ticks) that each start from the freshly placed glyph, as after a new request.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench_glyphs.h"
#include "bench_ratio.h"
#include "motion/motion_step.h"
#include "motion/random_source.h"
#include "display/motion_frame.h"
#include "platform/raster_surface.h"

namespace moji {
namespace {

constexpr double kTickPeriodSeconds = 0.050;
// U+2603 has the most points in IPAGothic (256 in 26 contours, counted with fontTools).
constexpr char16_t kDragon[] = u"龍";
constexpr char16_t kMostComplex[] = u"\u2603";

std::int64_t PointCount(const GlyphOutline& outline) {
  std::int64_t points = 0;
  for (const OutlineBlock& block : outline.Blocks) {
    points += 1;
    for (const OutlineCurve& curve : block.Curves) points += curve.PointCount;
  }
  return points;
}

/// Ticks in one motion session: 5 seconds of motion.
constexpr int kSessionTicks = 100;

/// The window's side of a motion frame without its widgets: the drawing area's 200 x 200 raster
/// at a device pixel ratio, and a refresh that reads the finished image, as the paint after it
/// would.
class MotionTarget final : public DisplayTarget {
 public:
  explicit MotionTarget(double ratio) : surface_(200, 200, 0x00FFFFFF, ratio) {
    dc_.Surface = &surface_;
  }

  DeviceContext& DrawingDc() override { return dc_; }
  void ShowReport(std::u16string) override {}
  void ClearDrawing() override { surface_.Clear(); }
  void RefreshDrawing() override { benchmark::DoNotOptimize(surface_.Image().constBits()); }
  /// Black and one pixel wide, the drawing area's own colour and width.
  void DrawPulseCircle(float x, float y, float radius) override {
    surface_.DrawCircle(x, y, radius, 0x000000, 1);
  }

 private:
  RasterSurface surface_;
  DeviceContext dc_;
};

/// Ticks of sessions of motion at the device pixel ratio; range(0) is the pen width, range(1) 1
/// while the mouse button is held at (100, 80) (points flee it, the pulse circle is drawn), 0
/// while it is not.
void BM_MotionTick(benchmark::State& state, const char16_t* character, double ratio) {
  const GlyphOutline placed = bench::PlacedIpaGothicOutline(character);
  GlyphOutline outline = placed;
  MotionTarget target(ratio);
  ClockSeededRandom random;
  random.Seed(1);
  const auto penWidth = static_cast<std::int32_t>(state.range(0));
  const bool held = state.range(1) != 0;
  MouseState mouse{0, 100.0f, 80.0f};
  int tick = 0;
  for (auto _ : state) {
    if (tick++ % kSessionTicks == 0) {
      outline = placed;
      mouse.ButtonDown = held ? 1 : 0;
    }
    if (mouse.ButtonDown > 0) ++mouse.ButtonDown;
    RunMotionFrame(mouse, random, penWidth, outline, target);
  }
  state.counters["points"] = static_cast<double>(PointCount(outline));
}
/// The ticks measured of each glyph: pen 2, the window's initial thickness, with the button up
/// and held, and pen 5, the thickest, held.
void TickCases(benchmark::internal::Benchmark* cases) {
  cases->ArgNames({"pen", "held"})->Args({2, 0})->Args({2, 1})->Args({5, 1});
  cases->Unit(benchmark::kMicrosecond);
}
BENCHMARK_CAPTURE(BM_MotionTick, dragon, kDragon, 1.0)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, most_complex, kMostComplex, 1.0)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, dragon_ratio_2, kDragon, 2.0)->Apply(TickCases);

// The point rule alone, without drawing: what the motion itself adds to a tick.
void BM_MoveOutlineOnly(benchmark::State& state, const char16_t* character) {
  GlyphOutline outline = bench::PlacedIpaGothicOutline(character);
  ClockSeededRandom random;
  random.Seed(1);
  const MouseState mouse{1, 100.0f, 80.0f};
  for (auto _ : state) {
    MoveOutline(outline, mouse, random);
    benchmark::ClobberMemory();
  }
  state.counters["points"] = static_cast<double>(PointCount(outline));
}
BENCHMARK_CAPTURE(BM_MoveOutlineOnly, dragon, kDragon)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MoveOutlineOnly, most_complex, kMostComplex)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moji

int main(int argc, char** argv) {
  constexpr double kTick = moji::kTickPeriodSeconds;
  return moji::bench::RunWithRatios(
      argc, argv, {},
      {{"tick 龍 pen 2", "BM_MotionTick/dragon/pen:2/held:0", kTick, 1.0},
       {"tick 龍 pen 2 button held", "BM_MotionTick/dragon/pen:2/held:1", kTick, 1.0},
       {"tick 龍 pen 5 button held", "BM_MotionTick/dragon/pen:5/held:1", kTick, 1.0},
       {"tick U+2603 pen 2", "BM_MotionTick/most_complex/pen:2/held:0", kTick, 10.0},
       {"tick U+2603 pen 2 button held", "BM_MotionTick/most_complex/pen:2/held:1", kTick, 10.0},
       {"tick U+2603 pen 5 button held", "BM_MotionTick/most_complex/pen:5/held:1", kTick, 10.0},
       {"tick 龍 pen 2 at ratio 2", "BM_MotionTick/dragon_ratio_2/pen:2/held:0", kTick, 2.0},
       {"tick 龍 pen 2 button held at ratio 2", "BM_MotionTick/dragon_ratio_2/pen:2/held:1", kTick,
        2.0},
       {"tick 龍 pen 5 button held at ratio 2", "BM_MotionTick/dragon_ratio_2/pen:5/held:1", kTick,
        2.0}});
}
