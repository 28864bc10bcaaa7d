#include "window/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace moji {
namespace {

/// Foreground colour and line width of the circles: the picture box defaults.
constexpr COLORREF kForeColor = 0x000000;
constexpr int kDrawWidth = 1;
/// The ring around a chosen point: orange, two pixels wide.
constexpr COLORREF kHighlightColor = 0x000078E6;
constexpr float kHighlightRadius = 6.0f;
constexpr int kHighlightWidth = 2;

/// Whether the event can mean that the widget's device pixel ratio changed: the window moved
/// to another screen, the screen's ratio changed, or the widget is being shown.
bool MayChangeRatio(QEvent::Type type) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
  if (type == QEvent::DevicePixelRatioChange) return true;
#endif
  return type == QEvent::ScreenChangeInternal || type == QEvent::Show;
}

}  // namespace

PictureBox::PictureBox(GraphicsServices& services, QWidget* parent)
    : QFrame(parent),
      surface_(kDrawingSide, kDrawingSide, kDrawingBackground, devicePixelRatioF()),
      dc_{services},
      font_(dc_) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kFrameWidth);
  setMouseTracking(true);
  dc_.Surface = &surface_;
  surface_.Clear();
}

PictureBox::~PictureBox() = default;

void PictureBox::SetFontName(std::string face) {
  fontName_ = std::move(face);
  SelectFont();
}

void PictureBox::SetFontItalic(bool italic) {
  fontItalic_ = italic;
  SelectFont();
}

void PictureBox::SelectFont() { font_.Select(fontName_, fontItalic_); }

void PictureBox::Clear() {
  surface_.Clear();
  lastCircle_.reset();
}

void PictureBox::DrawCircle(float centerX, float centerY, float radius) {
  surface_.DrawCircle(centerX, centerY, radius, kForeColor, kDrawWidth);
  lastCircle_ = DrawnCircle{centerX, centerY, radius};
}

void PictureBox::DrawMarks(const OutlineMarks& marks) {
  surface_.DrawMarks(marks.Points, marks.Symbols, marks.Starts);
}

void PictureBox::DrawHighlight(float x, float y) {
  surface_.DrawCircle(x, y, kHighlightRadius, kHighlightColor, kHighlightWidth);
  update();
}

void PictureBox::Refresh() { update(); }

bool PictureBox::event(QEvent* event) {
  const bool handled = QFrame::event(event);
  if (MayChangeRatio(event->type())) FollowScreenRatio();
  return handled;
}

void PictureBox::FollowScreenRatio() {
  // The surface takes a ratio below 1 as 1.
  const double ratio = std::max(devicePixelRatioF(), 1.0);
  if (ratio == surface_.DevicePixelRatio()) return;
  surface_.SetDevicePixelRatio(ratio);
  lastCircle_.reset();
  emit DevicePixelRatioChanged();
  update();
}

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
