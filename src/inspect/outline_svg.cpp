#include "inspect/outline_svg.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "display/block_palette.h"
#include "display/svg_drawing.h"
#include "inspect/svg_canvas.h"
#include "model/outline_invariants.h"
#include "model/outline_visit.h"

namespace moji {
namespace {

/// The shortest decimal text that reads back as exactly this number (font units are whole, or
/// halves for implied points); 0 for what is not finite.
std::string Exact(double value) {
  if (!std::isfinite(value)) return "0";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string Pair(double x, double y) { return Exact(x) + " " + Exact(y); }

std::string Pair(const OutlinePoint& point) { return Pair(point.X, point.Y); }

/// The implied on-curve point between two quadratic controls, exactly.
std::string Midpoint(const OutlinePoint& a, const OutlinePoint& b) {
  return Pair((double{a.X} + b.X) / 2, (double{a.Y} + b.Y) / 2);
}

void AppendRun(std::string& d, const OutlineCurve& curve) {
  const std::vector<OutlinePoint>& points = curve.Points;
  if (curve.CurveType == CURVE_POLYLINE) {
    for (const OutlinePoint& point : points) d += " L" + Pair(point);
  } else if (curve.CurveType == CURVE_QSPLINE) {
    for (std::size_t s = 0; s + 1 < points.size(); ++s) {
      const bool last = s + 2 == points.size();
      d += " Q" + Pair(points[s]) + " " + (last ? Pair(points[s + 1]) : Midpoint(points[s], points[s + 1]));
    }
  } else if (curve.CurveType == CURVE_CSPLINE) {
    for (std::size_t s = 0; s + 2 < points.size(); s += 3) {
      d += " C" + Pair(points[s]) + " " + Pair(points[s + 1]) + " " + Pair(points[s + 2]);
    }
  } else {
    d += " M" + Pair(points.back());  // drawn as nothing: the next run starts at its end
  }
}

/// The box of the outline's points, with the origin and the advance on the baseline.
UnitBox BoxOf(const GlyphOutline& units, double advanceWidth) {
  UnitBox box = WithPoint(WithPoint(UnitBox{}, 0, 0), advanceWidth, 0);
  ForEachOutlinePoint(units, [&box](float x, float y) { box = WithPoint(box, x, y); });
  return box;
}

std::string Title(const std::string& title) {
  return title.empty() ? std::string() : "<title>" + SvgText(title) + "</title>\n";
}

/// One path element per block, unfilled, in its colour and the pen's width on the screen.
std::string BlockPaths(const GlyphOutline& units, const DrawingStyle& style) {
  std::string paths;
  std::int32_t b = 0;
  for (const OutlineBlock& block : Counted(units.Blocks, units.BlockCount)) {
    paths += "<path id=\"block-" + std::to_string(b) + "\" d=\"" + BlockPathData(block) +
             "\" fill=\"none\" stroke=\"" + HexColor(BlockColor(b, style.Palette)) +
             "\" stroke-width=\"" + std::to_string(std::max(style.PenWidth, 1)) +
             "\" vector-effect=\"non-scaling-stroke\" stroke-linecap=\"round\" "
             "stroke-linejoin=\"round\"/>\n";
    ++b;
  }
  return paths;
}

}  // namespace

std::string BlockPathData(const OutlineBlock& block) {
  std::string d = "M" + Pair(block.StartX, block.StartY);
  bool closes = false;
  for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) {
    if (CurveProblem(curve) != nullptr) return d;
    AppendRun(d, curve);
    closes = curve.CurveType == CURVE_POLYLINE || curve.CurveType == CURVE_QSPLINE ||
             curve.CurveType == CURVE_CSPLINE;
  }
  return closes ? d + " Z" : d;
}

std::string OutlineSvgInFontUnits(const GlyphOutline& units, const DrawingStyle& style,
                                  double advanceWidth, const std::string& title) {
  const UnitBox box = BoxOf(units, std::isfinite(advanceWidth) ? advanceWidth : 0);
  const double margin = std::max(box.Right - box.Left, box.Top - box.Bottom) / 20 + 1;
  // y up: the document's y runs down, so the view box is the outline's box turned upside down,
  // and one transform turns the outline over into it.
  const std::string viewBox = Pair(box.Left - margin, -box.Top - margin) + " " +
                              Pair(box.Right - box.Left + 2 * margin, box.Top - box.Bottom + 2 * margin);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" + viewBox + "\">\n" + Title(title) +
         "<g transform=\"scale(1 -1)\">\n" + BlockPaths(units, style) + "</g>\n</svg>\n";
}

std::string InspectorSvg(const InspectorScene& scene, const ViewTransform& view, double width,
                         double height, const std::string& title) {
  SvgCanvas under, over;
  DrawInspectorUnderlay(under, scene, view, width, height);
  DrawInspectorOverlay(over, scene, view, width, height);
  // The blocks stay in font units: one transform takes them to the view, y up.
  const std::string transform = "matrix(" + Exact(view.Scale) + " 0 0 " + Exact(-view.Scale) + " " +
                                Exact(view.OriginX) + " " + Exact(view.OriginY) + ")";
  return ViewSvgDocument(width, height, title,
                         under.Elements() + "<g transform=\"" + transform + "\">\n" +
                             BlockPaths(scene.Outline, scene.Style) + "</g>\n" + over.Elements());
}

std::string ViewSvgDocument(double width, double height, const std::string& title,
                            const std::string& elements) {
  const std::string w = SvgNumber(width), h = SvgNumber(height);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
         "\" viewBox=\"0 0 " + w + " " + h + "\">\n" + Title(title) + elements + "</svg>\n";
}

}  // namespace moji
