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

#include "bench_ratio.h"
#include "motion_ticks.h"

namespace moji {
namespace {

using bench::BM_MotionTick;
using bench::BM_MoveOutlineOnly;
using bench::MovedGlyph;
using bench::TickCases;

constexpr char kCjkSet[] = "tests/fonts/make_font_set.py cjk";
constexpr MovedGlyph kDragon{u"龍", "Noto Sans CJK JP", kCjkSet};
constexpr MovedGlyph kMostPoints{u"\U0003106C", "Noto Sans CJK JP", kCjkSet};

BENCHMARK_CAPTURE(BM_MotionTick, noto_dragon, kDragon)->Apply(TickCases);
BENCHMARK_CAPTURE(BM_MotionTick, noto_most_points, kMostPoints)->Apply(TickCases);

BENCHMARK_CAPTURE(BM_MoveOutlineOnly, noto_most_points, kMostPoints)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moji

int main(int argc, char** argv) {
  constexpr double kTick = moji::bench::kTickPeriodSeconds;
  constexpr char kNote[] = "Noto Sans CJK JP, same pen and button, same run; information";
  return moji::bench::RunWithRatios(
      argc, argv,
      {{"tick_noto_most_points/tick_noto_ryu pen 2", "BM_MotionTick/noto_most_points/pen:2/held:0",
        "BM_MotionTick/noto_dragon/pen:2/held:0", 0.0, false, kNote},
       {"tick_noto_most_points/tick_noto_ryu pen 5 button held",
        "BM_MotionTick/noto_most_points/pen:5/held:1", "BM_MotionTick/noto_dragon/pen:5/held:1",
        0.0, false, kNote}},
      {{"tick U+3106C Noto Sans CJK JP pen 2", "BM_MotionTick/noto_most_points/pen:2/held:0",
        kTick, 10.0},
       {"tick U+3106C Noto Sans CJK JP pen 2 button held",
        "BM_MotionTick/noto_most_points/pen:2/held:1", kTick, 10.0},
       {"tick U+3106C Noto Sans CJK JP pen 5 button held",
        "BM_MotionTick/noto_most_points/pen:5/held:1", kTick, 10.0},
       {"tick 龍 Noto Sans CJK JP pen 2", "BM_MotionTick/noto_dragon/pen:2/held:0", kTick, 0.0},
       {"tick 龍 Noto Sans CJK JP pen 5 button held", "BM_MotionTick/noto_dragon/pen:5/held:1",
        kTick, 0.0}});
}
