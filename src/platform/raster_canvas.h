#pragma once
// The large views' canvas on a QPainter: the window's widget or an image to save.

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/canvas.h"

namespace moji {

/// Texts laid out once and drawn again as they are, with their widths: a view that paints the
/// same numbers frame after frame keeps one, so that Qt does not lay each out anew.
class RasterTextCache {
 public:
  struct Laid {
    QList<QGlyphRun> Runs;
    double Width = 0;
    double Ascent = 0;
  };
  /// Lays texts out in `font` from now on; what was kept in another font goes.
  void Use(QFont font);
  /// The text at the pixel size in the font (the one in use, at that size), laid out on first use.
  const Laid& Of(std::string_view text, int pixelSize, const QFont& font);

 private:
  /// A bound on what is kept: the numbers of a few glyphs, the names of the metrics.
  static constexpr std::size_t kMostKept = 8192;
  std::map<std::pair<int, std::string>, Laid> laid_;
  /// The font the texts were laid out in, at pixel size 1.
  QFont font_;
};

/// Draws on the painter, antialiased, in its device pixels (the painter's own transform undone
/// by the caller where it scales). Strokes and shapes that cannot reach the painter's window
/// are left out.
class RasterCanvas final : public Canvas {
 public:
  /// Draws on `painter`, whose target is `width` x `height` device pixels.
  RasterCanvas(QPainter& painter, double width, double height);
  /// The same, drawing text through `texts` (kept by the caller from paint to paint).
  RasterCanvas(QPainter& painter, double width, double height, RasterTextCache& texts);

  void Clear(COLORREF background) override;
  void Line(CanvasPoint from, CanvasPoint to, const CanvasStroke& stroke) override;
  void Path(const CanvasPath& path, const CanvasStroke* stroke, const CanvasFill* fill) override;
  void Rectangle(double x, double y, double width, double height, const CanvasStroke* stroke,
                 const CanvasFill* fill) override;
  void Circle(CanvasPoint centre, double radius, const CanvasStroke* stroke,
              const CanvasFill* fill) override;
  void Text(CanvasPoint at, std::string_view text, double pixelSize, COLORREF color) override;
  double TextWidth(std::string_view text, double pixelSize) override;
  void GreyImage(const std::uint8_t* pixels, int width, int height, int pitch, double x, double y,
                 double cell, COLORREF ink) override;
  void BeginPane(double x, double width, double height) override;
  void EndPane() override;

 private:
  /// Sets pen and brush for a shape; false when there is nothing to draw.
  bool Prepare(const CanvasStroke* stroke, const CanvasFill* fill);
  bool Visible(double left, double top, double right, double bottom) const;
  void UseTextSize(double pixelSize);
  void AxisLine(CanvasPoint from, CanvasPoint to, const CanvasStroke& stroke);
  /// Strokes the shape as the lines of its flattened curves, with square ends.
  void StrokeAsLines(const QPainterPath& shape, const CanvasStroke& stroke);

  QPainter& painter_;
  double width_;
  double height_;
  /// The pixel size of the painter's font, and its measures; 0 before any text.
  int textSize_ = 0;
  std::optional<QFontMetricsF> metrics_;
  RasterTextCache* texts_ = nullptr;
};

/// Draws a picture of `width` x `height` pixels at `ratio` device pixels per pixel (at least 1):
/// `draw` is given a canvas of the picture's pixels. Returns the picture as the bytes of an
/// opaque PNG file; nothing when it cannot be encoded.
std::optional<std::string> PngOfDrawing(int width, int height, double ratio,
                                        const std::function<void(Canvas&)>& draw);

}  // namespace moji
