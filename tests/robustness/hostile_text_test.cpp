// Hostile text in Text2, typed key by key and pasted from the clipboard: the handler returns,
// the window goes on, and the report and picture show the first character of the text by the
// usual rules.

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>
#include <QtTest>
#include <string_view>

#include "robustness/robustness_support.h"

using namespace moji;
using namespace moji::test;
using namespace std::literals;

class HostileTextTest : public QObject {
  Q_OBJECT

 private slots:
  void text_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("blocks");
    const auto row = [](const char* name, const char* face, QStringView text, int blocks) {
      QTest::newRow(name) << QString(face) << text.toString() << blocks;
    };
    row("lone high surrogate", "IPAゴシック", u"\xD840"sv, 0);
    row("lone low surrogate", "IPAゴシック", u"\xDC0B"sv, 0);
    row("pair the face has", "IPAゴシック", u"\U0002000BA"sv, 2);
    row("pair the face lacks", "IPAゴシック", u"\U00020000"sv, 0);
    row("U+0000", "IPAゴシック", u"\0A"sv, 0);
    row("control character", "IPAゴシック", u"\u001BA"sv, 0);
    row("combining mark", "IPAゴシック", u"\u0301"sv, 1);
    row("right-to-left letter", "DejaVu Sans", u"\u05D0"sv, 1);
    row("emoji", "DejaVu Sans", u"\U0001F600"sv, 9);
    row("100,000 characters", "IPAゴシック", u"龍" + std::u16string(99999, u'A'), 7);
  }
  void text() {
    QFETCH(QString, face);
    QFETCH(QString, text);
    QFETCH(int, blocks);
    Main window(Faces(QStringList{"IPAゴシック", "DejaVu Sans"}));
    window.Form_Load();
    Find<QTimer>(window, "Timer1")->stop();
    QVERIFY(ChooseEntry(window, Find<QComboBox>(window, "Combo1")->findText(face)));
    QLineEdit* text2 = Find<QLineEdit>(window, "Text2");
    for (const bool pasted : {false, true}) {
      if (!pasted && text.size() > 100) continue;  // 100,000 key events would tell nothing more
      CapturedStandardError errors;
      if (pasted) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keySequence(text2, QKeySequence("Ctrl+A, Ctrl+V"));
      } else {
        TypeIntoText2(window, text);
      }
      // Keys cannot enter controls or lone surrogates; a paste takes the text up to Text2's limit.
      const QString whole = text.left(text2->maxLength());
      if (pasted) QCOMPARE(text2->text(), whole);
      if (text2->text() == whole) QCOMPARE(window.CurrentOutline().BlockCount, blocks);
      const QString shown = ShownAsFirstCharacter(window);
      QVERIFY2(shown.isEmpty(), qPrintable(QString(pasted ? "pasted: " : "typed: ") + shown));
      QVERIFY2(errors.text.str().empty(), errors.text.str().c_str());
      // The window goes on: it paints, ticks and takes the next character.
      QVERIFY(!window.grab().isNull());
      window.Timer1_Timer();
      TypeIntoText2(window, "A");
      QVERIFY(window.ReportText().starts_with(u"文字：A\r\nブロック数：2\r\n"));
    }
  }
};

QTEST_MAIN(HostileTextTest)
#include "hostile_text_test.moc"
