#pragma once
// Helpers of the robustness tests: driving the window's controls with real events and checking
// that the report, the outline and the picture agree.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>
#include <cmath>
#include <iostream>
#include <sstream>
#include <string>

#include "model/glyph_outline_fetch.h"
#include "window/main_window.h"
#include "window_test_support.h"

namespace moji::test {

/// The control of the window with this object name.
template <typename Control>
Control* Find(Main& window, const char* name) {
  return window.findChild<Control*>(QString::fromLatin1(name));
}

/// Picks entry `index` of Combo1 the way a user does: opens the list, moves to the entry and
/// presses Return, so Combo1 reports an activation even when the entry was current already.
inline bool ChooseEntry(Main& window, int index) {
  QComboBox* combo1 = Find<QComboBox>(window, "Combo1");
  QSignalSpy activated(combo1, &QComboBox::activated);
  combo1->showPopup();
  QAbstractItemView* list = combo1->view();
  list->setCurrentIndex(combo1->model()->index(index, 0));
  QTest::keyClick(list, Qt::Key_Return);
  return activated.count() == 1 && activated.first().first().toInt() == index &&
         combo1->currentIndex() == index;
}

/// Picks the entry of Combo1 named `face`; false when it is not listed.
inline bool ChooseFace(Main& window, const QString& face) {
  const int index = Find<QComboBox>(window, "Combo1")->findText(face, Qt::MatchExactly);
  return index >= 0 && ChooseEntry(window, index);
}

/// Replaces Text2's text by typing: Ctrl+A, then one key event per code point (a surrogate
/// pair in one event, as a keyboard delivers it); an empty text is typed as Backspace.
inline void TypeIntoText2(Main& window, const QString& text) {
  QLineEdit* text2 = Find<QLineEdit>(window, "Text2");
  QTest::keyClick(text2, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) QTest::keyClick(text2, Qt::Key_Backspace);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool pair =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    const QString typed = text.mid(i, pair ? 2 : 1);
    if (pair) ++i;
    QTest::sendKeyEvent(QTest::Click, text2, Qt::Key_unknown, typed, Qt::NoModifier);
  }
}

/// Every start and curve point of the outline is a finite number.
inline bool AllCoordinatesFinite(const GlyphOutline& outline) {
  for (const OutlineBlock& block : outline.Blocks) {
    if (!std::isfinite(block.StartX) || !std::isfinite(block.StartY)) return false;
    for (const OutlineCurve& curve : block.Curves) {
      for (const OutlinePoint& point : curve.Points) {
        if (!std::isfinite(point.X) || !std::isfinite(point.Y)) return false;
      }
    }
  }
  return true;
}

/// The report's head for an outline of `character` with `blocks` blocks.
inline std::u16string ReportHead(const std::u16string& character, int blocks) {
  return u"文字：" + character + u"\r\nブロック数：" + QString::number(blocks).toStdU16String() +
         u"\r\n";
}

/// Checks that the window shows the first character of Text2 by its rules: the empty outline
/// with "文字：", zero counts and a blank picture, or that character's outline with its report,
/// finite coordinates and ink only around its points. Empty on success, else what is wrong.
inline QString ShownAsFirstCharacter(Main& window, int penWidth = 2) {
  const std::u16string text = Find<QLineEdit>(window, "Text2")->text().toStdU16String();
  const GlyphOutline& outline = window.CurrentOutline();
  const QImage& image = Find<PictureBox>(window, "Picture1")->Image();
  const std::u16string& report = window.ReportText();
  if (outline.BlockCount == 0) {
    if (!outline.Character.empty()) return QStringLiteral("character kept without blocks");
    if (!report.starts_with(u"文字：\r\nブロック数：0\r\nカーブ最大点数：0\r\n")) {
      return QStringLiteral("empty outline, report: ") +
             QString::fromStdU16String(report.substr(0, 40));
    }
    if (!IsBlank(image)) return QStringLiteral("empty outline, picture not blank");
    return {};
  }
  if (outline.Character != FirstCharacter(text))
    return QStringLiteral("outline of another character");
  if (outline.BlockCount != static_cast<std::int32_t>(outline.Blocks.size())) {
    return QStringLiteral("block count and blocks differ");
  }
  if (!report.starts_with(ReportHead(outline.Character, outline.BlockCount))) {
    return QStringLiteral("report: ") + QString::fromStdU16String(report.substr(0, 40));
  }
  if (!AllCoordinatesFinite(outline)) return QStringLiteral("coordinate not finite");
  // Device points are whole pixels, and antialiasing touches one pixel more on either side.
  const QRect ink = InkBounds(image);
  const qreal margin = penWidth / 2.0 + 2.0;
  if (!ink.isNull() &&
      !PointBounds(outline).adjusted(-margin, -margin, margin, margin).contains(QRectF(ink))) {
    return QStringLiteral("ink outside the outline's points");
  }
  return {};
}

/// Drops the offscreen platform's notes that it cannot raise a popup or grab the keyboard for
/// it (every opening of Combo1's list causes them); every other message goes on as before.
inline void HidePopupPlatformNotes() {
  static QtMessageHandler next = nullptr;
  next = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.startsWith(QLatin1String("This plugin does not support"))) return;
        if (next != nullptr) next(type, context, message);
      });
}

/// Collects what is written to standard error while it lives (the handlers report caught
/// exceptions there).
class CapturedStandardError {
 public:
  CapturedStandardError() : previous_(std::cerr.rdbuf(captured_.rdbuf())) {}
  ~CapturedStandardError() { std::cerr.rdbuf(previous_); }
  CapturedStandardError(const CapturedStandardError&) = delete;
  CapturedStandardError& operator=(const CapturedStandardError&) = delete;
  /// Everything written so far.
  std::string Text() const { return captured_.str(); }

 private:
  std::ostringstream captured_;
  std::streambuf* previous_;
};

}  // namespace moji::test
