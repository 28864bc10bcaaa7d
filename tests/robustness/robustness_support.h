#pragma once
// Helpers of the robustness tests: real events on the window's controls, and a check that the
// report, the outline and the picture show the first character of Text2.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>
#include <cmath>
#include <iostream>
#include <sstream>

#include "display/glyph_outline_fetch.h"
#include "window/main_window.h"
#include "window/window_test_support.h"

namespace moji::test {

/// The control of the window with this object name.
template <typename Control>
Control* Find(Main& window, const char* name) {
  return window.findChild<Control*>(QString::fromLatin1(name));
}

/// Picks entry `index` of Combo1 as a user does: opens the list, moves to the entry and presses
/// Return, so Combo1 reports an activation even when the entry was current already.
inline bool ChooseEntry(Main& window, int index) {
  QComboBox* combo1 = Find<QComboBox>(window, "Combo1");
  QSignalSpy activated(combo1, &QComboBox::activated);
  combo1->showPopup();
  combo1->view()->setCurrentIndex(combo1->model()->index(index, 0));
  QTest::keyClick(combo1->view(), Qt::Key_Return);
  return activated.count() == 1 && combo1->currentIndex() == index;
}

/// Replaces Text2's text by typing: Ctrl+A, then one key event per code point (a surrogate pair
/// in one event, as a keyboard sends it).
inline void TypeIntoText2(Main& window, const QString& text) {
  QLineEdit* text2 = Find<QLineEdit>(window, "Text2");
  QTest::keyClick(text2, Qt::Key_A, Qt::ControlModifier);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype units = text[i].isHighSurrogate() && text.mid(i, 2).isValidUtf16() ? 2 : 1;
    QTest::sendKeyEvent(QTest::Click, text2, Qt::Key_unknown, text.mid(i, units), {});
    i += units - 1;
  }
}

/// Every start and curve point of the outline is finite (their sum keeps any NaN or infinity).
inline bool AllCoordinatesFinite(const GlyphOutline& outline) {
  double sum = 0;
  for (const OutlineBlock& block : outline.Blocks) {
    sum += double{block.StartX} + block.StartY;
    for (const OutlineCurve& curve : block.Curves) {
      for (const OutlinePoint& point : curve.Points) sum += double{point.X} + point.Y;
    }
  }
  return std::isfinite(sum);
}

/// Empty when the window shows Text2's first character by its rules: the empty outline with a
/// report of zero counts and a blank picture, or that character's outline with its report,
/// finite points and ink only around them; else what is wrong.
inline QString ShownAsFirstCharacter(Main& window) {
  const GlyphOutline& outline = window.CurrentOutline();
  const std::u16string text = Find<QLineEdit>(window, "Text2")->text().toStdU16String();
  const std::u16string character = outline.BlockCount == 0 ? u"" : FirstCharacter(text);
  std::u16string head = u"文字：" + character + u"\r\nブロック数：" +
                        QString::number(outline.Blocks.size()).toStdU16String() + u"\r\n";
  if (outline.BlockCount == 0) head += u"カーブ最大点数：0\r\n";
  if (outline.Character != character) return "outline of another character";
  if (outline.BlockCount != std::ssize(outline.Blocks) || !window.ReportText().starts_with(head))
    return "report: " + QString::fromStdU16String(window.ReportText().substr(0, 40));
  if (!AllCoordinatesFinite(outline)) return "coordinate not finite";
  // Device points are whole pixels; the pen of width 2 and antialiasing reach 3 pixels beyond.
  const QRect ink = InkBounds(Find<PictureBox>(window, "Picture1")->Image());
  if (!ink.isNull() && (outline.BlockCount == 0 ||
                        !PointBounds(outline).adjusted(-3, -3, 3, 3).contains(QRectF(ink))))
    return "ink outside the outline's points";
  return {};
}

/// Collects what the handlers write to std::cerr (caught exceptions) while it lives.
struct CapturedStandardError {
  std::ostringstream text;
  std::streambuf* previous = std::cerr.rdbuf(text.rdbuf());
  ~CapturedStandardError() { std::cerr.rdbuf(previous); }
};

}  // namespace moji::test
