#pragma once
// The large views' canvas on a QPainter: the window's widget or an image to save.

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
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

/// Small marks (the circles and squares of points) drawn once, antialiased, for each look and
/// each quarter of a device pixel their centres may fall at, and copied from then on.
class MarkStamps {
 public:
  enum class Shape : std::uint8_t { Circle, Box };
  /// A mark's look in device pixels, and where its centre falls within a device pixel.
  struct Key {
    Shape Form = Shape::Circle;
    double Width = 0, Height = 0, PenWidth = 0;
    COLORREF StrokeColor = 0;
    std::uint8_t StrokeAlpha = 0;
    COLORREF FillColor = 0;
    std::uint8_t FillAlpha = 0;
    bool Stroked = false, Filled = false;
    int PhaseX = 0, PhaseY = 0;
    auto operator<=>(const Key&) const = default;
  };
  /// Places within a device pixel, along each axis, that stamps are made for.
  static constexpr int kPhases = 4;
  /// The stamp of the mark, `2 * half + 1` device pixels square with the mark's centre at
  /// (half, half) and its phase; drawn on first use.
  const QImage& Of(const Key& key, int half);

 private:
  /// A bound on what is kept: the marks of a few palettes.
  static constexpr std::size_t kMostKept = 1024;
  std::map<Key, QImage> kept_;
};

/// Draws on the painter, antialiased, in its device pixels (the painter's own transform undone
/// by the caller where it scales). Strokes and shapes that cannot reach the painter's window
/// are left out.
class RasterCanvas final : public Canvas {
 public:
  /// Draws on `painter`, whose target is `width` x `height` device pixels.
  RasterCanvas(QPainter& painter, double width, double height);
  /// The same, drawing text and small marks through `texts` and `stamps` (kept by the caller
  /// from paint to paint).
  RasterCanvas(QPainter& painter, double width, double height, RasterTextCache& texts,
               MarkStamps& stamps);

  void Clear(COLORREF background) override;
  void Line(CanvasPoint from, CanvasPoint to, const CanvasStroke& stroke) override;
  /// Opaque solid slanted lines in one call to Qt's line rasterizer, each as Line draws it.
  void Lines(std::span<const CanvasLine> lines, const CanvasStroke& stroke) override;
  /// In one pass: a row of device pixels with the columns in it, repeated down the canvas.
  void ClearWithColumns(COLORREF background, std::span<const double> columns, double height,
                        const CanvasStroke& stroke) override;
  void Path(const CanvasPath& path, const CanvasStroke* stroke, const CanvasFill* fill) override;
  void Rectangle(double x, double y, double width, double height, const CanvasStroke* stroke,
                 const CanvasFill* fill) override;
  void Circle(CanvasPoint centre, double radius, const CanvasStroke* stroke,
              const CanvasFill* fill) override;
  void Text(CanvasPoint at, std::string_view text, double pixelSize, COLORREF color) override;
  double TextWidth(std::string_view text, double pixelSize) override;
  void GreyImage(const std::uint8_t* pixels, int width, int height, int pitch, double x, double y,
                 double cell, COLORREF ink, COLORREF paper) override;
  void BeginPane(double x, double width, double height) override;
  void EndPane() override;

 private:
  /// Sets pen and brush for a shape; false when there is nothing to draw.
  bool Prepare(const CanvasStroke* stroke, const CanvasFill* fill);
  bool Visible(double left, double top, double right, double bottom) const;
  void UseTextSize(double pixelSize);
  void AxisLine(CanvasPoint from, CanvasPoint to, const CanvasStroke& stroke);
  /// The nearest whole device pixel to `at`.
  double Snap(double at) const;
  /// Where a line along an axis `width` wide and centred on `at` lies across it, on whole
  /// device pixels: its near edge and its thickness.
  std::pair<double, double> AxisLineAcross(double at, double width) const;
  /// A line along an axis, drawn at once; of a slanted line, the part that can be seen, for
  /// DrawSlanted to draw.
  std::optional<QLineF> Slanted(CanvasPoint from, CanvasPoint to, const CanvasStroke& stroke);
  /// The part of the line from `from` to `to` that can be seen; nothing when none can.
  std::optional<QLineF> SeenPart(CanvasPoint from, CanvasPoint to) const;
  /// The slanted lines, each as Line draws it, in one call to Qt's line rasterizer.
  void DrawSlanted(std::span<const QLineF> lines, const CanvasStroke& stroke);
  /// Strokes the shape as the lines of its flattened curves, with square ends.
  void StrokeAsLines(const QPainterPath& shape, const CanvasStroke& stroke);

  /// Draws a small mark of `width` x `height` about `centre` by copying its stamp; false when
  /// it is not small, or the painter turns or shears.
  bool StampMark(MarkStamps::Shape shape, CanvasPoint centre, double width, double height,
                 const CanvasStroke* stroke, const CanvasFill* fill);

  QPainter& painter_;
  double width_;
  double height_;
  /// Device pixels per pixel of the painter's target, asked once: Qt asks the device anew.
  double ratio_;
  /// The pixel size of the painter's font, and its measures; 0 before any text.
  int textSize_ = 0;
  std::optional<QFontMetricsF> metrics_;
  RasterTextCache* texts_ = nullptr;
  /// The stamps of small marks: the caller's, or the canvas's own.
  MarkStamps ownStamps_;
  MarkStamps* stamps_ = &ownStamps_;
};

/// Draws a picture of `width` x `height` pixels at `ratio` device pixels per pixel (at least 1):
/// `draw` is given a canvas of the picture's pixels. Returns the picture as the bytes of an
/// opaque PNG file; nothing when it cannot be encoded.
std::optional<std::string> PngOfDrawing(int width, int height, double ratio,
                                        const std::function<void(Canvas&)>& draw);

}  // namespace moji
