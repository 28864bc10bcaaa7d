// Motion ticks of the glyph with the most points in Noto Sans CJK JP, a CFF face (cubic
// outlines) of an OpenType collection, as the timer runs them (move every point, clear the
// 200 x 200 raster, draw the pulse circle while a button is held and every block in its palette
// colour), beside the tick of "龍" in the same face in the same process.
//
// The glyph is U+3106C (𱁬), 509 points in 38 contours: the most of the 44,810 characters the
// face's character map holds, counted with fontTools by bench/fonts/most_points.py (the next are
// U+30EDE with 457 and U+30EDD with 449; "龍" has 110). Each median tick is printed as a share of
// the 50 ms tick period (goal: under 10 %) and as a ratio to the tick of "龍" with the same pen.
//
// Runs on the font set "bench_cjk": the machine's Noto Sans CJK collection and DejaVu Sans,
// copied into a private set by tests/fonts/make_font_set.py (set "cjk"); bench/run.sh builds it
// and runs this program with FONTCONFIG_FILE naming it. The ticks run in sessions of 5 seconds
// (100 ticks) from the freshly placed glyph (motion_ticks.h).
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_ratio.h"
#include "motion_ticks.h"

namespace moji::bench {
namespace {

constexpr char kCjkSet[] = "tests/fonts/make_font_set.py cjk";
constexpr MovedGlyph kNotoDragon{u"龍", "Noto Sans CJK JP", kCjkSet};
constexpr MovedGlyph kMostPoints{u"\U0003106C", "Noto Sans CJK JP", kCjkSet};

BENCHMARK_CAPTURE(BM_MotionTick, noto_dragon, kNotoDragon)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, noto_most_points, kMostPoints)->Apply(TickCases);

BENCHMARK_CAPTURE(BM_MoveOutlineOnly, noto_most_points, kMostPoints)
    ->Unit(benchmark::kMicrosecond);

/// The tick of U+3106C beside the tick of "龍" with the same pen and button.
std::vector<RatioPair> Ratios() {
  constexpr char kNote[] = "Noto Sans CJK JP, same pen and button, same run; information";
  std::vector<RatioPair> ratios;
  AddTickRatios(ratios, "noto_most_points", "noto_most_points", "noto_ryu", "noto_dragon", kNote);
  return ratios;
}

/// U+3106C in every case, with the goal; "龍" in the cases compared, for information.
std::vector<PeriodShare> Shares() {
  std::vector<PeriodShare> shares;
  AddTickShares(shares, "U+3106C Noto Sans CJK JP", "noto_most_points", 10.0);
  AddTickShares(shares, "龍 Noto Sans CJK JP", "noto_dragon", 0.0, kComparedCases);
  return shares;
}

}  // namespace
}  // namespace moji::bench

int main(int argc, char** argv) {
  return moji::bench::RunWithRatios(argc, argv, moji::bench::Ratios(), moji::bench::Shares());
}
