// The main window with real widgets and real events on the offscreen platform.

#include "window/main_window.h"

#include <QFontDatabase>
#include <map>
#include <QtTest>
#include <QtWidgets>

#include "platform/recording_surface.h"
#include "report/outline_report.h"
#include "display/block_palette.h"
#include "test_fonts.h"
#include "window/elided_label.h"
#include "window/window_test_support.h"

using namespace moji;

namespace {

const QString kIpaGothic = QString::fromUtf16(u"IPAゴシック");
const QString kTitle = QString::fromUtf16(u"文字のアウトライン応用サンプル");

/// Two offscreen screens side by side: ratio 1 at the left, where the window opens, and ratio 2.
constexpr char kTwoScreens[] =
    R"({"screens": [{"name": "high", "x": 800, "y": 0, "width": 800, "height": 600, "dpr": 2},
                   {"name": "low", "x": 0, "y": 0, "width": 800, "height": 600}]})";

/// Every pen created while `action` runs.
std::vector<PenDescription> PensCreatedBy(GraphicsServices& gdi, const std::function<void()>& action) {
  RecordingSurface recording(gdi);
  action();
  std::vector<PenDescription> pens;
  for (const SurfaceCall& call : recording.Calls()) {
    if (call.Kind == SurfaceCallKind::CreatePen) pens.push_back(call.Pen);
  }
  return pens;
}

/// Whether the image has ink within 4 pixels of the point.
bool InkNear(const QImage& image, const OutlinePoint& at) {
  return !test::IsBlank(image.copy(QRectF(at.X - 4, at.Y - 4, 9, 9).toRect()));
}

/// What `action` writes to standard error.
std::string StandardErrorOf(const std::function<void()>& action) {
  const test::CapturedStandardError errors;
  action();
  return errors.text.str();
}

/// Whether the text is one line of the program's own, as it reports a failure.
bool IsOneErrorLine(const std::string& text) {
  return text.starts_with("moji-outline: ") && std::count(text.begin(), text.end(), '\n') == 1 &&
         text.ends_with('\n');
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  GraphicsServices gdi_;
  std::unique_ptr<Main> window_;
  QStringList captionsDuringWalk_;

  template <typename Control>
  Control* Find(const char* name) {
    return test::Find<Control>(*window_, name);
  }
  const QImage& Picture() { return Find<PictureBox>("Picture1")->Image(); }
  bool ReportStartsWith(std::u16string_view head) {
    return window_->ReportText().starts_with(head);
  }

  void TypeIntoText2(const QString& text) { test::TypeIntoText2(*window_, text); }

 private slots:
  /// A window over IPAGothic and DejaVu Sans; Timer1 stopped, so the test drives the ticks.
  void init() {
    captionsDuringWalk_.clear();
    window_ = std::make_unique<Main>(gdi_,
        test::Faces(QStringList{kIpaGothic, QStringLiteral("DejaVu Sans")},
                    [this] { captionsDuringWalk_ << window_->windowTitle(); }));
    window_->Form_Load();
    QTimer* timer1 = Find<QTimer>("Timer1");
    QVERIFY(timer1->isActive() && timer1->interval() == 50);
    timer1->stop();
    window_->Random().Seed(7);
  }
  void cleanup() { window_.reset(); }

  void startUp() {
    QCOMPARE(captionsDuringWalk_,
             QStringList(1, QString::fromUtf16(u"フォント列挙中・・・数秒かかる場合があります")));
    QCOMPARE(window_->windowTitle(), kTitle);
    // "ＭＳ ゴシック" is not installed: Combo1 shows the face drawn in its place.
    QCOMPARE(Find<QComboBox>("Combo1")->currentText(), kIpaGothic);
    QVERIFY(Find<PictureBox>("Picture1")->FontItalic());
    QCOMPARE(Find<QLabel>("Label1")->text(), QString::fromUtf16(u"太さ：2"));
    QVERIFY(ReportStartsWith(u"文字：龍\r\nブロック数：7\r\n"));
    QVERIFY(Find<QPlainTextEdit>("Text1")->toPlainText().startsWith(u"文字：龍\n"));
    QCOMPARE(test::ShownAsFirstCharacter(*window_), QString());

    // The client area keeps its size between the menu bar and the status bar.
    QWidget* client = Find<QWidget>("Client");
    const int menuHeight = window_->menuBar()->height();
    const int statusHeight = window_->statusBar()->height();
    QVERIFY(menuHeight > 0 && statusHeight > 0);
    QCOMPARE(client->geometry(), QRect(0, menuHeight, 582, 436));
    QCOMPARE(window_->statusBar()->y(), menuHeight + 436);
    QCOMPARE(window_->size(), QSize(582, menuHeight + 436 + statusHeight));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(Find<ElidedLabel>("GlyphLine")->Text().startsWith(u"U+9F8D 龍   CJK UNIFIED IDEOGRAPH-9F8D"));
    const std::pair<const char*, QRect> controls[] = {
        {"Picture1", {336, 8, 204, 204}}, {"Text1", {8, 8, 313, 401}},
        {"Text2", {336, 256, 193, 113}},  {"Check1", {336, 376, 73, 17}},
        {"Combo1", {336, 224, 209, 20}},  {"HScroll1", {416, 400, 121, 17}},
        {"Label1", {336, 404, 73, 17}}};
    for (const auto& [name, geometry] : controls) {
      QCOMPARE(Find<QWidget>(name)->parentWidget(), client);
      QCOMPARE(Find<QWidget>(name)->geometry(), geometry);
    }
    // The 48-pixel icon is there even where Qt reads no SVG.
    QVERIFY(window_->windowIcon().availableSizes().contains(QSize(48, 48)));
  }

  // On the screen of ratio 2, Picture1 is drawn again at twice the pixels; moved back, it is the
  // picture it was, pixel for pixel: the one a display request drew, then a motion frame's.
  void followsTheScreensPixelRatio() {
    for (const bool moving : {false, true}) {
      if (moving) {
        QTest::mouseClick(Find<QCheckBox>("Check1"), Qt::LeftButton);
        window_->Timer1_Timer();
      }
      const QImage shown = Picture().copy();
      window_->move(900, 20);  // onto the screen of ratio 2
      QTRY_COMPARE(Picture().devicePixelRatio(), 2.0);
      QCOMPARE(Picture().size(), QSize(400, 400));
      QVERIFY(!test::IsBlank(Picture()));
      window_->move(20, 20);
      QTRY_COMPARE(Picture().devicePixelRatio(), 1.0);
      QCOMPARE(Picture(), shown);
    }
  }

  // The face walk over a given list: the drawn face current if listed, each family under its name.
  void faceWalk_data() {
    const QString msGothic = QString::fromUtf16(kDefaultFace), dejaVu = "DejaVu Sans";
    QTest::addColumn<QStringList>("faces");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("current");
    QTest::newRow("empty") << QStringList{} << QStringList{} << -1;
    QTest::newRow("vertical variants skipped, duplicates kept")
        << QStringList{"@" + kIpaGothic, kIpaGothic, dejaVu, kIpaGothic, "@" + dejaVu}
        << QStringList{kIpaGothic, dejaVu, kIpaGothic} << 0;
    QTest::newRow("drawn face not listed") << QStringList{dejaVu} << QStringList{dejaVu} << -1;
    QTest::newRow("default face listed by name")
        << QStringList{kIpaGothic, msGothic} << QStringList{kIpaGothic, msGothic} << 1;
  }
  void faceWalk() {
    QFETCH(QStringList, faces);
    QFETCH(QStringList, entries);
    QFETCH(int, current);
    window_ = std::make_unique<Main>(gdi_, test::Faces(faces));
    Find<QTimer>("Timer1")->stop();
    window_->EnumTrueTypeFont();
    QComboBox* combo1 = Find<QComboBox>("Combo1");
    QStringList listed;
    for (int i = 0; i < combo1->count(); ++i) listed << combo1->itemText(i);
    QCOMPARE(listed, entries);
    QCOMPARE(combo1->currentIndex(), current);
    QCOMPARE(Find<PictureBox>("Picture1")->FontName(),
             QString::fromUtf16(kDefaultFace).toStdString());
  }

  // Qt's own texts (Text2's context menu) are Japanese once the toolkit translation is in.
  void toolkitTextsInJapanese() {
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(translations + QStringLiteral("/qtbase_ja.qm")))
      QSKIP("Qt's Japanese translation (qt6-translations-l10n) is not installed");
    QTranslator translator;
    QVERIFY(InstallToolkitTranslation(translator));
    const std::unique_ptr<QMenu> menu(Find<QLineEdit>("Text2")->createStandardContextMenu());
    QString texts;
    for (const QAction* action : menu->actions()) texts += action->text() + u' ';
    QVERIFY2(texts.contains(QString::fromUtf16(u"元に戻す")) &&
                 texts.contains(QString::fromUtf16(u"コピー")),
             qPrintable(texts));
  }

  void typingAndChoosingFace() {
    const auto pens = PensCreatedBy(gdi_, [&] { TypeIntoText2(QString::fromUtf16(u"壘")); });
    QVERIFY(ReportStartsWith(u"文字：壘\r\nブロック数：16\r\n"));
    // Block 7 skips light grey; block 14 takes it, where the count gives the background's
    // white; block 15 wraps to black.
    QCOMPARE(pens.size(), std::size_t{16});
    QCOMPARE(pens[7].Color, PaletteRgb(128, 128, 128));
    QCOMPARE(pens[14].Color, PaletteRgb(192, 192, 192));
    QCOMPARE(pens[15].Color, PaletteRgb(0, 0, 0));
    // The readable palette, from the menu: the same drawing in its colours.
    Find<QAction>("ReadablePalette")->trigger();
    const auto readable = PensCreatedBy(gdi_, [&] { TypeIntoText2(QString::fromUtf16(u"壘")); });
    QCOMPARE(readable.size(), std::size_t{16});
    for (std::size_t k = 0; k < readable.size(); ++k) {
      QCOMPARE(readable[k].Color, kReadablePalette[k % 15]);
    }
    Find<QAction>("ReadablePalette")->trigger();
    const std::u16string report = window_->ReportText();
    const QImage shown = Picture().copy();
    TypeIntoText2(QString());
    QVERIFY(window_->ReportText() == report);
    QCOMPARE(Picture(), shown);

    QTest::keyClick(Find<QComboBox>("Combo1"), Qt::Key_Down);
    QCOMPARE(Find<PictureBox>("Picture1")->FontName(), "DejaVu Sans");
    QVERIFY(!Find<PictureBox>("Picture1")->FontItalic());
    QCOMPARE(Find<QLineEdit>("Text2")->font().family(), QStringLiteral("DejaVu Sans"));
    QVERIFY(!Find<QLineEdit>("Text2")->font().italic());
  }

  // Hostile text, typed and pasted: the window goes on, showing the text's first character.
  void hostileText_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("blocks");
    const auto row = [](const char* name, const char* face, QStringView text, int blocks) {
      QTest::newRow(name) << QString(face) << text.toString() << blocks;
    };
    row("lone high surrogate", "IPAゴシック", u"\xD840", 0);
    row("lone low surrogate", "IPAゴシック", u"\xDC0B", 0);
    row("pair the face has", "IPAゴシック", u"\U0002000BA", 2);
    row("pair the face lacks", "IPAゴシック", u"\U00020000", 0);
    row("U+0000", "IPAゴシック", std::u16string_view(u"\0A", 2), 0);
    row("control character", "IPAゴシック", u"\u001BA", 0);
    row("combining mark", "IPAゴシック", u"\u0301", 1);
    row("right-to-left letter", "DejaVu Sans", u"\u05D0", 1);
    row("emoji", "DejaVu Sans", u"\U0001F600", 9);
    row("100,000 characters", "IPAゴシック", u"龍" + std::u16string(99999, u'A'), 7);
  }
  void hostileText() {
    QFETCH(QString, face);
    QFETCH(QString, text);
    QFETCH(int, blocks);
    QVERIFY(test::ChooseEntry(*window_, Find<QComboBox>("Combo1")->findText(face)));
    QLineEdit* text2 = Find<QLineEdit>("Text2");
    for (const bool pasted : {false, true}) {
      if (!pasted && text.size() > 100) continue;  // 100,000 key events would tell nothing more
      const test::CapturedStandardError errors;
      if (pasted) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keySequence(text2, QKeySequence("Ctrl+A, Ctrl+V"));
      } else {
        TypeIntoText2(text);
      }
      // Keys cannot enter controls or lone surrogates; a paste takes the text up to Text2's limit.
      const QString whole = text.left(text2->maxLength());
      if (pasted) QCOMPARE(text2->text(), whole);
      if (text2->text() == whole) QCOMPARE(window_->CurrentOutline().BlockCount, blocks);
      const QString shown = test::ShownAsFirstCharacter(*window_);
      QVERIFY2(shown.isEmpty(), qPrintable(QString(pasted ? "pasted: " : "typed: ") + shown));
      QVERIFY2(errors.text.str().empty(), errors.text.str().c_str());
      // The window goes on: it paints, ticks and takes the next character.
      QVERIFY(!window_->grab().isNull());
      window_->Timer1_Timer();
      TypeIntoText2("A");
      QVERIFY(ReportStartsWith(u"文字：A\r\nブロック数：2\r\n"));
    }
  }

  // Each mark setting redraws at once, leaves the outline's pens and lines as they were, and
  // its marks travel with their points.
  void overlays() {
    PictureBox* picture1 = Find<PictureBox>("Picture1");
    const auto drawnCalls = [&] {
      RecordingSurface recording(gdi_);
      DrawingSurface* raster = std::exchange(picture1->Dc().Surface, &recording);
      window_->GetKestrineProc(u"龍");
      picture1->Dc().Surface = raster;
      // The handles' numbers say nothing of what was drawn.
      std::vector<SurfaceCall> calls = recording.Calls();
      for (SurfaceCall& call : calls) call.Object = 0;
      return calls;
    };
    const QImage plain = Picture().copy();
    const std::vector<SurfaceCall> calls = drawnCalls();
    for (const char* name : {"ShowPoints", "ShowNumbers", "ShowStarts"}) {
      Find<QAction>(name)->trigger();
      QVERIFY(Picture() != plain);
      QVERIFY(drawnCalls() == calls);
      Find<QAction>(name)->trigger();
      window_->GetKestrineProc(u"龍");
      QCOMPARE(Picture(), plain);
    }

    // A control point far off its curve gets a ring; held near it, the mouse pushes it away.
    const OutlineBlock arch{50, 150, 2, {{CURVE_QSPLINE, 2, {{100, 50}, {150, 150}}},
                                         {CURVE_POLYLINE, 1, {{50, 150}}}}};
    window_->CurrentOutline() = GlyphOutline{u"∩", 1, {arch}, 2};
    const OutlinePoint& control = window_->CurrentOutline().Blocks[0].Curves[0].Points[0];
    Find<QAction>("ShowPoints")->trigger();
    QVERIFY(InkNear(Picture(), {100, 50}));
    QTest::mouseClick(Find<QCheckBox>("Check1"), Qt::LeftButton);
    QTest::mousePress(picture1, Qt::LeftButton, {}, QPoint(102, 92));
    // 19 ticks: the pulse circle has radius 0 and the control point has fled some 18 pixels.
    for (int tick = 0; tick < 19; ++tick) window_->Timer1_Timer();
    QVERIFY(std::hypot(control.X - 100, control.Y - 50) > 10);
    QVERIFY(InkNear(Picture(), control));
    QVERIFY(!InkNear(Picture(), {100, 50}));
    QTest::mouseRelease(picture1, Qt::LeftButton, {}, QPoint(102, 92));
  }

  // Each font file's entry draws from its own face, even under an installed family's name; a
  // file that is no font, or a face number it lacks (the variable font has face 0 only), fails.
  void fontFiles() {
    QComboBox* combo1 = Find<QComboBox>("Combo1");
    ElidedLabel* glyphLine = Find<ElidedLabel>("GlyphLine");
    const QString installed = glyphLine->Text();
    const QImage shown = Picture().copy();
    QTemporaryDir dir;
    const QString copy = dir.filePath("ipag copy.ttf");
    const std::string pair = test::TestFontPath("MojiTestPair.ttc");
    QVERIFY(QFile::copy(QString::fromStdString(test::TestFontPath("ipag.ttf")), copy));
    const std::string notFont = QCoreApplication::applicationFilePath().toStdString();
    const std::string variable = test::TestFontPath("MojiTestVariable.ttf");
    for (const auto& [file, index] : {std::pair{notFont, 0},
                                      {dir.filePath("gone.ttf").toStdString(), 0}, {pair, 2},
                                      {pair, -1}, {variable, 1}}) {
      const std::string written =
          StandardErrorOf([&] { QVERIFY(!window_->OpenFontFile(file, index, true)); });
      QVERIFY2(IsOneErrorLine(written), written.c_str());
      QCOMPARE(combo1->count(), 2);
      QCOMPARE(combo1->currentIndex(), 0);
      QCOMPARE(Picture(), shown);
    }
    QVERIFY(window_->OpenFontFile(pair, 1, true));
    QCOMPARE(combo1->count(), 4);
    QCOMPARE(combo1->currentText(), QStringLiteral("Moji Test Pair Two"));
    QVERIFY(glyphLine->Text().contains(QStringLiteral("Moji Test Pair Two (1)")));

    // Dropped onto Text2, the copy of IPAGothic opens; its text stays as it was.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(copy)});
    data.setText(copy);
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(10, 10), actions, &data, Qt::LeftButton, {});
    QDropEvent drop(QPointF(10, 10), actions, &data, Qt::LeftButton, {});
    for (QDropEvent* event : {static_cast<QDropEvent*>(&enter), &drop}) {
      event->setDropAction(Qt::MoveAction);
      QCoreApplication::sendEvent(Find<QLineEdit>("Text2"), event);
      QVERIFY(event->isAccepted() && event->dropAction() == Qt::CopyAction);
    }
    QTRY_COMPARE(combo1->count(), 5);
    QCOMPARE(Find<QLineEdit>("Text2")->text(), QString::fromUtf16(u"龍"));
    QCOMPARE(combo1->currentIndex(), 4);
    // Its family is listed already: the entry is told apart by its style.
    QCOMPARE(combo1->currentText(), kIpaGothic + " Regular");
    QVERIFY(ReportStartsWith(u"文字：龍\r\nブロック数：7\r\n"));
    QVERIFY(glyphLine->Text().endsWith(copy));
    QTest::keyClick(combo1, Qt::Key_Home);
    QCOMPARE(glyphLine->Text(), installed);
    QVERIFY(window_->OpenFontFile(copy.toStdString(), 0, true));  // listed once
    QCOMPARE(combo1->count(), 5);
    QVERIFY(glyphLine->Text().endsWith(copy));
    // The file goes away: drawing from it again is safe.
    QVERIFY(QFile::remove(copy));
    QTest::keyClick(combo1, Qt::Key_Home);
    QTest::keyClick(combo1, Qt::Key_End);
    QVERIFY(ReportStartsWith(u"文字："));
  }

  // Saved moved and marked: PNG at 1x is Picture1, at 3x three times the size; the SVG has every
  // block and the marks' numbers; the JSON the report's blocks.
  void saving() {
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    Find<QAction>("ShowPoints")->trigger();
    Find<QAction>("ShowNumbers")->trigger();
    QTest::mouseClick(Find<QCheckBox>("Check1"), Qt::LeftButton);
    window_->Timer1_Timer();
    QCOMPARE(window_->SaveImage(path("x1.png"), 1), std::string());
    QCOMPARE(QImage(dir.filePath("x1.png")).convertToFormat(QImage::Format_RGB32),
             Picture().convertToFormat(QImage::Format_RGB32));
    QCOMPARE(window_->SaveImage(path("x3.png"), 3), std::string());
    QCOMPARE(QImage(dir.filePath("x3.png")).size(), QSize(600, 600));
    QVERIFY(!window_->SaveImage(path("missing/x.png"), 1).empty());
    QCOMPARE(window_->SaveImage(path("moved.SVG"), 1), std::string());
    QFile svg(dir.filePath("moved.SVG"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray svgText = svg.readAll();
    QCOMPARE(svgText.count("<path id=\"block-"), 7);
    QVERIFY(svgText.contains("<text"));
    const auto savedBlocks = [&](const char* name) {
      if (!window_->SaveOutline(path(name)).empty()) return -1;
      QFile json(dir.filePath(name));
      if (!json.open(QIODevice::ReadOnly)) return -1;
      return int(QJsonDocument::fromJson(json.readAll())["blocks"].toArray().size());
    };
    QCOMPARE(savedBlocks("outline.json"), 7);
    // Text2 emptied, another face chosen draws nothing new: the outline saved is still 龍's.
    TypeIntoText2(QString());
    QTest::keyClick(Find<QComboBox>("Combo1"), Qt::Key_Down);
    QCOMPARE(Find<PictureBox>("Picture1")->FontName(), "DejaVu Sans");
    QCOMPARE(savedBlocks("kept.json"), 7);
  }

  // Each key on HScroll1 sets the thickness while the outline moves: the label follows, and the
  // glyph is drawn afresh, placed anew, with 7 pens of the new width.
  void thicknessWhileMoving() {
    const std::u16string placed = OutlineReportText(window_->CurrentOutline());
    QTest::mouseClick(Find<QCheckBox>("Check1"), Qt::LeftButton);
    for (const auto& [key, width] : {std::pair{Qt::Key_End, 5}, {Qt::Key_Left, 4},
                                     {Qt::Key_Home, 1}, {Qt::Key_Right, 2}}) {
      for (int tick = 0; tick < 5; ++tick) window_->Timer1_Timer();
      QVERIFY(OutlineReportText(window_->CurrentOutline()) != placed);
      const auto pens = PensCreatedBy(gdi_, [&] { QTest::keyClick(Find<QScrollBar>("HScroll1"), key); });
      QCOMPARE(Find<QLabel>("Label1")->text(),
               QString::fromUtf16(u"太さ：") + QString::number(width));
      QCOMPARE(pens.size(), std::size_t{7});
      for (const PenDescription& pen : pens) QCOMPARE(pen.Width, width);
      QVERIFY(OutlineReportText(window_->CurrentOutline()) == placed);
    }
  }

  // Tab goes round Text1, Text2, Check1, Combo1 and HScroll1; Alt+V, P shows the points.
  void keyboardReach() {
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Find<QWidget>("Text1")->setFocus();
    QStringList chain;
    for (int step = 0; step < 6; ++step) {
      chain << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(chain, (QStringList{"Text1", "Text2", "Check1", "Combo1", "HScroll1", "Text1"}));
    const QImage plain = Picture().copy();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
    QVERIFY(Find<QAction>("ShowPoints")->isChecked());
    QVERIFY(Picture() != plain);
  }

  // A glyph the face lacks: the status bar says so and names a face that has it; a click on
  // that, or Enter on it, chooses that face. A glyph without contours (a space) is no such case.
  void missingGlyph() {
    ElidedLabel* missing = Find<ElidedLabel>("MissingGlyph");
    QComboBox* combo1 = Find<QComboBox>("Combo1");
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    for (const bool byKey : {false, true}) {
      QVERIFY(test::ChooseEntry(*window_, combo1->findText(kIpaGothic)));
      TypeIntoText2(QString::fromUtf16(u"\U0001F600"));
      QVERIFY(ReportStartsWith(u"文字：\r\nブロック数：0\r\n"));
      QVERIFY(missing->isVisible());
      QCOMPARE(missing->Text(), QString::fromUtf16(u"U+1F600 \U0001F600：IPAGothic にグリフがありません。"
                                                   u"あるフェイス：DejaVu Sans"));
      QTRY_COMPARE(missing->ShownText(), missing->Text());
      if (byKey) {
        missing->setFocus();
        QTest::keyClick(missing, Qt::Key_Return);
      } else {
        QTest::mouseClick(missing, Qt::LeftButton);
      }
      QCOMPARE(combo1->currentText(), QStringLiteral("DejaVu Sans"));
      QVERIFY(ReportStartsWith(u"文字：\U0001F600\r\nブロック数：9\r\n"));
      QVERIFY(!missing->isVisible());
    }
    QVERIFY(test::ChooseEntry(*window_, combo1->findText(kIpaGothic)));
    TypeIntoText2(QStringLiteral(" "));
    QVERIFY(!missing->isVisible());
  }

  // The status bar: one font that has both kana and digits; a path too long for it is cut in
  // its middle, so that the file's name stays in view, and shown whole as the tooltip.
  void statusBar() {
    QVERIFY(QFontDatabase::writingSystems(window_->statusBar()->font().family())
                .contains(QFontDatabase::Japanese));
    QTemporaryDir dir;
    const QString deep = dir.filePath(QString(60, u'd') + "/" + QString(60, u'e'));
    QVERIFY(QDir().mkpath(deep));
    const QString copy = deep + "/ipag copy.ttf";
    QVERIFY(QFile::copy(QString::fromStdString(test::TestFontPath("ipag.ttf")), copy));
    QVERIFY(window_->OpenFontFile(copy.toStdString(), 0, true));
    ElidedLabel* glyphLine = Find<ElidedLabel>("GlyphLine");
    QVERIFY(glyphLine->Text().endsWith(copy));
    QCOMPARE(glyphLine->toolTip(), glyphLine->Text());
    const QString shown = glyphLine->ShownText();
    QVERIFY2(shown.startsWith(u"U+9F8D 龍") && shown.contains(u'…') && shown.endsWith("copy.ttf"),
             qPrintable(shown));
    QVERIFY(glyphLine->fontMetrics().horizontalAdvance(shown) <= glyphLine->width());
  }

  // Every control that takes keyboard focus shows that it has it, at device pixel ratio 1 and 2.
  void focusIsShown() {
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    TypeIntoText2(QString::fromUtf16(u"\U0001F600"));  // the missing glyph's link takes focus too
    for (const QPoint place : {QPoint(20, 20), QPoint(900, 20)}) {
      window_->move(place);
      QTRY_COMPARE(window_->devicePixelRatioF(), place.x() > 800 ? 2.0 : 1.0);
      // Each control as it looks without focus, then as Tab reaches it.
      Find<QWidget>("Text2")->setFocus();
      std::map<QWidget*, QImage> unfocused{{Find<QWidget>("Text1"), Find<QWidget>("Text1")->grab().toImage()}};
      Find<QWidget>("Text1")->setFocus();
      for (QWidget* control : window_->findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus && control->isVisible() && control != QApplication::focusWidget())
          unfocused.emplace(control, control->grab().toImage());
      }
      QStringList shown;
      for (std::size_t step = 0; step < unfocused.size(); ++step) {
        QWidget* control = QApplication::focusWidget();
        QVERIFY(unfocused.contains(control));
        if (control->grab().toImage() != unfocused[control]) shown << control->objectName();
        QTest::keyClick(control, Qt::Key_Tab);
      }
      shown.sort();
      QCOMPARE(shown, (QStringList{"Check1", "Combo1", "HScroll1", "MissingGlyph", "Text1", "Text2"}));
    }
  }

  void mouseAndTicks() {
    PictureBox* picture1 = Find<PictureBox>("Picture1");
    const auto mouse = [&] {
      return QList<float>{float(window_->ButtonDown()), window_->MouseX(), window_->MouseY()};
    };
    // Positions are pixels of the image, inside a 2-pixel frame.
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
      QTest::mousePress(picture1, button, Qt::ShiftModifier, QPoint(52, 62));
      QCOMPARE(mouse(), (QList<float>{1, 50, 60}));
      QTest::mouseMove(picture1, QPoint(102, 32));
      QCOMPARE(mouse(), (QList<float>{1, 100, 30}));
      QTest::mouseRelease(picture1, button, {}, QPoint(102, 32));
      QCOMPARE(mouse(), (QList<float>{0, 100, 30}));
    }

    // Check1 clear: the ticks count in the caption and move nothing.
    const QImage picture = Picture().copy();
    const std::u16string outline = OutlineReportText(window_->CurrentOutline());
    QTest::mousePress(picture1, Qt::LeftButton, {}, QPoint(102, 102));
    QSignalSpy captions(window_.get(), &QWidget::windowTitleChanged);
    for (int tick = 0; tick < 10; ++tick) window_->Timer1_Timer();
    QCOMPARE(captions.count(), 10);
    QCOMPARE(captions.first().first().toString(), kTitle + QStringLiteral("  count - 1"));
    QCOMPARE(mouse(), (QList<float>{11, 100, 100}));
    QVERIFY(OutlineReportText(window_->CurrentOutline()) == outline);
    QCOMPARE(Picture(), picture);
    QTest::mouseRelease(picture1, Qt::LeftButton, {}, QPoint(102, 102));

    // Check1 checked: a held button pulses a circle around the pointer, under the blocks.
    // Block 1 (navy) crosses the first circle (radius 16 around (100, 100)) at (116, 100).
    QTest::keyClick(Find<QScrollBar>("HScroll1"), Qt::Key_End);
    QTest::mouseClick(Find<QCheckBox>("Check1"), Qt::LeftButton);
    const OutlineBlock flat{180, 190, 1, {{CURVE_POLYLINE, 1, {{190, 190}}}}};
    const OutlineBlock upright{116, 70, 1, {{CURVE_POLYLINE, 1, {{116, 130}}}}};
    window_->CurrentOutline() = GlyphOutline{u"|", 2, {flat, upright}, 1};
    QTest::mousePress(picture1, Qt::LeftButton, {}, QPoint(102, 102));
    QList<float> radii;
    for (int tick = 0; tick < 11; ++tick) {
      window_->Timer1_Timer();
      radii << picture1->LastCircle().value_or(DrawnCircle{0, 0, -1}).Radius;
      if (tick > 0) continue;
      QCOMPARE(Picture().pixelColor(116, 100), QColor(0, 0, 128));
      QVERIFY(Picture().pixelColor(84, 100).lightness() < 200);
    }
    QCOMPARE(radii, (QList<float>{16, 24, 32, 40, 48, 56, 64, 72, 0, 8, 16}));
    QCOMPARE(QPointF(picture1->LastCircle()->CenterX, picture1->LastCircle()->CenterY),
             QPointF(100, 100));
    QTest::mouseRelease(picture1, Qt::LeftButton, {}, QPoint(102, 102));
    window_->Timer1_Timer();
    QVERIFY(!picture1->LastCircle().has_value());

    // A broken outline makes the drawing throw: one line on stderr, and the window goes on.
    window_->CurrentOutline().BlockCount = 5;
    const std::string written = StandardErrorOf([&] { window_->Timer1_Timer(); });
    QVERIFY2(IsOneErrorLine(written) && written.starts_with("moji-outline: Timer1_Timer: "),
             written.c_str());
    TypeIntoText2(QStringLiteral("A"));
    QVERIFY(ReportStartsWith(u"文字：A\r\n"));
  }
};

// The window tests run on two offscreen screens of different device pixel ratios.
int main(int argc, char** argv) {
  QTemporaryDir dir;
  QFile screens(dir.filePath(QStringLiteral("screens.json")));
  if (!screens.open(QIODevice::WriteOnly) || screens.write(kTwoScreens) < 0) return 1;
  screens.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
  QApplication app(argc, argv);
  QApplication::setAttribute(Qt::AA_Use96Dpi, true);
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
