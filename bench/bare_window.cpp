// The baseline of start-up: a bare Qt Widgets window of the main window's size with five
// controls, offscreen, that exits once its first frame is painted.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWidget>

#include "first_paint_exit.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(582, 436);
  auto* text = new QPlainTextEdit(&window);
  text->setGeometry(8, 8, 313, 401);
  auto* line = new QLineEdit(QStringLiteral("A"), &window);
  line->setGeometry(336, 256, 193, 113);
  auto* check = new QCheckBox(QStringLiteral("Check"), &window);
  check->setGeometry(336, 376, 73, 17);
  auto* combo = new QComboBox(&window);
  combo->setGeometry(336, 224, 209, 20);
  auto* scroll = new QScrollBar(Qt::Horizontal, &window);
  scroll->setGeometry(416, 400, 121, 17);

  moji::bench::FirstPaintExit exit(window);
  exit.Arm();
  window.show();
  return app.exec();
}
