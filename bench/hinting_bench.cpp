// A glyph at a size, loaded, hinted and rendered (platform/hinted_glyph.h: the unscaled load for
// the font's numbers, the hinted load and its bitmap, the unhinted load), as the pixel view asks
// for it at every change of size or hinting.
//
// - U+3106C (𱁬) in Noto Sans CJK JP at 16 ppem, the face's glyph with the most points (509 in
//   38 contours, CFF; bench/fonts/most_points.py), in each hinting mode, grey: each request's
//   median as a share of a 16.7 ms frame (goal: under 5 %). Beside it, FreeType alone on its own
//   mapping of the file: one load with the font's hints and its rendering (ratio: information).
// - Glyphs whose TrueType instructions fail (tests/robustness/make_hinting_fonts.py: an endless
//   jump, a point, storage and the stack out of range, endless recursion, an endless function
//   called 32767 times, a control value program that never ends, and the longest loop FreeType
//   lets a glyph of 3,000 points run), with the font's own hints at 16 ppem, beside the same
//   request for 龍 in IPAGothic: FreeType's limits must end each in under 20 times that (goal).
//   FreeType alone on the longest loop, beside the same request for 龍, shows what its interpreter
//   spends before its limit ends the program, whoever loads the glyph (ratio: information).
//
// Runs on the font set "bench_hinting", built by tests/robustness/make_hinting_fonts.py (the
// fonts of the hinting tests); bench/run.sh builds it and runs this program with FONTCONFIG_FILE
// naming it.
#include <benchmark/benchmark.h>

#include <ft2build.h>

#include <string>
#include <vector>
#include FT_FREETYPE_H

#include "bench_ratio.h"
#include "platform/graphics_services.h"
#include "platform/hinted_glyph.h"

namespace moji::bench {
namespace {

constexpr char kNoto[] = "Noto Sans CJK JP";
constexpr char32_t kMostPoints = U'\U0003106C';
constexpr double kFrameSeconds = 1.0 / 60;

/// One glyph of one face asked for at 16 ppem in grey.
struct HintedCase {
  const char* Family;
  char32_t Character;
  HintingMode Mode;
};

/// The face of the family, or nullptr (a skipped benchmark) where the set lacks it.
const FontFace* FaceOf(benchmark::State& state, FontEngine& engine, const std::string& family) {
  const FontFace* face = engine.Resolve(family);
  if (face == nullptr || face->FamilyName != family) {
    state.SkipWithError((family + " is not in the font set").c_str());
    return nullptr;
  }
  return face;
}

void BM_HintedGlyph(benchmark::State& state, HintedCase glyph) {
  GraphicsServices services;
  const FontFace* face = FaceOf(state, services.Fonts(), glyph.Family);
  if (face == nullptr) return;
  const HintingRequest request{16, glyph.Mode, Antialiasing::Grey, TrueTypeInterpreter::V40};
  for (auto _ : state) {
    const HintedGlyph hinted = LoadHintedGlyph(services.Fonts(), *face, glyph.Character, request);
    benchmark::DoNotOptimize(hinted.Bitmap.Pixels.data());
  }
}

/// What a case's median is set against.
enum class Measure { FrameShare, AgainstDragon, Baseline };

/// One case of BM_HintedGlyph: its name after "BM_HintedGlyph/", the glyph, what it is set against.
struct NamedCase {
  const char* Name;
  HintedCase Glyph;
  Measure Against;
};

constexpr const char* kHostile = "Moji Hinting Hostile";
constexpr const char* kLongLoop = "Moji Hinting Long Loop";
constexpr NamedCase kCases[] = {
    {"noto_most_points_none", {kNoto, kMostPoints, HintingMode::None}, Measure::FrameShare},
    {"noto_most_points_light", {kNoto, kMostPoints, HintingMode::Light}, Measure::FrameShare},
    {"noto_most_points_auto", {kNoto, kMostPoints, HintingMode::Auto}, Measure::FrameShare},
    {"noto_most_points_font", {kNoto, kMostPoints, HintingMode::Font}, Measure::FrameShare},
    {"ipa_dragon", {"IPAGothic", U'龍', HintingMode::Font}, Measure::Baseline},
    {"endless_jump", {kHostile, U'A', HintingMode::Font}, Measure::AgainstDragon},
    {"point_out_of_range", {kHostile, U'B', HintingMode::Font}, Measure::AgainstDragon},
    {"storage_out_of_range", {kHostile, U'C', HintingMode::Font}, Measure::AgainstDragon},
    {"stack_underflow", {kHostile, U'D', HintingMode::Font}, Measure::AgainstDragon},
    {"stack_overflow", {kHostile, U'E', HintingMode::Font}, Measure::AgainstDragon},
    {"endless_recursion", {kHostile, U'F', HintingMode::Font}, Measure::AgainstDragon},
    {"endless_calls", {kHostile, U'H', HintingMode::Font}, Measure::AgainstDragon},
    {"endless_control_values", {"Moji Hinting Prep Loop", U'G', HintingMode::Font},
     Measure::AgainstDragon},
    // The longest loop FreeType lets a glyph of 3,000 points run, and the same glyph unhinted.
    {"endless_jump_3000_points", {kLongLoop, U'A', HintingMode::Font}, Measure::AgainstDragon},
    {"unhinted_3000_points", {kLongLoop, U'A', HintingMode::None}, Measure::Baseline},
};

std::string CaseBenchmark(const NamedCase& named) {
  return std::string("BM_HintedGlyph/") + named.Name;
}

void RegisterCases() {
  for (const NamedCase& named : kCases) {
    benchmark::RegisterBenchmark(CaseBenchmark(named).c_str(), BM_HintedGlyph, named.Glyph)
        ->Unit(benchmark::kMicrosecond);
  }
}

/// One glyph that FreeType alone loads, with the font's hints, and renders where that worked.
struct FreeTypeCase {
  const char* Family;
  char32_t Character;
};

/// FreeType alone: a face of its own on its mapping of the same file, one load with the font's
/// hints and its rendering.
void BM_FreeTypeAlone(benchmark::State& state, FreeTypeCase glyph) {
  GraphicsServices services;
  const FontFace* face = FaceOf(state, services.Fonts(), glyph.Family);
  FT_Library library = nullptr;
  FT_Face ft = nullptr;
  if (face == nullptr || FT_Init_FreeType(&library) != 0 ||
      FT_New_Face(library, face->File.c_str(), face->Index, &ft) != 0) {
    if (face != nullptr) state.SkipWithError("FreeType cannot open the face");
  } else {
    const FT_UInt index = FT_Get_Char_Index(ft, glyph.Character);
    for (auto _ : state) {
      FT_Set_Pixel_Sizes(ft, 0, 16);
      if (FT_Load_Glyph(ft, index, FT_LOAD_NO_BITMAP | FT_LOAD_NO_AUTOHINT) == 0) {
        FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL);
      }
      benchmark::DoNotOptimize(ft->glyph->bitmap.buffer);
    }
  }
  if (ft != nullptr) FT_Done_Face(ft);
  if (library != nullptr) FT_Done_FreeType(library);
}
BENCHMARK_CAPTURE(BM_FreeTypeAlone, noto_most_points, FreeTypeCase{kNoto, kMostPoints})
    ->Unit(benchmark::kMicrosecond);
// The longest loop of the 3,000-point glyph in FreeType alone: what its interpreter spends
// before its own limit ends the glyph's program, whoever asks.
BENCHMARK_CAPTURE(BM_FreeTypeAlone, endless_jump_3000_points, FreeTypeCase{kLongLoop, U'A'})
    ->Unit(benchmark::kMicrosecond);

std::vector<RatioPair> Ratios() {
  std::vector<RatioPair> ratios = {
      {"hinted_noto_most_points/freetype_alone", "BM_HintedGlyph/noto_most_points_font",
       "BM_FreeTypeAlone/noto_most_points", 0.0, false, "U+3106C, font's hints, 16 ppem; information"},
      {"freetype_alone_endless_jump_3000_points/ipa_dragon", "BM_FreeTypeAlone/endless_jump_3000_points",
       "BM_HintedGlyph/ipa_dragon", 0.0, false,
       "the loop in FreeType alone beside the request for 龍; information"}};
  for (const NamedCase& named : kCases) {
    if (named.Against != Measure::AgainstDragon) continue;
    ratios.push_back({std::string("hinting_") + named.Name + "/ipa_dragon", CaseBenchmark(named),
                      "BM_HintedGlyph/ipa_dragon", 20.0});
  }
  ratios.push_back({"hinting_endless_jump_3000_points/unhinted_3000_points",
                    "BM_HintedGlyph/endless_jump_3000_points", "BM_HintedGlyph/unhinted_3000_points",
                    0.0, false, "the loop beside the same glyph unhinted; information"});
  return ratios;
}

std::vector<PeriodShare> Shares() {
  std::vector<PeriodShare> shares;
  for (const NamedCase& named : kCases) {
    if (named.Against != Measure::FrameShare) continue;
    shares.push_back({std::string("hinted ") + named.Name + " 16 ppem", CaseBenchmark(named),
                      kFrameSeconds, 5.0});
  }
  return shares;
}

}  // namespace
}  // namespace moji::bench

int main(int argc, char** argv) {
  moji::bench::RegisterCases();
  return moji::bench::RunWithRatios(argc, argv, moji::bench::Ratios(), moji::bench::Shares());
}
