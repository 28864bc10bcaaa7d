#include "display/svg_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>
#include <string_view>

#include "display/block_palette.h"
#include "geometry/block_rendering.h"

namespace moji {
namespace {

/// Appends the drawing calls of a block as path commands: every call starts its own subpath, as
/// every call is its own stroke in the raster drawing: M to the first point, then L through a
/// polyline or one C for a Bezier segment.
class PathCommands final : public BlockCallSink {
 public:
  void Polyline(std::span<const POINT> points) override { Append('L', points); }
  void PolyBezier(std::span<const POINT> points) override { Append('C', points); }
  const std::string& Text() const { return commands_; }

 private:
  void Append(char command, std::span<const POINT> points) {
    if (points.empty()) return;
    if (!commands_.empty()) commands_ += ' ';
    commands_ += 'M';
    AppendPoint(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) {
      if (command == 'L' || i == 1) {
        commands_ += ' ';
        commands_ += command;
      }
      AppendPoint(points[i]);
    }
  }
  void AppendPoint(const POINT& point) {
    commands_ += ' ';
    commands_ += std::to_string(point.x);
    commands_ += ' ';
    commands_ += std::to_string(point.y);
  }

  std::string commands_;
};

/// The symbol of a point mark, in its colour, centred on the point.
std::string MarkSymbol(const PointMark& mark) {
  const std::string color = HexColor(mark.Color), x = SvgNumber(mark.X), y = SvgNumber(mark.Y);
  switch (mark.Kind) {
    case MarkKind::OnCurve:
      return "<rect x=\"" + SvgNumber(mark.X - 2) + "\" y=\"" + SvgNumber(mark.Y - 2) +
             "\" width=\"4\" height=\"4\" fill=\"" + color + "\"/>";
    case MarkKind::Control:
      return "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"2.5\" fill=\"none\" stroke=\"" +
             color + "\"/>";
    case MarkKind::Implied:
      return "<path d=\"M" + SvgNumber(mark.X - 2.5) + " " + y + " h5 M" + x + " " +
             SvgNumber(mark.Y - 2.5) + " v5\" stroke=\"" + color + "\"/>";
  }
  return {};
}

const char* KindClass(MarkKind kind) {
  switch (kind) {
    case MarkKind::OnCurve: return "on-curve";
    case MarkKind::Control: return "control";
    case MarkKind::Implied: return "implied";
  }
  return "";
}

std::string PointMarkElement(const PointMark& mark, bool symbols) {
  std::string element = "<g class=\"point " + std::string(KindClass(mark.Kind)) +
                         "\" data-block=\"" + std::to_string(mark.Block) + "\" data-curve=\"" +
                         std::to_string(mark.Curve) + "\" data-point=\"" +
                         std::to_string(mark.Point) + "\" data-font-point=\"" +
                         std::to_string(mark.FontPoint) + "\" data-x=\"" + SvgNumber(mark.X) +
                         "\" data-y=\"" + SvgNumber(mark.Y) + "\">";
  if (symbols) element += MarkSymbol(mark);
  if (!mark.Label.empty()) {
    element += "<text x=\"" + SvgNumber(mark.X + 4) + "\" y=\"" + SvgNumber(mark.Y - 4) +
               "\" font-size=\"8\" fill=\"" + HexColor(mark.Color) + "\">" + mark.Label + "</text>";
  }
  return element + "</g>\n";
}

std::string At(const MarkPoint& point) { return SvgNumber(point.X) + " " + SvgNumber(point.Y); }

/// A ring at the start and an arrow along the first curve: tail to tip, then the barbs.
std::string StartMarkElement(const StartMark& mark) {
  const std::string color = HexColor(mark.Color);
  std::string element = "<g class=\"start\" data-block=\"" + std::to_string(mark.Block) +
                        "\"><circle cx=\"" + SvgNumber(mark.At.X) + "\" cy=\"" +
                        SvgNumber(mark.At.Y) + "\" r=\"" + SvgNumber(mark.Radius) +
                        "\" fill=\"none\" stroke=\"" + color + "\"/>";
  if (mark.HasArrow) {
    const auto& a = mark.Arrow;
    element += "<path d=\"M" + At(a[0]) + " L" + At(a[1]) + " M" + At(a[2]) + " L" + At(a[1]) +
               " L" + At(a[3]) + "\" fill=\"none\" stroke=\"" + color + "\"/>";
  }
  return element + "</g>\n";
}

/// The path of block `block`: its drawing calls, in its colour and pen width.
std::string PathElement(const GlyphOutline& placed, std::int32_t block, const DrawingStyle& style) {
  PathCommands commands;
  if (style.Part && style.Part->Block == block) {
    SegmentLimitSink limited(commands, style.Part->Segments);
    TraceOutlineBlocks(placed, 0.0f, 0.0f, 1.0f, false, block, limited);
  } else {
    TraceOutlineBlocks(placed, 0.0f, 0.0f, 1.0f, false, block, commands);
  }
  const std::int32_t width = std::max(style.PenWidth, 1);
  std::string element = "<path id=\"block-" + std::to_string(block) + "\" d=\"" + commands.Text() +
                        "\" fill=\"none\" stroke=\"" + HexColor(BlockColor(block, style.Palette)) +
                        "\" stroke-width=\"" + std::to_string(width) + "\"";
  if (width > 1) element += " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
  return element + "/>\n";
}

}  // namespace

std::string SvgText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '&') {
      escaped += "&amp;";
    } else if (c == '<') {
      escaped += "&lt;";
    } else if (c == '>') {
      escaped += "&gt;";
    } else if (c == '"') {
      escaped += "&quot;";
    } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\n') {
      escaped += c;
    }
  }
  return escaped;
}

std::string SvgNumber(double value) {
  if (!std::isfinite(value)) return "0";
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  std::string number = text;
  while (number.back() == '0') number.pop_back();
  if (number.back() == '.') number.pop_back();
  return number == "-0" ? "0" : number;
}

std::string HexColor(COLORREF color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(color & 0xFF),
                static_cast<unsigned>((color >> 8) & 0xFF),
                static_cast<unsigned>((color >> 16) & 0xFF));
  return text;
}

std::string SvgOfOutline(const GlyphOutline& placed, const DrawingStyle& style,
                         const OutlineMarks& marks, const DisplayedGlyph* glyph) {
  const std::string w = std::to_string(kDrawingSide);
  const std::string h = std::to_string(kDrawingSide);
  const std::string size = "width=\"" + w + "\" height=\"" + h + "\"";
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" " + size + " viewBox=\"0 0 " + w + " " + h +
         "\">\n";
  if (glyph != nullptr) {
    const std::vector<std::string> lines = IdentityLines(*glyph);
    std::string description;
    for (const std::string& line : lines) description += (description.empty() ? "" : "\n") + line;
    svg += "<title>" + SvgText(lines.empty() ? std::string() : lines.front()) + "</title>\n";
    svg += "<desc>" + SvgText(description) + "</desc>\n";
  }
  svg += "<rect " + size + " fill=\"#ffffff\"/>\n";
  // One path per block, as the drawing draws one block per pen; BlockCount read once.
  // While the construction is stepped through, only the blocks begun so far.
  const std::int32_t blockCount =
      style.Part ? std::min(style.Part->Block + 1, placed.BlockCount) : placed.BlockCount;
  for (std::int32_t block = 0; block < blockCount; ++block) svg += PathElement(placed, block, style);
  for (const StartMark& mark : marks.Starts) svg += StartMarkElement(mark);
  for (const PointMark& mark : marks.Points) svg += PointMarkElement(mark, marks.Symbols);
  return svg + "</svg>\n";
}

}  // namespace moji
