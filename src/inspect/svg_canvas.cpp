#include "inspect/svg_canvas.h"

#include <cmath>
#include <cstdio>

#include "display/svg_drawing.h"

namespace moji {
namespace {

std::string Paint(const CanvasStroke* stroke, const CanvasFill* fill) {
  std::string paint = fill != nullptr ? " fill=\"" + HexColor(fill->Color) + "\"" : " fill=\"none\"";
  if (fill != nullptr && fill->Alpha != 255) paint += " fill-opacity=\"" + SvgNumber(fill->Alpha / 255.0) + "\"";
  if (stroke == nullptr) return paint;
  paint += " stroke=\"" + HexColor(stroke->Color) + "\" stroke-width=\"" + SvgNumber(stroke->Width) + "\"";
  if (stroke->Alpha != 255) paint += " stroke-opacity=\"" + SvgNumber(stroke->Alpha / 255.0) + "\"";
  if (stroke->Dashed) paint += " stroke-dasharray=\"4 3\"";
  return paint;
}

std::string Pair(CanvasPoint point) { return SvgNumber(point.X) + " " + SvgNumber(point.Y); }

}  // namespace

void SvgCanvas::Clear(COLORREF background) {
  elements_ += "<rect width=\"100%\" height=\"100%\" fill=\"" + HexColor(background) + "\"/>\n";
}

void SvgCanvas::Line(CanvasPoint from, CanvasPoint to, const CanvasStroke& stroke) {
  elements_ += "<path d=\"M" + Pair(from) + " L" + Pair(to) + "\"" + Paint(&stroke, nullptr) + "/>\n";
}

void SvgCanvas::Path(const CanvasPath& path, const CanvasStroke* stroke, const CanvasFill* fill) {
  std::string d;
  for (const CanvasPathPiece& piece : path) {
    switch (piece.Piece) {
      case CanvasPathPiece::MoveTo: d += " M" + Pair(piece.Points[0]); break;
      case CanvasPathPiece::LineTo: d += " L" + Pair(piece.Points[0]); break;
      case CanvasPathPiece::QuadTo: d += " Q" + Pair(piece.Points[0]) + " " + Pair(piece.Points[1]); break;
      case CanvasPathPiece::CubicTo:
        d += " C" + Pair(piece.Points[0]) + " " + Pair(piece.Points[1]) + " " + Pair(piece.Points[2]);
        break;
      case CanvasPathPiece::Close: d += " Z"; break;
    }
  }
  if (d.empty() || (stroke == nullptr && fill == nullptr)) return;
  elements_ += "<path d=\"" + d.substr(1) + "\"" + Paint(stroke, fill) + "/>\n";
}

void SvgCanvas::Rectangle(double x, double y, double width, double height,
                          const CanvasStroke* stroke, const CanvasFill* fill) {
  if (stroke == nullptr && fill == nullptr) return;
  elements_ += "<rect x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\" width=\"" +
               SvgNumber(std::fabs(width)) + "\" height=\"" + SvgNumber(std::fabs(height)) + "\"" +
               Paint(stroke, fill) + "/>\n";
}

void SvgCanvas::Circle(CanvasPoint centre, double radius, const CanvasStroke* stroke,
                       const CanvasFill* fill) {
  if ((stroke == nullptr && fill == nullptr) || !(radius > 0)) return;
  elements_ += "<circle cx=\"" + SvgNumber(centre.X) + "\" cy=\"" + SvgNumber(centre.Y) +
               "\" r=\"" + SvgNumber(radius) + "\"" + Paint(stroke, fill) + "/>\n";
}

void SvgCanvas::Text(CanvasPoint at, std::string_view text, double pixelSize, COLORREF color) {
  elements_ += "<text x=\"" + SvgNumber(at.X) + "\" y=\"" + SvgNumber(at.Y) + "\" font-size=\"" +
               SvgNumber(pixelSize) + "\" fill=\"" + HexColor(color) + "\">" + SvgText(text) +
               "</text>\n";
}

double SvgCanvas::TextWidth(std::string_view text, double pixelSize) {
  double width = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) width += 0.6 * pixelSize;
    else if ((byte & 0xC0) != 0x80) width += pixelSize;  // the first byte of another character
  }
  return width;
}

void SvgCanvas::GreyImage(const std::uint8_t* pixels, int width, int height, int pitch, double x,
                          double y, double cell, COLORREF ink, COLORREF paper) {
  if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width || !(cell > 0)) return;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const std::uint8_t value = pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(pitch) +
                                        static_cast<std::size_t>(column)];
      if (value == 0) continue;
      const CanvasFill fill{Mixed(paper, ink, value), 255};
      Rectangle(x + column * cell, y + row * cell, cell, cell, nullptr, &fill);
    }
  }
}

void SvgCanvas::BeginPane(double x, double width, double height) {
  // A nested viewport: its own origin, and nothing drawn past its edges.
  elements_ += "<svg x=\"" + SvgNumber(x) + "\" y=\"0\" width=\"" + SvgNumber(width) + "\" height=\"" +
               SvgNumber(height) + "\" overflow=\"hidden\">\n";
}

void SvgCanvas::EndPane() { elements_ += "</svg>\n"; }

}  // namespace moji
