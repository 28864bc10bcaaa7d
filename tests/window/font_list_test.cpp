// The face walk over an injected face list, with the real font engine, on the standard font set
// (which has "Moji Test CFF", a face with CFF outlines).

#include <QtTest>
#include <QtWidgets>

#include "window/main_window.h"
#include "window/window_test_support.h"

using namespace moji;

class FontListTest : public QObject {
  Q_OBJECT

 private slots:
  void walk_data() {
    const QString ipa = QString::fromUtf16(u"IPAゴシック"),
                  msGothic = QString::fromUtf16(kDefaultFace);
    const QString dejaVu = QStringLiteral("DejaVu Sans"), cff = QStringLiteral("Moji Test CFF");
    QTest::addColumn<QStringList>("faces");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("current");
    QTest::newRow("empty") << QStringList{} << QStringList{} << -1;
    QTest::newRow("vertical variants skipped, duplicates kept, drawn face current")
        << QStringList{"@" + ipa, ipa, dejaVu, ipa, "@" + dejaVu} << QStringList{ipa, dejaVu, ipa}
        << 0;
    QTest::newRow("drawn face not listed") << QStringList{dejaVu} << QStringList{dejaVu} << -1;
    QTest::newRow("default face listed by name")
        << QStringList{ipa, msGothic} << QStringList{ipa, msGothic} << 1;
    QTest::newRow("CFF faces listed like TrueType ones")
        << QStringList{cff, dejaVu, cff} << QStringList{cff, dejaVu, cff} << -1;
  }
  void walk() {
    QFETCH(QStringList, faces);
    QFETCH(QStringList, entries);
    QFETCH(int, current);
    Main window(test::Faces(faces));
    window.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    window.EnumTrueTypeFont();
    QComboBox* combo1 = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    QStringList listed;
    for (int i = 0; i < combo1->count(); ++i) {
      listed << combo1->itemText(i);
      // An installed family is drawn from under its own name.
      QCOMPARE(combo1->itemData(i).toByteArray(), combo1->itemText(i).toUtf8());
    }
    QCOMPARE(listed, entries);
    QCOMPARE(combo1->currentIndex(), current);
    QCOMPARE(window.findChild<PictureBox*>(QStringLiteral("Picture1"))->FontName(),
             QString::fromUtf16(kDefaultFace).toStdString());
  }
};

QTEST_MAIN(FontListTest)
#include "font_list_test.moc"
