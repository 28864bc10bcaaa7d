// The command line against the window: the same request gives the same report, the same
// picture and the same face list; refused command lines exit 2 and write nothing.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/recording_surface.h"
#include "program_run.h"
#include "window/block_palette.h"
#include "window/display_request.h"
#include "window/main_window.h"

using namespace moji;

namespace {

std::string Utf8(const std::u16string& text) {
  return QString::fromStdU16String(text).toUtf8().toStdString();
}

/// A started window over the installed faces, its timer stopped.
std::unique_ptr<Main> StartedWindow() {
  auto window = std::make_unique<Main>(std::make_unique<InstalledScreenFonts>());
  window->Form_Load();
  window->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
  return window;
}

PictureBox& Picture1(Main& window) {
  return *window.findChild<PictureBox*>(QStringLiteral("Picture1"));
}

bool IsBlank(const QImage& image) {
  QImage white(image.size(), image.format());
  white.fill(Qt::white);
  return image == white;
}

/// The window's display request for `text` in `face` (unchanged when none) with pen `thickness`.
void ShowInWindow(Main& window, const std::u16string& text, const std::optional<std::string>& face,
                  int thickness) {
  if (!face) return;  // Form_Load already showed "龍" in the start-up face with pen 2.
  Picture1(window).SetFontName(QString::fromStdString(*face));
  window.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(thickness);
  window.GetKestrineProc(text);
}

/// Command-line arguments of a request, before the output option.
std::vector<std::string> RequestArguments(const char* command, const std::u16string& text,
                                          const std::optional<std::string>& face, int thickness) {
  std::vector<std::string> arguments{command, Utf8(text)};
  if (face) arguments.insert(arguments.end(), {"--face", *face});
  if (std::string(command) == "render" && face) {
    arguments.insert(arguments.end(), {"--thickness", std::to_string(thickness)});
  }
  return arguments;
}

struct DisplayCase {
  const char* Name;
  std::u16string Text;
  std::optional<std::string> Face;  // none: the start-up face, pen 2
  int Thickness;
  bool Blank;
};

const DisplayCase kDisplayCases[] = {
    {"start-up face", u"龍", std::nullopt, 2, false},
    {"IPAGothic by its Japanese name", u"龍", "IPAゴシック", 2, false},
    {"IPAGothic by its English name, thickest pen", u"龍", "IPAGothic", 5, false},
    {"Latin face, thinnest pen", u"A", "DejaVu Sans", 1, false},
    {"first of several characters", u"AB", "DejaVu Sans", 3, false},
    {"beyond the BMP", u"𠀋", "IPAゴシック", 4, false},
    {"face not installed, substituted", u"壘", "No Such Face", 2, false},
    {"space, no contours", u" ", "IPAゴシック", 2, true},
};

/// The recorded calls split at each created pen: one block's pen and its drawing calls.
struct RecordedBlock {
  PenDescription Pen;
  std::vector<SurfaceCall> Drawing;
};

std::vector<RecordedBlock> RecordedBlocks(const std::vector<SurfaceCall>& calls) {
  std::vector<RecordedBlock> blocks;
  for (const SurfaceCall& call : calls) {
    if (call.Kind == SurfaceCallKind::CreatePen) blocks.push_back({call.Pen, {}});
    if (call.Kind == SurfaceCallKind::Polyline || call.Kind == SurfaceCallKind::PolyBezier) {
      blocks.back().Drawing.push_back(call);
    }
  }
  return blocks;
}

/// The drawing calls a path's data stands for: each M starts one; L continues a Polyline, C
/// makes it a PolyBezier.
std::vector<SurfaceCall> CallsOfPathData(const QString& data) {
  std::vector<SurfaceCall> calls;
  const QStringList tokens = data.split(u' ', Qt::SkipEmptyParts);
  for (qsizetype i = 0; i < tokens.size();) {
    const QString token = tokens[i++];
    if (token == u"M") calls.push_back(SurfaceCall::Polyline({}));
    if (token == u"C") calls.back().Kind = SurfaceCallKind::PolyBezier;
    while (i + 1 < tokens.size() && (tokens[i][0].isDigit() || tokens[i][0] == u'-')) {
      calls.back().Points.push_back(POINT{tokens[i].toInt(), tokens[i + 1].toInt()});
      i += 2;
    }
  }
  return calls;
}

/// A display target that records its drawing, as the command line's SVG output does.
class RecordingTarget final : public DisplayTarget {
 public:
  RecordingTarget() { dc_.Surface = &recording_; }
  DeviceContext& DrawingDc() override { return dc_; }
  void ShowReport(std::u16string) override {}
  void ClearDrawing() override { recording_.Clear(); }
  void RefreshDrawing() override {}
  const std::vector<SurfaceCall>& Calls() const { return recording_.Calls(); }

 private:
  RecordingSurface recording_;
  DeviceContext dc_;
};

}  // namespace

TEST(CommandLine, ReportAndPictureAreTheWindows) {
  QTemporaryDir scratch, out;
  for (const DisplayCase& c : kDisplayCases) {
    SCOPED_TRACE(c.Name);
    auto window = StartedWindow();
    ShowInWindow(*window, c.Text, c.Face, c.Thickness);

    const test::ProgramRun report = test::RunMojiOutline(
        RequestArguments("report", c.Text, c.Face, c.Thickness), scratch.path().toStdString());
    EXPECT_EQ(report.ExitCode, 0) << report.Err;
    EXPECT_EQ(report.Out, Utf8(window->ReportText()));
    EXPECT_TRUE(report.Out.starts_with("文字："));

    const std::string png = out.filePath(QStringLiteral("out.png")).toStdString();
    std::vector<std::string> arguments = RequestArguments("render", c.Text, c.Face, c.Thickness);
    arguments.insert(arguments.end(), {"-o", png});
    const test::ProgramRun render = test::RunMojiOutline(arguments, scratch.path().toStdString());
    EXPECT_EQ(render.ExitCode, 0) << render.Err;
    const QImage drawn = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    const QImage expected = Picture1(*window).Image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(drawn.size(), QSize(200, 200));
    EXPECT_TRUE(drawn == expected);
    EXPECT_EQ(c.Blank, IsBlank(expected));
    // Written in place by a rename: no temporary file is left beside it.
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.png")});
  }
}

TEST(CommandLine, SvgPathsAreTheRecordedDevicePoints) {
  struct SvgCase {
    const char* Name;
    std::u16string Text;
    std::string Face;
    int Thickness;
  };
  const SvgCase cases[] = {
      {"kanji, pen 2", u"龍", "IPAゴシック", 2},
      {"latin, thinnest pen: no round ends", u"S", "DejaVu Sans", 1},
      {"16 blocks: the colours wrap", u"壘", "IPAゴシック", 5},
  };
  QTemporaryDir scratch, out;
  const QRegularExpression pathElement(QStringLiteral(
      R"re(<path id="block-(\d+)" d="([^"]*)" fill="none" stroke="(#[0-9a-f]{6})" stroke-width="(\d+)"( stroke-linecap="round" stroke-linejoin="round")?/>)re"));
  for (const SvgCase& c : cases) {
    SCOPED_TRACE(c.Name);
    RecordingTarget target;
    GlyphOutline outline;
    ASSERT_TRUE(RunDisplayRequest(c.Text, c.Face, c.Thickness, outline, target));
    const std::vector<RecordedBlock> expected = RecordedBlocks(target.Calls());
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(outline.BlockCount));

    // The window makes the same pens: one per block, in the block's palette colour.
    auto window = StartedWindow();
    ShowInWindow(*window, c.Text, c.Face, c.Thickness);
    RecordingSurface windowPens;
    window->GetKestrineProc(c.Text);
    const std::vector<RecordedBlock> windowBlocks = RecordedBlocks(windowPens.Calls());
    ASSERT_EQ(windowBlocks.size(), expected.size());

    const std::string svgPath = out.filePath(QStringLiteral("out.svg")).toStdString();
    std::vector<std::string> arguments = RequestArguments("render", c.Text, c.Face, c.Thickness);
    arguments.insert(arguments.end(), {"-o", svgPath});
    const test::ProgramRun render = test::RunMojiOutline(arguments, scratch.path().toStdString());
    ASSERT_EQ(render.ExitCode, 0) << render.Err;
    const QString svg = QString::fromStdString(test::FileBytes(svgPath));
    EXPECT_TRUE(svg.contains(QStringLiteral(R"(viewBox="0 0 200 200")")));
    EXPECT_TRUE(svg.contains(QStringLiteral(R"(<rect width="200" height="200" fill="#ffffff"/>)")));

    std::size_t block = 0;
    for (auto match = pathElement.globalMatch(svg); match.hasNext(); ++block) {
      const QRegularExpressionMatch path = match.next();
      ASSERT_LT(block, expected.size());
      SCOPED_TRACE(block);
      const COLORREF color = BlockColor(static_cast<std::int32_t>(block));
      EXPECT_EQ(path.captured(1).toULongLong(), block);
      EXPECT_EQ(CallsOfPathData(path.captured(2)), expected[block].Drawing);
      EXPECT_EQ(path.captured(3), QStringLiteral("#%1%2%3")
                                      .arg(color & 0xFF, 2, 16, QLatin1Char('0'))
                                      .arg((color >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                                      .arg((color >> 16) & 0xFF, 2, 16, QLatin1Char('0')));
      EXPECT_EQ(expected[block].Pen.Color, color);
      EXPECT_EQ(windowBlocks[block].Pen.Color, color);
      EXPECT_EQ(windowBlocks[block].Pen.Width, c.Thickness);
      EXPECT_EQ(path.captured(4).toInt(), c.Thickness);
      EXPECT_EQ(path.capturedLength(5) > 0, c.Thickness > 1);
    }
    EXPECT_EQ(block, expected.size());
  }
}

TEST(CommandLine, FacesListsCombo1InOrder) {
  QTemporaryDir scratch;
  auto window = StartedWindow();
  const QComboBox* combo1 = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
  std::string entries;
  for (int i = 0; i < combo1->count(); ++i) entries += combo1->itemText(i).toStdString() + "\n";

  const test::ProgramRun faces = test::RunMojiOutline({"faces"}, scratch.path().toStdString());
  EXPECT_EQ(faces.ExitCode, 0) << faces.Err;
  EXPECT_EQ(faces.Out, entries);
  EXPECT_NE(faces.Out.find("IPAゴシック\n"), std::string::npos);
  EXPECT_NE(faces.Out.find("DejaVu Sans\n"), std::string::npos);
  // Under ctest a CFF face is installed as well; it is no TrueType face, so neither lists it.
  EXPECT_EQ(faces.Out.find("Moji Test CFF"), std::string::npos);
}

TEST(CommandLine, HelpAndVersion) {
  QTemporaryDir scratch;
  const test::ProgramRun version =
      test::RunMojiOutline({"--version"}, scratch.path().toStdString());
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_EQ(version.Out, "moji-outline " MOJI_VERSION "\n");
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"}, {"-h"}, {"render", "龍", "--help"}}) {
    const test::ProgramRun help = test::RunMojiOutline(arguments, scratch.path().toStdString());
    EXPECT_EQ(help.ExitCode, 0);
    for (const char* command : {"report CHAR", "render CHAR", "faces", "--screenshot FILE"}) {
      EXPECT_NE(help.Out.find(command), std::string::npos) << command;
    }
  }
}

TEST(CommandLine, RefusedCommandsExitTwoAndWriteNothing) {
  QTemporaryDir scratch, out;
  const std::string dir = out.path().toStdString();
  const std::string png = dir + "/out.png";
  // A plain file where a folder is expected: the output cannot be written, even by root.
  std::ofstream(dir + "/file").put('x');
  const std::vector<std::vector<std::string>> cases = {
      {"frobnicate"},
      {"report", "龍", "--bogus"},
      {"report", "龍", "-o", png},
      {"faces", "extra"},
      {"faces", "--face", "IPAGothic"},
      {"--version", "extra"},
      {"report"},
      {"report", ""},
      {"render", "", "-o", png},
      {"report", "龍", "二"},
      {"report", "\xE9"},
      {"report", "\xED\xA0\x80"},
      {"report", "龍", "--face"},
      {"report", "龍", "--face", std::string(32, 'x')},
      {"render", "龍"},
      {"render", "龍", "-o"},
      {"render", "龍", "-o", dir + "/out.gif"},
      {"render", "龍", "-o", dir + "/out"},
      {"render", "龍", "--thickness", "0", "-o", png},
      {"render", "龍", "--thickness", "6", "-o", png},
      {"render", "龍", "--thickness", "two", "-o", png},
      {"render", "龍", "--thickness", "2.5", "-o", png},
      {"render", "龍", "--thickness", "", "-o", png},
      {"render", "龍", "-o", dir + "/no-such-folder/out.png"},
      {"render", "龍", "-o", dir + "/file/out.svg"},
      {"render", "龍", "-o", dir},
  };
  for (const std::vector<std::string>& arguments : cases) {
    std::string shown;
    for (const std::string& argument : arguments) shown += "[" + argument + "] ";
    SCOPED_TRACE(shown);
    const test::ProgramRun run = test::RunMojiOutline(arguments, scratch.path().toStdString());
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_TRUE(run.Err.starts_with("moji-outline: "));
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1);
    EXPECT_TRUE(run.Err.ends_with("\n"));
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("file")});
  }
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
