#pragma once
// A canvas that writes SVG elements in the view's pixels.

#include <string>

#include "platform/canvas.h"

namespace moji {

/// Writes every drawing call as SVG elements (in device pixels), kept in order. Text is measured
/// by estimate: an SVG has no fonts to measure with (half the size a Latin letter or digit, the
/// whole size for other characters).
class SvgCanvas final : public Canvas {
 public:
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
                 double cell, COLORREF ink, COLORREF paper) override;
  void BeginPane(double x, double width, double height) override;
  void EndPane() override;

  /// The elements written so far.
  const std::string& Elements() const { return elements_; }

 private:
  std::string elements_;
};

}  // namespace moji
