// The command line against the window: the same request gives the same report, the same
// picture and the same face list; refused command lines exit 2 and write nothing.

#include <gtest/gtest.h>

#include <QtWidgets>

#include "platform/recording_surface.h"
#include "display/display_request.h"
#include "window/main_window.h"

using namespace moji;

namespace {

struct ProgramRun {
  int ExitCode = -1;
  std::string Out, Err;
};

/// Runs moji-outline (or `program`) with no display in its environment: the subcommands must
/// need none.
ProgramRun RunMojiOutline(const QStringList& arguments,
                          const QString& program = QStringLiteral(MOJI_OUTLINE_PATH)) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.remove(name);
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

/// A started window over the installed faces, its timer stopped.
std::unique_ptr<Main> StartedWindow() {
  auto window = std::make_unique<Main>(std::make_unique<InstalledFaceList>());
  window->Form_Load();
  window->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
  return window;
}

}  // namespace

TEST(CommandLine, ReportPictureAndSvgAreTheWindows) {
  // No face: the start-up face and pen 2, given by no option.
  const std::tuple<QString, QString, int> cases[] = {
      {"龍", "", 2}, {"龍", "IPAGothic", 5}, {"A", "DejaVu Sans", 1}, {"𠀋", "IPAゴシック", 4}};
  QTemporaryDir out;
  const QString png = out.filePath(QStringLiteral("out.png")),
                svg = out.filePath(QStringLiteral("out.svg"));
  const QRegularExpression pathElement(QStringLiteral(
      R"re(<path id="block-\d+" d="([^"]*)" fill="none" stroke="(#[0-9a-f]{6})" stroke-width="(\d+)"( stroke-linecap="round" stroke-linejoin="round")?/>)re"));
  for (const auto& [text, face, thickness] : cases) {
    SCOPED_TRACE(face.toStdString());
    auto window = StartedWindow();
    PictureBox* picture1 = window->findChild<PictureBox*>(QStringLiteral("Picture1"));
    QStringList options;
    if (!face.isEmpty()) {
      picture1->SetFontName(face);
      window->findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(thickness);
      options = {"--face", face, "--thickness", QString::number(thickness)};
    }
    // The window's drawing, recorded: per pen (one per block) its colour, then the points of
    // its drawing calls, with C where a Bezier segment's control points begin.
    QStringList drawn;
    {
      RecordingSurface recording;
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

    const ProgramRun report = RunMojiOutline(QStringList{"report", text} + options.mid(0, 2));
    EXPECT_EQ(report.ExitCode, 0) << report.Err;
    EXPECT_EQ(report.Out, QString::fromStdU16String(window->ReportText()).toStdString());
    const ProgramRun render = RunMojiOutline(QStringList{"render", text, "-o", png} + options);
    EXPECT_EQ(render.ExitCode, 0) << render.Err;
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32),
              picture1->Image().convertToFormat(QImage::Format_RGB32));

    ASSERT_EQ(RunMojiOutline(QStringList{"render", text, "-o", svg} + options).ExitCode, 0);
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

TEST(CommandLine, FacesListsCombo1InOrder) {
  auto window = StartedWindow();
  const QComboBox* combo1 = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
  QStringList entries;
  for (int i = 0; i < combo1->count(); ++i) entries << combo1->itemText(i);
  EXPECT_TRUE(entries.contains(QStringLiteral("IPAゴシック")) && entries.contains("DejaVu Sans"));
  // Under ctest a CFF face is installed as well; it is no TrueType face, so neither lists it.
  EXPECT_FALSE(entries.contains("Moji Test CFF"));
  const ProgramRun faces = RunMojiOutline({"faces"});
  EXPECT_EQ(faces.ExitCode, 0) << faces.Err;
  EXPECT_EQ(faces.Out, (entries.join(u'\n') + u'\n').toStdString());
}

TEST(CommandLine, HelpAndVersion) {
  EXPECT_EQ(RunMojiOutline({"--version"}).Out, "moji-outline " MOJI_VERSION "\n");
  for (const QStringList& arguments : {QStringList{"--help"}, {"render", "龍", "--help"}}) {
    const ProgramRun help = RunMojiOutline(arguments);
    EXPECT_EQ(help.ExitCode, 0);
    for (const char* command : {"report CHAR", "render CHAR", "faces", "--screenshot FILE"}) {
      EXPECT_NE(help.Out.find(command), std::string::npos) << command;
    }
  }
}

TEST(CommandLine, RefusedCommandsExitTwoAndWriteNothing) {
  QTemporaryDir out;
  const QString png = out.filePath(QStringLiteral("out.png"));
  // A plain file where a folder is expected: nothing can be written there, even by root.
  QFile(out.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly);
  const QStringList cases[] = {
      {"report", "龍", "--bogus"},
      {"frobnicate"},
      {"render", "", "-o", png},
      {"render", "龍"},
      {"render", "龍", "--thickness", "0", "-o", png},
      {"render", "龍", "--thickness", "6", "-o", png},
      {"render", "龍", "--thickness", "x", "-o", png},
      {"render", "龍", "-o", out.filePath("out.gif")},
      {"render", "龍", "-o", out.filePath("file/out.svg")},
      {"render", "龍", "--face", QString(32, u'x'), "-o", png},
      // Not UTF-8 (a stray byte, an encoded surrogate): made by the shell.
      {"-c", "exec " MOJI_OUTLINE_PATH " report \"$(printf '\\351')\""},
      {"-c", "exec " MOJI_OUTLINE_PATH " report \"$(printf '\\355\\240\\200')\""}};
  for (const QStringList& arguments : cases) {
    SCOPED_TRACE(arguments.join(u' ').toStdString());
    const ProgramRun run =
        arguments[0] == "-c" ? RunMojiOutline(arguments, "/bin/sh") : RunMojiOutline(arguments);
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_TRUE(run.Err.starts_with("moji-outline: ") && run.Err.ends_with('\n')) << run.Err;
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"file"});
  }
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
