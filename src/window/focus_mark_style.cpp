#include "window/focus_mark_style.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QStyleOption>

namespace moji {
namespace {

/// The focus frame: two pixels of the highlight colour just inside the control's edge.
void DrawFocusMark(const QStyleOption& option, QPainter& painter) {
  painter.save();
  painter.setPen(QPen(option.palette.color(QPalette::Highlight), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
  painter.restore();
}

}  // namespace

void FocusMarkStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
  QProxyStyle::drawComplexControl(control, option, painter, widget);
  const bool marked = control == CC_ScrollBar || control == CC_ToolButton;
  if (marked && (option->state & State_HasFocus)) DrawFocusMark(*option, *painter);
}

void FocusMarkStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
  QProxyStyle::drawPrimitive(element, option, painter, widget);
  const bool textBox = qobject_cast<const QAbstractScrollArea*>(widget) != nullptr;
  if (element == PE_Frame && textBox && widget->hasFocus()) DrawFocusMark(*option, *painter);
}

}  // namespace moji
