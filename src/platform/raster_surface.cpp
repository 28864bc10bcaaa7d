#include "platform/raster_surface.h"

#include <algorithm>
#include <cmath>

namespace moji {
namespace {

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

/// A pen wider than one pixel has round ends and joins; a narrower one is a cosmetic 1-pixel pen.
QPen QtPen(COLORREF color, std::int32_t width, std::int32_t style) {
  return QPen(ColorOf(color), width > 1 ? width : 0, QtPenStyle(style), Qt::RoundCap,
              Qt::RoundJoin);
}

QPointF ToPointF(const POINT& point) { return QPointF(point.x, point.y); }

}  // namespace

RasterSurface::RasterSurface(int width, int height, COLORREF background)
    : image_(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied),
      background_(ColorOf(background)),
      pen_(QtPen(0, 1, PS_SOLID)) {
  image_.fill(background_);
}

RasterSurface::~RasterSurface() { FinishPainting(); }

QPainter& RasterSurface::Painter() {
  if (!painter_.isActive()) {
    painter_.begin(&image_);
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
  pen_ = QtPen(description.Color, description.Width, description.Style);
  if (painter_.isActive()) painter_.setPen(pen_);
}

void RasterSurface::Polyline(std::span<const POINT> points) {
  if (points.size() < 2) return;
  QPainter& painter = Painter();
  if (pen_.style() == Qt::SolidLine && pen_.widthF() > 1) {
    // With round caps and joins a polyline covers exactly its segments drawn one by one with
    // round caps. The rasterizer fills many short strokes far faster than one long one, whose
    // rows each gather many edge crossings once the outline moves off the pixel grid.
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
      painter.drawLine(ToPointF(points[k]), ToPointF(points[k + 1]));
    }
    return;
  }
  points_.resize(points.size());
  std::transform(points.begin(), points.end(), points_.begin(), ToPointF);
  painter.drawPolyline(points_.data(), static_cast<int>(points_.size()));
}

void RasterSurface::PolyBezier(std::span<const POINT> points) {
  if (points.size() != 4) return;
  path_.clear();
  path_.moveTo(ToPointF(points[0]));
  path_.cubicTo(ToPointF(points[1]), ToPointF(points[2]), ToPointF(points[3]));
  Painter().drawPath(path_);
}

void RasterSurface::Clear() {
  FinishPainting();
  image_.fill(background_);
}

void RasterSurface::DrawCircle(float centerX, float centerY, float radius, COLORREF color,
                               int lineWidth) {
  if (!std::isfinite(centerX) || !std::isfinite(centerY) || !std::isfinite(radius) || radius <= 0) {
    return;
  }
  QPainter& painter = Painter();
  painter.setPen(QtPen(color, lineWidth, PS_SOLID));
  painter.drawEllipse(QPointF(centerX, centerY), radius, radius);
  painter.setPen(pen_);
}

const QImage& RasterSurface::Image() const {
  FinishPainting();
  return image_;
}

}  // namespace moji
