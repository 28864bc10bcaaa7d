// Glyphs beyond the characters typed, with real widgets and events on the offscreen platform:
// the large view's glyph-number field, Alt+← and Alt+→, the components of a composite, the
// glyph table (its search, its blocks, a click and Enter) and 縦書き, on the test face "Moji
// Test Composite" (tests/fonts/glyph_faces.py).

#include <QtTest>
#include <QtWidgets>

#include "window/elided_label.h"
#include "window/glyph_components_panel.h"
#include "window/glyph_index_field.h"
#include "window/glyph_table_dock.h"
#include "window/glyph_table_model.h"
#include "window/inspector_dock.h"
#include "window/inspector_view.h"
#include "window/main_window.h"
#include "window/window_test_support.h"
#include "test_fonts.h"

using namespace moji;

class GlyphToolsTest : public QObject {
  Q_OBJECT

  GraphicsServices gdi_;
  std::unique_ptr<Main> window_;

  std::uint32_t ShownIndex() const { return window_->Shown().Glyph.Glyph->GlyphIndex; }
  QString ReportFirstLine() const {
    return QString::fromStdU16String(window_->ReportText()).section(QStringLiteral("\r\n"), 0, 0);
  }
  QString Text2() { return test::Find<QLineEdit>(*window_, "Text2")->text(); }
  QString StatusLine() { return test::Find<ElidedLabel>(*window_, "GlyphLine")->Text(); }
  /// Enters a number into the glyph-number field as a user does: types it and presses Enter.
  void EnterIndex(const QString& number) {
    QSpinBox* box = window_->GlyphField()->Box();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, number);
    QTest::keyClick(box, Qt::Key_Return);
  }

 private slots:
  void init() {
    window_ = std::make_unique<Main>(gdi_, test::Faces(QStringList{"IPAGothic"}));
    window_->Form_Load();
    test::Find<QTimer>(*window_, "Timer1")->stop();
    QVERIFY(window_->OpenFontFile(test::TestFontPath("../extra/MojiTestComposite.ttf"), 0, true));
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    window_->ShowInspector(true);
  }
  void cleanup() { window_.reset(); }

  // The field takes the face's indices only; a glyph no character maps to is named in the
  // report and the status bar and leaves Text2 as it was; one that has a character shows it
  // in Text2. Alt+→ and Alt+← step through the face and round it; typing asks for characters.
  void fieldAndArrowsStepThroughTheFace() {
    QSpinBox* box = window_->GlyphField()->Box();
    QCOMPARE(box->maximum(), 10);
    QCOMPARE(box->value(), 0);  // 龍: the face has none
    EnterIndex("7");
    QCOMPARE(ShownIndex(), 7u);
    QCOMPARE(ReportFirstLine(), QString::fromUtf16(u"文字：[グリフ 7 A.alt]"));
    QCOMPARE(Text2(), QString::fromUtf16(u"龍"));
    QVERIFY2(StatusLine().contains(QString::fromUtf16(u"どの文字にも割り当てのないグリフ")), qPrintable(StatusLine()));
    EnterIndex("40");  // past the last glyph: the field takes no 0 after the 4
    QCOMPARE(box->value(), 4);
    QCOMPARE(ShownIndex(), 4u);
    EnterIndex("10");
    QCOMPARE(ShownIndex(), 10u);
    QTest::keyClick(window_.get(), Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(ShownIndex(), 0u);
    QTest::keyClick(window_->Inspector()->View(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(ShownIndex(), 10u);
    for (int i = 0; i < 2; ++i) QTest::keyClick(window_.get(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(ShownIndex(), 8u);
    QCOMPARE(box->value(), 8);
    QCOMPARE(Text2(), QString::fromUtf16(u"ー"));
    QCOMPARE(ReportFirstLine(), QString::fromUtf16(u"文字：ー"));
    QVERIFY(StatusLine().contains(QStringLiteral("U+30FC")));
    test::TypeIntoText2(*window_, QStringLiteral("A"));
    QCOMPARE(ShownIndex(), 1u);
    QVERIFY(!window_->Shown().Glyph.ByIndex);
    // Ticks and thickness redraw the glyph shown by index, not Text2's character.
    EnterIndex("6");
    test::Find<QScrollBar>(*window_, "HScroll1")->setValue(4);
    QCOMPARE(ShownIndex(), 6u);
  }

  // A composite's components are listed under the view, and a checked one has its contours
  // outlined over it; a simple glyph has no list.
  void componentsOfAComposite() {
    GlyphComponentsPanel* panel = window_->ComponentsPanel();
    window_->ShowGlyphIndex(3);
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->List()->topLevelItemCount(), 2);
    QCOMPARE(panel->List()->topLevelItem(1)->text(1), QStringLiteral("acute"));
    QCOMPARE(panel->List()->topLevelItem(1)->text(2), QStringLiteral("(150, 650)"));
    QVERIFY(panel->List()->topLevelItem(0)->text(4).contains(QStringLiteral("USE_MY_METRICS")));
    panel->List()->topLevelItem(1)->setCheckState(0, Qt::Checked);
    QCOMPARE(panel->Overlay()->Blocks(), (std::vector<std::pair<int, int>>{{1, 1}}));
    window_->ShowGlyphIndex(5);
    QCOMPARE(panel->List()->topLevelItem(1)->text(2), QString::fromUtf16(u"点 2, 0"));
    QVERIFY(panel->Overlay()->Blocks().empty());
    window_->ShowGlyphIndex(7);
    QVERIFY(!panel->isVisible());
  }

  // Every glyph of the face; a search by name part, code point or character, and a block,
  // narrow it; a click or Enter shows the glyph, and the current cell follows what is shown.
  void tableFiltersAndChooses() {
    QTest::keyClick(window_.get(), Qt::Key_G, Qt::ControlModifier);
    GlyphTableDock* table = window_->GlyphTable();
    QVERIFY(table != nullptr && table->isVisible());
    GlyphTableModel* model = table->Model();
    QCOMPARE(model->rowCount(), 11);
    const auto shown = [model] {
      std::vector<std::uint32_t> glyphs;
      for (int row = 0; row < model->rowCount(); ++row) glyphs.push_back(model->GlyphAt(row));
      return glyphs;
    };
    const std::pair<QString, std::vector<std::uint32_t>> searches[] = {
        {QStringLiteral("U+00C1"), {3}},
        {QStringLiteral("u+391"), {1}},
        {QStringLiteral("alt"), {7}},
        {QStringLiteral("A"), {1, 2, 3, 4, 5, 6, 7, 10}},  // the character A, and names with an a
        {QString::fromUtf16(u"ー"), {8}},
        {QStringLiteral("vert"), {9}},
        {QStringLiteral("nothing"), {}}};
    for (const auto& [search, glyphs] : searches) {
      table->Search()->setText(search);
      QCOMPARE(shown(), glyphs);
    }
    table->Search()->clear();
    QTest::mouseClick(table->BlockChoice(), Qt::LeftButton);  // opening the choice lists the blocks
    const int katakana = table->BlockChoice()->findText(QStringLiteral("Katakana"));
    QVERIFY(katakana > 0);
    table->BlockChoice()->setCurrentIndex(katakana);
    emit table->BlockChoice()->activated(katakana);
    QCOMPARE(shown(), std::vector<std::uint32_t>{8});
    table->BlockChoice()->setCurrentIndex(0);
    emit table->BlockChoice()->activated(0);
    QCOMPARE(model->rowCount(), 11);

    QListView* cells = table->Cells();
    cells->setFocus();
    cells->setCurrentIndex(model->index(4));
    QTest::keyClick(cells, Qt::Key_Return);
    QCOMPARE(ShownIndex(), 4u);
    QTest::mouseClick(cells->viewport(), Qt::LeftButton, {}, cells->visualRect(model->index(9)).center());
    QCOMPARE(ShownIndex(), 9u);
    window_->ShowGlyphIndex(2);
    QCOMPARE(cells->currentIndex().row(), 2);
    // The cells drawn show the glyph's outline, name and code points.
    QVERIFY(!model->CellOf(1).Picture.isNull());
    QCOMPARE(model->CellOf(1).CodePoints, QStringLiteral("U+0041 U+0391"));
    QCOMPARE(model->CellOf(7).Name, QStringLiteral("A.alt"));
    QVERIFY(!test::IsBlank(model->CellOf(1).Picture.convertToFormat(QImage::Format_RGB32)) ||
            model->CellOf(1).Picture.pixelColor(32, 40).alpha() > 0);
  }

  // 縦書き shows the glyph vertical text sets, says whether it is another glyph, and gives the
  // large view its vertical metrics; off again, the character's own glyph.
  void verticalForms() {
    test::TypeIntoText2(*window_, QString::fromUtf16(u"ー"));
    QCOMPARE(ShownIndex(), 8u);
    QAction* vertical = test::Find<QAction>(*window_, "ShowVertical");
    vertical->trigger();
    QCOMPARE(ShownIndex(), 9u);
    QCOMPARE(ReportFirstLine(), QString::fromUtf16(u"文字：ー"));
    QVERIFY2(StatusLine().contains(QString::fromUtf16(u"縦書き：横書きのグリフ 8 と別のグリフ")), qPrintable(StatusLine()));
    QVERIFY(window_->Inspector()->View()->Scene().Metrics.Vertical.has_value());
    QCOMPARE(window_->Inspector()->View()->Scene().Metrics.Vertical->Advance, 1000.0);
    test::TypeIntoText2(*window_, QStringLiteral("A"));
    QCOMPARE(ShownIndex(), 1u);
    QVERIFY(StatusLine().contains(QString::fromUtf16(u"縦書き：横書きと同じグリフ")));
    vertical->trigger();
    test::TypeIntoText2(*window_, QString::fromUtf16(u"ー"));
    QCOMPARE(ShownIndex(), 8u);
    QVERIFY(!window_->Inspector()->View()->Scene().Metrics.Vertical.has_value());
  }

  // The ピクセル mode hints the very glyph the views draw: one asked by index that no character
  // maps to, the vertical form, and .notdef.
  void pixelsOfTheGlyphShown() {
    window_->ShowPixels(true);
    const auto pixelIndex = [this] { return window_->Inspector()->View()->Pixels()->Glyph.GlyphIndex; };
    EnterIndex("7");
    QVERIFY(window_->Inspector()->View()->Pixels()->Glyph.Found);
    QCOMPARE(pixelIndex(), 7u);
    test::Find<QAction>(*window_, "ShowVertical")->trigger();
    test::TypeIntoText2(*window_, QString::fromUtf16(u"ー"));
    QCOMPARE(ShownIndex(), 9u);
    QCOMPARE(pixelIndex(), 9u);
    test::Find<QAction>(*window_, "ShowVertical")->trigger();
    EnterIndex("0");
    QVERIFY(window_->Inspector()->View()->Pixels()->Glyph.Found);
    QCOMPARE(pixelIndex(), 0u);
    window_->ShowPixels(false);
  }
};

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  GlyphToolsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "glyph_tools_test.moc"
