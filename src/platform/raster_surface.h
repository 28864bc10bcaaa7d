#pragma once
// A drawing surface that paints into an image with antialiasing.

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <array>
#include <optional>
#include <string>
#include <span>

#include "platform/drawing_marks.h"
#include "platform/picture_surface.h"
#include "platform/gdi_objects.h"
#include "platform/gdi_records.h"

namespace moji {

/// The bytes of a PNG file of the image, made opaque; nothing when it cannot be encoded.
std::optional<std::string> PngBytes(const QImage& image);

/// A rectangle of the image's coordinates, as its edges.
struct PixelBox {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;

  PixelBox Grown(double margin) const {
    return {Left - margin, Top - margin, Right + margin, Bottom + margin};
  }
  bool Contains(const QRectF& rect) const {
    return rect.left() >= Left && rect.right() <= Right && rect.top() >= Top &&
           rect.bottom() <= Bottom;
  }
  bool Meets(const QRectF& rect) const {
    return rect.right() >= Left && rect.left() <= Right && rect.bottom() >= Top &&
           rect.top() <= Bottom;
  }
};

/// Cuts the segment a-b to the part inside the box (Liang and Barsky); false when no part is.
bool ClipToBox(QPointF& a, QPointF& b, const PixelBox& box);

/// Paints pens, polylines, Bezier segments and circles into an image, antialiased; straight
/// horizontal and vertical strokes are solid and exactly as wide as the pen. One painter stays
/// open across drawing calls and is closed when the image is read or cleared. What cannot reach
/// the image is never stroked, and what reaches it from far away is cut to a margin around it,
/// so the work of a drawing is bounded by what can be seen, however far its points lie.
///
/// Every coordinate, pen width and radius is in logical pixels. At a device pixel ratio r the
/// image holds r x r device pixels per logical pixel (QImage::devicePixelRatio is r), so a
/// screen or a file with r times the pixels gets the same drawing at full resolution.
class RasterSurface final : public PictureSurface {
 public:
  /// An image of the given logical size at the device pixel ratio `ratio` (at least 1), filled
  /// with the background colour (0x00BBGGRR).
  explicit RasterSurface(int width = 200, int height = 200, COLORREF background = 0x00FFFFFF,
                         double ratio = 1.0);
  ~RasterSurface() override;

  void SelectPen(HGDIOBJ pen, const PenDescription& description) override;
  /// Strokes the polyline segment by segment (a dashed pen starts its pattern again on each).
  void Polyline(std::span<const POINT> points) override;
  void PolyBezier(std::span<const POINT> points) override;

  void Clear() override;
  /// Device pixels per logical pixel along each side.
  double DevicePixelRatio() const { return ratio_; }
  /// Replaces the image by an empty one at the device pixel ratio `ratio` (at least 1); the
  /// current pen stays selected.
  void SetDevicePixelRatio(double ratio);
  void DrawCircle(float centerX, float centerY, float radius, COLORREF color,
                  int lineWidth) override;
  /// Marks at positions that are not finite, or far outside the image, are left out.
  void DrawMarks(std::span<const PointMark> points, bool symbols,
                 std::span<const StartMark> starts) override;
  std::optional<std::string> PngBytes() const override { return moji::PngBytes(Image()); }
  /// The image with everything drawn so far.
  const QImage& Image() const;

 private:
  QPainter& Painter();
  void FinishPainting() const;
  QPointF Device(const POINT& point) const;
  QPointF Device(double x, double y) const;
  void DrawPointMark(QPainter& painter, const PointMark& mark, bool symbol);
  void DrawStartMark(QPainter& painter, const StartMark& mark);
  void DrawCubic(const std::array<QPointF, 4>& points, int halvings);

  int width_ = 0;
  int height_ = 0;
  double ratio_ = 1.0;
  QImage image_;
  QColor background_;
  PenDescription penDescription_{};
  QPen pen_;
  /// Added to both coordinates of every point before it is scaled to device pixels: 0.5 for a
  /// pen of odd width.
  double centring_ = 0.0;
  /// Where the current pen can reach the image, and where strokes are drawn without cutting,
  /// in device pixels.
  PixelBox visible_{};
  PixelBox drawnWhole_{};
  mutable QPainter painter_;
  QPainterPath path_;
};

}  // namespace moji
