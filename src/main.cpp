// moji-outline: opens the main window, writes a picture of it after start-up, or runs one of
// the command-line subcommands (report, render, faces) without a window.

#include <QApplication>
#include <QPixmap>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/command_line.h"
#include "window/main_window.h"
#include "window/screen_font_list.h"

namespace {

/// What the command line asks for.
enum class LaunchMode { Window, Screenshot, Invalid };

/// The parsed command line (Qt's own options already taken out by QApplication).
struct LaunchOptions {
  LaunchMode Mode = LaunchMode::Window;
  QString ScreenshotPath;
  QString Error;
};

/// No arguments: the window. `--screenshot FILE`: a PNG of the window after start-up.
LaunchOptions ParseLaunchOptions(const QStringList& arguments) {
  LaunchOptions options;
  const QStringList rest = arguments.mid(1);
  if (rest.isEmpty()) return options;
  if (rest.size() == 2 && rest[0] == QStringLiteral("--screenshot") && !rest[1].isEmpty()) {
    options.Mode = LaunchMode::Screenshot;
    options.ScreenshotPath = rest[1];
    return options;
  }
  options.Mode = LaunchMode::Invalid;
  options.Error = rest[0] == QStringLiteral("--screenshot")
                      ? QStringLiteral("--screenshot needs exactly one FILE")
                      : QStringLiteral("unknown argument: ") + rest[0];
  return options;
}

/// Writes the whole window, as it is drawn, to a PNG file.
bool SaveScreenshot(QWidget& window, const QString& path) {
  return window.grab().save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  // Subcommands run before any application object exists: they need no display.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (moji::IsCommandLineRequest(arguments)) {
    const moji::ParsedCommand parsed = moji::ParseCommand(arguments);
    return parsed.Request ? moji::RunCommand(*parsed.Request) : moji::RefuseCommand(parsed.Error);
  }

  QApplication app(argc, argv);
  const LaunchOptions options = ParseLaunchOptions(QApplication::arguments());
  if (options.Mode == LaunchMode::Invalid) {
    return moji::RefuseCommand(options.Error.toStdString());
  }

  moji::Main window(std::make_unique<moji::InstalledScreenFonts>());
  window.Form_Load();
  if (options.Mode == LaunchMode::Screenshot) {
    if (SaveScreenshot(window, options.ScreenshotPath)) return 0;
    std::fprintf(stderr, "moji-outline: cannot write %s\n", qUtf8Printable(options.ScreenshotPath));
    return 1;
  }
  return app.exec();
}
