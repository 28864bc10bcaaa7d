// One tick of the motion mode, as the timer runs it: move every point, clear the 200 x 200
// raster, draw the pulse circle while a button is held and every block in its palette colour.
// The median tick of "龍" and of IPAGothic's most complex glyph is printed as a share of the
// 50 ms tick period; the point rule alone is measured beside it. "龍" is measured again on a
// screen of device pixel ratio 2, where the raster has 400 x 400 device pixels.
//
// The ticks run in sessions of 5 seconds (100 ticks) that each start from the freshly placed
// glyph, as after a new request, so that every repetition measures the same thing whatever its
// iteration count (motion_ticks.h).
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_ratio.h"
#include "motion_ticks.h"

namespace moji::bench {
namespace {

// U+2603 has the most points in IPAGothic (256 in 26 contours, counted with fontTools).
constexpr MovedGlyph kMostComplex{u"\u2603", "IPAGothic", kBenchFontSet};

BENCHMARK_CAPTURE(BM_MotionTick, dragon, kIpaGothicDragon, 1.0)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, most_complex, kMostComplex, 1.0)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, dragon_ratio_2, kIpaGothicDragon, 2.0)->Apply(TickCases);

BENCHMARK_CAPTURE(BM_MoveOutlineOnly, dragon, kIpaGothicDragon)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MoveOutlineOnly, most_complex, kMostComplex)->Unit(benchmark::kMicrosecond);

std::vector<PeriodShare> Shares() {
  std::vector<PeriodShare> shares;
  AddTickShares(shares, "龍", "dragon", 1.0);
  AddTickShares(shares, "U+2603", "most_complex", 10.0);
  AddTickShares(shares, "龍", "dragon_ratio_2", 2.0, kTickCases, " at ratio 2");
  return shares;
}

}  // namespace
}  // namespace moji::bench

int main(int argc, char** argv) {
  return moji::bench::RunWithRatios(argc, argv, {}, moji::bench::Shares());
}
