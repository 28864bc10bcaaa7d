#pragma once
// Helpers shared by the window and robustness tests: an injectable face list, real events on
// the controls, image checks, standard error captured.

#include <QAbstractItemView>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QRectF>
#include <QStringList>
#include <QtTest>
#include <cmath>
#include <functional>
#include <iostream>
#include <sstream>

#include "display/face_list.h"
#include "display/glyph_outline_fetch.h"
#include "model/glyph_outline.h"
#include "model/outline_visit.h"
#include "window/main_window.h"

namespace moji::test {

/// A face list given by the test; `onRead` runs when the window reads it.
inline FaceNames Faces(const QStringList& names, std::function<void()> onRead = {}) {
  return [names, onRead] {
    if (onRead) onRead();
    std::vector<std::string> list;
    for (const QString& name : names) list.push_back(name.toStdString());
    return list;
  };
}

/// Smallest rectangle holding every non-white pixel (null when blank).
inline QRect InkBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

/// True when every pixel is white.
inline bool IsBlank(const QImage& image) { return InkBounds(image).isNull(); }

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
  if (text.isEmpty()) QTest::keyClick(text2, Qt::Key_Backspace);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype units = text[i].isHighSurrogate() && text.mid(i, 2).isValidUtf16() ? 2 : 1;
    QTest::sendKeyEvent(QTest::Click, text2, Qt::Key_unknown, text.mid(i, units), {});
    i += units - 1;
  }
}

/// Collects what the handlers write to std::cerr (caught exceptions) while it lives.
struct CapturedStandardError {
  std::ostringstream text;
  std::streambuf* previous = std::cerr.rdbuf(text.rdbuf());
  ~CapturedStandardError() { std::cerr.rdbuf(previous); }
};

/// Every start and curve point of the outline is finite (their sum keeps any NaN or infinity).
inline bool AllCoordinatesFinite(const GlyphOutline& outline) {
  double sum = 0;
  ForEachOutlinePoint(outline, [&](float x, float y) { sum += double{x} + y; });
  return std::isfinite(sum);
}

/// Empty when the window shows Text2's first character: the empty outline, a zero-count report and
/// a blank picture, or its outline, report, finite points and ink near them; else what is wrong.
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
  // Curves never leave their points' box; rounding, pen 2 and antialiasing reach 3 pixels more.
  QRectF points;
  ForEachOutlinePoint(outline, [&](float x, float y) { points |= QRectF(x, y, 1e-3, 1e-3); });
  const QRect ink = InkBounds(Find<PictureBox>(window, "Picture1")->Image());
  if (outline.BlockCount > 0 && ink.isNull()) return "nothing drawn";
  if (!ink.isNull() &&
      (outline.BlockCount == 0 || !points.adjusted(-3, -3, 3, 3).contains(QRectF(ink))))
    return "ink outside the outline's points";
  return {};
}

}  // namespace moji::test
