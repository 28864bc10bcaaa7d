// The font walk over an injected face list, with the real font engine.
// Run by ctest with FONTCONFIG_FILE naming a configuration that adds a CFF (not TrueType)
// face, "Moji Test CFF", built at test time.

#include <QComboBox>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "platform/installed_faces.h"
#include "window/main_window.h"
#include "window_test_support.h"

using namespace moji;

namespace {

const QString kIpaGothic = QString::fromUtf16(u"IPAゴシック");
const QString kMsGothic = QString::fromUtf16(kDefaultFace);
const QString kCffFace = QStringLiteral("Moji Test CFF");

bool CffFaceInstalled() {
  for (const std::string& name : InstalledFaceNames()) {
    if (name == "Moji Test CFF") return true;
  }
  return false;
}

}  // namespace

class FontListTest : public QObject {
  Q_OBJECT

 private slots:
  void walk_data() {
    QTest::addColumn<QStringList>("faces");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("selected");
    QTest::newRow("no faces") << QStringList{} << QStringList{} << -1;
    QTest::newRow("vertical variants skipped, duplicates kept")
        << QStringList{"@" + kIpaGothic, kIpaGothic, "DejaVu Sans", kIpaGothic, "@DejaVu Sans"}
        << QStringList{kIpaGothic, "DejaVu Sans", kIpaGothic} << 0;
    QTest::newRow("substitute for the default face not listed")
        << QStringList{"DejaVu Sans"} << QStringList{"DejaVu Sans"} << -1;
    QTest::newRow("default face listed by name")
        << QStringList{kIpaGothic, kMsGothic} << QStringList{kIpaGothic, kMsGothic} << 1;
    QTest::newRow("CFF face left out")
        << QStringList{kCffFace, "DejaVu Sans", kCffFace} << QStringList{"DejaVu Sans"} << -1;
  }
  void walk() {
    QFETCH(QStringList, faces);
    QFETCH(QStringList, entries);
    QFETCH(int, selected);
    if (faces.contains(kCffFace) && !CffFaceInstalled()) {
      QSKIP("the CFF test face is installed only when run through ctest");
    }
    Main window(std::make_unique<test::FakeScreenFonts>(faces));
    window.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    window.EnumTrueTypeFont();

    QComboBox* combo1 = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    QStringList listed;
    for (int i = 0; i < combo1->count(); ++i) listed << combo1->itemText(i);
    QCOMPARE(listed, entries);
    QCOMPARE(combo1->currentIndex(), selected);
    QCOMPARE(window.findChild<PictureBox*>(QStringLiteral("Picture1"))->FontName(), kMsGothic);
  }

  void installedFaces() {
    Main window(std::make_unique<InstalledScreenFonts>());
    window.Form_Load();
    QComboBox* combo1 = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    QStringList listed;
    for (int i = 0; i < combo1->count(); ++i) listed << combo1->itemText(i);
    QVERIFY(listed.contains(kIpaGothic));
    QVERIFY(listed.contains(QStringLiteral("DejaVu Sans")));
    QVERIFY(!listed.contains(kCffFace));
    QVERIFY(std::none_of(listed.begin(), listed.end(),
                         [](const QString& e) { return e.startsWith(u'@'); }));
    QCOMPARE(combo1->currentText(), kIpaGothic);
    if (!CffFaceInstalled()) QSKIP("the CFF test face is installed only when run through ctest");
  }
};

QTEST_MAIN(FontListTest)
#include "font_list_test.moc"
