#include "cli/cli_commands.h"

#include <QGuiApplication>
#include <QtGlobal>
#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>

#include "cli/face_export.h"
#include "cli/pixel_report.h"
#include "display/drawing_area_font.h"
#include "display/face_choice.h"
#include "display/face_list.h"
#include "display/glyph_request.h"
#include "display/outline_json.h"
#include "display/file_output.h"
#include "display/picture_file.h"
#include "inspect/construction_scene.h"
#include "inspect/inspector_picture.h"
#include "inspect/outline_svg.h"
#include "platform/graphics_services.h"
#include "platform/installed_faces.h"
#include "platform/raster_canvas.h"
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
  /// Set before the application is made, which it reads.
  bool Offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
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
/// face, or the window's start-up face, in the style, instance and axis values asked for;
/// nothing (the reason printed) when its font file cannot be used or the face lacks them.
std::optional<FaceList> RequestedFaces(GraphicsServices& services, const CommandRequest& request) {
  FaceList faces = InstalledFaceList(services);
  FontEngine& engine = services.Fonts();
  std::optional<FaceIdentity> base;
  if (!request.FontFile) {
    faces.ChooseFaceName(engine, request.Face.value_or(Utf8(kDefaultFace)));
    base = FaceIdentity::Installed(request.Face.value_or(Utf8(kDefaultFace)));
  } else {
    const FontFileChoice choice = faces.ReadFontFile(engine, *request.FontFile, request.FaceIndex);
    if (!choice.Chosen) {
      Fail(choice.Problem);
      return std::nullopt;
    }
    faces.AddFontFile(choice);
    base = choice.Chosen->Face;
  }
  if (request.Within == WithinFamily{}) return faces;
  const FaceChoice chosen = ChooseWithinFamily(engine, *base, request.Within);
  if (!chosen.Face) {
    Fail(chosen.Problem);
    return std::nullopt;
  }
  faces.ChooseFaceName(engine, engine.FaceNameOf(*chosen.Face));
  return faces;
}

/// Fetches the command's character in the face drawn from, saying where the face lacks its glyph.
FetchedGlyph Fetch(GraphicsServices& services, const CommandRequest& request,
                   const std::string& faceName) {
  DeviceContext dc{services};
  // The face name fits: it comes from the face list, or the parser has checked it.
  const GlyphRequest asked{request.Character, request.GlyphIndex, request.Vertical};
  FetchedGlyph fetched = FetchRequestForDisplay(dc, asked, faceName).value_or(FetchedGlyph{});
  if (const std::string missing = MissingGlyphMessage(fetched.Glyph); !missing.empty()) Warn(missing);
  return fetched;
}

/// Why the glyph index asked for is none of the face's: the face's glyph count; empty when it
/// is one (or none is asked for).
std::string GlyphIndexOutside(FontEngine& engine, const std::string& faceName,
                              const CommandRequest& request) {
  const std::uint32_t count = GlyphCountOfFace(engine, faceName);
  if (!request.GlyphIndex || *request.GlyphIndex < count) return {};
  return "glyph index " + std::to_string(*request.GlyphIndex) + " is outside the face: it has " +
         std::to_string(count) + " glyphs" + (count == 0 ? "" : " (0 to " + std::to_string(count - 1) + ")");
}

/// The report, the outline as JSON, or the glyph's identity lines.
int Report(const FetchedGlyph& fetched, ReportForm form) {
  if (form == ReportForm::Text) return WriteToStandardOutput(Utf8(OutlineReportText(fetched.Outline)));
  if (form == ReportForm::Json) return WriteToStandardOutput(OutlineJson(fetched.Outline, fetched.Glyph));
  if (form == ReportForm::Steps) return WriteToStandardOutput(StepLines(LessonOfGlyph(fetched)));
  std::string lines;
  for (const std::string& line : IdentityLines(fetched.Glyph)) lines += EscapedLine(line) + '\n';
  if (const std::string missing = MissingGlyphLine(fetched.Glyph); !missing.empty()) {
    lines += EscapedLine(missing) + '\n';
  }
  return WriteToStandardOutput(lines);
}

/// The glyph at a size hinted as asked, in the large view's scene; says where hinting failed.
PixelScene HintedScene(GraphicsServices& services, const CommandRequest& request, const FetchedGlyph& fetched,
                       const HintingRequest& pixels) {
  const HintedGlyph glyph = HintedGlyphOf(services.Fonts(), fetched, pixels);
  if (glyph.HintingFailed) Warn(FailedHintingMessage(glyph, fetched.Glyph));
  return PixelSceneOf(glyph, fetched, request.Style, request.PixelViewLayers);
}

/// The large view at a size in pixels: the glyph hinted as asked, fitted into the square; with
/// --beside, a second square on the right with the glyph hinted so.
std::optional<std::string> PixelViewBytes(GraphicsServices& services, const CommandRequest& request,
                                          const FetchedGlyph& fetched, const HintingRequest& pixels) {
  const PixelScene scene = HintedScene(services, request, fetched, pixels);
  std::optional<PixelScene> beside;
  if (request.Beside) beside = HintedScene(services, request, fetched, *request.Beside);
  const int side = request.ViewSide;
  const ViewTransform view = FitView(PixelFittedBox(scene), side, side, FitMargin(side, side));
  return PixelPictureBytes(scene, beside ? &*beside : nullptr, view, beside ? 2 * side : side, side, request.Scale,
                           request.Format == ImageFormat::Svg, PictureTitle(fetched.Glyph), PngOfDrawing);
}

/// A picture after some steps of the construction.
struct AfterSteps {
  const ConstructionLesson& Lesson;
  std::size_t Done = 0;
};

/// The large view of the glyph fitted into a square of the size asked for (after the steps,
/// where given), or the outline alone in font units.
std::optional<std::string> InspectorBytes(GraphicsServices& services, const CommandRequest& request,
                                          const FetchedGlyph& fetched, const AfterSteps* steps) {
  const InspectorScene scene = SceneOfGlyph(fetched, request.Style, request.Layers);
  const std::string title = PictureTitle(fetched.Glyph);
  if (request.View == RenderView::FontUnits) {
    return OutlineSvgInFontUnits(scene.Outline, request.Style, scene.Metrics.AdvanceWidth.value_or(0), title);
  }
  const int side = request.ViewSide;
  if (request.Pixels) return PixelViewBytes(services, request, fetched, *request.Pixels);
  const ViewTransform view = FitView(FittedBox(scene), side, side, FitMargin(side, side));
  if (steps != nullptr) {
    return ConstructionPictureBytes(scene, view, steps->Lesson, {steps->Done, false}, side, side, request.Scale,
                                    request.Format == ImageFormat::Svg, title, PngOfDrawing);
  }
  return InspectorPictureBytes(scene, view, side, side, request.Scale, request.Format, title, PngOfDrawing);
}

/// The picture render writes: the drawing area as PNG (at `Scale` device pixels per pixel) or
/// SVG, or the large view; after the steps, where given.
std::optional<std::string> PictureOf(GraphicsServices& services, const CommandRequest& request,
                                     const FetchedGlyph& fetched, const AfterSteps* steps) {
  if (request.View != RenderView::Drawing) return InspectorBytes(services, request, fetched, steps);
  DrawingStyle style = request.Style;
  if (steps != nullptr) style.Part = PartAfterSteps(steps->Lesson.Steps, steps->Done);
  return PictureBytes(services, fetched.Placed, fetched.Glyph, {request.Format, request.Scale, style},
                      [](double ratio) {
                        return std::make_unique<RasterSurface>(kDrawingSide, kDrawingSide,
                                                               kDrawingBackground, ratio);
                      });
}

/// The name of step `step`'s picture: its number, at least four digits, and the format's suffix.
std::string StepFileName(std::size_t step, std::size_t count, ImageFormat format) {
  const std::size_t digits = std::max<std::size_t>(4, std::to_string(count).size());
  std::string number = std::to_string(step);
  number.insert(0, digits - number.size(), '0');
  return number + (format == ImageFormat::Svg ? ".svg" : ".png");
}

/// One picture per step in the folder, each written whole, then the index of their sentences.
int WriteSteps(GraphicsServices& services, const CommandRequest& request, const FetchedGlyph& fetched,
               const ConstructionLesson& lesson) {
  const std::filesystem::path folder = std::filesystem::u8path(*request.StepsDir);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return Fail("cannot make the folder " + *request.StepsDir + ": " + error.message());
  std::string index;
  const std::size_t count = lesson.Steps.size();
  for (std::size_t step = 1; step <= count; ++step) {
    const std::string name = StepFileName(step, count, request.Format);
    const AfterSteps after{lesson, step};
    const std::optional<std::string> bytes = PictureOf(services, request, fetched, &after);
    if (!bytes) return Fail("cannot encode the picture as PNG");
    const std::string problem = SaveFile((folder / name).string(), *bytes);
    if (!problem.empty()) return Fail(problem);
    index += name + "\t" + Utf8(lesson.Sentences[step - 1]) + "\n";
  }
  const std::string problem = SaveFile((folder / "index.txt").string(), index);
  return problem.empty() ? 0 : Fail(problem);
}

/// Draws what render asks for and writes it.
int Render(GraphicsServices& services, const CommandRequest& request, const FetchedGlyph& fetched) {
  const bool png = request.Format == ImageFormat::Png;
  // Text (the numbers beside the points, the names of the metric lines) needs Qt's fonts.
  const bool text = request.Style.Overlays.Numbers || request.View == RenderView::Inspector;
  const std::optional<TextApplication> application =
      png && text && QGuiApplication::instance() == nullptr ? std::make_optional<TextApplication>()
                                                            : std::nullopt;
  std::optional<ConstructionLesson> lesson;
  if (request.Step || request.StepsDir) lesson = LessonOfGlyph(fetched);
  if (request.StepsDir) return WriteSteps(services, request, fetched, *lesson);
  if (request.Step && static_cast<std::size_t>(*request.Step) > lesson->Steps.size()) {
    return Fail("--step must be from 0 to " + std::to_string(lesson->Steps.size()) +
                " for this glyph: " + std::to_string(*request.Step));
  }
  std::optional<AfterSteps> after;
  if (lesson) after.emplace(AfterSteps{*lesson, static_cast<std::size_t>(request.Step.value_or(0))});
  const std::optional<std::string> bytes = PictureOf(services, request, fetched, after ? &*after : nullptr);
  if (!bytes) return Fail("cannot encode the picture as PNG");
  return WriteOutputFile(request.OutputPath, *bytes);
}

/// The face list, one line each: the installed faces as the window lists them (with --styles,
/// each style of each: the family, a tab, the style); with a font file, that file's faces, each
/// as its index, then its name (named apart from the installed faces, as the window names a file
/// opened after start-up), and under a variable face its named instances, indented.
int Faces(GraphicsServices& services, const CommandRequest& request) {
  const FaceList faces = InstalledFaceList(services);
  FontEngine& engine = services.Fonts();
  std::string listing;
  if (!request.FontFile) {
    for (const FaceEntry& entry : faces.Entries()) {
      if (!request.Styles) listing += EscapedLine(entry.Name) + '\n';
      if (!request.Styles) continue;
      for (const std::string& style : StylesOfEntry(engine, entry)) {
        listing += EscapedLine(entry.Name) + '\t' + EscapedLine(style) + '\n';
      }
    }
    return WriteToStandardOutput(listing);
  }
  // Only the entries are printed: any face number would do.
  const FontFileChoice choice = faces.ReadFontFile(engine, *request.FontFile, 0);
  if (choice.Entries.empty()) return Fail(choice.Problem);
  for (const FaceEntry& entry : choice.Entries) {
    listing += std::to_string(entry.Index) + " " + EscapedLine(entry.Name) + '\n';
    for (const std::string& instance : NamedInstanceLines(VariationsOfFace(engine, entry.Face))) {
      listing += "  " + EscapedLine(instance) + '\n';
    }
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
  const std::string& faceName = faces->CurrentFaceName();
  if (request.AllGlyphs && request.Kind == CommandKind::Report) return ReportEveryGlyph(services.Fonts(), faceName);
  if (request.AllGlyphs) return RenderEveryGlyph(services.Fonts(), faceName, request);
  if (const std::string outside = GlyphIndexOutside(services.Fonts(), faceName, request); !outside.empty()) {
    return Fail(outside);
  }
  const FetchedGlyph fetched = Fetch(services, request, faceName);
  if (request.Kind == CommandKind::Report && request.Pixels) {
    return ReportAtSize(services.Fonts(), request, fetched);
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
