// Hostile text in Text2, entered the four ways a user can: typed key by key, committed by an
// input method, inserted, and pasted from the clipboard. The handler returns, the window goes
// on, and the report and picture show the first character of the text by the usual rules.

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "robustness_support.h"
#include "window/main_window.h"

using namespace moji;
using namespace moji::test;

namespace {

const QString kIpaGothic = QString::fromUtf16(u"IPAゴシック");
const QString kDejaVuSans = QStringLiteral("DejaVu Sans");

/// How a text reaches Text2.
enum class Entry { Typed, InputMethod, Inserted, Pasted };

/// Blocks expected: the empty outline, or either the empty outline or some blocks.
constexpr int kNone = -1;
constexpr int kEither = -2;

QString Units(std::initializer_list<char16_t> units) {
  QString text;
  for (const char16_t unit : units) text += QChar(unit);
  return text;
}

QString Repeated(const QString& piece, int count) { return piece.repeated(count); }

/// 100,000 code units drawn from the whole 16-bit range: lone surrogates, controls, anything.
QString RandomUnits() {
  QRandomGenerator random(2024);
  QString text(100000, QChar());
  for (QChar& unit : text) unit = QChar(static_cast<char16_t>(random.bounded(0x10000)));
  return text;
}

/// QTest::keyClicks knows keys for printable ASCII and tab only.
bool HasKeysForAll(const QString& text) {
  for (const QChar unit : text) {
    const char16_t code = unit.unicode();
    if ((code < 0x20 || code > 0x7E) && code != u'\t') {
      return false;
    }
  }
  return true;
}

/// Replaces Text2's whole text the given way.
void Enter(Main& window, const QString& text, Entry how) {
  QLineEdit* text2 = Find<QLineEdit>(window, "Text2");
  switch (how) {
    case Entry::Typed:
      if (HasKeysForAll(text)) {
        QTest::keyClick(text2, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(text2, text);
      } else {
        TypeIntoText2(window, text);
      }
      break;
    case Entry::InputMethod: {
      text2->selectAll();
      QInputMethodEvent commit;
      commit.setCommitString(text);
      QApplication::sendEvent(text2, &commit);
      break;
    }
    case Entry::Inserted:
      text2->selectAll();
      text2->insert(text);
      break;
    case Entry::Pasted:
      QGuiApplication::clipboard()->setText(text);
      QTest::keyClick(text2, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(text2, Qt::Key_V, Qt::ControlModifier);
      break;
  }
}

}  // namespace

class HostileTextTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { HidePopupPlatformNotes(); }

  void text_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("blocks");
    QTest::addColumn<bool>("keyed");  // short enough to type key by key

    struct Row {
      const char* name;
      QString face;
      QString text;
      int blocks;
    };
    const QString pair2000B = QString::fromUtf16(u"\U0002000B");
    const QString emoji = QString::fromUtf16(u"\U0001F600");
    const Row rows[] = {
        {"lone high surrogate", kIpaGothic, Units({0xD840}), kNone},
        {"lone low surrogate", kIpaGothic, Units({0xDC0B}), kNone},
        {"high surrogate before a letter", kIpaGothic, Units({0xD840, u'A'}), kNone},
        {"low surrogate before a high one", kIpaGothic, Units({0xDC0B, 0xD840}), kNone},
        {"pair the face has", kIpaGothic, pair2000B + "A", 2},
        {"pair the face lacks", kIpaGothic, QString::fromUtf16(u"\U00020000"), kNone},
        {"U+0000", kIpaGothic, Units({0, u'A'}), kNone},
        {"tab", kIpaGothic, "\tA", kNone},
        {"control characters", kIpaGothic, "\x01\x1b\x7f", kNone},
        {"line break", kIpaGothic, "\r\nA", kNone},
        {"combining mark alone", kIpaGothic, Units({0x0301}), 1},
        {"letter with combining mark", kIpaGothic, Units({u'A', 0x0301}), 2},
        {"right-to-left override", kDejaVuSans, Units({0x202E, u'A'}), kNone},
        {"Hebrew letter", kDejaVuSans, Units({0x05D0}), 1},
        {"Arabic letter, a composite glyph", kDejaVuSans, Units({0x0628}), 2},
        {"emoji the face lacks", kIpaGothic, emoji, kNone},
        {"emoji the face has", kDejaVuSans, emoji, 9},
        {"byte order mark", kIpaGothic, Units({0xFEFF, u'A'}), kNone},
        {"noncharacter", kIpaGothic, Units({0xFFFF}), kNone},
        {"100,000 characters after a kanji", kIpaGothic,
         QString::fromUtf16(u"龍") + Repeated("A", 99999), 7},
        {"50,000 surrogate pairs", kIpaGothic, Repeated(pair2000B, 50000), 2},
        {"100,000 random code units", kIpaGothic, RandomUnits(), kEither},
    };
    for (const Row& row : rows) {
      QTest::newRow(row.name) << row.face << row.text << row.blocks << (row.text.size() < 100);
    }
  }
  void text() {
    QFETCH(QString, face);
    QFETCH(QString, text);
    QFETCH(int, blocks);
    QFETCH(bool, keyed);
    auto window = std::make_unique<Main>(
        std::make_unique<FakeScreenFonts>(QStringList{kIpaGothic, kDejaVuSans}));
    window->Form_Load();
    Find<QTimer>(*window, "Timer1")->stop();
    QVERIFY(ChooseFace(*window, face));
    QLineEdit* text2 = Find<QLineEdit>(*window, "Text2");

    const Entry ways[] = {Entry::Typed, Entry::InputMethod, Entry::Inserted, Entry::Pasted};
    for (const Entry way : ways) {
      if (way == Entry::Typed && !keyed) continue;
      const QString label = QStringLiteral("entry %1").arg(static_cast<int>(way));
      CapturedStandardError errors;
      Enter(*window, QString::fromUtf16(u"龍"), Entry::Inserted);
      Enter(*window, text, way);
      QCoreApplication::processEvents();

      // Typing drops what a key cannot enter (controls, lone surrogates); the other ways take
      // the whole text, up to Text2's length limit.
      const QString entered = text2->text();
      if (way != Entry::Typed) QCOMPARE(entered, text.left(text2->maxLength()));
      if (entered == text.left(text2->maxLength())) {
        if (blocks == kNone) QCOMPARE(window->CurrentOutline().BlockCount, 0);
        if (blocks > 0) QCOMPARE(window->CurrentOutline().BlockCount, blocks);
      }
      const QString shown = ShownAsFirstCharacter(*window);
      QVERIFY2(shown.isEmpty(), qPrintable(label + ": " + shown));
      const QStringList reportLines = QString::fromStdU16String(window->ReportText()).split("\r\n");
      QVERIFY(Find<QPlainTextEdit>(*window, "Text1")
                  ->toPlainText()
                  .startsWith(reportLines.mid(0, 3).join(u'\n')));
      QCOMPARE(QString::fromStdString(errors.Text()), QString());

      // The window goes on: it paints the text, counts a tick and takes the next character.
      QVERIFY(!window->grab().isNull());
      const std::int32_t ticks = window->TickCount();
      window->Timer1_Timer();
      QCOMPARE(window->TickCount(), ticks + 1);
      TypeIntoText2(*window, "A");
      QVERIFY(window->ReportText().starts_with(ReportHead(u"A", 2)));
    }
  }
};

QTEST_MAIN(HostileTextTest)
#include "hostile_text_test.moc"
