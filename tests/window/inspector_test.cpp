// The large view 拡大表示 with real widgets and events on the offscreen platform: opening it
// beside the window, zoom and pan, hovering and stepping through points linked to Text1 and
// Picture1, following the motion, its toolbar and its pictures.

#include <QtTest>
#include <QtWidgets>

#include "display/block_palette.h"
#include "inspect/font_unit_outline.h"
#include "inspect/inspector_scene.h"
#include "model/outline_visit.h"
#include "platform/raster_canvas.h"
#include "inspect/construction_lesson.h"
#include "window/construction_bar.h"
#include "window/pixel_bar.h"
#include "window/inspector_dock.h"
#include "window/inspector_view.h"
#include "window/main_window.h"
#include "window/window_test_support.h"

using namespace moji;

namespace {

const QString kIpaGothic = QString::fromUtf16(u"IPAゴシック");

/// Sends a wheel turn of `degrees` over the view at `at`.
void Wheel(QWidget* view, QPointF at, int degrees) {
  QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, degrees * 8), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(view, &wheel);
}

/// Moves the pointer over the view to `at`, as the mouse does without a button.
void Hover(QWidget* view, QPointF at) {
  QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(view, &move);
}

/// The scene the view holds, drawn afresh at the view's size and ratio.
QImage FreshlyDrawn(const InspectorView* view) {
  const qreal ratio = view->devicePixelRatioF();
  QImage image(view->size() * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  QPainter painter(&image);
  RasterCanvas canvas(painter, view->width(), view->height());
  DrawInspectorScene(canvas, view->Scene(), view->View(), view->width(), view->height());
  return image;
}

}  // namespace

class InspectorTest : public QObject {
  Q_OBJECT

  GraphicsServices gdi_;
  std::unique_ptr<Main> window_;

  template <typename Control>
  Control* Find(const char* name) {
    return test::Find<Control>(*window_, name);
  }
  InspectorView* View() { return window_->Inspector()->View(); }

 private slots:
  void init() {
    window_ = std::make_unique<Main>(gdi_, test::Faces(QStringList{kIpaGothic, "DejaVu Sans"}));
    window_->Form_Load();
    Find<QTimer>("Timer1")->stop();
    window_->Random().Seed(3);
    // Shortcuts reach the active window only.
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  void cleanup() { window_.reset(); }

  // Built when first opened (Ctrl+I); docked, the window grows to hold it and the seed's
  // controls keep their size and place; floated, or closed, the window is as designed again.
  void opensBesideTheWindow() {
    QVERIFY(window_->Inspector() == nullptr);
    const QSize designed = window_->size();
    QWidget* picture1 = Find<QWidget>("Picture1");
    const QPoint place = picture1->mapTo(window_.get(), QPoint());
    QTest::keyClick(window_.get(), Qt::Key_I, Qt::ControlModifier);
    QVERIFY(window_->Inspector() != nullptr && window_->Inspector()->isVisible());
    QVERIFY(Find<QAction>("ShowInspector")->isChecked());
    QTRY_VERIFY(window_->width() > designed.width() + 150);
    QCOMPARE(picture1->mapTo(window_.get(), QPoint()), place);
    QCOMPARE(Find<QWidget>("Client")->size(), QSize(582, 436));
    QCOMPARE(View()->accessibleName(), QString::fromUtf16(u"拡大表示"));
    QVERIFY2(View()->accessibleDescription().contains(QString::fromUtf16(u"龍")) &&
                 View()->accessibleDescription().contains(QString::fromUtf16(u"ブロック 7")),
             qPrintable(View()->accessibleDescription()));
    // Resized freely while docked: the dock takes what is added.
    window_->resize(window_->width() + 120, window_->height() + 80);
    QTRY_COMPARE(Find<QWidget>("Client")->size(), QSize(582, 436));
    window_->Inspector()->setFloating(true);
    QTRY_COMPARE(window_->size(), designed);
    window_->Inspector()->setFloating(false);
    QTest::keyClick(window_.get(), Qt::Key_I, Qt::ControlModifier);
    QVERIFY(!window_->Inspector()->isVisible());
    QTRY_COMPARE(window_->size(), designed);
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
  }

  // The wheel zooms about the cursor; Ctrl++ and Ctrl+- zoom, clamped at 32 device pixels per
  // unit and at the whole glyph; Ctrl+0 fits again; the arrows and a middle drag pan.
  void zoomsAndPans() {
    window_->ShowInspector(true);
    InspectorView* view = View();
    view->resize(500, 400);
    view->FitAll();
    const ViewTransform fitted = view->View();
    const QPointF at(180, 150);
    const UnitPoint under = fitted.ToFontUnits(at.x(), at.y());
    Wheel(view, at, 30);
    QVERIFY(view->View().Scale > fitted.Scale * 1.3);
    const UnitPoint still = view->View().ToFontUnits(at.x(), at.y());
    QVERIFY(std::abs(still.X - under.X) < 1e-6 && std::abs(still.Y - under.Y) < 1e-6);
    for (int i = 0; i < 80; ++i) QTest::keyClick(view, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(view->View().Scale, 32.0);
    for (int i = 0; i < 80; ++i) QTest::keyClick(view, Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(view->View().Scale > 0 && view->View().Scale <= fitted.Scale);
    QTest::keyClick(view, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(view->View(), fitted);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(view->View().OriginX, fitted.OriginX - 40);
    QTest::mousePress(view, Qt::MiddleButton, {}, QPoint(100, 100));
    QTest::mouseMove(view, QPoint(130, 90));
    QTest::mouseRelease(view, Qt::MiddleButton, {}, QPoint(130, 90));
    QCOMPARE(view->View().OriginX, fitted.OriginX - 40 + 30);
    QCOMPARE(view->View().OriginY, fitted.OriginY - 10);
  }

  // The view keeps what lies under the glyph between paints: after every kind of change it
  // still paints exactly what its scene is, drawn afresh.
  void paintsWhatItsSceneIs() {
    window_->ShowInspector(true);
    InspectorView* view = View();
    view->resize(420, 300);
    window_->findChild<QWidget*>("Text1")->setFocus();
    // Twice: the first paint after a change draws the underlay straight on, the next keeps it.
    const auto same = [view](const char* step) {
      for (int paint = 0; paint < 2; ++paint) {
        QVERIFY2(view->grab().toImage().convertToFormat(QImage::Format_RGB32) == FreshlyDrawn(view), step);
      }
    };
    same("opened");
    view->ZoomBy(1.5);
    same("zoomed");
    QTest::keyClick(view, Qt::Key_Left);
    window_->findChild<QWidget*>("Text1")->setFocus();
    same("panned");
    window_->Inspector()->findChild<QAction*>("ShowGrid")->trigger();
    same("grid on");
    window_->Inspector()->findChild<QAction*>("MetricLayer2")->trigger();
    same("a metric layer off");
    view->resize(380, 330);
    same("resized");
    Find<QComboBox>("Combo1")->setCurrentIndex(1);
    window_->GetKestrineProc(u"Ag");
    same("another face and glyph");
    Find<QCheckBox>("Check1")->setChecked(true);
    for (int tick = 0; tick < 3; ++tick) window_->Timer1_Timer();
    same("moved");
  }

  // 組み立て mode from the 表示 menu: the keys step, jump blocks and play; each step is told in
  // the status bar and marked in Text1, Picture1 draws the steps so far, the last step all of it;
  // the motion waits, and leaving shows the outline as the motion left it.
  void constructionMode() {
    Find<QCheckBox>("Check1")->setChecked(true);
    for (int tick = 0; tick < 3; ++tick) window_->Timer1_Timer();
    PictureBox* picture1 = Find<PictureBox>("Picture1");
    const QImage moved = picture1->Image().copy();
    const GlyphOutline movedOutline = window_->CurrentOutline();
    window_->findChild<QAction*>("ShowConstruction")->trigger();
    QVERIFY(window_->Constructing() && window_->Inspector() != nullptr);
    QVERIFY(window_->Inspector()->ConstructionAction()->isChecked());
    ConstructionBar* bar = window_->Inspector()->Construction();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->Done(), std::size_t{0});
    const QImage blank = picture1->Image().copy();
    QCOMPARE(blank.pixel(100, 100), blank.pixel(20, 20));
    QVERIFY(std::all_of(reinterpret_cast<const QRgb*>(blank.constBits()),
                        reinterpret_cast<const QRgb*>(blank.constBits()) + blank.width() * blank.height(),
                        [&](QRgb pixel) { return pixel == blank.pixel(0, 0); }));
    for (int tick = 0; tick < 3; ++tick) window_->Timer1_Timer();
    QCOMPARE(window_->CurrentOutline(), movedOutline);  // the motion waits

    InspectorView* view = View();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(bar->Done(), std::size_t{2});
    const ConstructionLesson lesson = LessonOfGlyph(window_->Shown());
    QCOMPARE(window_->statusBar()->currentMessage(), QString::fromStdU16String(StepCaption(lesson, 2)));
    QPlainTextEdit* text1 = Find<QPlainTextEdit>("Text1");
    QCOMPARE(text1->extraSelections().size(), 1);
    QCOMPARE(text1->extraSelections().first().cursor.block().text(), QString::fromUtf16(u"    点[ 0 ] ( 0.383 , 0.557 )"));  // the piece's control
    QTest::keyClick(view, Qt::Key_PageDown);
    QCOMPARE(bar->Done(), lesson.BlockFirsts[1]);
    QTest::keyClick(view, Qt::Key_PageDown);
    QCOMPARE(bar->Done(), lesson.BlockFirsts[2]);
    QTest::keyClick(view, Qt::Key_PageUp);
    QCOMPARE(bar->Done(), lesson.BlockFirsts[1]);
    const QImage firstBlock = picture1->Image().copy();
    QTest::keyClick(view, Qt::Key_End);
    QCOMPARE(bar->Done(), lesson.Steps.size());
    const QImage whole = picture1->Image().copy();
    QVERIFY(whole != firstBlock && firstBlock != blank);
    QTest::keyClick(view, Qt::Key_Home);
    QCOMPARE(picture1->Image(), blank);

    // Space plays at the speed set, and pauses; a drag with Space held pans and does not.
    QTest::keyPress(view, Qt::Key_Space);
    QTest::keyRelease(view, Qt::Key_Space);
    QVERIFY(bar->Playing());
    QTRY_VERIFY(bar->Done() >= 2);
    QTest::keyPress(view, Qt::Key_Space);
    QTest::keyRelease(view, Qt::Key_Space);
    QVERIFY(!bar->Playing());
    QTest::keyPress(view, Qt::Key_Space);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(view, QPoint(120, 110));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(120, 110));
    QTest::keyRelease(view, Qt::Key_Space);
    QVERIFY(!bar->Playing());

    window_->Inspector()->ConstructionAction()->trigger();
    QVERIFY(!window_->Constructing() && !window_->findChild<QAction*>("ShowConstruction")->isChecked());
    QVERIFY(!bar->isVisible());
    QCOMPARE(picture1->Image(), moved);
    window_->Timer1_Timer();
    QVERIFY(!(window_->CurrentOutline() == movedOutline));  // moving again

    // The last step's picture is the whole drawing of the outline as fetched.
    window_->GetKestrineProc(u"龍");
    const QImage fetched = picture1->Image().copy();
    window_->ShowConstruction(true);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_End);
    window_->HighlightPoint(std::nullopt);  // the step's ring off
    QCOMPARE(picture1->Image(), fetched);
    window_->ShowConstruction(false);
  }

  // ピクセル mode from the 表示 menu: the glyph as the engine loads it at the size and hinting
  // set; Shift and the wheel change the size, the sweep runs through the sizes, hovering a
  // point's place says how far it moved; the 組み立て mode and this one take turns.
  void pixelMode() {
    window_->findChild<QAction*>("ShowPixels")->trigger();
    QVERIFY(window_->ShowingPixels() && window_->Inspector()->Pixels()->isVisible());
    InspectorView* view = View();
    PixelBar* bar = window_->Inspector()->Pixels();
    QCOMPARE(view->Pixels()->Glyph.Request, (HintingRequest{16, HintingMode::Font, Antialiasing::Grey, TrueTypeInterpreter::V40}));
    const FontFace* face = gdi_.Fonts().Resolve(Find<PictureBox>("Picture1")->FontName());
    QVERIFY(face != nullptr);
    QCOMPARE(view->Pixels()->Glyph, LoadHintedGlyph(gdi_.Fonts(), *face, 0x9F8D, bar->Request()));
    QVERIFY(!view->Pixels()->Moves.Moves.empty());

    QWheelEvent wheel(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &wheel);
    QCOMPARE(view->Pixels()->Glyph.Request.Ppem, 17);
    bar->findChild<QComboBox*>("Hinting")->setCurrentIndex(0);
    bar->findChild<QCheckBox*>("Mono")->setChecked(true);
    QCOMPARE(view->Pixels()->Glyph.Request.Hinting, HintingMode::None);
    QCOMPARE(view->Pixels()->Glyph.Bitmap.Mode, Antialiasing::Mono);
    bar->findChild<QComboBox*>("Hinting")->setCurrentIndex(2);

    const PixelScene& scene = *view->Pixels();
    const std::size_t farthest = *scene.Moves.Largest;
    const PointMove& move = scene.Moves.Moves[farthest];
    const DevicePoint at = view->PixelView().ToDevice(double(move.To.X), double(move.To.Y));
    Hover(view, QPointF(at.X, at.Y));
    QCOMPARE(window_->statusBar()->currentMessage(), QString::fromStdString(MoveDescription(move)));

    bar->ToggleSweep();
    QCOMPARE(view->Pixels()->Glyph.Request.Ppem, 17);  // inside the sweep's sizes: from there
    QTRY_VERIFY(view->Pixels()->Glyph.Request.Ppem >= 19);
    bar->ToggleSweep();
    QVERIFY(!bar->Sweeping());

    window_->GetKestrineProc(u"A");
    QCOMPARE(view->Pixels()->Glyph.GlyphIndex, LoadHintedGlyph(gdi_.Fonts(), *face, 'A', bar->Request()).GlyphIndex);
    SideBySide(view, bar);
    window_->ShowConstruction(true);
    QVERIFY(!window_->ShowingPixels() && !bar->isVisible() && !view->Pixels());
    window_->ShowPixels(true);
    QVERIFY(!window_->Constructing() && window_->ShowingPixels());
    window_->Inspector()->PixelAction()->trigger();
    QVERIFY(!window_->ShowingPixels() && !window_->findChild<QAction*>("ShowPixels")->isChecked());
  }

  // 並べる splits the view: the same glyph and size on the right, hinted as its own list says
  // (the font's hints under v35 among them), each pane painted as its scene is alone, one zoom
  // for both; a hover names the move of the pane under the pointer; off again, one pane.
  void SideBySide(InspectorView* view, PixelBar* bar) {
    window_->GetKestrineProc(u"龍");
    window_->findChild<QWidget*>("Text1")->setFocus();
    bar->findChild<QToolButton*>("PixelBeside")->setChecked(true);
    QVERIFY(view->PixelsBeside().has_value());
    QCOMPARE(view->PixelsBeside()->Glyph.Request.Hinting, HintingMode::None);
    QCOMPARE(view->PixelsBeside()->Glyph.Request.Ppem, view->Pixels()->Glyph.Request.Ppem);
    bar->findChild<QComboBox*>("BesideHinting")->setCurrentIndex(4);
    QCOMPARE(view->PixelsBeside()->Glyph.Request.Hinting, HintingMode::Font);
    QCOMPARE(view->PixelsBeside()->Glyph.Request.Interpreter, TrueTypeInterpreter::V35);
    bar->findChild<QComboBox*>("BesideHinting")->setCurrentIndex(0);
    const int pane = view->width() / 2;
    const int height = view->height();
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Each pane is its scene drawn alone, moved to its place (text moved by a painter lands on
    // the same pixels only so), with the line on the left pane's last column.
    QImage expected(view->size(), QImage::Format_RGB32);
    QPainter painter(&expected);
    for (const auto& [scene, left] : {std::pair{&*view->Pixels(), 0}, std::pair{&*view->PixelsBeside(), pane}}) {
      painter.save();
      painter.translate(left, 0);
      painter.setClipRect(0, 0, pane, height);
      RasterCanvas canvas(painter, pane, height);
      DrawPixelScene(canvas, *scene, view->PixelView(), pane, height);
      painter.restore();
    }
    painter.end();
    for (const int left : {0, pane}) {
      QCOMPARE(shown.copy(left, 0, pane - 1, height), expected.copy(left, 0, pane - 1, height));
    }
    // Saved, both panes: the PNG is what the view shows, the SVG two viewports side by side.
    QTemporaryDir folder;
    const std::string png = folder.filePath(QStringLiteral("panes.png")).toStdString();
    const std::string svg = folder.filePath(QStringLiteral("panes.svg")).toStdString();
    QCOMPARE(window_->SaveInspectorImage(png), std::string());
    QCOMPARE(QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32), shown);
    QCOMPARE(window_->SaveInspectorImage(svg), std::string());
    QFile file(QString::fromStdString(svg));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray document = file.readAll();
    QCOMPARE(document.count("<svg x="), 2);
    QVERIFY(document.contains(QStringLiteral("<svg x=\"%1\"").arg(pane).toUtf8()));
    // The arrows of the pane without hinting are of no length; the pointer on the right pane's
    // first point names its move there, not the left pane's.
    const PointMove& first = view->PixelsBeside()->Moves.Moves.front();
    const DevicePoint at = view->PixelView().ToDevice(double(first.To.X), double(first.To.Y));
    Hover(view, QPointF(at.X + pane, at.Y));
    QCOMPARE(view->PixelsBeside()->Hovered, std::optional<std::size_t>(0));
    QVERIFY(!view->Pixels()->Hovered);
    QCOMPARE(window_->statusBar()->currentMessage(), QString::fromStdString(MoveDescription(first)));
    bar->findChild<QToolButton*>("PixelBeside")->setChecked(false);
    QVERIFY(!view->PixelsBeside());
  }

  // Hovering a point names it in a tooltip and the status bar, rings it in Picture1 and
  // highlights its line in Text1; Text1's cursor on a point's line chooses that point; Tab and
  // Shift+Tab step through the points in report order.
  void pointsAreLinkedToTheReport() {
    window_->ShowInspector(true);
    InspectorView* view = View();
    view->resize(500, 400);
    view->FitAll();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    const QImage plain = Find<PictureBox>("Picture1")->Image().copy();
    const std::vector<ScenePoint> points = view->Points();
    std::size_t everyPoint = 0;  // every start and curve point, in the report's order
    ForEachOutlinePoint(window_->Shown().Outline, [&](float, float) { ++everyPoint; });
    QCOMPARE(points.size(), everyPoint);
    const ScenePoint& second = points[1];
    Hover(view, QPointF(second.Device.X + 1, second.Device.Y));
    QCOMPARE(view->Highlighted(), std::optional(second.At));
    const QString message = window_->statusBar()->currentMessage();
    QVERIFY2(message.startsWith(QString::fromUtf16(u"ブロック [ 0 ] カーブ [ 0 ] 点[ 0 ]")) &&
                 message.contains(QString::fromUtf16(u"( 0.383 , 0.557 )")),
             qPrintable(message));
    QPlainTextEdit* text1 = Find<QPlainTextEdit>("Text1");
    QCOMPARE(text1->extraSelections().size(), 1);
    QCOMPARE(text1->extraSelections().first().cursor.block().text(),
             QString::fromUtf16(u"    点[ 0 ] ( 0.383 , 0.557 )"));
    QVERIFY(Find<PictureBox>("Picture1")->Image() != plain);
    Hover(view, QPointF(2, 2));
    QVERIFY(!view->Highlighted());
    QCOMPARE(Find<PictureBox>("Picture1")->Image(), plain);

    // Text1's cursor on the line of block 1's start.
    QTextCursor cursor(text1->document()->findBlockByNumber(*ReportLineOf(window_->Shown().Outline, {1, -1, 0})));
    text1->setTextCursor(cursor);
    QCOMPARE(view->Highlighted(), std::optional(ReportPoint{1, -1, 0}));

    view->setFocus();
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(view->Highlighted(), std::optional(ReportPoint{1, 0, 0}));
    QTest::keyClick(view, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Backtab, Qt::ShiftModifier);
    const auto blockOne = std::find_if(points.begin(), points.end(), [](const ScenePoint& point) {
      return point.At == ReportPoint{1, -1, 0};
    });
    QCOMPARE(view->Highlighted(), std::optional((blockOne - 1)->At));  // block 0's last point
    QVERIFY(view->hasFocus());  // Tab stays in the view; Ctrl+Tab leaves it
    QTest::keyClick(view, Qt::Key_Tab, Qt::ControlModifier);
    QVERIFY(!view->hasFocus());
  }

  // The points move in the view in the ticks that move them in Picture1; in motion mode a left
  // press in the view acts as one in Picture1, at the same place of the glyph.
  void followsTheMotion() {
    window_->ShowInspector(true);
    InspectorView* view = View();
    view->resize(500, 400);
    view->FitAll();
    QTest::mouseClick(Find<QCheckBox>("Check1"), Qt::LeftButton);
    window_->Timer1_Timer();
    const double cell = view->CellUnits();
    QCOMPARE(view->Scene().Outline, PlacedOutlineInFontUnits(window_->CurrentOutline(), cell));
    const OutlineBlock& first = window_->CurrentOutline().Blocks[0];
    const DevicePoint start = view->View().ToDevice((first.StartX - 20) / 160 * cell,
                                                    (1 - first.StartY / 160) * cell);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(int(start.X), int(start.Y)));
    QCOMPARE(window_->ButtonDown(), 1);
    QVERIFY(std::abs(window_->MouseX() - first.StartX) < 1 && std::abs(window_->MouseY() - first.StartY) < 1);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(int(start.X), int(start.Y)));
    QCOMPARE(window_->ButtonDown(), 0);
  }

  // Each layer of the toolbar switches; every toolbar control is reached by Tab and shows its
  // focus; the view saves as PNG at the screen's ratio and as SVG with the outline in font units.
  void toolbarAndPictures() {
    window_->ShowInspector(true);
    InspectorView* view = View();
    QVERIFY(!view->Layers().Grid);
    window_->Inspector()->findChild<QAction*>("ShowGrid")->trigger();
    QVERIFY(view->Layers().Grid);
    window_->Inspector()->findChild<QAction*>("MetricLayer4")->trigger();
    QVERIFY(!view->Layers().Metrics[4] && view->Layers().Metrics[3]);
    int controls = 0;
    for (QWidget* control : window_->Inspector()->findChildren<QWidget*>()) {
      if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus)) continue;
      ++controls;
      window_->findChild<QWidget*>("Text1")->setFocus();
      const QImage before = control->grab().toImage();
      control->setFocus(Qt::TabFocusReason);
      QVERIFY(control->hasFocus());
      QVERIFY2(control->grab().toImage() != before, qPrintable(control->objectName()));
    }
    QVERIFY(controls >= 10);  // the view and every button of its toolbar
    QTemporaryDir dir;
    const std::string png = dir.filePath("view.png").toStdString(), svg = dir.filePath("view.svg").toStdString();
    QCOMPARE(window_->SaveInspectorImage(png), std::string());
    QCOMPARE(QImage(QString::fromStdString(png)).size(), view->size() * view->devicePixelRatioF());
    QCOMPARE(window_->SaveInspectorImage(svg), std::string());
    QFile file(QString::fromStdString(svg));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QCOMPARE(text.count(QStringLiteral("<path id=\"block-")), 7);
    QVERIFY(text.contains(QStringLiteral("<g transform=\"matrix(")));
    QVERIFY(!window_->SaveInspectorImage(dir.filePath("missing/view.png").toStdString()).empty());
  }
};

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InspectorTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "inspector_test.moc"
