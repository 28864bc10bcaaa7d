#pragma once
// Motion ticks of a glyph of a named face, as the timer runs them (move every point, clear the
// 200 x 200 raster, draw the pulse circle while a button is held and every block in its palette
// colour), for the benchmarks that move glyphs: motion_bench, pathological_motion_bench and
// cjk_motion_bench.
//
// Moved outlines get harder to stroke the longer the motion runs (the points wander and the
// curves crumple), so a tick's cost depends on how many ticks came before it. To measure the
// same thing in every repetition, whatever its iteration count, the ticks run in sessions of
// 5 seconds (100 ticks) that each start from the freshly placed glyph, as after a new request.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bench_glyphs.h"
#include "bench_ratio.h"
#include "raster_target.h"
#include "display/motion_frame.h"
#include "motion/motion_step.h"
#include "motion/random_source.h"
#include "platform/installed_faces.h"

namespace moji::bench {

inline constexpr double kTickPeriodSeconds = 0.050;

/// Ticks in one motion session: 5 seconds of motion.
inline constexpr int kSessionTicks = 100;

/// A glyph to move: its character (one code unit or a surrogate pair), the face it is fetched
/// from, and the script that builds the font set holding that face (named when it is missing).
struct MovedGlyph {
  const char16_t* Character;
  const char* Face;
  const char* FontSetScript;
};

/// The script of the bench font set, which holds IPAGothic and the pathological faces.
inline constexpr char kBenchFontSet[] = "bench/fonts/make_bench_fonts.py";

/// "龍" in IPAGothic, the glyph the other ticks are compared with.
inline constexpr MovedGlyph kIpaGothicDragon{u"龍", "IPAGothic", kBenchFontSet};

/// The glyph fetched at the window's font height and placed into the drawing area's pixels, as
/// the window places it.
inline GlyphOutline PlacedOutline(const MovedGlyph& glyph) {
  return PlacedOutline(glyph.Face, glyph.Character);
}

/// Points of an outline: each block's start and every point of its curves.
inline std::int64_t PointCount(const GlyphOutline& outline) {
  std::int64_t points = 0;
  for (const OutlineBlock& block : outline.Blocks) {
    points += 1;
    for (const OutlineCurve& curve : block.Curves) points += curve.PointCount;
  }
  return points;
}

/// Whether the font set holds the glyph's face; if not, the benchmark is ended with an error
/// rather than measuring a substitute's glyph in its place.
inline bool FaceInstalled(benchmark::State& state, const MovedGlyph& glyph) {
  GraphicsServices services;
  if (!FontsNamed(services.Fonts().Installed(), glyph.Face).empty()) return true;
  state.SkipWithError((std::string(glyph.Face) + " is not in the font set (" +
                       glyph.FontSetScript + ")").c_str());
  return false;
}

/// Ticks of sessions of motion on a raster of the device pixel ratio; range(0) is the pen
/// width, range(1) 1 while the mouse button is held at (100, 80) (points flee it, the pulse
/// circle is drawn), 0 while it is not.
inline void BM_MotionTick(benchmark::State& state, MovedGlyph glyph, double ratio = 1.0) {
  if (!FaceInstalled(state, glyph)) return;
  const GlyphOutline placed = PlacedOutline(glyph);
  GlyphOutline outline = placed;
  GraphicsServices services;
  RasterTarget target(services, ratio);
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
    RunMotionFrame(mouse, random, DrawingStyle{penWidth, {}, {}}, outline, {}, target);
  }
  state.counters["points"] = static_cast<double>(PointCount(placed));
}

/// One of the ticks measured of each glyph: the pen width and whether the button is held.
struct TickCase {
  int Pen;
  bool Held;
};

/// The ticks measured of each glyph: pen 2, the window's initial thickness, with the button up
/// and held, and pen 5, the thickest, held.
inline constexpr TickCase kTickCases[] = {{2, false}, {2, true}, {5, true}};

/// The ticks compared between two glyphs: pen 2 with the button up, pen 5 held.
inline constexpr TickCase kComparedCases[] = {{2, false}, {5, true}};

/// Registers the cases of kTickCases, named "pen:<width>/held:<0 or 1>".
inline void TickCases(benchmark::internal::Benchmark* cases) {
  cases->ArgNames({"pen", "held"});
  for (const TickCase& tick : kTickCases) cases->Args({tick.Pen, tick.Held ? 1 : 0});
  cases->Unit(benchmark::kMicrosecond);
}

/// The point rule alone, without drawing: what the motion itself adds to a tick.
inline void BM_MoveOutlineOnly(benchmark::State& state, MovedGlyph glyph) {
  if (!FaceInstalled(state, glyph)) return;
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

/// The name one case of BM_MotionTick/<capture> is printed under.
inline std::string TickBenchmark(std::string_view capture, TickCase tick) {
  return "BM_MotionTick/" + std::string(capture) + "/pen:" + std::to_string(tick.Pen) +
         "/held:" + (tick.Held ? "1" : "0");
}

/// How a case is told in the printed labels: "pen 2", "pen 5 button held".
inline std::string TickWords(TickCase tick) {
  return "pen " + std::to_string(tick.Pen) + (tick.Held ? " button held" : "");
}

/// Adds the shares of the tick period "tick <label> <case><suffix>" of BM_MotionTick/<capture>
/// in the cases given, with the goal in percent (0: information).
inline void AddTickShares(std::vector<PeriodShare>& shares, std::string_view label,
                          std::string_view capture, double goalPercent,
                          std::span<const TickCase> cases = kTickCases,
                          std::string_view suffix = {}) {
  for (const TickCase& tick : cases) {
    shares.push_back({"tick " + std::string(label) + " " + TickWords(tick) + std::string(suffix),
                      TickBenchmark(capture, tick), kTickPeriodSeconds, goalPercent});
  }
}

/// Adds the ratios "tick_<label>/tick_<baseLabel> <case>" of the ticks of BM_MotionTick/<capture>
/// to those of BM_MotionTick/<baseCapture> with the same pen and button (kComparedCases), as
/// information with the note.
inline void AddTickRatios(std::vector<RatioPair>& pairs, std::string_view label,
                          std::string_view capture, std::string_view baseLabel,
                          std::string_view baseCapture, const char* note) {
  for (const TickCase& tick : kComparedCases) {
    pairs.push_back({"tick_" + std::string(label) + "/tick_" + std::string(baseLabel) + " " +
                         TickWords(tick),
                     TickBenchmark(capture, tick), TickBenchmark(baseCapture, tick), 0.0, false,
                     note});
  }
}

}  // namespace moji::bench
