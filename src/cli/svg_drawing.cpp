#include "cli/svg_drawing.h"

#include <algorithm>
#include <cstdio>

namespace moji {
namespace {

/// One path: the pen it is stroked with and its commands.
struct SvgPath {
  PenDescription Pen;
  std::string Commands;
};

std::string HexColor(COLORREF color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(color & 0xFF),
                static_cast<unsigned>((color >> 8) & 0xFF),
                static_cast<unsigned>((color >> 16) & 0xFF));
  return text;
}

void AppendPoint(std::string& commands, const POINT& point) {
  commands += ' ';
  commands += std::to_string(point.x);
  commands += ' ';
  commands += std::to_string(point.y);
}

/// Every drawing call starts its own subpath, as every call is its own stroke in the raster
/// drawing: M to the first point, then L through a polyline or one C for a Bezier segment.
void AppendCall(std::string& commands, const SurfaceCall& call) {
  if (call.Points.empty()) return;
  if (!commands.empty()) commands += ' ';
  commands += 'M';
  AppendPoint(commands, call.Points.front());
  const char command = call.Kind == SurfaceCallKind::Polyline ? 'L' : 'C';
  for (std::size_t i = 1; i < call.Points.size(); ++i) {
    if (command == 'L' || i == 1) {
      commands += ' ';
      commands += command;
    }
    AppendPoint(commands, call.Points[i]);
  }
}

std::vector<SvgPath> PathsOf(const std::vector<SurfaceCall>& calls) {
  std::vector<SvgPath> paths;
  for (const SurfaceCall& call : calls) {
    if (call.Kind == SurfaceCallKind::CreatePen) {
      paths.push_back(SvgPath{call.Pen, {}});
    } else if (call.Kind == SurfaceCallKind::Polyline || call.Kind == SurfaceCallKind::PolyBezier) {
      // Drawing before any pen was created uses the device context's stock pen.
      if (paths.empty()) paths.push_back(SvgPath{PenDescription{}, {}});
      AppendCall(paths.back().Commands, call);
    }
  }
  return paths;
}

std::string PathElement(const SvgPath& path, std::size_t block) {
  const std::int32_t width = std::max(path.Pen.Width, 1);
  std::string element = "<path id=\"block-" + std::to_string(block) + "\" d=\"" + path.Commands +
                        "\" fill=\"none\" stroke=\"" + HexColor(path.Pen.Color) +
                        "\" stroke-width=\"" + std::to_string(width) + "\"";
  if (width > 1) element += " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
  return element + "/>\n";
}

}  // namespace

std::string SvgOfDrawing(const std::vector<SurfaceCall>& calls, int width, int height) {
  const std::string w = std::to_string(width);
  const std::string h = std::to_string(height);
  const std::string size = "width=\"" + w + "\" height=\"" + h + "\"";
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" " + size + " viewBox=\"0 0 " + w + " " + h +
         "\">\n";
  svg += "<rect " + size + " fill=\"#ffffff\"/>\n";
  const std::vector<SvgPath> paths = PathsOf(calls);
  for (std::size_t block = 0; block < paths.size(); ++block) {
    svg += PathElement(paths[block], block);
  }
  return svg + "</svg>\n";
}

}  // namespace moji
