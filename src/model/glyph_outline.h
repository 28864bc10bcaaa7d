#pragma once
// The records that hold one character's outline: blocks (contours) of curves (runs) of points.
// Plain aggregates with value semantics: a copy is a deep copy.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace moji {

/// Curve type of a run of straight segments.
inline constexpr std::int32_t CURVE_POLYLINE = 1;
/// Curve type of a quadratic B-spline run whose last point lies on the contour.
inline constexpr std::int32_t CURVE_QSPLINE = 2;
/// Curve type of a run of cubic Bezier segments: two control points, then the segment's end.
inline constexpr std::int32_t CURVE_CSPLINE = 3;

/// One point of a curve.
struct OutlinePoint {
  float X = 0.0f;
  float Y = 0.0f;
  friend bool operator==(const OutlinePoint&, const OutlinePoint&) = default;
};

/// One run of a contour; `PointCount` equals `Points.size()`.
struct OutlineCurve {
  std::int32_t CurveType = 0;
  std::int32_t PointCount = 0;
  std::vector<OutlinePoint> Points;
  friend bool operator==(const OutlineCurve&, const OutlineCurve&) = default;
};

/// Whether point `index` of the `count` points read of a curve lies on the curve: every point
/// of a polyline, the last of a quadratic run, each segment's end of a cubic run.
inline bool IsOnCurvePoint(const OutlineCurve& curve, std::size_t index, std::size_t count) {
  if (curve.CurveType == CURVE_QSPLINE) return index + 1 == count;
  if (curve.CurveType == CURVE_CSPLINE) return index % 3 == 2;
  return true;
}

/// One closed contour: a start point and its runs; `CurveCount` equals `Curves.size()`.
struct OutlineBlock {
  float StartX = 0.0f;
  float StartY = 0.0f;
  std::int32_t CurveCount = 0;
  std::vector<OutlineCurve> Curves;
  friend bool operator==(const OutlineBlock&, const OutlineBlock&) = default;
};

/// One character's outline. Empty (no character, no blocks) when there is none.
struct GlyphOutline {
  /// The outlined character: one UTF-16 code unit, or two for a surrogate pair.
  std::u16string Character;
  std::int32_t BlockCount = 0;
  std::vector<OutlineBlock> Blocks;
  /// The largest `PointCount` of any curve, 0 without curves.
  std::int32_t MaxCurvePoints = 0;
  friend bool operator==(const GlyphOutline&, const GlyphOutline&) = default;
};

}  // namespace moji
