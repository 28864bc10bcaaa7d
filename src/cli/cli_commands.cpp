#include "cli/cli_commands.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "display/svg_drawing.h"
#include "display/display_request.h"
#include "display/drawing_area_font.h"
#include "platform/installed_faces.h"
#include "display/face_walk.h"
#include "display/file_output.h"
#include "platform/raster_surface.h"
#include "platform/recording_surface.h"

namespace moji {
namespace {

constexpr int kDrawingError = 1;

/// The drawing area and report box of a display request run without a window.
class OffscreenDisplay final : public DisplayTarget {
 public:
  /// Draws on `surface` (nothing is drawn without one); `clear` empties it.
  explicit OffscreenDisplay(DrawingSurface* surface = nullptr, std::function<void()> clear = {})
      : clear_(std::move(clear)) {
    dc_.Surface = surface;
  }

  DeviceContext& DrawingDc() override { return dc_; }
  void ShowReport(std::u16string report) override { report_ = std::move(report); }
  void ClearDrawing() override {
    if (clear_) clear_();
  }
  void RefreshDrawing() override {}
  // The command line draws single requests; the motion never runs here.
  void DrawPulseCircle(float, float, float) override {}

  /// The report of the last request.
  const std::u16string& Report() const { return report_; }

 private:
  DeviceContext dc_;
  std::function<void()> clear_;
  std::u16string report_;
};

std::string HexEscape(const char* format, unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string ControlEscape(unsigned char byte) {
  switch (byte) {
    case '\n': return "\\n";
    case '\t': return "\\t";
    case '\r': return "\\r";
    default: return HexEscape("\\x%02x", byte);
  }
}

std::string Utf8(const std::u16string& text) {
  return QString::fromStdU16String(text).toUtf8().toStdString();
}

/// Runs the display request of a command; the face defaults to the window's start-up face.
/// Names over 31 bytes were refused by the parser, so the request always runs.
void Display(const CommandRequest& request, std::int32_t penWidth, DisplayTarget& target) {
  GlyphOutline outline;
  const std::string face = request.Face.value_or(Utf8(kDefaultFace));
  RunDisplayRequest(request.Character, face, penWidth, outline, target);
}

int WriteToStandardOutput(const std::string& bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0) {
    std::fputs("moji-outline: cannot write to standard output\n", stderr);
    return kUsageError;
  }
  return 0;
}

int Report(const CommandRequest& request) {
  OffscreenDisplay display;
  Display(request, kInitialPen, display);
  return WriteToStandardOutput(Utf8(display.Report()));
}

/// The drawing area's logical 200 x 200 pixels, drawn at `Scale` device pixels per pixel.
int RenderPng(const CommandRequest& request) {
  RasterSurface surface(kDrawingSide, kDrawingSide, 0x00FFFFFF, request.Scale);
  OffscreenDisplay display(&surface, [&surface] { surface.Clear(); });
  Display(request, request.Thickness, display);
  return WritePngFile(request.OutputPath, surface.Image());
}

int RenderSvg(const CommandRequest& request) {
  RecordingSurface recording;
  OffscreenDisplay display(&recording, [&recording] { recording.Clear(); });
  Display(request, request.Thickness, display);
  const std::string svg = SvgOfDrawing(recording.Calls(), kDrawingSide, kDrawingSide);
  return WriteOutputFile(request.OutputPath, svg);
}

int Faces() {
  DeviceContext dc;
  DrawingAreaFont font(dc);
  std::string listing;
  WalkOutlineFaces(
      InstalledFaceNames(),
      [&font](const std::string& name) -> DeviceContext& {
        font.Select(name, kDrawingAreaStartsItalic);
        return font.Dc();
      },
      [&listing](const std::string& name) { listing += EscapedLine(name) + '\n'; });
  return WriteToStandardOutput(listing);
}

int Run(const CommandRequest& request) {
  switch (request.Kind) {
    case CommandKind::Help: return WriteToStandardOutput(CommandUsage());
    case CommandKind::Version: return WriteToStandardOutput("moji-outline " MOJI_VERSION "\n");
    case CommandKind::Report: return Report(request);
    case CommandKind::Render:
      return request.Format == ImageFormat::Svg ? RenderSvg(request) : RenderPng(request);
    case CommandKind::Faces: return Faces();
    case CommandKind::Window: break;
  }
  return kUsageError;
}

}  // namespace

int RunCommand(const CommandRequest& request) {
  try {
    return Run(request);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "moji-outline: %s\n", error.what());
    return kDrawingError;
  }
}

int WriteOutputFile(const std::string& path, std::string_view bytes) {
  const std::string failure = SaveFile(path, bytes);
  if (failure.empty()) return 0;
  std::fprintf(stderr, "moji-outline: cannot write %s: %s\n", EscapedLine(path).c_str(),
               failure.c_str());
  return kUsageError;
}

int WritePngFile(const std::string& path, const QImage& image) {
  const std::optional<std::string> png = PngBytes(image);
  if (!png) {
    std::fputs("moji-outline: cannot encode the picture as PNG\n", stderr);
    return kUsageError;
  }
  return WriteOutputFile(path, *png);
}

std::string EscapedLine(std::string_view name) {
  std::string line;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    const auto next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
    if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {  // a C1 control character
      line += HexEscape("\\u%04x", next);
      ++i;
    } else if (byte == '\\') {
      line += "\\\\";
    } else if (byte < 0x20 || byte == 0x7F) {
      line += ControlEscape(byte);
    } else {
      line += static_cast<char>(byte);
    }
  }
  return line;
}

int RefuseCommand(const std::string& error) {
  std::fprintf(stderr, "moji-outline: %s (see moji-outline --help)\n", EscapedLine(error).c_str());
  return kUsageError;
}

}  // namespace moji
