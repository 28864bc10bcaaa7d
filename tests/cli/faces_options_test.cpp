// Styles, named instances, axis values, Type 1, WOFF and WOFF2 faces on the command line, and
// the 書体 panel's choice against the same choice on the command line.

#include <gtest/gtest.h>

#include <QtWidgets>

#include "platform/unicode_names.h"
#include "test_fonts.h"
#include "window/main_window.h"

using namespace moji;

namespace {

struct ProgramRun {
  int ExitCode = -1;
  std::string Out, Err;
};

ProgramRun RunProgram(const QStringList& arguments) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  environment.insert("LSAN_OPTIONS", environment.value("LSAN_OPTIONS") + ":print_suppressions=0");
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(MOJI_OUTLINE_PATH), arguments);
  const bool exited = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
  return {exited ? process.exitCode() : -1, process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

QString FontPath(const char* file) { return QString::fromStdString(test::TestFontPath(file)); }

QByteArray Content(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// A style, instance or axis the face lacks, or a value outside an axis's range, is refused in
// one line that says what there is; nothing is written.
TEST(FacesOptions, RefusedInOneLineThatListsWhatThereIs) {
  const QString weight = "Moji Test Weight";
  const std::vector<std::pair<QStringList, std::string>> refused = {
      {{"report", "A", "--face", "Moji Test Styles", "--style", "Black"},
       "Moji Test Styles has no style Black (its styles: Regular, Bold, Italic)"},
      {{"report", "A", "--style", "Bold"}, "--style needs --face (see moji-outline --help)"},
      {{"report", "A", "--face", weight, "--instance", "Heavy"},
       "Moji Test Weight has no named instance Heavy (its instances: Light, Regular, Bold)"},
      {{"report", "A", "--face", weight, "--variation", "wght=900"},
       "wght=900 is outside the axis wght (Weight): 300 to 700"},
      {{"report", "A", "--face", weight, "--variation", "wght=400,opsz=12"},
       "Moji Test Weight has no axis opsz (its axes: wght (Weight))"},
      {{"report", "A", "--face", weight, "--variation", "weight=400"},
       "--variation must be TAG=VALUE[,TAG=VALUE...], each TAG four characters and each VALUE a "
       "number: weight=400 (see moji-outline --help)"},
      {{"report", "A", "--face", "IPAGothic", "--instance", "Bold"},
       "IPAGothic is no variable face: --instance and --variation need one"},
      {{"faces", "--styles", "--font-file", FontPath("ipag.ttf")},
       "--styles lists the installed faces, not a font file's (see moji-outline --help)"},
      {{"faces", "--instance", "Bold"}, "--instance is not an option of faces (see moji-outline --help)"},
  };
  for (const auto& [arguments, message] : refused) {
    const ProgramRun run = RunProgram(arguments);
    EXPECT_EQ(run.ExitCode, 2) << message;
    EXPECT_EQ(run.Err, "moji-outline: " + message + "\n");
    EXPECT_EQ(run.Out, "");
  }
}

// faces --styles: the family, a tab and the style, one line each; faces --font-file: a variable
// face's named instances under it, indented, with their coordinates; report --info and --json
// say where it is drawn.
TEST(FacesOptions, StylesInstancesAndWhereAFaceIsDrawn) {
  const ProgramRun styles = RunProgram({"faces", "--styles"});
  ASSERT_EQ(styles.ExitCode, 0) << styles.Err;
  for (const char* lines : {"Moji Test Styles\tRegular\nMoji Test Styles\tBold\nMoji Test Styles\tItalic\n",
                            "Moji Test Weight\tLight\nMoji Test Weight\tRegular\nMoji Test Weight\tBold\n",
                            "\nNimbus Sans\tRegular\n", "\nIPAゴシック\tRegular\n"}) {
    EXPECT_NE(styles.Out.find(lines), std::string::npos) << lines;
  }
  EXPECT_EQ(RunProgram({"faces", "--font-file", FontPath("MojiTestWeightCFF2.otf")}).Out,
            "0 Moji Test Weight CFF2 Light\n  細字 (Light) wght=300\n  標準 (Regular) wght=400\n"
            "  太字 (Bold) wght=700\n");
  EXPECT_EQ(RunProgram({"faces", "--font-file", FontPath("MojiTestPair.ttc")}).Out,
            "0 Moji Test Pair One Regular\n1 Moji Test Pair Two Regular\n");
  const ProgramRun info = RunProgram({"report", "A", "--face", "Moji Test Weight", "--instance", "Bold", "--info"});
  EXPECT_NE(info.Out.find("\nMoji Test Weight (0)\nインスタンス 太字、ウエイト (wght) 700 [300–700]\n"),
            std::string::npos) << info.Out;
  const ProgramRun between = RunProgram({"report", "A", "--face", "Moji Test Weight", "--variation", "wght=537.25", "--json"});
  EXPECT_NE(between.Out.find("\"variation\": {\"instance\": null, \"axes\": [{\"tag\": \"wght\", \"name\": "
                             "\"ウエイト\", \"value\": 537.25, \"minimum\": 300, \"default\": 300, \"maximum\": 700}]}"),
            std::string::npos) << between.Out;
  // The instance by either name, and its coordinates as axis values, draw the same.
  const std::string bold = RunProgram({"report", "A", "--face", "Moji Test Weight", "--instance", "Bold"}).Out;
  EXPECT_EQ(RunProgram({"report", "A", "--face", "Moji Test Weight", "--instance", "太字"}).Out, bold);
  EXPECT_EQ(RunProgram({"report", "A", "--face", "Moji Test Weight", "--variation", "wght=700"}).Out, bold);
  EXPECT_EQ(RunProgram({"report", "A", "--face", "Moji Test Weight", "--style", "Bold"}).Out, bold);
  EXPECT_NE(RunProgram({"report", "A", "--face", "Moji Test Weight"}).Out, bold);
}

// A Type 1 font opens from its file as .t1, .pfb and .pfa, on the command line and in the
// window, and WOFF and WOFF2 as their TrueType original, at any coordinates; each reports what
// the installed face reports.
TEST(FacesOptions, TypeOneWoffAndWoff2Files) {
  const std::string nimbus = RunProgram({"report", "g", "--face", "Nimbus Sans"}).Out;
  ASSERT_FALSE(nimbus.empty());
  for (const char* file : {"NimbusSans-Regular.t1", "../extra/NimbusSans-Regular.pfb",
                           "../extra/NimbusSans-Regular.pfa"}) {
    const ProgramRun run = RunProgram({"report", "g", "--font-file", FontPath(file)});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, nimbus) << file;
  }
  // The window opens them as it opens any font file (menu, drop or argument).
  GraphicsServices gdi;
  Main window(gdi);
  window.Form_Load();
  window.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
  window.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("g"));
  ASSERT_TRUE(window.OpenFontFile(test::TestFontPath("../extra/NimbusSans-Regular.pfb"), 0, true));
  EXPECT_EQ(Utf8(window.ReportText()), nimbus);
  const QStringList at = {"--variation", "wght=613"};
  const std::string truetype = RunProgram(QStringList{"report", "O", "--font-file", FontPath("MojiTestWeight.ttf")} + at).Out;
  for (const char* file : {"../extra/MojiTestWeight.woff", "../extra/MojiTestWeight.woff2"}) {
    EXPECT_EQ(RunProgram(QStringList{"report", "O", "--font-file", FontPath(file)} + at).Out, truetype) << file;
  }
}

// A style chosen from the panel is --style on the command line, and an instance and a slider's
// value are --instance and --variation: the same report, JSON and SVG.
TEST(FacesOptions, PanelChoicesAreTheCommandLinesChoices) {
  GraphicsServices gdi;
  Main window(gdi);
  window.Form_Load();
  window.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
  window.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("A"));
  window.findChild<QAction*>(QStringLiteral("ShowTypeface"))->trigger();
  auto* combo1 = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
  const auto choose = [](QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
  };
  QTemporaryDir out;
  const auto expectSame = [&](const QString& family, const QStringList& options) {
    SCOPED_TRACE(options.join(u' ').toStdString());
    const QStringList face = QStringList{"--face", family} + options;
    EXPECT_EQ(Utf8(window.ReportText()), RunProgram(QStringList{"report", "A"} + face).Out);
    ASSERT_EQ(window.SaveOutline(out.filePath("panel.json").toStdString()), "");
    EXPECT_EQ(Content(out.filePath("panel.json")).toStdString(), RunProgram(QStringList{"report", "A", "--json"} + face).Out);
    ASSERT_EQ(window.SaveImage(out.filePath("panel.svg").toStdString(), 1), "");
    ASSERT_EQ(RunProgram(QStringList{"render", "A", "--thickness", "2", "-o", out.filePath("cli.svg")} + face).ExitCode, 0);
    EXPECT_EQ(Content(out.filePath("panel.svg")), Content(out.filePath("cli.svg")));
  };
  choose(combo1, "Moji Test Styles");
  choose(window.findChild<QComboBox*>(QStringLiteral("Styles")), "Italic");
  expectSame("Moji Test Styles", {"--style", "Italic"});
  choose(combo1, "Moji Test Weight CFF2");
  choose(window.findChild<QComboBox*>(QStringLiteral("Instances")), QString::fromUtf16(u"標準"));
  expectSame("Moji Test Weight CFF2", {"--instance", "Regular"});
  window.findChild<QSlider*>(QStringLiteral("AxisSlider_wght"))->setValue(333);
  expectSame("Moji Test Weight CFF2", {"--variation", "wght=433.2"});
}

}  // namespace
