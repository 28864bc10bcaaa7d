#include "platform/raster_surface.h"

#include <QBuffer>
#include <QFont>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace moji {
namespace {

/// How far beyond the image a stroke may start before it is clipped, in device pixels: wider
/// than any pen, so that everything inside the image is drawn exactly as without clipping.
constexpr double kWholeMargin = 256.0;
/// How many times a cubic segment is halved at most while it reaches far outside the image.
constexpr int kMostHalvings = 48;

QColor ColorOf(COLORREF color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

Qt::PenStyle QtPenStyle(std::int32_t style) {
  switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

/// A pen wider than one pixel has round ends and joins. A one-pixel pen has square ends, so
/// that a straight stroke covers whole pixels up to and including its end points. Its width is
/// in device pixels: `ratio` device pixels for each logical one.
QPen QtPen(COLORREF color, std::int32_t width, std::int32_t style, double ratio) {
  return QPen(ColorOf(color), std::max(width, 1) * ratio, QtPenStyle(style),
              width > 1 ? Qt::RoundCap : Qt::SquareCap, Qt::RoundJoin);
}

QRectF ControlBox(const std::array<QPointF, 4>& p) {
  return QPolygonF({p[0], p[1], p[2], p[3]}).boundingRect();
}

/// A ratio below 1, or not a number, is taken as 1.
double UsableRatio(double ratio) { return std::isfinite(ratio) && ratio > 1.0 ? ratio : 1.0; }

/// An image `width` x `height` logical pixels at `ratio` device pixels per logical pixel.
QImage ImageAtRatio(int width, int height, double ratio) {
  QImage image(static_cast<int>(std::lround(width * ratio)),
               static_cast<int>(std::lround(height * ratio)), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  return image;
}

}  // namespace

bool ClipToBox(QPointF& a, QPointF& b, const PixelBox& box) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  double enter = 0.0, leave = 1.0;
  const double edges[4][2] = {{-dx, a.x() - box.Left}, {dx, box.Right - a.x()},
                              {-dy, a.y() - box.Top}, {dy, box.Bottom - a.y()}};
  for (const auto& [direction, room] : edges) {
    if (direction == 0.0) {
      if (room < 0.0) return false;
      continue;
    }
    const double t = room / direction;
    if (direction < 0.0) enter = std::max(enter, t);
    if (direction > 0.0) leave = std::min(leave, t);
    if (enter > leave) return false;
  }
  const QPointF start = a, end = b;
  if (enter > 0.0) a = start + enter * (end - start);
  if (leave < 1.0) b = start + leave * (end - start);
  return true;
}

RasterSurface::RasterSurface(int width, int height, COLORREF background, double ratio)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), background_(ColorOf(background)) {
  SetDevicePixelRatio(ratio);
}

RasterSurface::~RasterSurface() { FinishPainting(); }

QPainter& RasterSurface::Painter() {
  if (!painter_.isActive()) {
    painter_.begin(&image_);
    // The surface maps logical to device pixels itself and the painter draws in device pixels,
    // its own scale by the image's device pixel ratio undone: Qt strokes without a transform
    // faster (a motion tick at ratio 2 takes about a quarter less time).
    if (ratio_ != 1.0) {
      painter_.setWorldTransform(QTransform::fromScale(1.0 / ratio_, 1.0 / ratio_));
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setPen(pen_);
    painter_.setBrush(Qt::NoBrush);
  }
  return painter_;
}

void RasterSurface::FinishPainting() const {
  if (painter_.isActive()) painter_.end();
}

void RasterSurface::SelectPen(HGDIOBJ, const PenDescription& description) {
  penDescription_ = description;
  pen_ = QtPen(description.Color, description.Width, description.Style, ratio_);
  // A pen of odd width is centred on pixel centres, one of even width on pixel edges: either
  // way a horizontal or vertical stroke covers whole pixels, solid in the pen's colour (whole
  // logical pixels, so whole device pixels too at a whole-number ratio).
  centring_ = std::max(description.Width, 1) % 2 == 1 ? 0.5 : 0.0;
  const double reach = pen_.widthF() + 2.0;  // half the pen, its round end, antialiasing
  const PixelBox image{0.0, 0.0, double(image_.width()), double(image_.height())};
  visible_ = image.Grown(reach);
  drawnWhole_ = image.Grown(kWholeMargin);
  if (painter_.isActive()) painter_.setPen(pen_);
}

QPointF RasterSurface::Device(const POINT& point) const {
  return QPointF((point.x + centring_) * ratio_, (point.y + centring_) * ratio_);
}

QPointF RasterSurface::Device(double x, double y) const { return QPointF(x * ratio_, y * ratio_); }

void RasterSurface::Polyline(std::span<const POINT> points) {
  if (points.size() < 2) return;
  QPainter& painter = Painter();
  // Segment by segment: with round ends and joins that covers the same shape as the whole
  // polyline, and a segment that cannot reach the image is never stroked, one that crosses it
  // from far away only up to a margin around it.
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    QPointF a = Device(points[k]), b = Device(points[k + 1]);
    if (ClipToBox(a, b, drawnWhole_)) painter.drawLine(a, b);
  }
}

void RasterSurface::PolyBezier(std::span<const POINT> points) {
  if (points.size() != 4) return;
  DrawCubic({Device(points[0]), Device(points[1]), Device(points[2]), Device(points[3])},
            kMostHalvings);
}

void RasterSurface::DrawCubic(const std::array<QPointF, 4>& p, int halvings) {
  // The curve lies within its control points' box: a box that misses the image cannot draw.
  const QRectF box = ControlBox(p);
  if (!visible_.Meets(box)) return;
  if (drawnWhole_.Contains(box) || halvings == 0) {
    path_.clear();
    path_.moveTo(p[0]);
    path_.cubicTo(p[1], p[2], p[3]);
    Painter().drawPath(path_);
    return;
  }
  // Reaching far beyond the image: the two halves of the curve (de Casteljau), each drawn
  // only where it can reach the image. The halves are the same curve, exactly.
  const QPointF ab = (p[0] + p[1]) / 2, bc = (p[1] + p[2]) / 2, cd = (p[2] + p[3]) / 2;
  const QPointF abc = (ab + bc) / 2, bcd = (bc + cd) / 2, middle = (abc + bcd) / 2;
  DrawCubic({p[0], ab, abc, middle}, halvings - 1);
  DrawCubic({middle, bcd, cd, p[3]}, halvings - 1);
}

void RasterSurface::Clear() {
  FinishPainting();
  image_.fill(background_);
}

void RasterSurface::SetDevicePixelRatio(double ratio) {
  FinishPainting();
  ratio_ = UsableRatio(ratio);
  image_ = ImageAtRatio(width_, height_, ratio_);
  image_.fill(background_);
  SelectPen(0, penDescription_);  // its width in device pixels, and the boxes, follow the ratio
}

void RasterSurface::DrawCircle(float centerX, float centerY, float radius, COLORREF color,
                               int lineWidth) {
  if (!std::isfinite(centerX) || !std::isfinite(centerY) || !std::isfinite(radius) || radius <= 0) {
    return;
  }
  QPainter& painter = Painter();
  painter.setPen(QtPen(color, lineWidth, PS_SOLID, ratio_));
  const double r = ratio_;
  painter.drawEllipse(QPointF(centerX * r, centerY * r), radius * r, radius * r);
  painter.setPen(pen_);
}

void RasterSurface::DrawMarks(std::span<const PointMark> points, bool symbols,
                              std::span<const StartMark> starts) {
  QPainter& painter = Painter();
  QFont font = painter.font();
  font.setPixelSize(static_cast<int>(std::lround(8 * ratio_)));
  painter.setFont(font);
  for (const StartMark& mark : starts) DrawStartMark(painter, mark);
  for (const PointMark& mark : points) DrawPointMark(painter, mark, symbols);
  painter.setPen(pen_);
  painter.setBrush(Qt::NoBrush);
}

void RasterSurface::DrawPointMark(QPainter& painter, const PointMark& mark, bool symbol) {
  const QPointF at = Device(mark.X, mark.Y);
  if (!std::isfinite(at.x()) || !std::isfinite(at.y()) || !visible_.Meets(QRectF(at, at))) return;
  const QColor color = ColorOf(mark.Color);
  const double r = ratio_;
  painter.setPen(QPen(color, r));
  painter.setBrush(Qt::NoBrush);
  if (symbol && mark.Kind == MarkKind::OnCurve) {
    painter.fillRect(QRectF(at - QPointF(2 * r, 2 * r), QSizeF(4 * r, 4 * r)), color);
  } else if (symbol && mark.Kind == MarkKind::Control) {
    painter.drawEllipse(at, 2.5 * r, 2.5 * r);
  } else if (symbol && mark.Kind == MarkKind::Implied) {
    painter.drawLine(at - QPointF(2.5 * r, 0), at + QPointF(2.5 * r, 0));
    painter.drawLine(at - QPointF(0, 2.5 * r), at + QPointF(0, 2.5 * r));
  }
  if (!mark.Label.empty()) {
    painter.drawText(at + QPointF(4 * r, -4 * r), QString::fromStdString(mark.Label));
  }
}

void RasterSurface::DrawStartMark(QPainter& painter, const StartMark& mark) {
  const QPointF at = Device(mark.At.X, mark.At.Y);
  if (!std::isfinite(at.x()) || !std::isfinite(at.y()) || !visible_.Meets(QRectF(at, at))) return;
  painter.setPen(QPen(ColorOf(mark.Color), ratio_));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(at, mark.Radius * ratio_, mark.Radius * ratio_);
  if (!mark.HasArrow) return;
  const auto point = [&](std::size_t k) { return Device(mark.Arrow[k].X, mark.Arrow[k].Y); };
  painter.drawLine(point(0), point(1));
  painter.drawPolyline(QPolygonF({point(2), point(1), point(3)}));
}

std::optional<std::string> PngBytes(const QImage& image) {
  // The pictures drawn are opaque, so dropping the alpha channel keeps every pixel.
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) ||
      !image.convertToFormat(QImage::Format_RGB32).save(&buffer, "PNG")) {
    return std::nullopt;
  }
  return png.toStdString();
}

const QImage& RasterSurface::Image() const {
  FinishPainting();
  return image_;
}

}  // namespace moji
