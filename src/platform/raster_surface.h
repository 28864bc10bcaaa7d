#pragma once
// A drawing surface that paints into an image with antialiasing.

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <span>
#include <vector>

#include "platform/drawing_surface.h"
#include "platform/gdi_objects.h"
#include "platform/gdi_records.h"

namespace moji {

/// Paints pens, polylines, Bezier segments and circles into an image. One painter stays open
/// across drawing calls and is closed when the image is read or cleared. Device points are
/// handed to the painter as floating-point coordinates, so points far outside the image are
/// clipped by the painter and never wrap around.
class RasterSurface final : public DrawingSurface {
 public:
  /// An image of the given size, filled with the background colour (0x00BBGGRR).
  explicit RasterSurface(int width = 200, int height = 200, COLORREF background = 0x00FFFFFF);
  ~RasterSurface() override;
  RasterSurface(const RasterSurface&) = delete;
  RasterSurface& operator=(const RasterSurface&) = delete;

  void SelectPen(HGDIOBJ pen, const PenDescription& description) override;
  /// A thick solid pen strokes the polyline segment by segment: with round caps and joins that
  /// covers the same shape, and costs the rasterizer much less on lines off the pixel grid.
  void Polyline(std::span<const POINT> points) override;
  void PolyBezier(std::span<const POINT> points) override;

  /// Fills the whole image with the background colour.
  void Clear();
  /// An outline circle; a radius of 0 or less, or a non-finite value, draws nothing.
  void DrawCircle(float centerX, float centerY, float radius, COLORREF color, int lineWidth);
  /// The image with everything drawn so far.
  const QImage& Image() const;

 private:
  QPainter& Painter();
  void FinishPainting() const;

  QImage image_;
  QColor background_;
  QPen pen_;
  mutable QPainter painter_;
  QPainterPath path_;
  std::vector<QPointF> points_;
};

}  // namespace moji
