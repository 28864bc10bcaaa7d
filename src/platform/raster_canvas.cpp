#include "platform/raster_canvas.h"

#include "platform/raster_surface.h"

#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace moji {
namespace {

/// How far outside the target a shape may reach and still be drawn: beyond, it cannot show.
constexpr double kReach = 64;
/// Coordinates are clamped this far out before they reach Qt, whose raster works in fixed point.
constexpr double kFarthest = 1e6;

QColor ColorOf(COLORREF color, std::uint8_t alpha) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF), alpha);
}

double Near(double value) {
  return std::isfinite(value) ? std::clamp(value, -kFarthest, kFarthest) : 0.0;
}

QPointF Point(CanvasPoint point) { return {Near(point.X), Near(point.Y)}; }

bool Finite(CanvasPoint point) { return std::isfinite(point.X) && std::isfinite(point.Y); }

QPen PenOf(const CanvasStroke& stroke) {
  QPen pen(ColorOf(stroke.Color, stroke.Alpha), std::max(stroke.Width, 0.0), Qt::SolidLine,
           Qt::RoundCap, Qt::RoundJoin);
  if (stroke.Dashed) pen.setStyle(Qt::DashLine);
  return pen;
}

}  // namespace

RasterCanvas::RasterCanvas(QPainter& painter, double width, double height)
    : painter_(painter), width_(width), height_(height) {
  painter_.setRenderHint(QPainter::Antialiasing);
}

bool RasterCanvas::Visible(double left, double top, double right, double bottom) const {
  return right >= -kReach && bottom >= -kReach && left <= width_ + kReach && top <= height_ + kReach;
}

bool RasterCanvas::Prepare(const CanvasStroke* stroke, const CanvasFill* fill) {
  painter_.setPen(stroke != nullptr ? PenOf(*stroke) : QPen(Qt::NoPen));
  painter_.setBrush(fill != nullptr ? QBrush(ColorOf(fill->Color, fill->Alpha)) : QBrush(Qt::NoBrush));
  return stroke != nullptr || fill != nullptr;
}

void RasterCanvas::Clear(COLORREF background) {
  painter_.fillRect(QRectF(0, 0, width_, height_), ColorOf(background, 255));
}

void RasterCanvas::Line(CanvasPoint from, CanvasPoint to, const CanvasStroke& stroke) {
  if (!Finite(from) || !Finite(to)) return;
  if (!Visible(std::min(from.X, to.X), std::min(from.Y, to.Y), std::max(from.X, to.X),
               std::max(from.Y, to.Y))) {
    return;
  }
  Prepare(&stroke, nullptr);
  painter_.drawLine(Point(from), Point(to));
}

void RasterCanvas::Path(const CanvasPath& path, const CanvasStroke* stroke, const CanvasFill* fill) {
  QPainterPath shape;
  shape.setFillRule(Qt::WindingFill);
  for (const CanvasPathPiece& piece : path) {
    const auto& p = piece.Points;
    if (piece.Piece != CanvasPathPiece::Close && !Finite(p[0])) return;
    switch (piece.Piece) {
      case CanvasPathPiece::MoveTo: shape.moveTo(Point(p[0])); break;
      case CanvasPathPiece::LineTo: shape.lineTo(Point(p[0])); break;
      case CanvasPathPiece::QuadTo: shape.quadTo(Point(p[0]), Point(p[1])); break;
      case CanvasPathPiece::CubicTo: shape.cubicTo(Point(p[0]), Point(p[1]), Point(p[2])); break;
      case CanvasPathPiece::Close: shape.closeSubpath(); break;
    }
  }
  const QRectF box = shape.controlPointRect();
  if (!Visible(box.left(), box.top(), box.right(), box.bottom()) || !Prepare(stroke, fill)) return;
  painter_.drawPath(shape);
}

void RasterCanvas::Rectangle(double x, double y, double width, double height,
                             const CanvasStroke* stroke, const CanvasFill* fill) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(width) || !std::isfinite(height) ||
      !Visible(x, y, x + width, y + height) || !Prepare(stroke, fill)) {
    return;
  }
  painter_.drawRect(QRectF(Near(x), Near(y), Near(width), Near(height)));
}

void RasterCanvas::Circle(CanvasPoint centre, double radius, const CanvasStroke* stroke,
                          const CanvasFill* fill) {
  if (!Finite(centre) || !std::isfinite(radius) || radius <= 0 ||
      !Visible(centre.X - radius, centre.Y - radius, centre.X + radius, centre.Y + radius) ||
      !Prepare(stroke, fill)) {
    return;
  }
  painter_.drawEllipse(Point(centre), radius, radius);
}

void RasterCanvas::Text(CanvasPoint at, std::string_view text, double pixelSize, COLORREF color) {
  if (!Finite(at) || !Visible(at.X, at.Y - pixelSize, at.X + 1, at.Y + pixelSize)) return;
  QFont font = painter_.font();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
  painter_.setFont(font);
  painter_.setPen(ColorOf(color, 255));
  painter_.drawText(Point(at), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

double RasterCanvas::TextWidth(std::string_view text, double pixelSize) {
  QFont font = painter_.font();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
  return QFontMetricsF(font).horizontalAdvance(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void RasterCanvas::GreyImage(const std::uint8_t* pixels, int width, int height, int pitch,
                             double x, double y, double cell, COLORREF ink) {
  if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width || !(cell > 0)) return;
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  const QColor inkColor = ColorOf(ink, 255);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      QColor pixel = inkColor;
      pixel.setAlpha(pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(pitch) +
                            static_cast<std::size_t>(column)]);
      image.setPixelColor(column, row, pixel);
    }
  }
  painter_.save();
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter_.drawImage(QRectF(Near(x), Near(y), width * cell, height * cell), image);
  painter_.restore();
}

std::optional<std::string> PngOfDrawing(int width, int height, double ratio,
                                        const std::function<void(Canvas&)>& draw) {
  const double r = std::isfinite(ratio) && ratio > 1 ? ratio : 1.0;
  QImage image(static_cast<int>(std::lround(std::max(width, 1) * r)),
               static_cast<int>(std::lround(std::max(height, 1) * r)), QImage::Format_RGB32);
  image.setDevicePixelRatio(r);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    RasterCanvas canvas(painter, std::max(width, 1), std::max(height, 1));
    draw(canvas);
  }
  return PngBytes(image);
}

}  // namespace moji
