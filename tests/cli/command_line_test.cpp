// The command line against the window: the same request gives the same report, picture and face
// list; refused command lines exit 2 and write nothing.

#include <gtest/gtest.h>

#include <QtWidgets>

#include "cli/cli_commands.h"
#include "platform/recording_surface.h"
#include "test_fonts.h"
#include "inspect/construction_lesson.h"
#include "inspect/inspector_scene.h"
#include "inspect/pixel_scene.h"
#include "platform/raster_canvas.h"
#include "window/construction_bar.h"
#include "window/pixel_bar.h"
#include "window/inspector_dock.h"
#include "window/inspector_view.h"
#include "window/main_window.h"

using namespace moji;

namespace {

struct ProgramRun {
  int ExitCode = -1;
  std::string Out, Err;
};

/// Runs moji-outline (or `program`) with no display, which the subcommands must not need; with
/// `offscreen`, the window runs on the offscreen platform; `extra` adds to the environment.
ProgramRun RunMojiOutline(const QStringList& arguments,
                          const QString& program = QStringLiteral(MOJI_OUTLINE_PATH),
                          bool offscreen = false, const QStringList& extra = {}) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.remove(name);
  for (const QString& setting : extra) {
    environment.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
  }
  // The window's runs get a runtime folder, as a desktop session gives one: Qt warns without.
  static const QTemporaryDir runtime;
  if (offscreen) {
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
  }
  // Under the sanitizers the run's stderr is the program's alone: no list of suppressions used.
  environment.insert("LSAN_OPTIONS", environment.value("LSAN_OPTIONS") + ":print_suppressions=0");
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  const bool exited =
      process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
  return {exited ? process.exitCode() : -1, process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

/// Runs a shell command line with moji-outline as $M (and `offscreen` as for RunMojiOutline).
ProgramRun RunShell(const QString& script, bool offscreen = false) {
  return RunMojiOutline({"-c", "M=" MOJI_OUTLINE_PATH "; " + script}, "/bin/sh", offscreen);
}

/// The whole content of a file, or "(none)".
QByteArray Content(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

/// Expects the one-line refusal or failure of a run: exit 2, "moji-outline: ..." on one line.
void ExpectOneLineFailure(const ProgramRun& run) {
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_TRUE(run.Err.starts_with("moji-outline: ") && run.Err.ends_with('\n')) << run.Err;
  EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
}

/// A started window over the installed faces, its timer stopped.
std::unique_ptr<Main> StartedWindow(GraphicsServices& gdi) {
  auto window = std::make_unique<Main>(gdi);
  window->Form_Load();
  window->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
  return window;
}

/// How many 2 x 2 pixel blocks hold more than one colour: none in a picture of doubled pixels.
int MixedBlocks(const QImage& image) {
  int mixed = 0;
  for (int y = 0; y + 1 < image.height(); y += 2) {
    for (int x = 0; x + 1 < image.width(); x += 2) {
      const QRgb corner = image.pixel(x, y);
      mixed += image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
               image.pixel(x + 1, y + 1) != corner;
    }
  }
  return mixed;
}

}  // namespace

// The SVG is rendered at scale 3, which must not change it. No face: the start-up face, pen 2.
TEST(CommandLine, ReportPictureAndSvgAreTheWindows) {
  const std::tuple<QString, QString, int> cases[] = {
      {"龍", "", 2}, {"龍", "IPAGothic", 5}, {"A", "DejaVu Sans", 1}, {"𠀋", "IPAゴシック", 4}};
  QTemporaryDir out;
  const QString png = out.filePath(QStringLiteral("out.png")),
                svg = out.filePath(QStringLiteral("out.svg"));
  const QRegularExpression pathElement(QStringLiteral(
      R"re(<path id="block-\d+" d="([^"]*)" fill="none" stroke="(#[0-9a-f]{6})" stroke-width="(\d+)"( stroke-linecap="round" stroke-linejoin="round")?/>)re"));
  for (const auto& [text, face, thickness] : cases) {
    SCOPED_TRACE(face.toStdString());
    GraphicsServices gdi;
    auto window = StartedWindow(gdi);
    PictureBox* picture1 = window->findChild<PictureBox*>(QStringLiteral("Picture1"));
    QStringList options;
    if (!face.isEmpty()) {
      picture1->SetFontName(face.toStdString());
      window->findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(thickness);
      options = {"--face=" + face, "--thickness", QString::number(thickness)};
    }
    // The window's drawing, recorded: per pen (one per block) its colour, then the points of
    // its drawing calls, with C where a Bezier segment's control points begin.
    QStringList drawn;
    {
      RecordingSurface recording(gdi);
      DrawingSurface* raster = std::exchange(picture1->Dc().Surface, &recording);
      window->GetKestrineProc(text.toStdU16String());
      picture1->Dc().Surface = raster;
      for (const SurfaceCall& call : recording.Calls()) {
        const COLORREF c = call.Pen.Color;
        if (call.Kind == SurfaceCallKind::CreatePen)
          drawn << QColor(c & 0xFF, (c >> 8) & 0xFF, c >> 16).name();
        for (std::size_t i = 0; i < call.Points.size(); ++i) {
          if (i == 1 && call.Kind == SurfaceCallKind::PolyBezier) drawn.back() += " C";
          drawn.back() += QStringLiteral(" %1 %2").arg(call.Points[i].x).arg(call.Points[i].y);
        }
      }
    }
    ASSERT_FALSE(drawn.isEmpty());  // the window drew: the comparisons are not of blank pictures
    window->GetKestrineProc(text.toStdU16String());

    const ProgramRun report = RunMojiOutline(QStringList{"report", text} + options.mid(0, 1));
    EXPECT_EQ(report.ExitCode, 0) << report.Err;
    EXPECT_EQ(report.Out, QString::fromStdU16String(window->ReportText()).toStdString());
    const ProgramRun render = RunMojiOutline(QStringList{"render", text, "-o", png} + options);
    EXPECT_EQ(render.ExitCode, 0) << render.Err;
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32),
              picture1->Image().convertToFormat(QImage::Format_RGB32));

    const QStringList svgRender = QStringList{"render", text, "--scale=3", "-o", svg} + options;
    ASSERT_EQ(RunMojiOutline(svgRender).ExitCode, 0);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList paths;
    for (auto match = pathElement.globalMatch(QString::fromUtf8(file.readAll()));
         match.hasNext();) {
      const QRegularExpressionMatch path = match.next();
      paths << path.captured(2) + u' ' + path.captured(1).remove(QRegularExpression("[ML] "));
      EXPECT_EQ(path.captured(3).toInt(), thickness);
      EXPECT_EQ(path.capturedLength(4) > 0, thickness > 1);  // round ends as the raster pen has
    }
    EXPECT_EQ(paths.join(u'\n').toStdString(), drawn.join(u'\n').toStdString());
    // Written in place by renames: no temporary file is left beside them.
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), (QStringList{"out.png", "out.svg"}));
  }
}

// The window's screenshot at scale factors 1 and 2 is the whole window, and its drawing area is
// render's picture at that scale, pixel for pixel: drawn at full resolution, not doubled.
TEST(CommandLine, ScreenshotIsTheWindowWithRendersPicture) {
  QTemporaryDir out;
  const QString shot = out.filePath("shot.png"), render = out.filePath("render.png");
  GraphicsServices gdi;
  const auto window = StartedWindow(gdi);
  const QWidget* picture1 = window->findChild<QWidget*>(QStringLiteral("Picture1"));
  for (const int factor : {1, 2}) {
    const QString scale = QString::number(factor);
    const ProgramRun run =
        RunShell("QT_SCALE_FACTOR=" + scale + " exec $M --screenshot " + shot, true);
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    ASSERT_EQ(RunMojiOutline({"render", "龍", "--scale", scale, "-o", render}).ExitCode, 0);
    const QImage image = QImage(shot).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.size(), window->size() * factor);
    const QPoint at = picture1->mapTo(window.get(), QPoint(2, 2)) * factor;
    const QImage drawing = image.copy(at.x(), at.y(), 200 * factor, 200 * factor);
    EXPECT_EQ(drawing, QImage(render).convertToFormat(QImage::Format_RGB32)) << factor;
    // About 660 blocks along the curves and slanted lines are mixed at 2: ink, and not doubled.
    EXPECT_GT(MixedBlocks(drawing), 200) << factor;
  }
}

// render --view inspector is the window's large view at --size pixels, --scale device pixels
// per pixel, with the layers its options switch on; the outline alone in font units is SVG.
TEST(CommandLine, InspectorViewIsTheWindows) {
  QTemporaryDir out;
  const QString png = out.filePath("view.png"), saved = out.filePath("saved.png");
  GraphicsServices gdi;
  const auto window = StartedWindow(gdi);
  window->ShowInspector(true);
  InspectorView* view = window->Inspector()->View();
  view->resize(300, 300);
  view->FitAll();
  window->Inspector()->findChild<QAction*>("ShowGrid")->trigger();
  window->Inspector()->findChild<QAction*>("ShowHandles")->trigger();
  window->GetKestrineProc(u"龍");
  ASSERT_EQ(window->SaveInspectorImage(saved.toStdString()), "");
  const ProgramRun run = RunMojiOutline(
      {"render", "龍", "--view", "inspector", "--size", "300", "--metrics", "--grid", "--handles", "-o", png});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32),
            QImage(saved).convertToFormat(QImage::Format_RGB32));
  ASSERT_EQ(RunMojiOutline({"render", "龍", "--view=inspector", "--size=64", "--scale=3", "-o", png}).ExitCode, 0);
  EXPECT_EQ(QImage(png).size(), QSize(192, 192));
  const ProgramRun svg = RunMojiOutline({"render", "龍", "--units", "font", "-o", "-", "--format", "svg"});
  ASSERT_EQ(svg.ExitCode, 0) << svg.Err;
  EXPECT_EQ(QString::fromStdString(svg.Out).count(QStringLiteral("<path id=\"block-")), 7);
}

// render --view inspector --ppem is the window's large view in ピクセル mode, at the same size,
// hinting, rendering and layers.
TEST(CommandLine, PixelViewIsTheWindows) {
  QTemporaryDir out;
  const QString png = out.filePath("view.png"), saved = out.filePath("saved.png");
  GraphicsServices gdi;
  const auto window = StartedWindow(gdi);
  window->ShowPixels(true);
  InspectorView* view = window->Inspector()->View();
  view->resize(300, 300);
  PixelBar* bar = window->Inspector()->Pixels();
  bar->findChild<QComboBox*>("Hinting")->setCurrentIndex(2);
  bar->findChild<QCheckBox*>("Mono")->setChecked(true);
  bar->findChild<QToolButton*>("PixelGrid")->setChecked(false);
  bar->StepPpem(-4);
  view->FitAll();
  ASSERT_EQ(window->SaveInspectorImage(saved.toStdString()), "");
  const ProgramRun run = RunMojiOutline({"render", "龍", "--view", "inspector", "--size", "300", "--ppem", "12",
                                         "--hinting", "auto", "--mono", "--bitmap", "--arrows", "-o", png});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), QImage(saved).convertToFormat(QImage::Format_RGB32));

  // Beside it, the font's hints under interpreter 35: a square each, the window's two scenes.
  bar->findChild<QToolButton*>("PixelBeside")->setChecked(true);
  bar->findChild<QComboBox*>("BesideHinting")->setCurrentIndex(4);
  ASSERT_TRUE(view->PixelsBeside().has_value());
  const ViewTransform square = FitView(PixelFittedBox(*view->Pixels()), 300, 300, FitMargin(300, 300));
  const std::optional<std::string> panes = PixelPictureBytes(*view->Pixels(), &*view->PixelsBeside(), square, 600,
                                                             300, 1, false, "", PngOfDrawing);
  ASSERT_TRUE(panes.has_value());
  const ProgramRun beside = RunMojiOutline({"render", "龍", "--view", "inspector", "--size", "300", "--ppem", "12",
                                            "--hinting", "auto", "--mono", "--bitmap", "--arrows", "--beside",
                                            "font35", "-o", png});
  ASSERT_EQ(beside.ExitCode, 0) << beside.Err;
  EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32),
            QImage::fromData(QByteArray::fromStdString(*panes)).convertToFormat(QImage::Format_RGB32));
}

// The steps of the construction: report --steps tells what the window's 組み立て mode tells;
// render --step N draws what Picture1 shows after step N (nothing at 0, the whole drawing at the
// last); --steps-dir writes a picture per step and their index.
TEST(CommandLine, ConstructionStepsAreTheWindows) {
  QTemporaryDir out;
  const QString png = out.filePath("step.png"), svg = out.filePath("step.svg");
  GraphicsServices gdi;
  const auto window = StartedWindow(gdi);
  window->GetKestrineProc(u"龍");
  const ConstructionLesson lesson = LessonOfGlyph(window->Shown());
  const std::size_t count = lesson.Steps.size();
  ASSERT_EQ(count, 86u);  // IPAGothic's 龍 of the start-up face: 7 blocks
  const ProgramRun steps = RunMojiOutline({"report", "龍", "--steps"});
  ASSERT_EQ(steps.ExitCode, 0) << steps.Err;
  EXPECT_EQ(steps.Out, StepLines(lesson));

  window->ShowConstruction(true);
  ConstructionBar* bar = window->Inspector()->Construction();
  const PictureBox* picture1 = window->findChild<PictureBox*>(QStringLiteral("Picture1"));
  for (const std::size_t step : {std::size_t{0}, std::size_t{9}, std::size_t{40}, count}) {
    SCOPED_TRACE(step);
    bar->SetDone(step);
    window->HighlightPoint(std::nullopt);
    ASSERT_EQ(RunMojiOutline({"render", "龍", "--step", QString::number(step), "-o", png}).ExitCode, 0);
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), picture1->Image().convertToFormat(QImage::Format_RGB32));
  }
  ASSERT_EQ(RunMojiOutline({"render", "龍", "--step", "0", "-o", svg}).ExitCode, 0);
  EXPECT_TRUE(Content(svg).contains("<path id=\"block-0\" d=\"\"") && !Content(svg).contains("block-1"));
  ASSERT_EQ(RunMojiOutline({"render", "龍", "--step", QString::number(count), "-o", svg}).ExitCode, 0);
  const QByteArray last = Content(svg);
  ASSERT_EQ(RunMojiOutline({"render", "龍", "-o", svg}).ExitCode, 0);
  EXPECT_EQ(last, Content(svg));

  const QString folder = out.filePath("lesson/steps");
  const ProgramRun written = RunMojiOutline(
      {"render", "龍", "--view", "inspector", "--size", "64", "--steps-dir", folder});
  ASSERT_EQ(written.ExitCode, 0) << written.Err;
  QStringList expected{"index.txt"};
  QString index;
  for (std::size_t step = 1; step <= count; ++step) {
    const QString name = QStringLiteral("%1.png").arg(step, 4, 10, QChar(u'0'));
    expected << name;
    index += name + u'\t' + QString::fromStdU16String(lesson.Sentences[step - 1]) + u'\n';
  }
  expected.sort();
  EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), expected);
  EXPECT_EQ(QString::fromUtf8(Content(folder + "/index.txt")), index);
  EXPECT_EQ(QImage(folder + "/0040.png").size(), QSize(64, 64));
}

// One face per line, in the face list's order; line breaks and escape sequences in names are
// escaped.
TEST(CommandLine, FacesListsTheFaceListOneLineEach) {
  const ProgramRun faces = RunMojiOutline({"faces"});
  EXPECT_EQ(faces.ExitCode, 0) << faces.Err;
  EXPECT_NE(faces.Out.find("DejaVu Sans\nIPAゴシック\n"), std::string::npos) << faces.Out;
  EXPECT_NE(faces.Out.find("\nMoji\\nTest\\x1b[7mControl\n"), std::string::npos) << faces.Out;
  EXPECT_EQ(EscapedLine("a\\b\t\r\x7f\xc2\x9b\xc3\xa9"), "a\\\\b\\t\\r\\x7f\\u009b\xc3\xa9");
}

TEST(CommandLine, HelpAndVersion) {
  for (const char* option : {"--version", "-v"})
    EXPECT_EQ(RunMojiOutline({option}).Out, "moji-outline " MOJI_VERSION "\n");
  for (const QStringList& arguments : {QStringList{"--help"}, {"-h"}, {"render", "龍", "--help"}}) {
    const ProgramRun help = RunMojiOutline(arguments);
    EXPECT_EQ(help.ExitCode, 0);
    for (const char* command : {"Usage: moji-outline", "report CHAR", "render CHAR", "faces",
                                "--screenshot=FILE", "--face=NAME", "--scale=N", "--ppem=N",
                                "--hinting=MODE"})
      EXPECT_NE(help.Out.find(command), std::string::npos) << command;
  }
}

// Refused command lines (unknown options and commands, options of another mode, bad values,
// arguments not in UTF-8) exit 2 with one line before any display is asked for, writing nothing.
TEST(CommandLine, RefusedCommandsExitTwoAndWriteNothing) {
  QTemporaryDir out;
  const QString png = out.filePath(QStringLiteral("out.png"));
  // A plain file where a folder is expected: nothing can be written there, even by root.
  QFile(out.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly);
  const QString pair = QString::fromStdString(test::TestFontPath("MojiTestPair.ttc"));
  // What a path that is not UTF-8 would be taken for, were it decoded with replacements.
  QFile replaced(out.filePath(QString::fromUtf16(u"\uFFFD.png")));
  ASSERT_TRUE(replaced.open(QIODevice::WriteOnly) && replaced.write("old") == 3);
  replaced.close();
  const QStringList cases[] = {
      {"report", "龍", "--bogus"},
      {"--HELP"},
      {"-x"},
      {"--screenshot"},
      {"one.ttf", "two.ttf"},
      {"--face-index", "1"},
      {"frobnicate", "龍"},
      {"--version", "faces"},
      {"report", "龍", "--thickness", "3"},
      {"faces", "--face", "IPAGothic"},
      {"render", "", "-o", png},
      {"render", "龍"},
      {"render", "龍", "--screenshot", png},
      {"render", "龍", "--thickness", "0", "-o", png},
      {"render", "龍", "--thickness", "6", "-o", png},
      {"render", "龍", "--thickness=x", "-o", png},
      {"render", "龍", "--scale", "0", "-o", png},
      {"render", "龍", "--scale", "9", "-o", png},
      {"render", "龍", "--scale=1.5", "-o", png},
      {"report", "龍", "--scale", "2"},
      {"render", "龍", "-o", out.filePath("out.gif")},
      {"render", "龍", "--format", "gif", "-o", png},
      {"render", "龍", "-o", out.filePath("file/out.svg")},
      {"render", "龍", "--face", QString(32, u'x'), "-o", png},
      {"report", "U+D800"},
      {"report", "U+12"},
      {"report", "U+110000"},
      {"report", "A", "--face-index", "1"},
      {"report", "A", "--json", "--info"},
      {"report", "A", "--face", "IPAGothic", "--font-file", pair},
      {"render", "A", "--font-file", pair, "--face-index", "2", "-o", png},
      {"faces", "--font-file", out.path()},
      {"render", "A", "--json", "-o", png},
      {"render", "龍", "--step", "-1", "-o", png},
      {"render", "龍", "--step", "87", "-o", png},
      {"render", "龍", "--step", "3", "--steps-dir", out.filePath("steps")},
      {"render", "龍", "--steps-dir", out.filePath("steps"), "-o", png},
      {"render", "龍", "--steps-dir", out.filePath("steps"), "--units", "font"},
      {"render", "龍", "--steps-dir", out.filePath("steps"), "--format", "gif"},
      {"report", "龍", "--steps", "--json"},
      {"report", "龍", "--step", "2"},
      {"render", "龍", "--view", "bogus", "-o", png},
      {"render", "龍", "--ppem", "16", "-o", png},
      {"render", "龍", "--view", "inspector", "--arrows", "-o", png},
      {"render", "龍", "--view", "inspector", "--ppem", "16", "--step", "3", "-o", png},
      {"report", "龍", "--ppem", "16", "--bitmap"},
      {"render", "龍", "--view", "inspector", "--size", "63", "-o", png},
      {"render", "龍", "--view", "inspector", "--size", "4097", "-o", png},
      {"render", "龍", "--size", "300", "-o", png},
      {"render", "龍", "--grid", "-o", png},
      {"render", "龍", "--units", "font", "-o", png},
      {"render", "龍", "--units", "em", "-o", out.filePath("out.svg")},
      {"render", "龍", "--view", "inspector", "--units", "font", "-o", out.filePath("out.svg")},
      {"report", "龍", "--view", "inspector"},
      {"report", "A", "--ppem", "5"},
      {"report", "A", "--ppem", "201"},
      {"report", "A", "--ppem=16px"},
      {"report", "A", "--hinting", "font"},
      {"report", "A", "--mono", "--json"},
      {"report", "A", "--ppem", "16", "--hinting", "strong"},
      {"report", "A", "--ppem", "16", "--interpreter", "38"},
      {"report", "A", "--ppem", "16", "--hinting", "auto", "--interpreter", "35"},
      {"report", "A", "--ppem", "16", "--info"},
      {"render", "A", "--ppem", "16", "-o", png},
      {"render", "A", "--view", "inspector", "--ppem", "16", "--beside", "strong", "-o", png},
      {"render", "A", "--view", "inspector", "--beside", "none", "-o", png},
      {"report", "A", "--ppem", "16", "--beside", "none"},
      {"report", "--glyph-index", "1", "A"},
      {"report", "--glyph-index", "x"},
      {"report", "--glyph-index", "-1"},
      {"report", "A", "--vertical", "--glyph-index", "1"},
      {"report", "--all", "--json", "--ppem", "16"},
      {"report", "--all"},
      {"report", "--all", "--info"},
      {"report", "A", "--output-dir", out.filePath("dir")},
      {"render", "--all", "--format", "svg"},
      {"render", "--all", "--output-dir", out.filePath("dir"), "--format", "png"},
      {"render", "--all", "--output-dir", out.filePath("dir"), "--format", "svg", "-o", png},
      {"render", "--all", "--output-dir", out.filePath("file"), "--format", "svg"},
      // Not UTF-8 (a stray byte, an encoded surrogate): made by the shell.
      {"-c", "exec " MOJI_OUTLINE_PATH " report \"$(printf '\\351')\""},
      {"-c", "exec " MOJI_OUTLINE_PATH " report \"$(printf '\\355\\240\\200')\""},
      {"-c", "cd " + out.path() + " && exec " MOJI_OUTLINE_PATH " render A -o \"$(printf '\\377').png\""},
      {"-c", "exec " MOJI_OUTLINE_PATH " \"--face=$(printf 'a\\nb')\" faces"}};
  for (const QStringList& arguments : cases) {
    SCOPED_TRACE(arguments.join(u' ').toStdString());
    const ProgramRun run =
        arguments[0] == "-c" ? RunMojiOutline(arguments, "/bin/sh") : RunMojiOutline(arguments);
    ExpectOneLineFailure(run);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{"file", QString::fromUtf16(u"\uFFFD.png")}));
    EXPECT_EQ(Content(replaced.fileName()), "old");
  }
}

// A write that fails late (the file size limit, a full device) exits 2 with one line, keeps the
// old file whole and leaves no temporary file: for render's PNG and SVG and for --screenshot.
TEST(CommandLine, FailedWritesKeepTheOldFile) {
  QTemporaryDir out;
  for (const char* name : {"old.png", "old.svg", "shot.png"}) {
    QFile file(out.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
  }
  const QString limited = "cd " + out.path() + " && ulimit -f 1 && exec $M ";
  for (const auto& [script, offscreen] :
       {std::pair{limited + "render 龍 -o old.png", false}, {limited + "render 龍 -o old.svg", false},
        {limited + "--screenshot shot.png", true}, {"exec $M render 龍 -o /dev/full --format png", false},
        {"exec $M --screenshot /dev/full", true}}) {
    SCOPED_TRACE(script.toStdString());
    ExpectOneLineFailure(RunShell(script, offscreen));
  }
  for (const char* name : {"old.png", "old.svg", "shot.png"}) EXPECT_EQ(Content(out.filePath(name)), "old");
  EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 3);
}

// The file written is the path given, to the byte: a leading U+FEFF is part of the name; a pipe
// or device is written into, never replaced; a link to a regular file updates its target.
TEST(CommandLine, OutputGoesToExactlyThePathGiven) {
  QTemporaryDir out;
  const ProgramRun reference = RunMojiOutline({"render", "A", "--format", "svg", "-o", "/dev/stdout"});
  ASSERT_EQ(reference.ExitCode, 0) << reference.Err;
  ASSERT_TRUE(reference.Out.starts_with("<?xml"));

  QFile plain(out.filePath("x.svg"));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly) && plain.write("old") == 3);
  plain.close();
  // (QString::fromUtf16 would take the U+FEFF for a byte order mark.)
  const QString bom = out.filePath(QChar(0xFEFF) + QStringLiteral("x.svg"));
  EXPECT_EQ(RunMojiOutline({"render", "A", "-o", bom}).ExitCode, 0);
  EXPECT_EQ(Content(bom).toStdString(), reference.Out);
  EXPECT_EQ(Content(plain.fileName()), "old");

  ASSERT_TRUE(QFile::link(plain.fileName(), out.filePath("link.svg")));
  EXPECT_EQ(RunMojiOutline({"render", "A", "-o", out.filePath("link.svg")}).ExitCode, 0);
  EXPECT_TRUE(QFileInfo(out.filePath("link.svg")).isSymLink());
  EXPECT_EQ(Content(plain.fileName()).toStdString(), reference.Out);

  const ProgramRun piped = RunShell("cd " + out.path() + " && mkfifo pipe.svg && "
                                    "{ cat pipe.svg & } && $M render A -o pipe.svg && wait && "
                                    "test -p pipe.svg");
  EXPECT_EQ(piped.ExitCode, 0) << piped.Err;
  EXPECT_EQ(piped.Out, reference.Out);
}

// A font file opened directly draws from its own faces, listed with their indices; CHAR may name
// its code point.
TEST(CommandLine, FontFilesAndCodePoints) {
  const QString pair = QString::fromStdString(test::TestFontPath("MojiTestPair.ttc"));
  // A file face whose name is installed already takes its style, and then its file's name too.
  EXPECT_EQ(RunMojiOutline({"faces", "--font-file", pair}).Out,
            "0 Moji Test Pair One Regular\n1 Moji Test Pair Two Regular\n");
  EXPECT_EQ(RunMojiOutline({"faces", "--font-file", QString::fromStdString(test::TestFontPath("../extra/MojiTestPairOne-Bold.ttf"))}).Out,
            "0 Moji Test Pair One Bold\n");
  // A variable font is one face, as fontconfig lists it twice (itself and its default
  // instance), its named instances under it (FreeType adds one at the defaults).
  EXPECT_EQ(RunMojiOutline({"faces", "--font-file", QString::fromStdString(test::TestFontPath("MojiTestVariable.ttf"))}).Out,
            "0 Moji Test Variable Regular\n  Thin wght=100\n  Bold wght=700\n  Regular wght=400\n");
  const ProgramRun second = RunMojiOutline({"report", "A", "--font-file", pair, "--face-index", "1"});
  EXPECT_EQ(second.ExitCode, 0) << second.Err;
  EXPECT_EQ(second.Out, RunMojiOutline({"report", "A", "--face", "Moji Test Pair Two"}).Out);
  EXPECT_EQ(RunMojiOutline({"report", "U+9F8D"}).Out, RunMojiOutline({"report", "龍"}).Out);
  // The window opens a font file given to it; a screenshot run that cannot fails in one line.
  QTemporaryDir out;
  const QString shot = out.filePath("shot.png");
  EXPECT_EQ(RunMojiOutline({pair, "--face-index", "1", "--screenshot", shot}, MOJI_OUTLINE_PATH, true).ExitCode, 0);
  EXPECT_TRUE(QFile::exists(shot));
  ExpectOneLineFailure(RunMojiOutline({"/dev/null", "--screenshot", shot + "2"}, MOJI_OUTLINE_PATH, true));
  EXPECT_FALSE(QFile::exists(shot + "2"));
  const ProgramRun info = RunMojiOutline({"report", "U+9f8d", "--info"});
  EXPECT_TRUE(info.Out.starts_with("U+9F8D 龍\nCJK UNIFIED IDEOGRAPH-9F8D\n")) << info.Out;
}

// U+FEFF first in CHAR is the character outlined, as any other: it is not taken for a byte order
// mark and dropped.
TEST(CommandLine, ByteOrderMarkIsACharacter) {
  const ProgramRun alone = RunMojiOutline({"report", QString(QChar(0xFEFF))});
  const ProgramRun first = RunMojiOutline({"report", QChar(0xFEFF) + QStringLiteral("A")});
  EXPECT_EQ(alone.ExitCode, 0);
  EXPECT_TRUE(alone.Out.starts_with("文字：")) << alone.Out;
  EXPECT_EQ(first.Out, alone.Out);
  EXPECT_NE(first.Out, RunMojiOutline({"report", "A"}).Out);
}

// A first word that is no command and no file is refused before any display is asked for,
// naming the command meant; without a display the window is refused in one line, never aborted.
TEST(CommandLine, MistypedCommandsAndMissingDisplays) {
  const std::pair<QStringList, std::string> mistyped[] = {
      {{"reprot", "龍"}, "moji-outline: unknown command 'reprot' (did you mean 'report'?)\n"},
      {{"reprot"}, "moji-outline: unknown command 'reprot' (did you mean 'report'?)\n"},
      {{"Render", "A", "-o", "a.png"}, "moji-outline: unknown command 'Render' (did you mean 'render'?)\n"},
      {{"face"}, "moji-outline: unknown command 'face' (did you mean 'faces'?)\n"},
      {{"xyzzy"}, "moji-outline: unknown command 'xyzzy' (see moji-outline --help)\n"}};
  for (const auto& [arguments, error] : mistyped) {
    const ProgramRun run = RunMojiOutline(arguments);
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Err, error);
  }
  // No display at all; a display that cannot be opened.
  for (const QStringList& environment : {QStringList{}, QStringList{"DISPLAY=:97"}}) {
    SCOPED_TRACE(environment.join(u' ').toStdString());
    const ProgramRun run = RunMojiOutline({}, MOJI_OUTLINE_PATH, false, environment);
    ExpectOneLineFailure(run);
    EXPECT_NE(run.Err.find("QT_QPA_PLATFORM=offscreen moji-outline --screenshot"), std::string::npos);
  }
}

// Standard output as "-o -"; u+ as U+; every U+ code point as the character itself, U+FEFF
// included; refusals naming options with their dashes; font files failing in the system's words.
TEST(CommandLine, CommandLineConventions) {
  QTemporaryDir out;
  const QString svg = out.filePath("a.svg");
  ASSERT_EQ(RunMojiOutline({"render", "A", "-o", svg}).ExitCode, 0);
  const ProgramRun piped = RunMojiOutline({"render", "A", "--format", "svg", "-o", "-"});
  EXPECT_EQ(piped.ExitCode, 0);
  EXPECT_EQ(QByteArray::fromStdString(piped.Out), Content(svg));
  EXPECT_EQ(RunMojiOutline({"render", "A", "--format", "png", "-o", "-"}).Out.substr(1, 3), "PNG");
  EXPECT_EQ(RunMojiOutline({"report", "u+9f8d"}).Out, RunMojiOutline({"report", "龍"}).Out);
  for (const char32_t codePoint : {U'\uFEFF', U'\uFFFE', U'\U0010FFFF', U'\u9F8D'}) {
    const QString literal = QStringView(QChar::fromUcs4(codePoint)).toString();
    const QString named = QStringLiteral("U+%1").arg(uint(codePoint), 4, 16, QChar(u'0'));
    const ProgramRun byName = RunMojiOutline({"report", named, "--info"});
    EXPECT_EQ(byName.ExitCode, 0) << named.toStdString();
    EXPECT_EQ(byName.Out, RunMojiOutline({"report", literal, "--info"}).Out) << named.toStdString();
    EXPECT_TRUE(byName.Out.starts_with(named.toUpper().toStdString())) << byName.Out;
  }
  // U+0000 cannot be typed as an argument: it is a character without an outline.
  const ProgramRun nul = RunMojiOutline({"report", "U+0000", "--info"});
  EXPECT_EQ(nul.ExitCode, 0);
  EXPECT_TRUE(nul.Out.starts_with("U+0000\n")) << nul.Out;
  const QString font = QString::fromStdString(test::TestFontPath("ipag.ttf"));
  const std::pair<QStringList, std::string> refusals[] = {
      {{"render", "A", "-o", "-"}, "moji-outline: -o - writes to standard output and needs --format png or --format svg (see moji-outline --help)\n"},
      {{"render", "A", "--thicknes", "3", "-o", svg}, "moji-outline: unknown option --thicknes (did you mean --thickness?)\n"},
      {{"render", "A", "-x", "-o", svg}, "moji-outline: unknown option -x (see moji-outline --help)\n"},
      {{"report", "A", "--points"}, "moji-outline: --points is not an option of report (see moji-outline --help)\n"},
      {{"faces", "-o", svg}, "moji-outline: -o is not an option of faces (see moji-outline --help)\n"},
      {{"report", "A", "--face"}, "moji-outline: missing value after '--face' (see moji-outline --help)\n"},
      {{"report", "U+D800"}, "moji-outline: CHAR that starts with U+ must be U+ and 4 to 6 hex digits of a code point: U+D800 (see moji-outline --help)\n"},
      {{"report", "A", "--font-file", out.filePath("none.ttf")}, "moji-outline: cannot open " + out.filePath("none.ttf").toStdString() + ": No such file or directory\n"},
      {{"report", "A", "--font-file", out.path()}, "moji-outline: cannot open " + out.path().toStdString() + ": Is a directory\n"},
      {{"report", "A", "--font-file", svg}, "moji-outline: cannot read a font with TrueType, CFF or Type 1 outlines from " + svg.toStdString() + "\n"}};
  for (const auto& [arguments, error] : refusals) {
    const ProgramRun run = RunMojiOutline(arguments);
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Err, error);
    EXPECT_EQ(run.Out, "");
  }
}

// A character the face has no glyph for draws nothing, as before, and says so on standard
// error, naming an installed face that has it; a space has a glyph and says nothing.
TEST(CommandLine, MissingGlyphIsSaid) {
  QTemporaryDir out;
  const ProgramRun render = RunMojiOutline({"render", "😀", "-o", out.filePath("e.png")});
  EXPECT_EQ(render.ExitCode, 0);
  EXPECT_EQ(render.Err, "moji-outline: IPAGothic has no glyph for U+1F600 😀; installed faces that "
                        "have one: DejaVu Sans\n");
  const ProgramRun report = RunMojiOutline({"report", "😀", "--face", "IPAGothic"});
  EXPECT_EQ(report.Err, render.Err);
  EXPECT_TRUE(report.Out.starts_with("文字：\r\nブロック数：0\r\n"));
  EXPECT_NE(RunMojiOutline({"report", "😀", "--info"}).Out.find("U+1F600 😀：IPAGothic にグリフがありません。あるフェイス：DejaVu Sans\n"),
            std::string::npos);
  for (const char* text : {" ", "A"}) EXPECT_EQ(RunMojiOutline({"report", text}).Err, "") << text;
  EXPECT_EQ(RunMojiOutline({"report", "U+10FFFF", "--face", "DejaVu Sans"}).Err,
            "moji-outline: DejaVu Sans has no glyph for U+10FFFF 􏿿; no installed face has one\n");
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
