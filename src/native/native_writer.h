#pragma once
// Writing contours in font units as native outline records.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "native/native_scale.h"

namespace moji {

/// A point of a contour in font units.
struct FontUnitPoint {
  std::int64_t X = 0;
  std::int64_t Y = 0;
};

/// What a point of a contour is.
enum class PointKind : std::uint8_t {
  OnCurve,
  /// A control point of a quadratic B-spline run.
  QuadraticControl,
  /// A control point of a cubic Bezier segment; they come in pairs before the segment's end.
  CubicControl,
};

/// A glyph's contours as plain spans: its points and their kinds, and the index of each
/// contour's last point, ascending.
struct ContourSpans {
  std::span<const FontUnitPoint> Points;
  std::span<const PointKind> Kinds;
  std::span<const std::size_t> Ends;
};

/// Where a point written into the native outline comes from: the font's own number of the point
/// (its index among the glyph's points), or -1 for an implied on-curve point midway between two
/// quadratic controls; and its position in font units.
struct PointSource {
  std::int32_t Number = -1;
  double X = 0;
  double Y = 0;
  friend bool operator==(const PointSource&, const PointSource&) = default;
};

/// Appends every contour as a polygon header and its curve records, scaled to 16.16 pixels:
/// runs of on-curve points as line records, runs of quadratic controls with the point after them
/// as quadratic B-spline records, runs of cubic segments as cubic records. False, with `out`
/// unchanged, when the spans do not describe contours (kinds and points of different lengths,
/// contour ends out of order or past the points, cubic controls not in pairs before an on-curve
/// point, a run of controls ending at a control of the other kind).
/// With `sources`, appends there the source of every point written, in the order of the buffer:
/// each polygon's start point, then the points of its records.
bool AppendNativeOutline(const ContourSpans& contours, const HeightScale& scale,
                         std::vector<std::uint8_t>& out,
                         std::vector<PointSource>* sources = nullptr);

}  // namespace moji
