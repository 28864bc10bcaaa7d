#include "cli/cli_commands.h"

#include <QByteArray>
#include <QImage>
#include <QSaveFile>
#include <QString>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "cli/svg_drawing.h"
#include "platform/raster_surface.h"
#include "platform/recording_surface.h"
#include "window/display_request.h"
#include "window/drawing_area_font.h"
#include "window/screen_font_list.h"
#include "window/true_type_faces.h"

namespace moji {
namespace {

constexpr int kUsageError = 2;
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

std::string Utf8(const std::u16string& text) {
  return QString::fromStdU16String(text).toUtf8().toStdString();
}

std::u16string Utf16(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdU16String();
}

/// Runs the display request of a command; the face defaults to the window's start-up face.
/// Names over 31 bytes were refused by the parser, so the request always runs.
void Display(const CommandRequest& request, std::int32_t penWidth, DisplayTarget& target) {
  GlyphOutline outline;
  const std::string face = request.Face.value_or(Utf8(kDefaultFace));
  RunDisplayRequest(Utf16(request.Character), face, penWidth, outline, target);
}

int WriteToStandardOutput(const std::string& bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0) {
    std::fputs("moji-outline: cannot write to standard output\n", stderr);
    return kUsageError;
  }
  return 0;
}

/// Writes the file through a temporary file in its folder that is renamed over it at the end,
/// so a failure leaves no file behind (and an existing file as it was).
int WriteFile(const std::string& path, const std::function<bool(QSaveFile&)>& write) {
  QSaveFile file(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
  if (file.open(QIODevice::WriteOnly) && write(file) && file.commit()) return 0;
  std::fprintf(stderr, "moji-outline: cannot write %s: %s\n", path.c_str(),
               qUtf8Printable(file.errorString()));
  return kUsageError;
}

int Report(const CommandRequest& request) {
  OffscreenDisplay display;
  Display(request, kInitialPen, display);
  return WriteToStandardOutput(Utf8(display.Report()));
}

int RenderPng(const CommandRequest& request) {
  RasterSurface surface(kDrawingSide, kDrawingSide);
  OffscreenDisplay display(&surface, [&surface] { surface.Clear(); });
  Display(request, request.Thickness, display);
  // The picture is opaque, so dropping the alpha channel keeps every pixel.
  const QImage image = surface.Image().convertToFormat(QImage::Format_RGB32);
  return WriteFile(request.OutputPath,
                   [&image](QSaveFile& file) { return image.save(&file, "PNG"); });
}

int RenderSvg(const CommandRequest& request) {
  RecordingSurface recording;
  OffscreenDisplay display(&recording, [&recording] { recording.Clear(); });
  Display(request, request.Thickness, display);
  const std::string svg = SvgOfDrawing(recording.Calls(), kDrawingSide, kDrawingSide);
  return WriteFile(request.OutputPath, [&svg](QSaveFile& file) {
    return file.write(svg.data(), static_cast<qint64>(svg.size())) ==
           static_cast<qint64>(svg.size());
  });
}

int Faces() {
  InstalledScreenFonts faces;
  DeviceContext dc;
  DrawingAreaFont font(dc);
  std::string listing;
  WalkTrueTypeFaces(
      faces.Count(), [&faces](std::int32_t index) { return faces.Name(index).toStdString(); },
      [&font](const std::string& name) -> DeviceContext& {
        font.Select(name, kDrawingAreaStartsItalic);
        return font.Dc();
      },
      [&listing](const std::string& name) { listing += name + '\n'; });
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

int RefuseCommand(const std::string& error) {
  std::fprintf(stderr, "moji-outline: %s (see moji-outline --help)\n", error.c_str());
  return kUsageError;
}

}  // namespace moji
