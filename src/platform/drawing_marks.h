#pragma once
// Marks drawn over an outline to show what it is made of: its points, their numbers, where each
// contour starts and which way it runs.

#include <array>
#include <cstdint>
#include <string>

#include "platform/gdi_objects.h"

namespace moji {

/// What a point mark shows.
enum class MarkKind : std::uint8_t {
  /// A point on the curve: a small filled square.
  OnCurve,
  /// A control point: a small hollow circle.
  Control,
  /// An on-curve point implied midway between two quadratic controls: a small cross.
  Implied,
};

/// One point mark, in the drawing area's pixels.
struct PointMark {
  MarkKind Kind = MarkKind::OnCurve;
  double X = 0;
  double Y = 0;
  COLORREF Color = 0;
  /// Where the point is in the outline, as the report counts: its block, its curve (-1 for the
  /// block's start point) and its index in the curve (for an implied point, the index of the
  /// control before it).
  std::int32_t Block = 0;
  std::int32_t Curve = 0;
  std::int32_t Point = 0;
  /// The font's number of the point, -1 where the font has none.
  std::int32_t FontPoint = -1;
  /// The text shown beside the point (its number), empty for none.
  std::string Label;
};

/// A position in the drawing area's pixels.
struct MarkPoint {
  double X = 0;
  double Y = 0;
};

/// Where a contour starts and which way it runs: a ring at the start and an arrow along the
/// direction of its first curve, in the drawing area's pixels.
struct StartMark {
  MarkPoint At;
  /// Radius of the ring.
  double Radius = 5;
  /// The arrow: its tail, its tip and the ends of its two barbs; none for a contour whose
  /// first curve has no direction.
  bool HasArrow = false;
  std::array<MarkPoint, 4> Arrow{};
  COLORREF Color = 0;
  std::int32_t Block = 0;
};

}  // namespace moji
