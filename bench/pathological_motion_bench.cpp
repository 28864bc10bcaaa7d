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

#include <vector>

#include "bench_ratio.h"
#include "motion_ticks.h"

namespace moji::bench {
namespace {

constexpr MovedGlyph kFar{u"A", "Moji Bench Far", kBenchFontSet};
constexpr MovedGlyph kMany{u"A", "Moji Bench Many", kBenchFontSet};

BENCHMARK_CAPTURE(BM_MotionTick, dragon, kIpaGothicDragon)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, far, kFar)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, many, kMany)->Apply(TickCases);

BENCHMARK_CAPTURE(BM_MoveOutlineOnly, far, kFar)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MoveOutlineOnly, many, kMany)->Unit(benchmark::kMicrosecond);

/// Each pathological tick beside the tick of "龍" with the same pen and button.
std::vector<RatioPair> Ratios() {
  constexpr char kNote[] = "same pen and button, same run; information";
  std::vector<RatioPair> ratios;
  AddTickRatios(ratios, "far", "far", "ryu", "dragon", kNote);
  AddTickRatios(ratios, "many", "many", "ryu", "dragon", kNote);
  return ratios;
}

std::vector<PeriodShare> Shares() {
  std::vector<PeriodShare> shares;
  AddTickShares(shares, "Moji Bench Far A", "far", 0.0);
  AddTickShares(shares, "Moji Bench Many A", "many", 0.0);
  return shares;
}

}  // namespace
}  // namespace moji::bench

int main(int argc, char** argv) {
  return moji::bench::RunWithRatios(argc, argv, moji::bench::Ratios(), moji::bench::Shares());
}
