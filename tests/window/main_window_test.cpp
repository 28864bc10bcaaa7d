// The main window with real widgets and real events on the offscreen platform.

#include "window/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "platform/font_records.h"
#include "platform/gdi_objects.h"
#include "platform/recording_surface.h"
#include "report/outline_report.h"
#include "window/block_palette.h"
#include "window_test_support.h"

using namespace moji;

namespace {

const QString kIpaGothic = QString::fromUtf16(u"IPAゴシック");
const QString kTitle = QString::fromUtf16(kMainCaption);

template <typename Control>
Control* Find(Main& window, const char* name) {
  return window.findChild<Control*>(QString::fromLatin1(name));
}

/// A started window over a small face list; Timer1 is stopped so the test drives the ticks.
std::unique_ptr<Main> Started(QStringList faces = {kIpaGothic, QStringLiteral("DejaVu Sans")}) {
  auto window = std::make_unique<Main>(std::make_unique<test::FakeScreenFonts>(faces));
  window->Form_Load();
  Find<QTimer>(*window, "Timer1")->stop();
  window->Random().Seed(7);
  return window;
}

/// Replaces Text2's text by typing: select all, then one key per character (or Backspace).
void TypeIntoText2(Main& window, const QString& text) {
  QLineEdit* text2 = Find<QLineEdit>(window, "Text2");
  QTest::keyClick(text2, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) QTest::keyClick(text2, Qt::Key_Backspace);
  for (const QChar character : text) {
    QTest::sendKeyEvent(QTest::Click, text2, Qt::Key_unknown, QString(character), Qt::NoModifier);
  }
}

/// Pen widths and colours of every pen created while `action` runs.
std::vector<PenDescription> PensCreatedBy(const std::function<void()>& action) {
  RecordingSurface recording;
  action();
  std::vector<PenDescription> pens;
  for (const SurfaceCall& call : recording.Calls()) {
    if (call.Kind == SurfaceCallKind::CreatePen) pens.push_back(call.Pen);
  }
  return pens;
}

/// The ink of Picture1 lies inside the placed outline's point box, widened by half the pen
/// and one pixel of antialiasing.
void VerifyInkInsideOutline(Main& window, int penWidth) {
  const QRect ink = test::InkBounds(Find<PictureBox>(window, "Picture1")->Image());
  QVERIFY(!ink.isNull());
  const qreal margin = penWidth / 2.0 + 1.0;
  const QRectF box =
      test::PointBounds(window.CurrentOutline()).adjusted(-margin, -margin, margin, margin);
  QVERIFY2(box.contains(QRectF(ink)), "ink outside the placed outline");
}

/// Same counts and the same coordinates to the report's three decimals.
bool SameOutline(const GlyphOutline& a, const GlyphOutline& b) {
  return OutlineReportText(a) == OutlineReportText(b);
}

/// One straight block from (x0, y0) to (x1, y1) and back.
OutlineBlock LineBlock(float x0, float y0, float x1, float y1) {
  OutlineCurve line{CURVE_POLYLINE, 1, {{x1, y1}}};
  return OutlineBlock{x0, y0, 1, {line}};
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Picture1") << "Picture1" << QRect(336, 8, 204, 204);
    QTest::newRow("Text1") << "Text1" << QRect(8, 8, 313, 401);
    QTest::newRow("Text2") << "Text2" << QRect(336, 256, 193, 113);
    QTest::newRow("Check1") << "Check1" << QRect(336, 376, 73, 17);
    QTest::newRow("Combo1") << "Combo1" << QRect(336, 224, 209, 20);
    QTest::newRow("HScroll1") << "HScroll1" << QRect(416, 400, 121, 17);
    QTest::newRow("Label1") << "Label1" << QRect(336, 404, 73, 17);
  }
  void layout() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    Main window(std::make_unique<test::FakeScreenFonts>(QStringList{}));
    QCOMPARE(window.size(), QSize(582, 436));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QWidget* control = window.findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), geometry);
  }

  void startUp() {
    QStringList captionsDuringWalk;
    Main* seen = nullptr;
    Main window(std::make_unique<test::FakeScreenFonts>(
        QStringList{kIpaGothic, QStringLiteral("DejaVu Sans")},
        [&] { captionsDuringWalk << seen->windowTitle(); }));
    seen = &window;
    QTimer* timer1 = Find<QTimer>(window, "Timer1");
    QVERIFY(timer1->isActive());
    QCOMPARE(timer1->interval(), 50);
    QCOMPARE(window.windowTitle(), kTitle);

    window.Form_Load();
    timer1->stop();
    QCOMPARE(captionsDuringWalk,
             QStringList(2, QString::fromUtf16(u"フォント列挙中・・・数秒かかる場合があります")));
    QCOMPARE(window.windowTitle(), kTitle);
    QVERIFY(window.isVisible());
    QCOMPARE(Find<QLabel>(window, "Label1")->text(), QString::fromUtf16(u"太さ：2"));
    QVERIFY(!Find<QCheckBox>(window, "Check1")->isChecked());
    QCOMPARE(Find<QCheckBox>(window, "Check1")->text(), QString::fromUtf16(u"動きあり"));
    QCOMPARE(Find<QLineEdit>(window, "Text2")->font().family(),
             QString::fromUtf16(u"ＭＳ Ｐゴシック"));
    QCOMPARE(Find<QLineEdit>(window, "Text2")->font().pointSize(), 72);

    // "ＭＳ ゴシック" is not installed: the face stays by name, and the list shows the face
    // the engine draws in its place.
    PictureBox* picture1 = Find<PictureBox>(window, "Picture1");
    QCOMPARE(picture1->FontName(), QString::fromUtf16(kDefaultFace));
    QVERIFY(picture1->FontItalic());
    const LOGFONTA* pictureFont = FontDescriptionOf(picture1->Dc().CurrentFont);
    QVERIFY(pictureFont != nullptr);
    QCOMPARE(QString::fromUtf8(pictureFont->lfFaceName), QString::fromUtf16(kDefaultFace));
    QCOMPARE(pictureFont->lfHeight, -200);
    QCOMPARE(pictureFont->lfItalic, 1);
    QCOMPARE(pictureFont->lfCharSet, SHIFTJIS_CHARSET);
    QCOMPARE(Find<QComboBox>(window, "Combo1")->currentText(), kIpaGothic);

    QVERIFY(window.ReportText().starts_with(u"文字：龍\r\nブロック数：7\r\n"));
    QVERIFY(Find<QPlainTextEdit>(window, "Text1")
                ->toPlainText()
                .startsWith(QString::fromUtf16(u"文字：龍\n")));
    VerifyInkInsideOutline(window, 2);
    // Placed at 160 pixels per font height, origin 20 pixels from the left, baseline 160 down.
    const QRegularExpressionMatch start =
        QRegularExpression(QStringLiteral("始点－ \\( ([-0-9.]+) , ([-0-9.]+)\\)"))
            .match(QString::fromStdU16String(window.ReportText()));
    QVERIFY(start.hasMatch());
    QVERIFY(qAbs(window.CurrentOutline().Blocks[0].StartX -
                 (160 * start.captured(1).toFloat() + 20)) < 0.1f);
    QVERIFY(qAbs(window.CurrentOutline().Blocks[0].StartY -
                 160 * (1 - start.captured(2).toFloat())) < 0.1f);
    // Blocks 0 to 6 in their palette colours: black, navy, green, teal, maroon, purple, olive.
    for (int block = 0; block < 7; ++block) {
      const COLORREF c = BlockColor(block);
      QVERIFY2(test::HasPixel(picture1->Image(), qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)),
               qPrintable(QStringLiteral("no pixel of block %1's colour").arg(block)));
    }
  }

  void typing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reportStart");
    QTest::addColumn<bool>("blank");
    QTest::newRow("latin") << "A" << QString::fromUtf16(u"文字：A\r\nブロック数：2\r\n") << false;
    QTest::newRow("two characters, first shown")
        << "AB" << QString::fromUtf16(u"文字：A\r\n") << false;
    QTest::newRow("kanji") << QString::fromUtf16(u"壘")
                           << QString::fromUtf16(u"文字：壘\r\nブロック数：16\r\n") << false;
    QTest::newRow("space, no contours")
        << " " << QString::fromUtf16(u"文字：\r\nブロック数：0\r\n") << true;
    QTest::newRow("missing from the face")
        << QString::fromUtf16(u"ก")
        << QString::fromUtf16(u"文字：\r\nブロック数：0\r\nカーブ最大点数：0\r\n") << true;
  }
  void typing() {
    QFETCH(QString, typed);
    QFETCH(QString, reportStart);
    QFETCH(bool, blank);
    auto window = Started();
    TypeIntoText2(*window, typed);
    QCOMPARE(Find<QLineEdit>(*window, "Text2")->text(), typed);
    QVERIFY2(window->ReportText().starts_with(reportStart.toStdU16String()),
             qPrintable(QString::fromStdU16String(window->ReportText()).left(60)));
    const QImage& image = Find<PictureBox>(*window, "Picture1")->Image();
    QCOMPARE(test::IsBlank(image), blank);
    if (!blank) VerifyInkInsideOutline(*window, 2);
  }

  void clearingText2KeepsReportAndPicture() {
    auto window = Started();
    const std::u16string report = window->ReportText();
    const QImage picture = Find<PictureBox>(*window, "Picture1")->Image().copy();
    TypeIntoText2(*window, QString());
    QVERIFY(Find<QLineEdit>(*window, "Text2")->text().isEmpty());
    QVERIFY(window->ReportText() == report);
    QCOMPARE(Find<PictureBox>(*window, "Picture1")->Image(), picture);
  }

  void choosingFace() {
    auto window = Started();
    QComboBox* combo1 = Find<QComboBox>(*window, "Combo1");
    QSignalSpy chosen(combo1, &QComboBox::activated);
    QTest::keyClick(combo1, Qt::Key_Down);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(combo1->currentText(), QStringLiteral("DejaVu Sans"));

    PictureBox* picture1 = Find<PictureBox>(*window, "Picture1");
    QCOMPARE(picture1->FontName(), QStringLiteral("DejaVu Sans"));
    QVERIFY(!picture1->FontItalic());
    const LOGFONTA* selected = FontDescriptionOf(picture1->Dc().CurrentFont);
    QVERIFY(selected != nullptr);
    QCOMPARE(QByteArray(selected->lfFaceName), QByteArray("DejaVu Sans"));
    QCOMPARE(selected->lfItalic, 0);
    const QFont text2Font = Find<QLineEdit>(*window, "Text2")->font();
    QCOMPARE(text2Font.family(), QStringLiteral("DejaVu Sans"));
    QVERIFY(!text2Font.italic());

    // DejaVu Sans has no 龍: the redraw in the new face is empty.
    QVERIFY(window->ReportText().starts_with(u"文字：\r\n"));
    QVERIFY(test::IsBlank(picture1->Image()));
    TypeIntoText2(*window, QStringLiteral("A"));
    QVERIFY(window->ReportText().starts_with(u"文字：A\r\nブロック数：2\r\n"));
    VerifyInkInsideOutline(*window, 2);
  }

  void thickness_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("width");
    QTest::newRow("End: the thickest") << int(Qt::Key_End) << 5;
    QTest::newRow("Home: the thinnest") << int(Qt::Key_Home) << 1;
    QTest::newRow("Right: one step up") << int(Qt::Key_Right) << 3;
    QTest::newRow("Left: one step down") << int(Qt::Key_Left) << 1;
  }
  void thickness() {
    QFETCH(int, key);
    QFETCH(int, width);
    auto window = Started();
    QScrollBar* hScroll1 = Find<QScrollBar>(*window, "HScroll1");
    const auto pens = PensCreatedBy([&] { QTest::keyClick(hScroll1, Qt::Key(key)); });
    QCOMPARE(hScroll1->value(), width);
    QCOMPARE(Find<QLabel>(*window, "Label1")->text(),
             QString::fromUtf16(u"太さ：") + QString::number(width));
    QCOMPARE(pens.size(), std::size_t{7});
    for (const PenDescription& pen : pens) QCOMPARE(pen.Width, width);
  }

  void draggingThumbRedrawsWithThumbPosition() {
    auto window = Started();
    QScrollBar* hScroll1 = Find<QScrollBar>(*window, "HScroll1");
    QSignalSpy changed(hScroll1, &QScrollBar::valueChanged);
    hScroll1->setSliderDown(true);
    const auto dragPens = PensCreatedBy([&] { hScroll1->setSliderPosition(4); });
    QCOMPARE(changed.count(), 0);
    QCOMPARE(Find<QLabel>(*window, "Label1")->text(), QString::fromUtf16(u"太さ：4"));
    QVERIFY(!dragPens.empty());
    for (const PenDescription& pen : dragPens) QCOMPARE(pen.Width, 4);
    const auto releasePens = PensCreatedBy([&] { hScroll1->setSliderDown(false); });
    QCOMPARE(changed.count(), 1);
    QCOMPARE(hScroll1->value(), 4);
    QCOMPARE(releasePens.size(), dragPens.size());
  }

  void blockColours() {
    auto window = Started();
    const auto pens = PensCreatedBy([&] { TypeIntoText2(*window, QString::fromUtf16(u"壘")); });
    QCOMPARE(pens.size(), std::size_t{16});
    QCOMPARE(pens[6].Color, PaletteRgb(128, 128, 0));
    QCOMPARE(pens[7].Color, PaletteRgb(128, 128, 128));
    QCOMPARE(pens[14].Color, PaletteRgb(255, 255, 255));
    QCOMPARE(pens[15].Color, PaletteRgb(0, 0, 0));
    QVERIFY(std::none_of(pens.begin(), pens.end(), [](const PenDescription& pen) {
      return pen.Color == PaletteRgb(192, 192, 192);
    }));
  }

  void mouse_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
  }
  void mouse() {
    QFETCH(Qt::MouseButton, button);
    auto window = Started();
    PictureBox* picture1 = Find<PictureBox>(*window, "Picture1");
    QTest::mousePress(picture1, button, Qt::ShiftModifier, QPoint(52, 62));
    QCOMPARE(window->ButtonDown(), 1);
    QCOMPARE(window->MouseX(), 50.0f);
    QCOMPARE(window->MouseY(), 60.0f);
    QTest::mouseMove(picture1, QPoint(102, 32));
    QCOMPARE(window->MouseX(), 100.0f);
    QCOMPARE(window->MouseY(), 30.0f);
    QTest::mouseRelease(picture1, button, {}, QPoint(102, 32));
    QCOMPARE(window->ButtonDown(), 0);
    QCOMPARE(window->MouseX(), 100.0f);

    // Without a button the position still follows the pointer.
    QMouseEvent move(QEvent::MouseMove, QPointF(12, 22), picture1->mapToGlobal(QPointF(12, 22)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(picture1, &move);
    QCOMPARE(window->MouseX(), 10.0f);
    QCOMPARE(window->MouseY(), 20.0f);
    QCOMPARE(window->ButtonDown(), 0);
  }

  void ticksWithoutMotion() {
    auto window = Started();
    PictureBox* picture1 = Find<PictureBox>(*window, "Picture1");
    const QImage picture = picture1->Image().copy();
    const GlyphOutline outline = window->CurrentOutline();
    QTest::mousePress(picture1, Qt::LeftButton, {}, QPoint(100, 100));
    QSignalSpy captions(window.get(), &QWidget::windowTitleChanged);
    for (int tick = 0; tick < 10; ++tick) window->Timer1_Timer();
    QCOMPARE(captions.count(), 10);
    QCOMPARE(captions.first().first().toString(), kTitle + QStringLiteral("  count - 1"));
    QCOMPARE(window->windowTitle(), kTitle + QStringLiteral("  count - 10"));
    QCOMPARE(window->ButtonDown(), 11);
    QVERIFY(SameOutline(window->CurrentOutline(), outline));
    QCOMPARE(picture1->Image(), picture);
  }

  void pulseRadii() {
    auto window = Started();
    PictureBox* picture1 = Find<PictureBox>(*window, "Picture1");
    QTest::mouseClick(Find<QCheckBox>(*window, "Check1"), Qt::LeftButton);
    QVERIFY(Find<QCheckBox>(*window, "Check1")->isChecked());
    QTest::mousePress(picture1, Qt::LeftButton, {}, QPoint(102, 82));
    QList<float> radii;
    for (int tick = 0; tick < 11; ++tick) {
      window->Timer1_Timer();
      QVERIFY(picture1->LastCircle().has_value());
      QCOMPARE(picture1->LastCircle()->CenterX, 100.0f);
      QCOMPARE(picture1->LastCircle()->CenterY, 80.0f);
      radii << picture1->LastCircle()->Radius;
    }
    QCOMPARE(radii, (QList<float>{16, 24, 32, 40, 48, 56, 64, 72, 0, 8, 16}));
    QTest::mouseRelease(picture1, Qt::LeftButton, {}, QPoint(102, 82));
    window->Timer1_Timer();
    QVERIFY(!picture1->LastCircle().has_value());
  }

  void circleUnderBlocks() {
    auto window = Started();
    QTest::keyClick(Find<QScrollBar>(*window, "HScroll1"), Qt::Key_End);
    QTest::mouseClick(Find<QCheckBox>(*window, "Check1"), Qt::LeftButton);
    // Block 1 (navy) crosses the first circle (radius 16 around (100, 100)) at (116, 100).
    GlyphOutline& outline = window->CurrentOutline();
    outline =
        GlyphOutline{u"|", 2, {LineBlock(180, 190, 190, 190), LineBlock(116, 70, 116, 130)}, 1};
    PictureBox* picture1 = Find<PictureBox>(*window, "Picture1");
    QTest::mousePress(picture1, Qt::LeftButton, {}, QPoint(102, 102));
    window->Timer1_Timer();
    const QImage& image = picture1->Image();
    QCOMPARE(QColor(image.pixel(116, 100)), QColor(0, 0, 128));
    QVERIFY(QColor(image.pixel(84, 100)).lightness() < 200);
  }

  void thicknessRestoresMovedGlyph() {
    auto window = Started();
    const GlyphOutline placed = window->CurrentOutline();
    QTest::mouseClick(Find<QCheckBox>(*window, "Check1"), Qt::LeftButton);
    for (int tick = 0; tick < 5; ++tick) window->Timer1_Timer();
    QVERIFY(!SameOutline(window->CurrentOutline(), placed));
    const auto pens =
        PensCreatedBy([&] { QTest::keyClick(Find<QScrollBar>(*window, "HScroll1"), Qt::Key_End); });
    QVERIFY(SameOutline(window->CurrentOutline(), placed));
    QCOMPARE(pens.front().Width, 5);
  }

  void brokenOutlineStaysInsideTick() {
    auto window = Started();
    QTest::mouseClick(Find<QCheckBox>(*window, "Check1"), Qt::LeftButton);
    window->CurrentOutline().BlockCount = 5;  // more blocks counted than held
    window->Timer1_Timer();
    QCOMPARE(window->windowTitle(), kTitle + QStringLiteral("  count - 1"));
    window->Timer1_Timer();
    QCOMPARE(window->TickCount(), 2);
  }

  void fontHandlesReleased() {
    const std::size_t before = LiveHandleCount();
    {
      auto window = Started();
      QComboBox* combo1 = Find<QComboBox>(*window, "Combo1");
      QTest::keyClick(combo1, Qt::Key_Down);
      QTest::keyClick(combo1, Qt::Key_Up);
      TypeIntoText2(*window, QStringLiteral("A"));
      QCOMPARE(LiveHandleCount(), before + 1);  // Picture1's font
    }
    QCOMPARE(LiveHandleCount(), before);
  }

  void screenshot() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("out.png"));
    QProcess program;
    program.start(QStringLiteral(MOJI_OUTLINE_PATH), {QStringLiteral("--screenshot"), file});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QImage shot(file);
    QVERIFY(!shot.isNull());
    const qreal ratio = shot.devicePixelRatio();
    QCOMPARE(shot.size(), QSize(qRound(582 * ratio), qRound(436 * ratio)));
    const QRect drawingArea(qRound(338 * ratio), qRound(10 * ratio), qRound(200 * ratio),
                            qRound(200 * ratio));
    QVERIFY(!test::IsBlank(shot.copy(drawingArea).convertToFormat(QImage::Format_RGB32)));
  }

  void commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown option") << QStringList{"--render"};
    QTest::newRow("screenshot without a file") << QStringList{"--screenshot"};
    QTest::newRow("screenshot with two files") << QStringList{"--screenshot", "a.png", "b.png"};
  }
  void commandLine() {
    QFETCH(QStringList, arguments);
    QProcess program;
    program.start(QStringLiteral(MOJI_OUTLINE_PATH), arguments);
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 2);
    QVERIFY(program.readAllStandardError().contains("moji-outline: "));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
