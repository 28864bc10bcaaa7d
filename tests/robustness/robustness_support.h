#pragma once
// A check of the robustness tests: the report, the outline and the picture show the first
// character of Text2.

#include <cmath>

#include "display/glyph_outline_fetch.h"
#include "model/outline_visit.h"
#include "window/window_test_support.h"

namespace moji::test {

/// Every start and curve point of the outline is finite (their sum keeps any NaN or infinity).
inline bool AllCoordinatesFinite(const GlyphOutline& outline) {
  double sum = 0;
  ForEachOutlinePoint(outline, [&](float x, float y) { sum += double{x} + y; });
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

}  // namespace moji::test
