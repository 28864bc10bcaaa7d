#include "cli/face_export.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
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
/// How many glyphs the engine loads at a time.
constexpr std::uint32_t kChunkGlyphs = 32;

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

/// Makes a glyph's text.
using GlyphTexts = std::function<GlyphText(std::uint32_t, const NativeGlyph&)>;

/// Glyphs [first, end) of the face in index order, each loaded with its details.
std::vector<NativeGlyph> LoadChunk(FontEngine& engine, const FontFace& face, std::uint32_t first,
                                   std::uint32_t end) {
  std::vector<NativeGlyph> chunk;
  chunk.reserve(end - first);
  for (std::uint32_t index = first; index < end; ++index) {
    chunk.push_back(engine.ConvertGlyph(face, kOutlineFontHeight, index, true));
  }
  return chunk;
}

/// Chunks of loaded glyphs on their way from the thread that loads them to the thread that
/// writes them, at most one waiting: the loader waits while one waits, the writer while none does.
class LoadedChunks {
 public:
  /// Hands over the next chunk; does nothing once the writer has stopped.
  void Put(std::vector<NativeGlyph> chunk) {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [this] { return !waiting_ || stopped_; });
    if (stopped_) return;
    waiting_ = std::move(chunk);
    filled_.notify_one();
  }
  /// The next chunk, once the loader has put it.
  std::vector<NativeGlyph> Take() {
    std::unique_lock lock(mutex_);
    filled_.wait(lock, [this] { return waiting_.has_value(); });
    std::vector<NativeGlyph> chunk = std::move(*waiting_);
    waiting_.reset();
    room_.notify_one();
    return chunk;
  }
  /// The writer takes no more: the loader ends at its next chunk.
  void Stop() {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
    room_.notify_one();
  }
  bool Stopped() {
    const std::lock_guard lock(mutex_);
    return stopped_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable room_;
  std::condition_variable filled_;
  std::optional<std::vector<NativeGlyph>> waiting_;
  bool stopped_ = false;
};

/// Loads every glyph of the face in index order and hands each one's text to `write`, which
/// returns false to stop. A thread of its own loads the glyphs, chunk by chunk, while this one
/// makes their texts and writes them: a machine's second core takes the text off the loading,
/// and one face is open, so the memory held is that of one face and a few chunks, whatever the
/// face's size. Returns the exit status.
int ForEveryGlyph(FontEngine& engine, std::string_view faceName, const GlyphTexts& texts,
                  const std::function<bool(const GlyphText&)>& write) {
  const FontFace* face = engine.Resolve(faceName);
  const std::uint32_t count = face == nullptr ? 0 : engine.GlyphCountOf(*face);
  if (count == 0) return Fail("the face cannot be read: it has no glyphs");
  LoadedChunks chunks;
  // Declared after the chunks, so that it is joined before they go.
  const std::jthread loader([&engine, face, count, &chunks] {
    for (std::uint32_t first = 0; first < count && !chunks.Stopped(); first += kChunkGlyphs) {
      chunks.Put(LoadChunk(engine, *face, first, std::min(count, first + kChunkGlyphs)));
    }
  });
  int status = 0;
  ProgressBar progress(count);
  for (std::uint32_t first = 0; first < count; first += kChunkGlyphs) {
    const std::vector<NativeGlyph> chunk = chunks.Take();
    for (std::size_t i = 0; i < chunk.size(); ++i) {
      const std::uint32_t index = first + static_cast<std::uint32_t>(i);
      if (chunk[i].Status == GlyphStatus::NoOutline) {
        progress.Interrupt();
        Warn(FailedGlyphMessage(index));
        status = 1;
      } else if (!write(texts(index, chunk[i]))) {
        chunks.Stop();
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
