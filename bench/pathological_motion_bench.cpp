// Motion ticks of the bench font set's pathological glyphs, as the timer runs them (move every
// point, clear the 200 x 200 raster, draw the pulse circle while a button is held and every
// block in its palette colour), beside the tick of "龍" in IPAGothic in the same process:
//   "Moji Bench Far"  "A": 4,000 points, nearly all placed far outside the drawing area
//   "Moji Bench Many" "A": 32,000 points inside it
// (bench/fonts/make_bench_fonts.py builds them; run with FONTCONFIG_FILE naming that set.)
// Each median tick is printed as a share of the 50 ms tick period and as a ratio to the tick of
// "龍" with the same pen: information, without a goal.
//
// As in motion_bench, the ticks run in sessions of 5 seconds (100 ticks) that each start from
// the freshly placed glyph, so that every repetition measures the same thing.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "bench_ratio.h"
#include "raster_target.h"
#include "display/glyph_outline_fetch.h"
#include "display/motion_frame.h"
#include "geometry/outline_placement.h"
#include "motion/motion_step.h"
#include "motion/random_source.h"
#include "platform/installed_faces.h"

namespace moji {
namespace {

constexpr double kTickPeriodSeconds = 0.050;

/// Ticks in one motion session: 5 seconds of motion.
constexpr int kSessionTicks = 100;

/// A glyph to move: its character and the face it is fetched from.
struct MovedGlyph {
  const char16_t* Character;
  const char* Face;
};

constexpr MovedGlyph kDragon{u"龍", "IPAGothic"};
constexpr MovedGlyph kFar{u"A", "Moji Bench Far"};
constexpr MovedGlyph kMany{u"A", "Moji Bench Many"};

/// The glyph fetched at the window's font height and placed into the drawing area's pixels, as
/// the window places it.
GlyphOutline PlacedOutline(const MovedGlyph& glyph) {
  LOGFONTA font{};
  font.lfHeight = 32;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(font.lfFaceName, glyph.Face, sizeof font.lfFaceName - 1);
  DeviceContext hdc;
  GlyphOutline outline = FetchGlyphOutline(hdc, glyph.Character, font);
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

/// Ticks of sessions of motion; range(0) is the pen width, range(1) 1 while the mouse button is
/// held at (100, 80) (points flee it, the pulse circle is drawn), 0 while it is not. A face the
/// font set does not hold is an error rather than a substitute's glyph measured in its place.
void BM_MotionTick(benchmark::State& state, MovedGlyph glyph) {
  if (FontsNamed(InstalledFonts(), glyph.Face).empty()) {
    state.SkipWithError((std::string(glyph.Face) +
                         " is not in the font set (bench/fonts/make_bench_fonts.py)").c_str());
    return;
  }
  const GlyphOutline placed = PlacedOutline(glyph);
  GlyphOutline outline = placed;
  bench::RasterTarget target;
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
  state.counters["points"] = static_cast<double>(PointCount(placed));
}
/// The ticks measured of each glyph: pen 2, the window's initial thickness, with the button up
/// and held, and pen 5, the thickest, held.
void TickCases(benchmark::internal::Benchmark* cases) {
  cases->ArgNames({"pen", "held"})->Args({2, 0})->Args({2, 1})->Args({5, 1});
  cases->Unit(benchmark::kMicrosecond);
}
BENCHMARK_CAPTURE(BM_MotionTick, dragon, kDragon)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, far, kFar)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, many, kMany)->Apply(TickCases);

// The point rule alone, without drawing: what the motion itself adds to a tick.
void BM_MoveOutlineOnly(benchmark::State& state, MovedGlyph glyph) {
  GlyphOutline outline = PlacedOutline(glyph);
  ClockSeededRandom random;
  random.Seed(1);
  const MouseState mouse{1, 100.0f, 80.0f};
  for (auto _ : state) {
    MoveOutline(outline, mouse, random);
    benchmark::ClobberMemory();
  }
  state.counters["points"] = static_cast<double>(PointCount(outline));
}
BENCHMARK_CAPTURE(BM_MoveOutlineOnly, far, kFar)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MoveOutlineOnly, many, kMany)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moji

int main(int argc, char** argv) {
  constexpr double kTick = moji::kTickPeriodSeconds;
  constexpr char kNote[] = "same pen and button, same run; information";
  return moji::bench::RunWithRatios(
      argc, argv,
      {{"tick_far/tick_ryu pen 2", "BM_MotionTick/far/pen:2/held:0",
        "BM_MotionTick/dragon/pen:2/held:0", 0.0, false, kNote},
       {"tick_far/tick_ryu pen 5 button held", "BM_MotionTick/far/pen:5/held:1",
        "BM_MotionTick/dragon/pen:5/held:1", 0.0, false, kNote},
       {"tick_many/tick_ryu pen 2", "BM_MotionTick/many/pen:2/held:0",
        "BM_MotionTick/dragon/pen:2/held:0", 0.0, false, kNote},
       {"tick_many/tick_ryu pen 5 button held", "BM_MotionTick/many/pen:5/held:1",
        "BM_MotionTick/dragon/pen:5/held:1", 0.0, false, kNote}},
      {{"tick Moji Bench Far A pen 2", "BM_MotionTick/far/pen:2/held:0", kTick, 0.0},
       {"tick Moji Bench Far A pen 2 button held", "BM_MotionTick/far/pen:2/held:1", kTick, 0.0},
       {"tick Moji Bench Far A pen 5 button held", "BM_MotionTick/far/pen:5/held:1", kTick, 0.0},
       {"tick Moji Bench Many A pen 2", "BM_MotionTick/many/pen:2/held:0", kTick, 0.0},
       {"tick Moji Bench Many A pen 2 button held", "BM_MotionTick/many/pen:2/held:1", kTick,
        0.0},
       {"tick Moji Bench Many A pen 5 button held", "BM_MotionTick/many/pen:5/held:1", kTick,
        0.0}});
}
