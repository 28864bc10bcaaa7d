#pragma once
// What the large views draw on: strokes, fills and text in device pixels, with fractions.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gdi_objects.h"

namespace moji {

/// A point in device pixels, origin top left, y down.
struct CanvasPoint {
  double X = 0;
  double Y = 0;
  friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

/// How a line is stroked: its colour (0x00BBGGRR), opacity (0 to 255), width in device pixels,
/// and whether it is dashed.
struct CanvasStroke {
  COLORREF Color = 0;
  std::uint8_t Alpha = 255;
  double Width = 1;
  bool Dashed = false;
};

/// A straight line from one point to another.
struct CanvasLine {
  CanvasPoint From;
  CanvasPoint To;
};

/// How a shape is filled.
struct CanvasFill {
  COLORREF Color = 0;
  std::uint8_t Alpha = 255;
};

/// One piece of a path: a move to a point, a line, a quadratic or a cubic segment to its last
/// point, or the close of the subpath.
struct CanvasPathPiece {
  enum Kind : std::uint8_t { MoveTo, LineTo, QuadTo, CubicTo, Close };
  Kind Piece = MoveTo;
  CanvasPoint Points[3]{};
};

/// The colour `amount` of the way from `paper` (0) to `ink` (255), channel by channel, rounded.
constexpr COLORREF Mixed(COLORREF paper, COLORREF ink, std::uint8_t amount) {
  COLORREF mixed = 0;
  for (const int shift : {0, 8, 16}) {
    const COLORREF from = (paper >> shift) & 0xFF, to = (ink >> shift) & 0xFF;
    mixed |= ((to * amount + from * (255 - amount) + 127) / 255) << shift;
  }
  return mixed;
}

/// A path of subpaths; filled by the non-zero winding rule.
using CanvasPath = std::vector<CanvasPathPiece>;

/// The drawing protocol of the large views. Whatever it is given (points far outside, not
/// finite), it draws what can be seen and nothing else.
class Canvas {
 public:
  virtual ~Canvas() = default;
  /// Fills everything with the colour.
  virtual void Clear(COLORREF background) = 0;
  virtual void Line(CanvasPoint from, CanvasPoint to, const CanvasStroke& stroke) = 0;
  /// Many lines in one stroke: the same as a Line for each.
  virtual void Lines(std::span<const CanvasLine> lines, const CanvasStroke& stroke) {
    for (const CanvasLine& line : lines) Line(line.From, line.To, stroke);
  }
  /// Fills everything with the colour, then strokes a line down the whole `height` at each x of
  /// `columns` (a grid's vertical lines): the same as Clear and a Line for each.
  virtual void ClearWithColumns(COLORREF background, std::span<const double> columns,
                                double height, const CanvasStroke& stroke) {
    Clear(background);
    for (const double x : columns) Line({x, 0}, {x, height}, stroke);
  }
  /// The path stroked, filled, or both (a null stroke or fill draws none).
  virtual void Path(const CanvasPath& path, const CanvasStroke* stroke, const CanvasFill* fill) = 0;
  /// The rectangle of corner (x, y), stroked, filled, or both.
  virtual void Rectangle(double x, double y, double width, double height,
                         const CanvasStroke* stroke, const CanvasFill* fill) = 0;
  virtual void Circle(CanvasPoint centre, double radius, const CanvasStroke* stroke,
                      const CanvasFill* fill) = 0;
  /// UTF-8 text with the baseline's left end at `at`, `pixelSize` device pixels high.
  virtual void Text(CanvasPoint at, std::string_view text, double pixelSize, COLORREF color) = 0;
  /// The width of the text as Text draws it.
  virtual double TextWidth(std::string_view text, double pixelSize) = 0;
  /// A grey picture of `width` x `height` pixels, `pitch` bytes a row, 0 the paper's colour to
  /// 255 the ink's, drawn opaque with each pixel a square of `cell` device pixels from (x, y),
  /// sharp. It is drawn over the paper: pixels of 0 are left as they are.
  virtual void GreyImage(const std::uint8_t* pixels, int width, int height, int pitch, double x,
                         double y, double cell, COLORREF ink, COLORREF paper) = 0;
  /// Until EndPane, draws in a pane of `width` x `height` whose origin lies at (x, 0): what
  /// falls outside it is not drawn, and Clear fills the pane alone.
  virtual void BeginPane(double x, double width, double height) = 0;
  virtual void EndPane() = 0;
};

}  // namespace moji
