#pragma once
// The buttons of the large view's bars.

#include <QToolButton>

namespace moji {

/// A button named `name` for tests and described by `tip` (its tooltip and its accessible
/// name), reached by Tab but not taking the focus from the view when clicked.
inline QToolButton* BarButton(const char* name, const char16_t* tip) {
  auto* button = new QToolButton;
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromUtf16(tip));
  button->setAccessibleName(QString::fromUtf16(tip));
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

}  // namespace moji
