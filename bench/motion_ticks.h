#pragma once
// Motion ticks of a glyph of a named face, as the timer runs them (move every point, clear the
// 200 x 200 raster, draw the pulse circle while a button is held and every block in its palette
// colour), for the benchmarks that move glyphs of faces other than IPAGothic:
// pathological_motion_bench and cjk_motion_bench.
//
// As in motion_bench, the ticks run in sessions of 5 seconds (100 ticks) that each start from
// the freshly placed glyph, so that every repetition measures the same thing: moved outlines
// get harder to stroke the longer the motion runs.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "raster_target.h"
#include "display/glyph_outline_fetch.h"
#include "display/motion_frame.h"
#include "geometry/outline_placement.h"
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

/// The glyph fetched at the window's font height and placed into the drawing area's pixels, as
/// the window places it.
inline GlyphOutline PlacedOutline(const MovedGlyph& glyph) {
  LOGFONTA font{};
  font.lfHeight = 32;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(font.lfFaceName, glyph.Face, sizeof font.lfFaceName - 1);
  DeviceContext hdc;
  GlyphOutline outline = FetchGlyphOutline(hdc, glyph.Character, font);
  PlaceOutline(outline, 20.0f, 0.0f, 160.0f, true);
  return outline;
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
  if (!FontsNamed(InstalledFonts(), glyph.Face).empty()) return true;
  state.SkipWithError((std::string(glyph.Face) + " is not in the font set (" +
                       glyph.FontSetScript + ")").c_str());
  return false;
}

/// Ticks of sessions of motion; range(0) is the pen width, range(1) 1 while the mouse button is
/// held at (100, 80) (points flee it, the pulse circle is drawn), 0 while it is not.
inline void BM_MotionTick(benchmark::State& state, MovedGlyph glyph) {
  if (!FaceInstalled(state, glyph)) return;
  const GlyphOutline placed = PlacedOutline(glyph);
  GlyphOutline outline = placed;
  RasterTarget target;
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
inline void TickCases(benchmark::internal::Benchmark* cases) {
  cases->ArgNames({"pen", "held"})->Args({2, 0})->Args({2, 1})->Args({5, 1});
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

}  // namespace moji::bench
