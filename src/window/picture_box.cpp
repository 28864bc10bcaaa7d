#include "window/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace moji {
namespace {

/// Foreground colour and line width of the circles: the picture box defaults.
constexpr COLORREF kForeColor = 0x000000;
constexpr int kDrawWidth = 1;

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent), surface_(kImageSide, kImageSide) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kFrameWidth);
  setMouseTracking(true);
  dc_.Surface = &surface_;
  surface_.Clear();
}

PictureBox::~PictureBox() = default;

void PictureBox::SetFontName(const QString& face) {
  fontName_ = face;
  SelectFont();
}

void PictureBox::SetFontItalic(bool italic) {
  fontItalic_ = italic;
  SelectFont();
}

void PictureBox::SelectFont() {
  const QByteArray face = fontName_.toUtf8();
  font_.Select(std::string_view(face.constData(), static_cast<std::size_t>(face.size())),
               fontItalic_);
}

void PictureBox::Clear() {
  surface_.Clear();
  lastCircle_.reset();
}

void PictureBox::DrawCircle(float centerX, float centerY, float radius) {
  surface_.DrawCircle(centerX, centerY, radius, kForeColor, kDrawWidth);
  lastCircle_ = DrawnCircle{centerX, centerY, radius};
}

void PictureBox::Refresh() { update(); }

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.drawImage(contentsRect().topLeft(), surface_.Image());
}

QPointF PictureBox::ImagePosition(const QMouseEvent& event) const {
  return event.position() - QPointF(contentsRect().topLeft());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  const QPointF at = ImagePosition(*event);
  emit MouseDown(event->button(), event->modifiers(), static_cast<float>(at.x()),
                 static_cast<float>(at.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = ImagePosition(*event);
  emit MouseMove(event->buttons(), event->modifiers(), static_cast<float>(at.x()),
                 static_cast<float>(at.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = ImagePosition(*event);
  emit MouseUp(event->button(), event->modifiers(), static_cast<float>(at.x()),
               static_cast<float>(at.y()));
}

}  // namespace moji
