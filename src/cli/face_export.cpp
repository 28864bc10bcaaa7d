#include "cli/face_export.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <deque>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <span>
#include <system_error>

#include "cli/command_output.h"
#include "display/display_request.h"
#include "display/outline_json.h"
#include "inspect/font_unit_outline.h"
#include "inspect/outline_svg.h"
#include "model/outline_visit.h"
#include "native/native_reader.h"

namespace moji {
namespace {

/// What standard output collects before it is written: far less than a face, far more than a line.
constexpr std::size_t kOutputChunk = 1 << 16;
/// How many glyphs an engine converts at a time.
constexpr std::uint32_t kChunkGlyphs = 256;

/// A bar on standard error that shows how far the glyphs have come, drawn only when standard
/// error is a terminal, and over again at most every `kStep` glyphs.
class ProgressBar {
 public:
  explicit ProgressBar(std::uint32_t total) : total_(total), shown_(isatty(STDERR_FILENO) == 1) {}
  ~ProgressBar() {
    if (drawn_) std::fputs("\n", stderr);
  }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Advance(std::uint32_t done) {
    if (!shown_ || (done % kStep != 0 && done != total_)) return;
    constexpr int kWidth = 40;
    const int filled = total_ == 0 ? kWidth : static_cast<int>(std::uint64_t{done} * kWidth / total_);
    std::fprintf(stderr, "\r[%.*s%*s] %u/%u", filled, "########################################",
                 kWidth - filled, "", done, total_);
    drawn_ = true;
  }
  /// Makes room for a line of its own on standard error.
  void Interrupt() {
    if (drawn_) std::fputs("\r\033[K", stderr);
  }

 private:
  static constexpr std::uint32_t kStep = 64;
  std::uint32_t total_;
  bool shown_;
  bool drawn_ = false;
};

/// Writes at `at` the shortest text that reads back as the number (a whole one as an integer,
/// which is far quicker); returns where it ends.
char* WriteNumber(char* at, char* end, double value) {
  const bool whole = value >= -1e9 && value <= 1e9 && value == static_cast<double>(static_cast<std::int32_t>(value));
  return whole ? std::to_chars(at, end, static_cast<std::int32_t>(value)).ptr : std::to_chars(at, end, value).ptr;
}

/// Appends the number as WriteNumber writes it.
void AppendNumber(std::string& out, double value) {
  char text[32];
  out.append(text, WriteNumber(text, text + sizeof text, value));
}

/// Appends [x,y,number] of the next point's source, written in one piece: a face has millions.
void AppendPoint(std::string& out, std::span<const PointSource> sources, std::size_t& next) {
  const PointSource source = next < sources.size() ? sources[next] : PointSource{};
  ++next;
  char text[3 * 32 + 4];
  char* const end = text + sizeof text;
  char* at = text;
  *at++ = '[';
  at = WriteNumber(at, end, source.X);
  *at++ = ',';
  at = WriteNumber(at, end, source.Y);
  *at++ = ',';
  at = WriteNumber(at, end, source.Number);
  *at++ = ']';
  out.append(text, at);
}

/// Appends the blocks of the glyph's outline with every point at its source's place.
void AppendBlocks(std::string& out, const NativeGlyph& glyph) {
  const GlyphOutline outline = WalkNativeOutline(glyph.Bytes, 1.0f / kOutlineFontHeight, {});
  std::size_t next = 0;
  out += '[';
  for (const OutlineBlock& block : Counted(outline.Blocks, outline.BlockCount)) {
    out += next == 0 ? "{\"start\":" : ",{\"start\":";
    AppendPoint(out, glyph.Sources, next);
    out += ",\"curves\":[";
    bool first = true;
    for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) {
      out += first ? "{\"type\":" : ",{\"type\":";
      AppendNumber(out, curve.CurveType);
      out += ",\"points\":[";
      for (std::size_t p = 0; p < Counted(curve.Points, curve.PointCount).size(); ++p) {
        if (p > 0) out += ',';
        AppendPoint(out, glyph.Sources, next);
      }
      out += "]}";
      first = false;
    }
    out += "]}";
  }
  out += ']';
}

std::string CodePointsJson(const std::vector<std::uint32_t>& codePoints) {
  std::string json = "[";
  for (const std::uint32_t codePoint : codePoints) {
    json += (json.size() > 1 ? "," : "") + std::to_string(codePoint);
  }
  return json + "]";
}

/// One line for a glyph that cannot be loaded.
std::string FailedGlyphMessage(std::uint32_t glyphIndex) {
  return "glyph " + std::to_string(glyphIndex) + " cannot be loaded; the others go on";
}

/// What one glyph gives to be written: the name of its file (for render) and its text.
struct GlyphText {
  std::string Name;
  std::string Text;
};

/// Makes a glyph's text. It runs on the threads that convert glyphs: it may touch nothing shared.
using GlyphTexts = std::function<GlyphText(std::uint32_t, const NativeGlyph&)>;

/// Glyphs [first, end) of the face in index order, each loaded with its details and made into
/// its text; nothing for a glyph that cannot be loaded.
std::vector<std::optional<GlyphText>> ConvertChunk(FontEngine& engine, const FontFace& face, std::uint32_t first,
                                                   std::uint32_t end, const GlyphTexts& texts) {
  std::vector<std::optional<GlyphText>> chunk;
  for (std::uint32_t index = first; index < end; ++index) {
    const NativeGlyph glyph = engine.ConvertGlyph(face, kOutlineFontHeight, index, true);
    chunk.push_back(glyph.Status == GlyphStatus::NoOutline ? std::nullopt
                                                           : std::optional(texts(index, glyph)));
  }
  return chunk;
}

/// The face in a second engine: the same file, index and coordinates; nullptr where it cannot
/// be named so.
const FontFace* SameFaceIn(FontEngine& second, FontEngine& first, const FontFace& face) {
  FaceVariation variation;
  if (!face.Coordinates.empty()) {
    for (const AxisPosition& position : AxisPositionsOf(first.VariationsOf(face), face.Coordinates)) {
      variation.Axes.push_back({position.Axis.Tag, position.Value});
    }
  }
  const FontFace* same = second.Resolve(second.FaceNameOf(FaceIdentity::File(face.File, face.Index).WithVariation(variation)));
  return same != nullptr && same->Coordinates == face.Coordinates ? same : nullptr;
}

/// Loads every glyph of the face in index order and hands each one's text to `write`, which
/// returns false to stop. Two engines, each on a thread of its own, convert alternate chunks of
/// glyphs at once (a machine's second core halves the time); the chunks are written in index
/// order as they come, so at most three are held. Returns the exit status.
int ForEveryGlyph(FontEngine& engine, std::string_view faceName, const GlyphTexts& texts,
                  const std::function<bool(const GlyphText&)>& write) {
  const FontFace* face = engine.Resolve(faceName);
  const std::uint32_t count = face == nullptr ? 0 : engine.GlyphCountOf(*face);
  if (count == 0) return Fail("the face cannot be read: it has no glyphs");
  FontEngine second;
  const FontFace* secondFace = SameFaceIn(second, engine, *face);
  // Without a second engine's face, one engine converts every chunk, one after another.
  const std::launch policy = secondFace != nullptr ? std::launch::async : std::launch::deferred;
  FontEngine* const engines[] = {&engine, secondFace != nullptr ? &second : &engine};
  const FontFace* const faces[] = {face, secondFace != nullptr ? secondFace : face};
  const std::uint32_t chunks = (count + kChunkGlyphs - 1) / kChunkGlyphs;
  const auto start = [&](std::uint32_t chunk) {
    const std::uint32_t first = chunk * kChunkGlyphs;
    const std::uint32_t end = std::min(count, first + kChunkGlyphs);
    FontEngine* const chunkEngine = engines[chunk % 2];
    const FontFace* const chunkFace = faces[chunk % 2];
    return std::async(policy, [chunkEngine, chunkFace, first, end, &texts] {
      return ConvertChunk(*chunkEngine, *chunkFace, first, end, texts);
    });
  };
  std::deque<std::future<std::vector<std::optional<GlyphText>>>> running;
  for (std::uint32_t chunk = 0; chunk < std::min<std::uint32_t>(chunks, 2); ++chunk) running.push_back(start(chunk));
  int status = 0;
  ProgressBar progress(count);
  for (std::uint32_t chunk = 0; chunk < chunks; ++chunk) {
    const std::vector<std::optional<GlyphText>> done = running.front().get();
    running.pop_front();
    // The engine of this chunk is free again: it takes the chunk after the next.
    if (chunk + 2 < chunks) running.push_back(start(chunk + 2));
    for (std::size_t i = 0; i < done.size(); ++i) {
      const std::uint32_t index = chunk * kChunkGlyphs + static_cast<std::uint32_t>(i);
      if (!done[i]) {
        progress.Interrupt();
        Warn(FailedGlyphMessage(index));
        status = 1;
      } else if (!write(*done[i])) {
        return kUsageError;
      }
      progress.Advance(index + 1);
    }
  }
  return status;
}

/// Appends GlyphDataLine's line to `out`.
void AppendGlyphData(std::string& out, std::uint32_t glyphIndex, const NativeGlyph& glyph) {
  out += "{\"index\":";
  AppendNumber(out, glyphIndex);
  out += ",\"name\":";
  out += JsonString(glyph.GlyphName);
  out += ",\"codePoints\":";
  out += CodePointsJson(glyph.CodePoints);
  out += ",\"components\":";
  out += glyph.Components.empty() ? std::string("[]") : ComponentsJson(glyph.Components);
  out += ",\"advance\":";
  AppendNumber(out, static_cast<double>(glyph.Units.AdvanceWidth));
  out += ",\"blocks\":";
  AppendBlocks(out, glyph);
  out += "}\n";
}

}  // namespace

std::string GlyphDataLine(std::uint32_t glyphIndex, const NativeGlyph& glyph) {
  std::string line;
  AppendGlyphData(line, glyphIndex, glyph);
  return line;
}

std::string GlyphFileName(std::uint32_t glyphIndex, const std::string& glyphName) {
  char number[16];
  std::snprintf(number, sizeof number, "%05u", static_cast<unsigned>(glyphIndex));
  std::string name = number;
  if (!glyphName.empty()) name += '-';
  for (const char c : glyphName) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '.' || c == '_' || c == '-';
    name += plain ? c : '_';
  }
  return name + ".svg";
}

int ReportEveryGlyph(FontEngine& engine, std::string_view faceName) {
  std::string pending;
  const GlyphTexts line = [](std::uint32_t index, const NativeGlyph& glyph) {
    return GlyphText{{}, GlyphDataLine(index, glyph)};
  };
  const int status = ForEveryGlyph(engine, faceName, line, [&pending](const GlyphText& glyph) {
    pending += glyph.Text;
    if (pending.size() < kOutputChunk) return true;
    const bool written = WriteToStandardOutput(pending) == 0;
    pending.clear();
    return written;
  });
  if (status == kUsageError) return status;
  return WriteToStandardOutput(pending) == 0 ? status : kUsageError;
}

int RenderEveryGlyph(FontEngine& engine, std::string_view faceName, const CommandRequest& request) {
  const std::filesystem::path folder(request.OutputDir);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return Fail("cannot make the folder " + request.OutputDir + ": " + error.message());
  const FontFace* face = engine.Resolve(faceName);
  const std::string family = face == nullptr ? std::string() : face->FamilyName;
  const DrawingStyle style = request.Style;
  const GlyphTexts svg = [family, style](std::uint32_t index, const NativeGlyph& glyph) {
    const GlyphOutline outline = WalkNativeOutline(glyph.Bytes, 1.0f / kOutlineFontHeight, {});
    const GlyphOutline units = OutlineInFontUnits(outline, glyph.Sources, glyph.CellUnits());
    const std::string title = "グリフ " + std::to_string(index) + " " + glyph.GlyphName + " — " +
                              (family.empty() ? glyph.Family : family);
    return GlyphText{GlyphFileName(index, glyph.GlyphName),
                     OutlineSvgInFontUnits(units, style, static_cast<double>(glyph.Units.AdvanceWidth), title)};
  };
  return ForEveryGlyph(engine, faceName, svg, [&folder](const GlyphText& glyph) {
    return WriteOutputFile((folder / glyph.Name).string(), glyph.Text) == 0;
  });
}

}  // namespace moji
