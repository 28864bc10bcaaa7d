#pragma once
// Which line of the outline report lists which point, and back.

#include <cstdint>
#include <optional>

#include "model/glyph_outline.h"

namespace moji {

/// A point of the outline as the report counts it: its block, its curve (-1 for the block's
/// start point) and its index in the curve.
struct ReportPoint {
  std::int32_t Block = 0;
  std::int32_t Curve = -1;
  std::int32_t Point = 0;
  friend bool operator==(const ReportPoint&, const ReportPoint&) = default;
};

/// Where the outline has the point; nothing for a point it lacks.
std::optional<OutlinePoint> PointOf(const GlyphOutline& outline, const ReportPoint& point);

/// The line of the report (from 0) that lists the point; nothing for a point the outline lacks.
std::optional<std::int32_t> ReportLineOf(const GlyphOutline& outline, const ReportPoint& point);

/// The point a line of the report (from 0) lists; nothing for a line that lists none (a head,
/// a rule, a curve's type, a blank line).
std::optional<ReportPoint> ReportPointOfLine(const GlyphOutline& outline, std::int32_t line);

}  // namespace moji
