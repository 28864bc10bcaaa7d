// Outline acquisition over every CJK ideograph of IPAGothic (its cmap in U+4E00..U+9FFF and
// Extension A): FetchGlyphOutline (size query, fill, walk into records) beside raw FreeType
// loading the same glyphs unscaled and unhinted and walking their points and tags once.
//
// Raw FreeType is measured twice, on two faces of the same file:
//   - opened with FT_New_Face, which maps the file into memory: the fastest FreeType gets; the
//     ratio is information (a fetch costs a few microseconds a keystroke, which no user feels:
//     the user-felt guard is the whole display request, display_request_bench);
//   - opened with the program's own OpenFaceFile (platform/font_file_stream.h), which reads the
//     file with pread in blocks kept once read and never maps it: the like-for-like baseline,
//     printed for information. The two baselines side by side show what the stream costs.
#include <benchmark/benchmark.h>

#include <ft2build.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include FT_FREETYPE_H

#include "bench_ratio.h"
#include "display/glyph_outline_fetch.h"
#include "platform/font_engine.h"
#include "platform/font_file_stream.h"
#include "platform/installed_faces.h"

namespace moji {
namespace {

constexpr char kFace[] = "IPAGothic";

/// The code blocks whose ideographs are fetched: the unified ideographs and Extension A.
constexpr std::uint32_t kIdeographRanges[][2] = {{0x4E00, 0x9FFF}, {0x3400, 0x4DBF}};

/// The font file of IPAGothic, as fontconfig lists it; empty when it is not installed.
std::string FaceFile() {
  GraphicsServices services;
  const auto fonts = FontsNamed(services.Fonts().Installed(), kFace);
  return fonts.empty() ? std::string() : fonts.front()->File;
}

/// Every code point of the ranges that the face's character map holds.
std::vector<std::uint32_t> IdeographsOf(FT_Face face) {
  std::vector<std::uint32_t> codePoints;
  for (const auto& range : kIdeographRanges) {
    for (std::uint32_t c = range[0]; c <= range[1]; ++c) {
      if (FT_Get_Char_Index(face, c) != 0) codePoints.push_back(c);
    }
  }
  return codePoints;
}

/// FreeType faces of their own for the baselines, and the ideographs to fetch.
struct Baseline {
  FT_Library Library = nullptr;
  /// Opened with FT_New_Face: FreeType maps the file.
  FT_Face MappedFace = nullptr;
  /// Opened as the program opens its faces: a stream of blocks read with pread.
  FT_Face StreamFace = nullptr;
  std::vector<std::uint32_t> Ideographs;

  Baseline() {
    const std::string file = FaceFile();
    if (file.empty() || FT_Init_FreeType(&Library) != 0 ||
        FT_New_Face(Library, file.c_str(), 0, &MappedFace) != 0) {
      std::fprintf(stderr, "acquisition_bench: %s is not installed\n", kFace);
      return;
    }
    StreamFace = OpenFaceFile(Library, file, 0);
    if (StreamFace == nullptr) {
      std::fprintf(stderr, "acquisition_bench: OpenFaceFile refused %s\n", file.c_str());
    }
    Ideographs = IdeographsOf(MappedFace);
  }
  ~Baseline() {
    if (StreamFace != nullptr) FT_Done_Face(StreamFace);
    if (MappedFace != nullptr) FT_Done_Face(MappedFace);
    if (Library != nullptr) FT_Done_FreeType(Library);
  }
};

Baseline& Fonts() {
  static Baseline baseline;
  return baseline;
}

void SetGlyphCounters(benchmark::State& state, std::size_t glyphs) {
  state.counters["glyphs"] = static_cast<double>(glyphs);
  state.counters["per_glyph"] = benchmark::Counter(
      static_cast<double>(glyphs),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Acquisition(benchmark::State& state) {
  const std::vector<std::uint32_t>& ideographs = Fonts().Ideographs;
  LOGFONTA font{};
  font.lfHeight = 32;
  font.lfCharSet = DEFAULT_CHARSET;
  std::memcpy(font.lfFaceName, kFace, sizeof kFace);
  GraphicsServices services;
  DeviceContext hdc{services};
  for (auto _ : state) {
    std::int64_t blocks = 0;
    for (const std::uint32_t c : ideographs) {
      const std::u16string text(1, static_cast<char16_t>(c));
      const GlyphOutline outline = FetchGlyphOutline(hdc, text, font);
      blocks += outline.BlockCount;
    }
    benchmark::DoNotOptimize(blocks);
  }
  SetGlyphCounters(state, ideographs.size());
}
BENCHMARK(BM_Acquisition)->Unit(benchmark::kMillisecond);

/// The baselines' work: the character map, an unscaled unhinted load, one pass over points
/// and tags of every ideograph.
void LoadAndWalk(benchmark::State& state, FT_Face face) {
  const std::vector<std::uint32_t>& ideographs = Fonts().Ideographs;
  if (face == nullptr) {
    state.SkipWithError("no face");
    return;
  }
  constexpr FT_Int32 kFlags = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
  for (auto _ : state) {
    std::int64_t sum = 0;
    for (const std::uint32_t c : ideographs) {
      if (FT_Load_Glyph(face, FT_Get_Char_Index(face, c), kFlags) != 0) continue;
      const FT_Outline& outline = face->glyph->outline;
      for (int p = 0; p < outline.n_points; ++p) {
        sum += outline.points[p].x + outline.points[p].y + (outline.tags[p] & FT_CURVE_TAG_ON);
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  SetGlyphCounters(state, ideographs.size());
}

// The fastest baseline: FreeType reading the file through its own memory mapping.
void BM_RawFreeType(benchmark::State& state) { LoadAndWalk(state, Fonts().MappedFace); }
BENCHMARK(BM_RawFreeType)->Unit(benchmark::kMillisecond);

// Like-for-like baseline: FreeType reading the file through the program's block stream.
void BM_RawFreeTypeStream(benchmark::State& state) { LoadAndWalk(state, Fonts().StreamFace); }
BENCHMARK(BM_RawFreeTypeStream)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moji

int main(int argc, char** argv) {
  return moji::bench::RunWithRatios(
      argc, argv,
      {{"acquisition/raw_freetype", "BM_Acquisition", "BM_RawFreeType", 0.0, false,
        "information: a few microseconds a keystroke; the guard is the display request's"},
       {"acquisition/raw_freetype_stream", "BM_Acquisition", "BM_RawFreeTypeStream", 0.0, false,
        "like for like: FreeType reading through the same block stream; information"},
       {"raw_freetype_stream/raw_freetype", "BM_RawFreeTypeStream", "BM_RawFreeType", 0.0, false,
        "what the block stream costs FreeType itself; information"}});
}
