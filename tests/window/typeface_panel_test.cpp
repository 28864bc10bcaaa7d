// The 書体 panel with real widgets and events on the offscreen platform: styles, named
// instances, axis sliders and the axis sweep, each drawn as a display request.

#include "window/typeface_panel.h"

#include <QtTest>
#include <QtWidgets>

#include "display/display_request.h"
#include "inspect/inspector_picture.h"
#include "window/inspector_dock.h"
#include "window/inspector_view.h"
#include "report/outline_report.h"
#include "window/elided_label.h"
#include "window/main_window.h"
#include "window/window_test_support.h"

using namespace moji;

class TypefacePanelTest : public QObject {
  Q_OBJECT

  GraphicsServices gdi_;
  std::unique_ptr<Main> window_;

  template <typename Control>
  Control* Find(const char* name) {
    return test::Find<Control>(*window_, name);
  }
  /// Chooses Combo1's entry of that name as a user does.
  void ChooseFamily(const char* name) {
    const int entry = Find<QComboBox>("Combo1")->findText(QString::fromUtf8(name));
    QVERIFY(entry >= 0);
    QVERIFY(test::ChooseEntry(*window_, entry));
  }
  /// Chooses an entry of one of the panel's lists as a user does.
  static void ChooseItem(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    QVERIFY(index >= 0);
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(index, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
  }
  static QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
  }
  /// The report of "A" in a face, as a display request of its own fetches it.
  std::u16string ReportOf(const FaceIdentity& face) {
    DeviceContext dc{gdi_};
    const std::optional<FetchedGlyph> fetched = FetchForDisplay(dc, u"A", gdi_.Fonts().FaceNameOf(face));
    return fetched ? OutlineReportText(fetched->Outline) : u"";
  }
  QString GlyphLine() { return Find<ElidedLabel>("GlyphLine")->Text(); }

 private slots:
  void init() {
    window_ = std::make_unique<Main>(gdi_);
    window_->Form_Load();
    Find<QTimer>("Timer1")->stop();
    test::TypeIntoText2(*window_, QStringLiteral("A"));
  }
  void cleanup() { window_.reset(); }

  // 表示 > 書体 opens the dock on the right, built then; closed and opened again it is the same.
  void opensFromTheViewMenu() {
    QVERIFY(Find<TypefacePanel>("TypefacePanel") == nullptr);
    QAction* action = Find<QAction>("ShowTypeface");
    action->trigger();
    auto* panel = Find<TypefacePanel>("TypefacePanel");
    QVERIFY(panel != nullptr && panel->isVisible());
    QCOMPARE(window_->dockWidgetArea(panel), Qt::RightDockWidgetArea);
    QVERIFY(action->isChecked());
    action->trigger();
    QVERIFY(!panel->isVisible());
    action->trigger();
    QCOMPARE(Find<TypefacePanel>("TypefacePanel"), panel);
    QVERIFY(panel->isVisible());
    // IPAGothic, drawn at start-up, has one style and no axes.
    QCOMPARE(Items(Find<QComboBox>("Styles")), QStringList{"Regular"});
    QVERIFY(!Find<QComboBox>("Instances")->isEnabled());
    QVERIFY(!Find<QCheckBox>("AxisSweep")->isEnabled());
  }

  // The styles of Combo1's family, Regular first; each draws its own face, as its identity does,
  // and Combo1 brings the family's regular face back.
  void stylesOfTheFamily() {
    Find<QAction>("ShowTypeface")->trigger();
    ChooseFamily("Moji Test Styles");
    QComboBox* styles = Find<QComboBox>("Styles");
    QCOMPARE(Items(styles), (QStringList{"Regular", "Bold", "Italic"}));
    const std::u16string regular = window_->ReportText();
    ChooseItem(styles, QStringLiteral("Bold"));
    QCOMPARE(window_->ReportText(), ReportOf(FaceIdentity::Installed("Moji Test Styles", "Bold")));
    QVERIFY(window_->ReportText() != regular);
    QVERIFY(GlyphLine().contains(QStringLiteral("Moji Test Styles Bold (0)")));
    test::TypeIntoText2(*window_, QStringLiteral("AA"));
    QCOMPARE(window_->ReportText(), ReportOf(FaceIdentity::Installed("Moji Test Styles", "Bold")));
    ChooseFamily("Moji Test Styles");
    QCOMPARE(window_->ReportText(), regular);
    QCOMPARE(styles->currentText(), QStringLiteral("Regular"));
  }

  // Named instances and one slider per axis with its name, value and range; the default button
  // brings the axis back.
  void instancesAndSliders() {
    Find<QAction>("ShowTypeface")->trigger();
    ChooseFamily("Moji Test Weight");
    QComboBox* instances = Find<QComboBox>("Instances");
    QCOMPARE(Items(instances), QStringList({"（なし）", "細字", "標準", "太字"}));
    QCOMPARE(instances->currentText(), QString::fromUtf16(u"細字"));  // the default is Light's
    auto* slider = Find<QSlider>("AxisSlider_wght");
    auto* value = Find<QLabel>("AxisValue_wght");
    auto* reset = Find<QToolButton>("AxisDefault_wght");
    QVERIFY(slider && value && reset);
    QCOMPARE(value->text(), QStringLiteral("300 (300–700)"));
    QVERIFY(!reset->isEnabled());

    ChooseItem(instances, QString::fromUtf16(u"太字"));
    QCOMPARE(slider->value(), 1000);
    QCOMPARE(value->text(), QStringLiteral("700 (300–700)"));
    QCOMPARE(window_->ReportText(),
             ReportOf(FaceIdentity::Installed("Moji Test Weight").WithVariation({"Bold", {}})));
    QVERIFY(GlyphLine().contains(QString::fromUtf16(u"インスタンス 太字、ウエイト (wght) 700 [300–700]")));

    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    QTest::keyClick(slider, Qt::Key_PageDown);  // one page: 10 steps of 1000, 4 units
    QCOMPARE(slider->value(), 990);
    QCOMPARE(value->text(), QStringLiteral("696 (300–700)"));
    QCOMPARE(instances->currentText(), QString::fromUtf16(u"（なし）"));
    QCOMPARE(window_->ReportText(),
             ReportOf(FaceIdentity::Installed("Moji Test Weight").WithVariation({"", {{"wght", 696}}})));
    QVERIFY(reset->isEnabled());
    QTest::mouseClick(reset, Qt::LeftButton);
    QCOMPARE(value->text(), QStringLiteral("300 (300–700)"));
    QCOMPARE(window_->ReportText(), ReportOf(FaceIdentity::Installed("Moji Test Weight")));
    QCOMPARE(instances->currentText(), QString::fromUtf16(u"細字"));
  }

  // The sweep goes from the minimum to the maximum and back, one display request each step with
  // the points numbered as before; the report waits until it stops, and the points do not drift
  // meanwhile though 動きあり is checked. The large view follows every step.
  void axisSweep() {
    window_->ShowInspector(true);
    Find<QAction>("ShowTypeface")->trigger();
    ChooseFamily("Moji Test Weight");
    auto* panel = Find<TypefacePanel>("TypefacePanel");
    QCOMPARE(Find<QDoubleSpinBox>("SweepPeriod")->value(), 2.0);
    Find<QDoubleSpinBox>("SweepPeriod")->setValue(0.2);  // 4 steps: 300, 500, 700, 500
    QCheckBox* check1 = Find<QCheckBox>("Check1");
    check1->setChecked(true);
    const std::u16string before = window_->ReportText();
    QTest::mouseClick(Find<QCheckBox>("AxisSweep"), Qt::LeftButton);
    QVERIFY(panel->Sweeping());
    for (const double weight : {300.0, 500.0, 700.0, 500.0, 300.0}) {
      panel->SweepStep();
      const FaceIdentity face = FaceIdentity::Installed("Moji Test Weight").WithVariation({"", {{"wght", weight}}});
      QCOMPARE(panel->Face(), face);
      DeviceContext dc{gdi_};
      const std::optional<FetchedGlyph> fetched = FetchForDisplay(dc, u"A", gdi_.Fonts().FaceNameOf(face));
      QCOMPARE(window_->Shown().Placed, fetched->Placed);
      QCOMPARE(window_->Shown().Sources().size(), fetched->Sources().size());
      QCOMPARE(window_->Inspector()->View()->Scene().Outline, SceneOfGlyph(*fetched, {}, {}).Outline);
      const GlyphOutline placed = window_->Shown().Placed;
      window_->Timer1_Timer();
      QCOMPARE(window_->Shown().Placed, placed);
      QCOMPARE(window_->ReportText(), before);
    }
    panel->SweepStep();
    QTest::mouseClick(Find<QCheckBox>("AxisSweep"), Qt::LeftButton);
    QVERIFY(!panel->Sweeping());
    QCOMPARE(Find<QLabel>("AxisValue_wght")->text(), QStringLiteral("500 (300–700)"));
    QCOMPARE(window_->ReportText(),
             ReportOf(FaceIdentity::Installed("Moji Test Weight").WithVariation({"", {{"wght", 500}}})));
    // With the sweep stopped, the motion moves the points again.
    const GlyphOutline placed = window_->Shown().Placed;
    window_->Timer1_Timer();
    QVERIFY(!(window_->Shown().Placed == placed));
  }
};

QTEST_MAIN(TypefacePanelTest)
#include "typeface_panel_test.moc"
