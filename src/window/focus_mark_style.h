#pragma once
// A mark of keyboard focus for the controls whose own style shows none.

#include <QProxyStyle>

namespace moji {

/// The application's style, with a frame in the highlight colour around a scroll bar, a tool
/// button or a text box that has keyboard focus: styles such as Fusion show nothing there, so a
/// user moving with Tab could not tell where the keys go.
class FocusMarkStyle final : public QProxyStyle {
  Q_OBJECT

 public:
  using QProxyStyle::QProxyStyle;

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget = nullptr) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace moji
