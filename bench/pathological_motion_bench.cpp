// Motion ticks of the bench font set's pathological glyphs, as the timer runs them (move every
// point, clear the 200 x 200 raster, draw the pulse circle while a button is held and every
// block in its palette colour), beside the tick of "龍" in IPAGothic in the same process:
//   "Moji Bench Far"  "A": 4,000 points, nearly all placed far outside the drawing area
//   "Moji Bench Many" "A": 32,000 points inside it
// (bench/fonts/make_bench_fonts.py builds them; run with FONTCONFIG_FILE naming that set.)
// Each median tick is printed as a share of the 50 ms tick period and as a ratio to the tick of
// "龍" with the same pen: information, without a goal.
//
// The ticks run in sessions of 5 seconds (100 ticks) that each start from the freshly placed
// glyph, so that every repetition measures the same thing (motion_ticks.h).
#include <benchmark/benchmark.h>

#include "bench_ratio.h"
#include "motion_ticks.h"

namespace moji {
namespace {

using bench::BM_MotionTick;
using bench::BM_MoveOutlineOnly;
using bench::MovedGlyph;
using bench::TickCases;

constexpr char kBenchSet[] = "bench/fonts/make_bench_fonts.py";
constexpr MovedGlyph kDragon{u"龍", "IPAGothic", kBenchSet};
constexpr MovedGlyph kFar{u"A", "Moji Bench Far", kBenchSet};
constexpr MovedGlyph kMany{u"A", "Moji Bench Many", kBenchSet};

BENCHMARK_CAPTURE(BM_MotionTick, dragon, kDragon)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, far, kFar)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, many, kMany)->Apply(TickCases);

BENCHMARK_CAPTURE(BM_MoveOutlineOnly, far, kFar)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MoveOutlineOnly, many, kMany)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moji

int main(int argc, char** argv) {
  constexpr double kTick = moji::bench::kTickPeriodSeconds;
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
