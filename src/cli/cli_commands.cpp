#include "cli/cli_commands.h"

#include <QGuiApplication>
#include <QImage>
#include <QtGlobal>
#include <exception>
#include <memory>

#include "display/offscreen_display.h"
#include "display/drawing_area_font.h"
#include "display/face_walk.h"
#include "display/outline_json.h"
#include "display/svg_drawing.h"
#include "platform/installed_faces.h"
#include "platform/raster_surface.h"
#include "platform/recording_surface.h"
#include "platform/unicode_names.h"
#include "report/outline_report.h"

namespace moji {
namespace {

constexpr int kDrawingError = 1;

/// The face name a request draws from: its font file's face, the named face, or the window's
/// start-up face; nothing (the reason printed) when its font file cannot be used.
std::optional<std::string> RequestFaceName(const CommandRequest& request) {
  if (!request.FontFile) return request.Face.value_or(Utf8(kDefaultFace));
  const FontFileChoice choice = ChooseFontFileFace(*request.FontFile, request.FaceIndex);
  if (!choice.Chosen) {
    Fail(choice.Problem);
    return std::nullopt;
  }
  return choice.Chosen->FaceName;
}

/// Runs the display request of a command in the face given, with its thickness.
void Display(const CommandRequest& request, const std::string& face, OffscreenDisplay& target) {
  GlyphOutline outline;
  RunDisplayRequest(request.Character, face, request.Thickness, outline, target);
  if (const std::string missing = MissingGlyphMessage(target.Glyph()); !missing.empty()) {
    Warn(missing);
  }
}

/// The report, the outline as JSON, or the glyph's identity lines.
int Report(const CommandRequest& request, const std::string& face) {
  DeviceContext dc;
  const std::optional<FetchedGlyph> fetched = FetchDisplayedGlyph(dc, request.Character, face);
  if (!fetched) return Fail("the face name is longer than 31 bytes");
  if (const std::string missing = MissingGlyphMessage(fetched->Glyph); !missing.empty()) {
    Warn(missing);
  }
  if (request.Report == ReportForm::Text) {
    return WriteToStandardOutput(Utf8(OutlineReportText(fetched->Outline)));
  }
  if (request.Report == ReportForm::Json) {
    return WriteToStandardOutput(OutlineJson(fetched->Outline, fetched->Glyph));
  }
  std::string lines;
  for (const std::string& line : IdentityLines(fetched->Glyph)) lines += EscapedLine(line) + '\n';
  if (const std::string missing = MissingGlyphLine(fetched->Glyph); !missing.empty()) {
    lines += EscapedLine(missing) + '\n';
  }
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
  RasterSurface surface(kDrawingSide, kDrawingSide, kDrawingBackground, request.Scale);
  OffscreenDisplay display(&surface, [&surface] { surface.Clear(); }, request.Overlays,
                           [&surface](const OutlineMarks& marks) {
                             surface.DrawMarks(marks.Points, marks.Symbols, marks.Starts);
                           });
  display.SetPalette(request.Palette);
  Display(request, face, display);
  return WritePngFile(request.OutputPath, surface.Image());
}

int RenderSvg(const CommandRequest& request, const std::string& face) {
  RecordingSurface recording;
  OffscreenDisplay display(&recording, [&recording] { recording.Clear(); }, request.Overlays);
  display.SetPalette(request.Palette);
  Display(request, face, display);
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
  // Only the entries are printed: any face number would do. They are named apart from the
  // installed faces, as the window names a file opened after start-up.
  const FontFileChoice choice = ChooseFontFileFace(path, 0, InstalledFaceNames());
  if (choice.Entries.empty()) return Fail(choice.Problem);
  std::string listing;
  for (const FaceEntry& entry : choice.Entries) {
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

int RefuseCommand(const std::string& error) { return Fail(error); }

}  // namespace moji
