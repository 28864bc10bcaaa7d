// Start-up of the program's window as moji-outline runs it (Qt's own Japanese texts, the window,
// its start-up handler with the face list and the request for "龍"), ending the process once the
// first frame with the drawn character is painted.
#include <QApplication>
#include <QTranslator>
#include <QWidget>

#include "first_paint_exit.h"
#include "window/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTranslator toolkitTexts;
  moji::InstallToolkitTranslation(toolkitTexts);
  moji::GraphicsServices services;
  moji::Main window(services);
  moji::bench::FirstPaintExit exit(window);
  window.Form_Load();
  // Armed after the start-up handler: its show() may paint before "龍" is drawn.
  exit.Arm();
  return app.exec();
}
