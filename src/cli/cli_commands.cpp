#include "cli/cli_commands.h"

#include <QGuiApplication>
#include <QtGlobal>
#include <exception>
#include <memory>
#include <optional>

#include "cli/pixel_report.h"
#include "display/drawing_area_font.h"
#include "display/face_list.h"
#include "display/outline_json.h"
#include "display/picture_file.h"
#include "platform/graphics_services.h"
#include "platform/installed_faces.h"
#include "platform/raster_surface.h"
#include "platform/unicode_names.h"
#include "report/outline_report.h"

namespace moji {
namespace {

constexpr int kDrawingError = 1;

/// The application Qt needs to lay out text, for the numbers beside the points: on the
/// offscreen platform, since the command line never uses a display. Its arguments live as long
/// as it does.
struct TextApplication {
  TextApplication() { qputenv("QT_QPA_PLATFORM", "offscreen"); }
  int ArgumentCount = 1;
  char Name[13] = "moji-outline";
  char* Arguments[2] = {Name, nullptr};
  QGuiApplication Application{ArgumentCount, Arguments};
};

/// The installed faces as the window's face list holds them after its font walk.
FaceList InstalledFaceList(GraphicsServices& services) {
  DeviceContext dc{services};
  DrawingAreaFont font(dc);
  FaceList faces;
  faces.WalkInstalledFaces(FaceNamesOf(services.Fonts().Installed()),
                           [&font](const std::string& name) -> DeviceContext& {
                             font.Select(name, kDrawingAreaStartsItalic);
                             return font.Dc();
                           });
  return faces;
}

/// The face list with the face the command asks for current: its font file's face, the named
/// face, or the window's start-up face; nothing (the reason printed) when its font file cannot
/// be used.
std::optional<FaceList> RequestedFaces(GraphicsServices& services, const CommandRequest& request) {
  FaceList faces = InstalledFaceList(services);
  if (!request.FontFile) {
    faces.ChooseFaceName(services.Fonts(), request.Face.value_or(Utf8(kDefaultFace)));
    return faces;
  }
  const FontFileChoice choice = faces.ReadFontFile(services.Fonts(), *request.FontFile, request.FaceIndex);
  if (!choice.Chosen) {
    Fail(choice.Problem);
    return std::nullopt;
  }
  faces.AddFontFile(choice);
  return faces;
}

/// Fetches the command's character in the face drawn from, saying where the face lacks its glyph.
FetchedGlyph Fetch(GraphicsServices& services, const CommandRequest& request,
                   const std::string& faceName) {
  DeviceContext dc{services};
  // The face name fits: it comes from the face list, or the parser has checked it.
  FetchedGlyph fetched = FetchForDisplay(dc, request.Character, faceName).value_or(FetchedGlyph{});
  if (const std::string missing = MissingGlyphMessage(fetched.Glyph); !missing.empty()) Warn(missing);
  return fetched;
}

/// The report, the outline as JSON, or the glyph's identity lines.
int Report(const FetchedGlyph& fetched, ReportForm form) {
  if (form == ReportForm::Text) return WriteToStandardOutput(Utf8(OutlineReportText(fetched.Outline)));
  if (form == ReportForm::Json) return WriteToStandardOutput(OutlineJson(fetched.Outline, fetched.Glyph));
  std::string lines;
  for (const std::string& line : IdentityLines(fetched.Glyph)) lines += EscapedLine(line) + '\n';
  if (const std::string missing = MissingGlyphLine(fetched.Glyph); !missing.empty()) {
    lines += EscapedLine(missing) + '\n';
  }
  return WriteToStandardOutput(lines);
}

/// The drawing area as PNG (at `Scale` device pixels per pixel) or SVG.
int Render(GraphicsServices& services, const CommandRequest& request, const FetchedGlyph& fetched) {
  const bool png = request.Format == ImageFormat::Png;
  const std::optional<TextApplication> application =
      png && request.Style.Overlays.Numbers && QGuiApplication::instance() == nullptr
          ? std::make_optional<TextApplication>()
          : std::nullopt;
  const std::optional<std::string> bytes = PictureBytes(
      services, fetched.Placed, fetched.Glyph, {request.Format, request.Scale, request.Style},
      [](double ratio) {
        return std::make_unique<RasterSurface>(kDrawingSide, kDrawingSide, kDrawingBackground, ratio);
      });
  if (!bytes) return Fail("cannot encode the picture as PNG");
  return WriteOutputFile(request.OutputPath, *bytes);
}

/// The face list, one line each: the installed faces as the window lists them; with a font
/// file, that file's faces, each as its index, then its name (named apart from the installed
/// faces, as the window names a file opened after start-up).
int Faces(GraphicsServices& services, const CommandRequest& request) {
  const FaceList faces = InstalledFaceList(services);
  std::string listing;
  if (!request.FontFile) {
    for (const FaceEntry& entry : faces.Entries()) listing += EscapedLine(entry.Name) + '\n';
    return WriteToStandardOutput(listing);
  }
  // Only the entries are printed: any face number would do.
  const FontFileChoice choice = faces.ReadFontFile(services.Fonts(), *request.FontFile, 0);
  if (choice.Entries.empty()) return Fail(choice.Problem);
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
  GraphicsServices services;
  if (request.Kind == CommandKind::Faces) return Faces(services, request);
  const std::optional<FaceList> faces = RequestedFaces(services, request);
  if (!faces) return kUsageError;
  const FetchedGlyph fetched = Fetch(services, request, faces->CurrentFaceName());
  if (request.Kind == CommandKind::Report && request.Pixels) {
    return ReportAtSize(services.Fonts(), faces->CurrentFaceName(), request, fetched);
  }
  if (request.Kind == CommandKind::Report) return Report(fetched, request.Report);
  return Render(services, request, fetched);
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
