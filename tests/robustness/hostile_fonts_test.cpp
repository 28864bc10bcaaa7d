// Start-up and drawing with a font folder of damaged and unusual fonts, through the real font
// walk, real choices in Combo1 and real typing into Text2.
// Run by ctest with FONTCONFIG_FILE naming a configuration that lists only the folder that
// make_hostile_fonts.py builds at test time.

#include <QCheckBox>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "platform/installed_faces.h"
#include "robustness_support.h"
#include "window/main_window.h"

using namespace moji;
using namespace moji::test;

namespace {

/// Every face of the folder that can be read, in the order of the list; the empty, random and
/// truncated files are not among them.
const QStringList kReadableFaces = {
    "DejaVu Sans",
    "Moji Robust Composite Loop",
    "Moji Robust Cut Glyphs",
    "Moji Robust Far Away",
    "Moji Robust Good",
    "Moji Robust Long Runs",
    "Moji Robust Many Contours",
    "Moji Robust No On Curve",
    "Moji Robust Off Curve Ends",
    "Moji Robust One Point",
    "Moji Robust Tiny Em",
};

/// A font that fontconfig cached and that was emptied afterwards: fontconfig still lists it.
const QString kDamagedLater = QStringLiteral("Moji Robust Damaged Later");

/// Characters drawn in every face: the built fonts' unusual "A", plain "B", "C" (unusual in
/// some, missing in others), a space, a kanji and a character outside the basic plane that no
/// face of the folder has.
const QStringList kSweepCharacters = {
    "A", "B", "C", " ", QString::fromUtf16(u"龍"), QString::fromUtf16(u"\U0002000B")};

/// Blocks expected: none (the empty outline), or either none or some.
constexpr int kNone = -1;
constexpr int kEither = -2;

bool FolderInstalled() {
  const std::vector<std::string> names = InstalledFaceNames();
  return std::find(names.begin(), names.end(), "Moji Robust Good") != names.end();
}

QStringList Entries(Main& window) {
  QComboBox* combo1 = Find<QComboBox>(window, "Combo1");
  QStringList entries;
  for (int i = 0; i < combo1->count(); ++i) entries << combo1->itemText(i);
  return entries;
}

/// Runs ticks with Check1 checked and a button held over Picture1, then lets go.
void MoveWithButtonHeld(Main& window, int ticks) {
  QCheckBox* check1 = Find<QCheckBox>(window, "Check1");
  PictureBox* picture1 = Find<PictureBox>(window, "Picture1");
  QTest::mouseClick(check1, Qt::LeftButton);
  QTest::mousePress(picture1, Qt::LeftButton, {}, QPoint(90, 130));
  for (int tick = 0; tick < ticks; ++tick) window.Timer1_Timer();
  QTest::mouseRelease(picture1, Qt::LeftButton, {}, QPoint(90, 130));
  QTest::mouseClick(check1, Qt::LeftButton);
}

}  // namespace

class HostileFontsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (!FolderInstalled())
      QSKIP("the hostile font folder is installed only when run through ctest");
    HidePopupPlatformNotes();
    CapturedStandardError errors;
    window_ = std::make_unique<Main>(std::make_unique<InstalledScreenFonts>());
    window_->Form_Load();
    Find<QTimer>(*window_, "Timer1")->stop();
    QCOMPARE(QString::fromStdString(errors.Text()), QString());
  }
  void cleanupTestCase() { window_.reset(); }

  void startUpListsReadableFaces() {
    QStringList entries = Entries(*window_);
    entries.removeAll(kDamagedLater);  // checked on its own below
    QCOMPARE(entries, kReadableFaces);
    QCOMPARE(window_->windowTitle(), QString::fromUtf16(kMainCaption));
    // No face of the folder has 龍: the start-up shows the empty outline.
    QVERIFY(window_->ReportText().starts_with(u"文字：\r\nブロック数：0\r\n"));
    const QString shown = ShownAsFirstCharacter(*window_);
    QVERIFY2(shown.isEmpty(), qPrintable(shown));
  }

  // fontconfig's cache still names a font whose file was emptied after it was cached; the font
  // engine cannot open the file, so the face cannot be drawn and must not be offered.
  void fontDamagedAfterCachingNotListed() {
    const std::vector<std::string> names = InstalledFaceNames();
    QVERIFY(std::find(names.begin(), names.end(), kDamagedLater.toStdString()) != names.end());
    QString drawn;
    if (ChooseFace(*window_, kDamagedLater)) {
      TypeIntoText2(*window_, "A");
      drawn = QString::fromStdU16String(window_->ReportText())
                  .section("\r\n", 0, 1)
                  .replace("\r\n", ", ");
    }
    QVERIFY2(!Entries(*window_).contains(kDamagedLater),
             qPrintable("the unreadable face is offered in Combo1; chosen, it shows: " + drawn));
  }

  void glyphs_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("blocks");
    struct Row {
      const char* name;
      const char* face;
      const char* text;
      int blocks;
    };
    const Row rows[] = {
        {"good square", "Moji Robust Good", "A", 1},
        {"space has no contours", "Moji Robust Good", " ", kNone},
        {"missing character", "Moji Robust Good", "C", kNone},
        {"one-point contours", "Moji Robust One Point", "A", 3},
        {"twenty contours", "Moji Robust Many Contours", "A", 20},
        {"contours starting and ending off the curve", "Moji Robust Off Curve Ends", "A", 2},
        {"contours without an on-curve point", "Moji Robust No On Curve", "A", 2},
        {"32000 points", "Moji Robust Long Runs", "A", 2},
        {"60000 points: the engine may refuse", "Moji Robust Long Runs", "C", kEither},
        {"points seven times the 16-bit range out", "Moji Robust Far Away", "A", 3},
        {"em of 16, no vertical extents", "Moji Robust Tiny Em", "A", 3},
        {"plain glyph of a tiny em", "Moji Robust Tiny Em", "B", 1},
        {"composite of itself", "Moji Robust Composite Loop", "A", kNone},
        {"composites of each other", "Moji Robust Composite Loop", "C", kNone},
        {"plain glyph beside composite loops", "Moji Robust Composite Loop", "B", 1},
        {"glyph before the cut", "Moji Robust Cut Glyphs", "A", 6},
        {"glyph cut off", "Moji Robust Cut Glyphs", "C", kNone},
        {"copied DejaVu Sans", "DejaVu Sans", "A", 2},
    };
    for (const Row& row : rows) {
      QTest::newRow(row.name) << QString(row.face) << QString(row.text) << row.blocks;
    }
  }
  void glyphs() {
    QFETCH(QString, face);
    QFETCH(QString, text);
    QFETCH(int, blocks);
    CapturedStandardError errors;
    QVERIFY(ChooseFace(*window_, face));
    TypeIntoText2(*window_, text);
    QCOMPARE(Find<QLineEdit>(*window_, "Text2")->text(), text);
    const GlyphOutline& outline = window_->CurrentOutline();
    if (blocks == kNone) QCOMPARE(outline.BlockCount, 0);
    if (blocks > 0) QCOMPARE(outline.BlockCount, blocks);
    const QString shown = ShownAsFirstCharacter(*window_);
    QVERIFY2(shown.isEmpty(), qPrintable(shown));
    for (const OutlineBlock& block : outline.Blocks) {
      for (const OutlineCurve& curve : block.Curves) QVERIFY(curve.PointCount <= 32767);
    }
    QVERIFY(!window_->grab().isNull());
    QCOMPARE(QString::fromStdString(errors.Text()), QString());
  }

  void onePointContourIsBlockWithoutCurves() {
    QVERIFY(ChooseFace(*window_, "Moji Robust One Point"));
    TypeIntoText2(*window_, "A");
    const GlyphOutline& outline = window_->CurrentOutline();
    QCOMPARE(outline.BlockCount, 3);
    QCOMPARE(outline.Blocks[0].CurveCount, 0);
    QCOMPARE(outline.Blocks[1].CurveCount, 1);
    QCOMPARE(outline.Blocks[2].CurveCount, 0);
  }

  // Every listed face, chosen in Combo1, draws every character, also while it moves.
  void everyFaceDrawsEveryCharacter() {
    CapturedStandardError errors;
    const int entries = Find<QComboBox>(*window_, "Combo1")->count();
    for (int entry = 0; entry < entries; ++entry) {
      QVERIFY(ChooseEntry(*window_, entry));
      for (const QString& character : kSweepCharacters) {
        TypeIntoText2(*window_, character);
        const QString shown = ShownAsFirstCharacter(*window_);
        QVERIFY2(shown.isEmpty(), qPrintable(Entries(*window_)[entry] + ": " + shown));
        MoveWithButtonHeld(*window_, 3);
        QVERIFY(AllCoordinatesFinite(window_->CurrentOutline()));
        QVERIFY(!window_->grab().isNull());
      }
    }
    QCOMPARE(QString::fromStdString(errors.Text()), QString());
  }

 private:
  std::unique_ptr<Main> window_;
};

QTEST_MAIN(HostileFontsTest)
#include "hostile_fonts_test.moc"
