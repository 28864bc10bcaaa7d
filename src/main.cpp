// moji-outline: opens the main window, writes a picture of it after start-up, or runs one of
// the command-line subcommands (report, render, faces) without a window.

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTranslator>
#include <csignal>
#include <cstdlib>
#include <string>

#include "cli/cli_commands.h"
#include "cli/command_output.h"
#include "cli/command_line.h"
#include "display/face_list.h"
#include "platform/graphics_services.h"
#include "platform/raster_surface.h"
#include "window/main_window.h"

namespace {

/// How to go on without a window, said after why there is none.
constexpr char kWithoutWindow[] =
    "; run a command instead (moji-outline report 龍, see moji-outline --help), or take a "
    "picture off the screen: QT_QPA_PLATFORM=offscreen moji-outline --screenshot FILE";

/// Why the window cannot open, before the toolkit tries: no display is named and no platform
/// chosen. Empty when one is.
std::string MissingDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (!qEnvironmentVariableIsEmpty(name)) return {};
  }
  return std::string("no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not "
                     "set)") + kWithoutWindow;
}

/// The toolkit's messages while it starts: kept from the terminal, and a fatal one (no display
/// could be opened, no platform plugin works) ends the program with one line of its own and
/// status 2, where the toolkit would abort.
void StartupMessage(QtMsgType type, const QMessageLogContext&, const QString&) {
  if (type != QtFatalMsg) return;
  moji::Fail(std::string("cannot open the window: no display could be opened (DISPLAY=") +
             qgetenv("DISPLAY").toStdString() + ")" + kWithoutWindow);
  std::_Exit(moji::kUsageError);
}

}  // namespace

int main(int argc, char** argv) {
  // A file that grows past the size limit is then a failed write, reported and cleaned up,
  // rather than the end of the process with a partial file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
  // The whole command line is checked before anything touches a display.
  const moji::ParsedCommand parsed = moji::ParseCommandLine(argc, argv);
  if (!parsed.Request) return moji::RefuseCommand(parsed.Error);
  const moji::CommandRequest& request = *parsed.Request;
  if (request.Kind != moji::CommandKind::Window) return moji::RunCommand(request);
  const bool screenshot = request.ScreenshotPath.has_value();
  // The graphics and font services of the whole run.
  moji::GraphicsServices services;
  // A screenshot run fails on a font file it cannot use as the subcommands do, in one line,
  // before anything touches a display.
  if (screenshot && request.FontFile) {
    const moji::FontFileChoice choice =
        moji::FaceList().ReadFontFile(services.Fonts(), *request.FontFile, request.FaceIndex);
    if (!choice.Chosen) return moji::Fail(choice.Problem);
  }

  if (const std::string missing = MissingDisplay(); !missing.empty()) return moji::Fail(missing);
  const QtMessageHandler previous = qInstallMessageHandler(StartupMessage);
  QApplication app(argc, argv);
  qInstallMessageHandler(previous);
  QCoreApplication::setApplicationName(QStringLiteral("moji-outline"));
  QCoreApplication::setApplicationVersion(QStringLiteral(MOJI_VERSION));
  // The toolkit's own texts (context menus, standard dialogs) in Japanese, as the window is;
  // without the translation they stay as they are.
  QTranslator toolkitTexts;
  moji::InstallToolkitTranslation(toolkitTexts);
  moji::Main window(services);
  window.Form_Load();
  if (request.Inspector) window.ShowInspector(true);
  // A font file given is opened over the start-up face; should it fail now in a screenshot
  // run (changed since it was checked), the run says so on standard error and writes nothing.
  if (request.FontFile && !window.OpenFontFile(*request.FontFile, request.FaceIndex, screenshot) &&
      screenshot) {
    return moji::kUsageError;
  }
  if (screenshot) {
    const std::optional<std::string> png = moji::PngBytes(window.grab().toImage());
    if (!png) return moji::Fail("cannot encode the picture as PNG");
    return moji::WriteOutputFile(*request.ScreenshotPath, *png);
  }
  return app.exec();
}
