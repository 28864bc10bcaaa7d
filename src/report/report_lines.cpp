#include "report/report_lines.h"

#include "model/outline_visit.h"

namespace moji {
namespace {

/// The report's lines before the first block: the character, the two counts.
constexpr std::int32_t kHeadLines = 3;
/// A block's lines before its first curve: a rule, its start point, its curve count, a rule;
/// its start point is on the second.
constexpr std::int32_t kBlockHeadLines = 4;
constexpr std::int32_t kStartLine = 1;
/// A curve's lines besides its points: its type before them, a blank line after.
constexpr std::int32_t kCurveFrameLines = 2;

/// Calls `visit(point, line)` for every point line of the report in order, until it returns true.
template <typename Visit>
void ForEachPointLine(const GlyphOutline& outline, Visit&& visit) {
  std::int32_t line = kHeadLines;
  std::int32_t b = 0;
  for (const OutlineBlock& block : Counted(outline.Blocks, outline.BlockCount)) {
    if (visit(ReportPoint{b, -1, 0}, line + kStartLine)) return;
    line += kBlockHeadLines;
    std::int32_t c = 0;
    for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) {
      const auto points = static_cast<std::int32_t>(Counted(curve.Points, curve.PointCount).size());
      for (std::int32_t p = 0; p < points; ++p) {
        if (visit(ReportPoint{b, c, p}, line + 1 + p)) return;
      }
      line += kCurveFrameLines + points;
      ++c;
    }
    ++b;
  }
}

}  // namespace

std::optional<std::int32_t> ReportLineOf(const GlyphOutline& outline, const ReportPoint& point) {
  std::optional<std::int32_t> found;
  ForEachPointLine(outline, [&](const ReportPoint& listed, std::int32_t line) {
    if (listed == point) found = line;
    return found.has_value();
  });
  return found;
}

std::optional<ReportPoint> ReportPointOfLine(const GlyphOutline& outline, std::int32_t line) {
  std::optional<ReportPoint> found;
  ForEachPointLine(outline, [&](const ReportPoint& listed, std::int32_t at) {
    if (at == line) found = listed;
    return at >= line;
  });
  return found;
}

std::optional<OutlinePoint> PointOf(const GlyphOutline& outline, const ReportPoint& point) {
  if (point.Block < 0 || point.Block >= static_cast<std::int32_t>(outline.Blocks.size())) return std::nullopt;
  const OutlineBlock& block = outline.Blocks[static_cast<std::size_t>(point.Block)];
  if (point.Curve < 0) return OutlinePoint{block.StartX, block.StartY};
  if (point.Curve >= static_cast<std::int32_t>(block.Curves.size())) return std::nullopt;
  const OutlineCurve& curve = block.Curves[static_cast<std::size_t>(point.Curve)];
  if (point.Point < 0 || point.Point >= static_cast<std::int32_t>(curve.Points.size())) return std::nullopt;
  return curve.Points[static_cast<std::size_t>(point.Point)];
}

}  // namespace moji
