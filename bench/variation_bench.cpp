// Variable faces: one slider step of the 書体 panel (a display request at new coordinates: the
// face named, its coordinates set, the glyph loaded and interpolated, the report text written,
// placed and drawn with pen 2 on the 200 x 200 raster) and one step of the axis sweep (the same
// without the report), for the glyph with the most points of Inter Variable, whose weight axis
// is walked as a slider drags over it.
//
// Inter Variable is Debian's fonts-inter-variable, used from the machine
// (/usr/share/fonts/truetype/inter-vf/Inter.var.ttf, or INTER_VARIABLE naming another file);
// without it, the benchmarks say so and measure nothing. The glyph with the most points is found
// when the program starts, over the Basic Multilingual Plane of the face's character map.
//
// Shares: the slider step of the 16.7 ms frame (goal < 25 %) and the sweep's step of its 50 ms
// period (goal < 10 %). Ratio, as information: the slider step beside the same display request
// at one coordinate drawn again (what moving the axis adds to a request).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_ratio.h"
#include "raster_target.h"
#include "display/display_request.h"
#include "display/face_choice.h"
#include "report/outline_report.h"

namespace moji::bench {
namespace {

constexpr char kDebianInter[] = "/usr/share/fonts/truetype/inter-vf/Inter.var.ttf";
constexpr std::int32_t kPenWidth = 2;

std::string InterFile() {
  const char* given = std::getenv("INTER_VARIABLE");
  return given != nullptr ? given : kDebianInter;
}

/// The face file, the character with the most points and the axis walked.
struct MovedFace {
  std::string File;
  std::u16string Character;
  std::int64_t Points = 0;
  VariationAxis Axis;
};

MovedFace FindMostPoints() {
  MovedFace found;
  found.File = InterFile();
  if (!std::filesystem::exists(found.File)) return found;
  FontEngine engine;
  const FontFace* face = engine.Resolve(engine.FaceNameOf(FaceIdentity::File(found.File, 0)));
  if (face == nullptr) return found;
  for (char32_t c = 0x20; c < 0x10000; ++c) {
    if (c >= 0xD800 && c < 0xE000) continue;
    const NativeGlyph glyph = engine.Convert(*face, 32, c, true);
    if (glyph.Status == GlyphStatus::Outline && static_cast<std::int64_t>(glyph.Sources.size()) > found.Points) {
      found.Points = static_cast<std::int64_t>(glyph.Sources.size());
      found.Character = std::u16string(1, static_cast<char16_t>(c));
    }
  }
  for (const VariationAxis& axis : engine.VariationsOf(*face).Axes) {
    if (axis.Tag == "wght") found.Axis = axis;
  }
  return found;
}

const MovedFace& Moved() {
  // Found once for every benchmark of the process: a constant once made.
  static const MovedFace moved = FindMostPoints();
  return moved;
}

bool Ready(benchmark::State& state) {
  if (!Moved().Character.empty() && !Moved().Axis.Tag.empty()) return true;
  state.SkipWithError(("Inter Variable is not installed (fonts-inter-variable; " + InterFile() +
                       "), or has no weight axis")
                          .c_str());
  return false;
}

/// Display requests as the panel's slider steps run them: the slider walks the weight axis one
/// position a step, to its end and back, each step a request at new coordinates; with `report`,
/// the report text is written too (a sweep's step leaves it).
void Steps(benchmark::State& state, bool report, bool move) {
  if (!Ready(state)) return;
  const MovedFace& moved = Moved();
  GraphicsServices services;
  RasterTarget target(services);
  FontEngine& engine = services.Fonts();
  const FaceIdentity file = FaceIdentity::File(moved.File, 0);
  const DrawingStyle style{kPenWidth, {}, {}};
  int position = 0;
  int direction = 1;
  std::size_t reportLength = 0;
  for (auto _ : state) {
    if (move) {
      position += direction * 7;
      if (position >= kAxisSliderSteps || position <= 0) direction = -direction;
    }
    const double value = AxisValueAtSlider(moved.Axis, position);
    const std::string name = engine.FaceNameOf(file.WithVariation({"", {{moved.Axis.Tag, value}}}));
    const std::optional<FetchedGlyph> fetched = RunDisplayRequest(moved.Character, name, style, target);
    if (report) reportLength = OutlineReportText(fetched->Outline).size();
  }
  state.counters["points"] = static_cast<double>(moved.Points);
  state.counters["report"] = static_cast<double>(reportLength);
}

void BM_SliderStep(benchmark::State& state) { Steps(state, true, true); }
BENCHMARK(BM_SliderStep)->Unit(benchmark::kMicrosecond);

void BM_SweepStep(benchmark::State& state) { Steps(state, false, true); }
BENCHMARK(BM_SweepStep)->Unit(benchmark::kMicrosecond);

// Baseline: the same request with its report, at one place of the axis, drawn again.
void BM_BaselineSameCoordinates(benchmark::State& state) { Steps(state, true, false); }
BENCHMARK(BM_BaselineSameCoordinates)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moji::bench

int main(int argc, char** argv) {
  using moji::bench::PeriodShare;
  using moji::bench::RatioPair;
  return moji::bench::RunWithRatios(
      argc, argv,
      {RatioPair{"slider_step/same_coordinates", "BM_SliderStep", "BM_BaselineSameCoordinates",
                 0.0, false, "Inter Variable, most points; information"}},
      {PeriodShare{"slider step, Inter Variable most points", "BM_SliderStep", 1.0 / 60.0, 25.0},
       PeriodShare{"axis sweep step, Inter Variable most points", "BM_SweepStep", 0.050, 10.0}});
}
