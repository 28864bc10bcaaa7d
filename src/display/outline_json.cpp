#include "display/outline_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <span>

#include "model/outline_visit.h"

namespace moji {
namespace {

/// A JSON string: quotes, backslashes and control characters escaped.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

/// The shortest decimal text that reads back as exactly this number; null for what JSON
/// cannot hold (NaN, infinities).
template <typename Number>
std::string NumberText(Number value) {
  if (!std::isfinite(value)) return "null";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

/// Writes each point with its source, taking sources from the table in the outline's order.
class PointWriter {
 public:
  explicit PointWriter(std::span<const PointSource> sources) : sources_(sources) {}

  std::string Point(float x, float y, bool onCurve) {
    const PointSource source = next_ < sources_.size() ? sources_[next_] : PointSource{};
    ++next_;
    return "{\"x\": " + NumberText(x) + ", \"y\": " + NumberText(y) +
           ", \"fontX\": " + NumberText(source.X) + ", \"fontY\": " + NumberText(source.Y) +
           ", \"onCurve\": " + (onCurve ? "true" : "false") +
           ", \"fontPoint\": " + std::to_string(source.Number) + "}";
  }

 private:
  std::span<const PointSource> sources_;
  std::size_t next_ = 0;
};

std::string CurveJson(const OutlineCurve& curve, PointWriter& writer) {
  const auto points = Counted(curve.Points, curve.PointCount);
  std::string json = "{\"type\": " + std::to_string(curve.CurveType) + ", \"points\": [";
  for (std::size_t p = 0; p < points.size(); ++p) {
    const bool onCurve = IsOnCurvePoint(curve, p, points.size());
    json += (p == 0 ? "" : ", ") + writer.Point(points[p].X, points[p].Y, onCurve);
  }
  return json + "]}";
}

std::string BlocksJson(const GlyphOutline& outline, std::span<const PointSource> sources) {
  PointWriter writer(sources);
  std::string json = "[";
  for (const OutlineBlock& block : Counted(outline.Blocks, outline.BlockCount)) {
    if (json.size() > 1) json += ",\n    ";
    json += "{\"start\": " + writer.Point(block.StartX, block.StartY, true) + ", \"curves\": [";
    bool first = true;
    for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) {
      json += (first ? "" : ", ") + CurveJson(curve, writer);
      first = false;
    }
    json += "]}";
  }
  return json + "]";
}

/// The named instance drawn (null for none) and every axis with its value and range.
std::string VariationJson(const NativeGlyph& glyph) {
  std::string json = "{\"instance\": " + (glyph.Instance.empty() ? "null" : Quoted(glyph.Instance)) +
                     ", \"axes\": [";
  for (std::size_t a = 0; a < glyph.Axes.size(); ++a) {
    const VariationAxis& axis = glyph.Axes[a].Axis;
    json += (a == 0 ? "" : ", ") + std::string("{\"tag\": ") + Quoted(axis.Tag) +
            ", \"name\": " + Quoted(axis.Name) + ", \"value\": " + NumberText(glyph.Axes[a].Value) +
            ", \"minimum\": " + NumberText(axis.Minimum) + ", \"default\": " +
            NumberText(axis.Default) + ", \"maximum\": " + NumberText(axis.Maximum) + "}";
  }
  return json + "]}";
}

/// "[a, b]" of two numbers.
std::string PairJson(double first, double second) {
  return "[" + NumberText(first) + ", " + NumberText(second) + "]";
}

std::string ComponentJson(const GlyphComponent& component) {
  const bool offset = component.ArgsAreXYValues();
  const std::string arguments = PairJson(component.Argument1, component.Argument2);
  std::string flags;
  for (const std::string& name : ComponentFlagNames(component)) {
    flags += (flags.empty() ? "" : ", ") + Quoted(name);
  }
  return "{\"glyphIndex\": " + std::to_string(component.GlyphIndex) +
         ", \"glyphName\": " + Quoted(component.GlyphName) +
         ", \"offset\": " + (offset ? arguments : "null") +
         ", \"matchedPoints\": " + (offset ? "null" : arguments) + ", \"transform\": [" +
         NumberText(component.XX) + ", " + NumberText(component.XY) + ", " +
         NumberText(component.YX) + ", " + NumberText(component.YY) + "], \"flags\": [" + flags +
         "], \"firstContour\": " + std::to_string(component.FirstContour) +
         ", \"contourCount\": " + std::to_string(component.ContourCount) + "}";
}

}  // namespace

std::string ComponentsJson(const std::vector<GlyphComponent>& components) {
  std::string json = "[";
  for (const GlyphComponent& component : components) {
    json += (json.size() > 1 ? ", " : "") + ComponentJson(component);
  }
  return json + "]";
}

std::string JsonString(std::string_view text) { return Quoted(text); }

std::string JsonNumber(double value) { return NumberText(value); }

std::string OutlineJson(const GlyphOutline& outline, const DisplayedGlyph& glyph) {
  const NativeGlyph details = glyph.Glyph.value_or(NativeGlyph{});
  std::string json = "{\n";
  json += "  \"face\": " + Quoted(details.Family) + ",\n";
  json += "  \"file\": " + Quoted(details.File) + ",\n";
  json += "  \"faceIndex\": " + std::to_string(details.FaceIndex) + ",\n";
  json += "  \"style\": " + Quoted(details.Style) + ",\n";
  json += "  \"variation\": " + VariationJson(details) + ",\n";
  json += "  \"codePoint\": " + (glyph.CodePoint ? std::to_string(*glyph.CodePoint) : "null") + ",\n";
  json += "  \"glyphIndex\": " + std::to_string(details.GlyphIndex) + ",\n";
  json += "  \"glyphName\": " + Quoted(details.GlyphName) + ",\n";
  json += "  \"unicodeName\": " + Quoted(glyph.UnicodeName) + ",\n";
  json += "  \"unitsPerEm\": " + std::to_string(details.Units.UnitsPerEm) + ",\n";
  json += "  \"cellHeight\": " + std::to_string(details.CellUnits()) + ",\n";
  json += "  \"components\": " + ComponentsJson(details.Components) + ",\n";
  json += "  \"blocks\": " + BlocksJson(outline, details.Sources) + "\n}\n";
  return json;
}

}  // namespace moji
