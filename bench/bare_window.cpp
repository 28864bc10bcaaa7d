// The baseline of start-up: a bare Qt Widgets main window with the program window's size,
// controls, menus, status bar and Japanese texts, offscreen, that exits once its first frame is
// painted. It has what the program's window shows, so that both pay Qt's own costs alike (its
// widgets, its font database and its fallback to a face with the Japanese characters), and
// nothing of the program's own work: no face list (the combo box holds the one entry shown), no
// outline, no drawing, no handlers behind the menus.
//
//   bare_window [--report FILE] [--status FILE] [--grab PNG-FILE]
//
// --report names a file with the text the large text box shows, --status one with the lines the
// status bar shows on one line (bench/peers/startup_vs_bare_qt.py passes what
// `moji-outline report 龍` and `moji-outline report 龍 --info` print on the same fonts); without
// them the box shows the report's first line and the status bar a line of the same kind. With
// --grab the window is written to a PNG file instead, to compare it with
// `moji-outline --screenshot` by eye.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdlib>
#include <cstring>

#include "first_paint_exit.h"

namespace {

QString FileText(const char* path) {
  QFile file(QString::fromLocal8Bit(path));
  if (!file.open(QIODevice::ReadOnly)) std::exit(2);
  return QString::fromUtf8(file.readAll());
}

/// The menus of the program's window, with their texts and shortcuts and nothing behind them.
void AddMenus(QMenuBar& bar) {
  QMenu* file = bar.addMenu(QString::fromUtf16(u"ファイル(&F)"));
  file->addAction(QString::fromUtf16(u"フォントファイルを開く…(&O)"))
      ->setShortcut(Qt::CTRL | Qt::Key_O);
  file->addAction(QString::fromUtf16(u"画像を保存…(&S)"))->setShortcut(Qt::CTRL | Qt::Key_S);
  file->addAction(QString::fromUtf16(u"アウトラインを保存…(&A)"));
  file->addSeparator();
  file->addAction(QString::fromUtf16(u"終了(&Q)"))->setShortcut(Qt::CTRL | Qt::Key_Q);
  QMenu* view = bar.addMenu(QString::fromUtf16(u"表示(&V)"));
  for (const char16_t* text : {u"点(&P)", u"点番号(&N)", u"始点と向き(&D)"}) {
    view->addAction(QString::fromUtf16(text))->setCheckable(true);
  }
  QMenu* help = bar.addMenu(QString::fromUtf16(u"ヘルプ(&H)"));
  help->addAction(QString::fromUtf16(u"バージョン情報(&A)"));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString report = QString::fromUtf16(u"文字：龍\r\n");
  QString status = QString::fromUtf16(u"U+9F8D 龍\nCJK UNIFIED IDEOGRAPH-9F8D\nグリフ 3721\n");
  const char* grab = nullptr;
  if (argc % 2 == 0) return 2;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--grab") == 0) {
      grab = argv[i + 1];
    } else if (std::strcmp(argv[i], "--report") == 0) {
      report = FileText(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--status") == 0) {
      status = FileText(argv[i + 1]);
    } else {
      return 2;
    }
  }

  QMainWindow main;
  main.setWindowTitle(QString::fromUtf16(u"文字のアウトライン応用サンプル"));
  // The controls sit in a client area of the window's size, between the menu bar and the
  // status bar.
  auto* client = new QWidget(&main);
  client->setFixedSize(582, 436);
  main.setCentralWidget(client);
  // In the main window's order of creation (its tab order).
  auto* picture = new QFrame(client);
  picture->setGeometry(336, 8, 204, 204);
  picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture->setLineWidth(2);
  QPalette white = picture->palette();
  white.setColor(QPalette::Window, Qt::white);
  picture->setPalette(white);
  picture->setAutoFillBackground(true);

  auto* text = new QPlainTextEdit(client);
  text->setGeometry(8, 8, 313, 401);
  text->setReadOnly(true);
  text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text->setTabChangesFocus(true);
  text->setPlainText(report);

  auto* line = new QLineEdit(client);
  line->setGeometry(336, 256, 193, 113);
  line->setFont(QFont(QString::fromUtf16(u"ＭＳ Ｐゴシック"), 72, QFont::Normal));
  line->setText(QString::fromUtf16(u"龍"));

  auto* check = new QCheckBox(QString::fromUtf16(u"動きあり"), client);
  check->setGeometry(336, 376, 73, 17);
  auto* combo = new QComboBox(client);
  combo->setGeometry(336, 224, 209, 20);
  combo->addItem(QString::fromUtf16(u"IPAゴシック"));

  auto* scroll = new QScrollBar(Qt::Horizontal, client);
  scroll->setGeometry(416, 400, 121, 17);
  scroll->setRange(1, 5);
  scroll->setPageStep(1);
  scroll->setValue(2);
  scroll->setFocusPolicy(Qt::StrongFocus);

  auto* label = new QLabel(QString::fromUtf16(u"太さ：2"), client);
  label->setGeometry(336, 404, 73, 17);

  AddMenus(*main.menuBar());
  main.statusBar()->setSizeGripEnabled(false);
  auto* glyphLine = new QLabel(main.statusBar());
  glyphLine->setTextFormat(Qt::PlainText);
  glyphLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  glyphLine->setText(status.split(u'\n', Qt::SkipEmptyParts).join(QStringLiteral("   ")));
  main.statusBar()->addWidget(glyphLine, 1);
  main.layout()->setSizeConstraint(QLayout::SetFixedSize);

  if (grab != nullptr) {
    main.show();
    return main.grab().save(QString::fromLocal8Bit(grab)) ? 0 : 1;
  }
  moji::bench::FirstPaintExit exit(main);
  exit.Arm();
  main.show();
  return app.exec();
}
