#include "cli/cli_commands.h"

#include <sys/stat.h>

#include <QGuiApplication>
#include <QImage>
#include <QtGlobal>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

#include "cli/offscreen_display.h"
#include "display/drawing_area_font.h"
#include "display/face_walk.h"
#include "display/glyph_outline_fetch.h"
#include "display/outline_json.h"
#include "display/svg_drawing.h"
#include "platform/font_engine.h"
#include "platform/installed_faces.h"
#include "platform/raster_surface.h"
#include "platform/recording_surface.h"
#include "platform/unicode_names.h"

namespace moji {
namespace {

constexpr int kDrawingError = 1;

/// The face name a request draws from: its font file's face, the named face, or the window's
/// start-up face; nothing (the reason printed) when its font file cannot be used.
std::optional<std::string> RequestFaceName(const CommandRequest& request) {
  if (!request.FontFile) return request.Face.value_or(Utf8(kDefaultFace));
  FontFileFace face = FaceOfFontFile(*request.FontFile, request.FaceIndex);
  if (!face.FaceName) Fail(face.Problem);
  return face.FaceName;
}

/// Runs the display request of a command in the face given.
void Display(const CommandRequest& request, const std::string& face, std::int32_t penWidth,
             DisplayTarget& target) {
  GlyphOutline outline;
  RunDisplayRequest(request.Character, face, penWidth, outline, target);
}

/// The report, the outline as JSON, or the glyph's identity lines.
int Report(const CommandRequest& request, const std::string& face) {
  if (request.Report == ReportForm::Text) {
    OffscreenDisplay display;
    Display(request, face, kInitialPen, display);
    return WriteToStandardOutput(Utf8(display.Report()));
  }
  DeviceContext dc;
  std::optional<GlyphDetails> details;
  const GlyphOutline outline =
      FetchGlyphOutline(dc, request.Character, *OutlineRequestFont(face), &details);
  const DisplayedGlyph glyph = DescribeDisplayedGlyph(request.Character, std::move(details));
  if (request.Report == ReportForm::Json) return WriteToStandardOutput(OutlineJson(outline, glyph));
  std::string lines;
  for (const std::string& line : IdentityLines(glyph)) lines += EscapedLine(line) + '\n';
  return WriteToStandardOutput(lines);
}

/// The application Qt needs to lay out text, for the numbers beside the points: on the
/// offscreen platform, since the command line never uses a display. None when one exists.
std::unique_ptr<QGuiApplication> TextApplication() {
  if (QGuiApplication::instance() != nullptr) return nullptr;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "moji-outline";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

/// The drawing area's logical 200 x 200 pixels, drawn at `Scale` device pixels per pixel.
int RenderPng(const CommandRequest& request, const std::string& face) {
  const auto application = request.Overlays.Numbers ? TextApplication() : nullptr;
  RasterSurface surface(kDrawingSide, kDrawingSide, 0x00FFFFFF, request.Scale);
  OffscreenDisplay display(&surface, [&surface] { surface.Clear(); }, request.Overlays,
                           [&surface](const OutlineMarks& marks) {
                             surface.DrawMarks(marks.Points, marks.Symbols, marks.Starts);
                           });
  Display(request, face, request.Thickness, display);
  return WritePngFile(request.OutputPath, surface.Image());
}

int RenderSvg(const CommandRequest& request, const std::string& face) {
  RecordingSurface recording;
  OffscreenDisplay display(&recording, [&recording] { recording.Clear(); }, request.Overlays);
  Display(request, face, request.Thickness, display);
  const std::string svg = SvgOfDrawing(recording.Calls(), kDrawingSide, kDrawingSide,
                                       display.Marks(), &display.Glyph());
  return WriteOutputFile(request.OutputPath, svg);
}

/// The installed outline faces, as the window's face list shows them.
int InstalledFaces() {
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

/// The faces of a font file, one line each: its index, then its name.
int FontFileFaces(const std::string& path) {
  const FontFileFace first = FaceOfFontFile(path, 0);
  if (!first.FaceName) return Fail(first.Problem);
  std::string listing;
  for (const FaceEntry& entry : FontFileEntries(path)) {
    listing += std::to_string(entry.Index) + " " + EscapedLine(entry.Name) + '\n';
  }
  return WriteToStandardOutput(listing);
}

int Run(const CommandRequest& request) {
  if (request.Kind == CommandKind::Help) return WriteToStandardOutput(CommandUsage());
  if (request.Kind == CommandKind::Version) {
    return WriteToStandardOutput("moji-outline " MOJI_VERSION "\n");
  }
  if (request.Kind == CommandKind::Faces) {
    return request.FontFile ? FontFileFaces(*request.FontFile) : InstalledFaces();
  }
  const std::optional<std::string> face = RequestFaceName(request);
  if (!face) return kUsageError;
  if (request.Kind == CommandKind::Report) return Report(request, *face);
  return request.Format == ImageFormat::Svg ? RenderSvg(request, *face) : RenderPng(request, *face);
}

/// Qt's own messages (warnings of its platform plugins) are not the command's: the command
/// line writes its results and its one-line failures only.
void QuietQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

int RunCommand(const CommandRequest& request) {
  qInstallMessageHandler(QuietQtMessages);
  try {
    return Run(request);
  } catch (const std::exception& error) {
    Fail(error.what());
    return kDrawingError;
  }
}

int RefuseCommand(const std::string& error) { return Fail(error + " (see moji-outline --help)"); }

FontFileFace FaceOfFontFile(const std::string& path, int index) {
  struct stat status{};
  if (stat(path.c_str(), &status) != 0) return {std::nullopt, "cannot open " + path + ": " + std::strerror(errno)};
  if (S_ISDIR(status.st_mode)) return {std::nullopt, "cannot open " + path + ": " + std::strerror(EISDIR)};
  const std::size_t faces = FontsOfFile(path).size();
  if (faces == 0) return {std::nullopt, path + " is no font with TrueType or CFF outlines"};
  std::string name = FontFileFaceName(path, index);
  if (name.empty()) {
    return {std::nullopt, path + " has " + std::to_string(faces) + " face" + (faces > 1 ? "s" : "") +
                              ", from index 0: no face " + std::to_string(index)};
  }
  return {std::move(name), {}};
}

}  // namespace moji
