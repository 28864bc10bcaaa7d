#include "platform/raster_canvas.h"

#include "platform/raster_surface.h"

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QPainterPath>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

namespace moji {
namespace {

/// How far outside the target a shape may reach and still be drawn: beyond, it cannot show.
constexpr double kReach = 64;
/// Coordinates are clamped this far out before they reach Qt, whose raster works in fixed point.
constexpr double kFarthest = 1e6;
/// The largest mark drawn from a stamp, as device pixels from its centre to its stamp's edge.
constexpr int kLargestStamp = 24;
/// The widest row of device pixels a clear with columns draws as one texture.
constexpr int kLongestRow = 1 << 16;

QColor ColorOf(COLORREF color, std::uint8_t alpha) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF), alpha);
}

/// The colour as it shows at `alpha` over white, opaque.
QColor OverWhite(COLORREF color, std::uint8_t alpha) { return ColorOf(Mixed(0x00FFFFFF, color, alpha), 255); }

double Near(double value) {
  return std::isfinite(value) ? std::clamp(value, -kFarthest, kFarthest) : 0.0;
}

QPointF Point(CanvasPoint point) { return {Near(point.X), Near(point.Y)}; }

bool Finite(CanvasPoint point) { return std::isfinite(point.X) && std::isfinite(point.Y); }

/// Mitred joins, limited at four widths as SVG's are: as sharp as the outline's corners, and
/// Qt strokes them in two thirds of the time it takes for round joins.
constexpr double kMiterLimit = 4;

QPen PenOf(const CanvasStroke& stroke) {
  QPen pen(ColorOf(stroke.Color, stroke.Alpha), std::max(stroke.Width, 0.0), Qt::SolidLine,
           Qt::RoundCap, Qt::MiterJoin);
  pen.setMiterLimit(kMiterLimit);
  if (stroke.Dashed) pen.setStyle(Qt::DashLine);
  return pen;
}

}  // namespace

RasterCanvas::RasterCanvas(QPainter& painter, double width, double height)
    : painter_(painter),
      width_(width),
      height_(height),
      ratio_(painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0) {
  painter_.setRenderHint(QPainter::Antialiasing);
}

RasterCanvas::RasterCanvas(QPainter& painter, double width, double height, RasterTextCache& texts,
                           MarkStamps& stamps)
    : RasterCanvas(painter, width, height) {
  texts.Use(painter.font());
  texts_ = &texts;
  stamps_ = &stamps;
}

void RasterTextCache::Use(QFont font) {
  // Texts are kept by their pixel size, so the font counts without its size: a canvas changes
  // the size from text to text.
  font.setPixelSize(1);
  if (font == font_) return;
  laid_.clear();
  font_ = font;
}

const RasterTextCache::Laid& RasterTextCache::Of(std::string_view text, int pixelSize, const QFont& font) {
  const auto key = std::pair(pixelSize, std::string(text));
  if (const auto found = laid_.find(key); found != laid_.end()) return found->second;
  if (laid_.size() >= kMostKept) laid_.clear();
  const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  // Laid out as drawText lays it out, its glyphs placed from the top left of its line: the
  // baseline lies the line's ascent below.
  QTextLayout layout(string, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const double ascent = layout.lineCount() > 0 ? layout.lineAt(0).ascent() : 0.0;
  Laid laid{layout.glyphRuns(), QFontMetricsF(font).horizontalAdvance(string), ascent};
  return laid_.emplace(key, std::move(laid)).first->second;
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
  if (const std::optional<QLineF> slanted = Slanted(from, to, stroke)) DrawSlanted({&*slanted, 1}, stroke);
}

std::optional<QLineF> RasterCanvas::Slanted(CanvasPoint from, CanvasPoint to, const CanvasStroke& stroke) {
  if (!Finite(from) || !Finite(to)) return std::nullopt;
  if (from.X == to.X || from.Y == to.Y) {
    if (Visible(std::min(from.X, to.X), std::min(from.Y, to.Y), std::max(from.X, to.X), std::max(from.Y, to.Y))) {
      AxisLine(from, to, stroke);
    }
    return std::nullopt;
  }
  return SeenPart(from, to);
}

std::optional<QLineF> RasterCanvas::SeenPart(CanvasPoint from, CanvasPoint to) const {
  // Cut exactly, in doubles, to a margin around the target: Qt's line rasterizer works in
  // fixed point, and the line keeps its slope however far its ends lie.
  QPointF a(from.X, from.Y), b(to.X, to.Y);
  const PixelBox box{-kReach, -kReach, width_ + kReach, height_ + kReach};
  if (!ClipToBox(a, b, box) || !Finite({a.x(), a.y()}) || !Finite({b.x(), b.y()})) return std::nullopt;
  return QLineF(a, b);
}

void RasterCanvas::DrawSlanted(std::span<const QLineF> lines, const CanvasStroke& stroke) {
  if (lines.empty()) return;
  // Square ends: Qt draws such lines by its line rasterizer, round ones by the stroker.
  QPen pen = PenOf(stroke);
  pen.setCapStyle(Qt::SquareCap);
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void RasterCanvas::Lines(std::span<const CanvasLine> lines, const CanvasStroke& stroke) {
  // Qt strokes a batch of translucent lines otherwise than the lines one by one.
  if (stroke.Alpha != 255 || stroke.Dashed) return Canvas::Lines(lines, stroke);
  std::vector<QLineF> slanted;
  slanted.reserve(lines.size());
  for (const CanvasLine& line : lines) {
    if (const std::optional<QLineF> part = Slanted(line.From, line.To, stroke)) slanted.push_back(*part);
  }
  DrawSlanted(slanted, stroke);
}

void RasterCanvas::StrokeAsLines(const QPainterPath& shape, const CanvasStroke& stroke) {
  // Flattened in device pixels, where it is drawn, and mapped back into the painter's pixels;
  // each line cut to what can be seen.
  const QTransform device = painter_.deviceTransform();
  const QTransform back = device.inverted();
  std::vector<QLineF> lines;
  for (const QPolygonF& polygon : shape.toSubpathPolygons(device)) {
    for (qsizetype k = 0; k + 1 < polygon.size(); ++k) {
      const QPointF a = back.map(polygon[k]), b = back.map(polygon[k + 1]);
      if (const std::optional<QLineF> part = SeenPart({a.x(), a.y()}, {b.x(), b.y()})) lines.push_back(*part);
    }
  }
  DrawSlanted(lines, stroke);
}

double RasterCanvas::Snap(double at) const { return std::round(at * ratio_) / ratio_; }

std::pair<double, double> RasterCanvas::AxisLineAcross(double at, double width) const {
  // Sharp, on whole device pixels: a thin rectangle antialiased costs Qt ten times more.
  return {Snap(at - width / 2), std::max(Snap(width), 1 / ratio_)};
}

void RasterCanvas::AxisLine(CanvasPoint from, CanvasPoint to, const CanvasStroke& stroke) {
  // A line along an axis is a thin rectangle, filled: the grid and the metric lines are long,
  // and Qt strokes them, dashed above all, many times slower than it fills.
  const bool horizontal = from.Y == to.Y;
  const double width = std::max(stroke.Width, 0.0);
  double start = horizontal ? std::min(from.X, to.X) : std::min(from.Y, to.Y);
  double end = horizontal ? std::max(from.X, to.X) : std::max(from.Y, to.Y);
  // Only what lies in the target, and a bounded number of dashes.
  start = std::max(start, -kReach);
  end = std::min(end, (horizontal ? width_ : height_) + kReach);
  const double dash = stroke.Dashed ? 4 * std::max(width, 1.0) : end - start;
  const double gap = stroke.Dashed ? 3 * std::max(width, 1.0) : 0.0;
  // Opaque, as the colour shows over the white of the view: Qt fills a thin rectangle of a
  // colour that is not opaque ten times slower than one that is.
  const QColor color = OverWhite(stroke.Color, stroke.Alpha);
  const auto [across, thickness] = AxisLineAcross(horizontal ? from.Y : from.X, width);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  for (double at = start; at < end; at += dash + gap) {
    const double length = std::min(dash, end - at);
    const QRectF piece = horizontal ? QRectF(Snap(at), across, Snap(length), thickness)
                                    : QRectF(across, Snap(at), thickness, Snap(length));
    painter_.fillRect(piece, color);
  }
  painter_.setRenderHint(QPainter::Antialiasing, true);
}

void RasterCanvas::ClearWithColumns(COLORREF background, std::span<const double> columns,
                                    double height, const CanvasStroke& stroke) {
  // Qt fills a vertical line row by row, a call for each pixel of its height: the columns go
  // into one row of device pixels instead, which a texture repeats down the canvas at the
  // cost of a clear. Each column covers the device pixels its own Line would.
  const QTransform device = painter_.deviceTransform();
  const int across = static_cast<int>(std::ceil(device.map(QPointF(width_, 0)).x()));
  if (height < height_ || stroke.Dashed || across <= 0 || across > kLongestRow ||
      !device.isInvertible()) {
    return Canvas::ClearWithColumns(background, columns, height, stroke);
  }
  QImage row(across, 1, QImage::Format_RGB32);
  row.fill(ColorOf(background, 255));
  const QRgb ink = OverWhite(stroke.Color, stroke.Alpha).rgb();
  for (const double x : columns) {
    if (!std::isfinite(x) || x < -kReach || x > width_ + kReach) continue;
    const auto [left, thickness] = AxisLineAcross(x, std::max(stroke.Width, 0.0));
    const auto first = std::lround(device.map(QPointF(left, 0)).x());
    const auto last = std::lround(device.map(QPointF(left + thickness, 0)).x());
    for (auto column = std::max(first, 0L); column < std::min(last, long{across}); ++column) {
      row.setPixel(static_cast<int>(column), 0, ink);
    }
  }
  // The texture's pixels are the target's: its transform undoes the painter's.
  QBrush texture(row);
  texture.setTransform(device.inverted());
  painter_.fillRect(QRectF(0, 0, width_, height_), texture);
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
  if (!Visible(box.left(), box.top(), box.right(), box.bottom())) return;
  if (stroke != nullptr && fill == nullptr && !stroke->Dashed && stroke->Alpha == 255) {
    // An outline only, solid and opaque: drawn as its flattened lines. Qt's antialiased fill
    // of a stroke's outline grows with the square of the cells in a pixel row, and a moved
    // outline's nearly level edges make thousands of them; its line rasterizer does not.
    // Where two lines overlap at a join, the same opaque colour covers the same pixels.
    StrokeAsLines(shape, *stroke);
    return;
  }
  if (!Prepare(stroke, fill)) return;
  painter_.drawPath(shape);
}

void RasterCanvas::Rectangle(double x, double y, double width, double height,
                             const CanvasStroke* stroke, const CanvasFill* fill) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(width) || !std::isfinite(height) ||
      !Visible(std::min(x, x + width), std::min(y, y + height), std::max(x, x + width),
               std::max(y, y + height))) {
    return;
  }
  bool stamped = false;
  if (fill != nullptr && stroke == nullptr) {
    // A small box filled alone is a point's mark.
    stamped = StampMark(MarkStamps::Shape::Box, {x + width / 2, y + height / 2}, std::fabs(width),
                        std::fabs(height), nullptr, fill);
  }
  if (fill != nullptr && !stamped) {
    painter_.fillRect(QRectF(Near(x), Near(y), Near(width), Near(height)), ColorOf(fill->Color, fill->Alpha));
  }
  if (stroke == nullptr) return;
  const CanvasPoint corners[4] = {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}};
  for (int side = 0; side < 4; ++side) Line(corners[side], corners[(side + 1) % 4], *stroke);
}

void RasterCanvas::Circle(CanvasPoint centre, double radius, const CanvasStroke* stroke,
                          const CanvasFill* fill) {
  if (!Finite(centre) || !std::isfinite(radius) || radius <= 0 ||
      !Visible(centre.X - radius, centre.Y - radius, centre.X + radius, centre.Y + radius) ||
      (stroke == nullptr && fill == nullptr)) {
    return;
  }
  if (StampMark(MarkStamps::Shape::Circle, centre, 2 * radius, 2 * radius, stroke, fill)) return;
  Prepare(stroke, fill);
  painter_.drawEllipse(Point(centre), radius, radius);
}

bool RasterCanvas::StampMark(MarkStamps::Shape shape, CanvasPoint centre, double width,
                             double height, const CanvasStroke* stroke, const CanvasFill* fill) {
  // Qt fills an antialiased ellipse or a box off the pixel grid through its general path
  // filler, many times slower than it copies a small image.
  const QTransform device = painter_.deviceTransform();
  const double scale = device.m11();
  if (device.type() > QTransform::TxScale || scale != device.m22() || !(scale > 0)) return false;
  const double pen = stroke != nullptr ? std::max(stroke->Width, 0.0) * scale : 0.0;
  const int half = static_cast<int>(std::ceil(std::max(width, height) * scale / 2 + pen / 2 + 1));
  if (half > kLargestStamp) return false;
  const QPointF at = device.map(Point(centre));
  // The whole device pixel and the quarter within it, rounded to the nearest.
  const auto place = [](double value) {
    const double whole = std::floor(value);
    const long phase = std::lround((value - whole) * MarkStamps::kPhases);
    return std::pair(static_cast<int>(whole) + static_cast<int>(phase / MarkStamps::kPhases),
                     static_cast<int>(phase % MarkStamps::kPhases));
  };
  const auto [x, phaseX] = place(at.x());
  const auto [y, phaseY] = place(at.y());
  MarkStamps::Key key{.Form = shape, .Width = width * scale, .Height = height * scale, .PenWidth = pen,
                      .Stroked = stroke != nullptr, .Filled = fill != nullptr, .PhaseX = phaseX, .PhaseY = phaseY};
  if (stroke != nullptr) {
    key.StrokeColor = stroke->Color;
    key.StrokeAlpha = stroke->Alpha;
  }
  if (fill != nullptr) {
    key.FillColor = fill->Color;
    key.FillAlpha = fill->Alpha;
  }
  const QImage& stamp = stamps_->Of(key, half);
  // Copied pixel for pixel: for the moment the painter draws in the target's device pixels.
  const QTransform world = painter_.worldTransform();
  painter_.setWorldTransform(device.inverted() * world);
  painter_.drawImage(QPoint(x - half, y - half), stamp);
  painter_.setWorldTransform(world);
  return true;
}

const QImage& MarkStamps::Of(const Key& key, int half) {
  if (const auto found = kept_.find(key); found != kept_.end()) return found->second;
  if (kept_.size() >= kMostKept) kept_.clear();
  QImage stamp(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
  stamp.fill(Qt::transparent);
  QPainter painter(&stamp);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(half + double(key.PhaseX) / kPhases, half + double(key.PhaseY) / kPhases);
  const QRectF box(centre.x() - key.Width / 2, centre.y() - key.Height / 2, key.Width, key.Height);
  if (key.Form == Shape::Box) {
    if (key.Filled) painter.fillRect(box, ColorOf(key.FillColor, key.FillAlpha));
  } else {
    painter.setPen(key.Stroked ? PenOf({key.StrokeColor, key.StrokeAlpha, key.PenWidth, false})
                               : QPen(Qt::NoPen));
    painter.setBrush(key.Filled ? QBrush(ColorOf(key.FillColor, key.FillAlpha)) : QBrush(Qt::NoBrush));
    painter.drawEllipse(box);
  }
  painter.end();
  return kept_.emplace(key, std::move(stamp)).first->second;
}

void RasterCanvas::UseTextSize(double pixelSize) {
  const int size = std::max(1, static_cast<int>(std::lround(pixelSize)));
  if (size == textSize_) return;
  // One font per size, made when the size changes: the numbers of a glyph are many, and Qt
  // looks a font up anew each time one is made.
  QFont font = painter_.font();
  font.setPixelSize(size);
  painter_.setFont(font);
  metrics_.emplace(font);
  textSize_ = size;
}

void RasterCanvas::Text(CanvasPoint at, std::string_view text, double pixelSize, COLORREF color) {
  if (!Finite(at) || !Visible(at.X, at.Y - pixelSize, at.X + 1, at.Y + pixelSize)) return;
  UseTextSize(pixelSize);
  painter_.setPen(ColorOf(color, 255));
  if (texts_ != nullptr) {
    const RasterTextCache::Laid& laid = texts_->Of(text, textSize_, painter_.font());
    for (const QGlyphRun& run : laid.Runs) painter_.drawGlyphRun(Point(at) - QPointF(0, laid.Ascent), run);
    return;
  }
  painter_.drawText(Point(at), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

double RasterCanvas::TextWidth(std::string_view text, double pixelSize) {
  UseTextSize(pixelSize);
  if (texts_ != nullptr) return texts_->Of(text, textSize_, painter_.font()).Width;
  return metrics_->horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void RasterCanvas::GreyImage(const std::uint8_t* pixels, int width, int height, int pitch,
                             double x, double y, double cell, COLORREF ink, COLORREF paper) {
  if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width || !(cell > 0) ||
      !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(cell)) {
    return;
  }
  // Each run of equal pixels along a row is one sharp rectangle, its edges on device pixels so
  // that neighbours meet exactly, and opaque; pixels of no ink are left out. Qt fills these
  // far faster than it scales an image of the whole bitmap over the view, or blends a colour.
  const auto edge = [this](double at) { return Snap(Near(at)); };
  painter_.setRenderHint(QPainter::Antialiasing, false);
  for (int row = 0; row < height; ++row) {
    const double top = edge(y + row * cell), bottom = edge(y + (row + 1) * cell);
    if (bottom <= top || bottom < -kReach || top > height_ + kReach) continue;
    const std::uint8_t* line = pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(pitch);
    for (int column = 0; column < width;) {
      int end = column + 1;
      while (end < width && line[end] == line[column]) ++end;
      const double left = edge(x + column * cell), right = edge(x + end * cell);
      if (line[column] != 0 && right > left && right >= -kReach && left <= width_ + kReach) {
        painter_.fillRect(QRectF(left, top, right - left, bottom - top), ColorOf(Mixed(paper, ink, line[column]), 255));
      }
      column = end;
    }
  }
  painter_.setRenderHint(QPainter::Antialiasing, true);
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

void RasterCanvas::BeginPane(double x, double width, double height) {
  painter_.save();
  painter_.translate(x, 0);
  painter_.setClipRect(QRectF(0, 0, width, height), Qt::IntersectClip);
}

void RasterCanvas::EndPane() {
  painter_.restore();
  // The painter's font is the one before the pane again: the next text sets its size anew.
  textSize_ = 0;
  metrics_.reset();
}

}  // namespace moji
