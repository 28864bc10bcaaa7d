#include "window/elided_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace moji {
namespace {

/// Room left and right of the text, and around it for the focus mark.
constexpr int kMargin = 3;

}  // namespace

ElidedLabel::ElidedLabel(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::SetText(const QString& head, const QString& tail) {
  if (head == head_ && tail == tail_) return;
  head_ = head;
  tail_ = tail;
  setToolTip(Text());
  updateGeometry();
  update();
}

void ElidedLabel::SetLink(bool link) {
  link_ = link;
  setFocusPolicy(link ? Qt::StrongFocus : Qt::NoFocus);
  setCursor(link ? Qt::PointingHandCursor : Qt::ArrowCursor);
  update();
}

QString ElidedLabel::ShownText() const {
  const QFontMetrics metrics = fontMetrics();
  const int room = std::max(0, width() - 2 * kMargin);
  const int headWidth = metrics.horizontalAdvance(head_);
  if (headWidth + metrics.horizontalAdvance(tail_) <= room) return Text();
  // The tail is cut first, down to a few letters; then the head.
  const int tailRoom = room - headWidth;
  if (!tail_.isEmpty() && tailRoom >= metrics.horizontalAdvance(QStringLiteral("/abc…xyz"))) {
    return head_ + metrics.elidedText(tail_, Qt::ElideMiddle, tailRoom);
  }
  return metrics.elidedText(head_, Qt::ElideRight, room);
}

QSize ElidedLabel::sizeHint() const {
  return {fontMetrics().horizontalAdvance(Text()) + 2 * kMargin, fontMetrics().height() + 2 * kMargin};
}

QSize ElidedLabel::minimumSizeHint() const { return {0, fontMetrics().height() + 2 * kMargin}; }

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(link_ ? QPalette::Link : QPalette::WindowText));
  painter.drawText(rect().adjusted(kMargin, 0, -kMargin, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   ShownText());
  if (link_ && hasFocus()) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
  }
}

void ElidedLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (link_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Activated();
  }
}

void ElidedLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (link_ && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    emit Activated();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace moji
