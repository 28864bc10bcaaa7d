#include "report/outline_report.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "model/outline_visit.h"

namespace moji {
namespace {

/// Appends ASCII text to a UTF-16 buffer.
void AppendAscii(std::u16string& out, const char* begin, const char* end) {
  for (const char* c = begin; c != end; ++c) out.push_back(static_cast<char16_t>(*c));
}

/// Appends a count or index as a plain decimal integer.
void AppendInteger(std::u16string& out, std::int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  AppendAscii(out, digits, result.ptr);
}

/// Appends a coordinate in the form "0.000".
void AppendCoordinate(std::u16string& out, float value) {
  if (std::isnan(value)) {
    out += u"NaN";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? u"-Infinity" : u"Infinity";
    return;
  }
  // From 2^23 on every float is a whole number, so its full decimal expansion is exact.
  if (std::fabs(value) >= 8388608.0f) {
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%.3f", static_cast<double>(value));
    AppendAscii(out, text, text + std::clamp(length, 0, static_cast<int>(sizeof text) - 1));
    return;
  }
  // A float has 24 significant bits and 1000 needs 10, so the product is exact in a double and
  // std::round sees the float's exact value: halves round away from zero, nothing is rounded twice.
  const auto thousandths =
      static_cast<std::int64_t>(std::round(static_cast<double>(value) * 1000.0));
  // A value that rounds to zero prints without a sign.
  if (thousandths < 0) out.push_back(u'-');
  const std::int64_t magnitude = thousandths < 0 ? -thousandths : thousandths;
  AppendInteger(out, magnitude / 1000);
  const auto fraction = static_cast<int>(magnitude % 1000);
  out.push_back(u'.');
  out.push_back(static_cast<char16_t>(u'0' + fraction / 100));
  out.push_back(static_cast<char16_t>(u'0' + fraction / 10 % 10));
  out.push_back(static_cast<char16_t>(u'0' + fraction % 10));
}

/// A coordinate to be appended in the form "0.000".
struct Coordinate {
  float Value;
};

void AppendPiece(std::u16string& out, std::u16string_view text) { out += text; }
void AppendPiece(std::u16string& out, std::int64_t value) { AppendInteger(out, value); }
void AppendPiece(std::u16string& out, Coordinate coordinate) { AppendCoordinate(out, coordinate.Value); }

/// Appends texts, counts and coordinates one after another.
template <typename... Pieces>
void Append(std::u16string& out, const Pieces&... pieces) {
  (AppendPiece(out, pieces), ...);
}

void AppendCurve(std::u16string& out, std::int64_t index, const OutlineCurve& curve) {
  const bool polyline = curve.CurveType == CURVE_POLYLINE;
  Append(out, u"  カーブ [ ", index, polyline ? u" ] タイプ：折れ線\r\n" : u" ] タイプ：Bスプライン\r\n");
  std::int64_t pointIndex = 0;
  for (const OutlinePoint& point : Counted(curve.Points, curve.PointCount)) {
    Append(out, u"    点[ ", pointIndex++, u" ] ( ", Coordinate{point.X}, u" , ",
           Coordinate{point.Y}, u" )\r\n");
  }
  out += u"\r\n";
}

void AppendBlock(std::u16string& out, std::int64_t index, const OutlineBlock& block) {
  Append(out, u"+++++++++++++++++++++++++++++++++++++\r\nブロック [ ", index, u" ] 始点－ ( ",
         Coordinate{block.StartX}, u" , ", Coordinate{block.StartY}, u")\r\nカーブ数：",
         std::int64_t{block.CurveCount}, u"\r\n-------------------------------------\r\n");
  std::int64_t curveIndex = 0;
  for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) {
    AppendCurve(out, curveIndex++, curve);
  }
}

}  // namespace

std::u16string OutlineReportText(const GlyphOutline& outline) {
  std::u16string out;
  Append(out, u"文字：", std::u16string_view(outline.Character), u"\r\nブロック数：",
         std::int64_t{outline.BlockCount}, u"\r\nカーブ最大点数：",
         std::int64_t{outline.MaxCurvePoints}, u"\r\n");
  std::int64_t blockIndex = 0;
  for (const OutlineBlock& block : Counted(outline.Blocks, outline.BlockCount)) {
    AppendBlock(out, blockIndex++, block);
  }
  return out;
}

std::u16string FormatCoordinate(float value) {
  std::u16string text;
  AppendCoordinate(text, value);
  return text;
}

}  // namespace moji
