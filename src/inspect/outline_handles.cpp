#include "inspect/outline_handles.h"

#include <cmath>
#include <span>

#include "model/outline_invariants.h"
#include "model/outline_visit.h"

namespace moji {
namespace {

bool IsFinite(const OutlinePoint& point) {
  return std::isfinite(point.X) && std::isfinite(point.Y);
}

bool IsFinite(const CubicSegment& segment) {
  for (const OutlinePoint& point : segment) {
    if (!IsFinite(point)) return false;
  }
  return true;
}

/// Collects the handles and segments of one curve, which lies at `Block`, `Curve`.
struct CurveCollector {
  OutlineHandles& Into;
  std::int32_t Block;
  std::int32_t Curve;

  /// A run of n points from `start`: n - 1 quadratic pieces, each ending midway to the next
  /// control, the last at the run's last point.
  void QuadraticRun(OutlinePoint start, std::span<const OutlinePoint> points) {
    for (std::size_t s = 0; s + 1 < points.size(); ++s) {
      const bool lastPiece = s + 2 == points.size();
      const CubicSegment segment = CubicFromQuadratic(start, points[s], points[s + 1], lastPiece);
      if (IsFinite(points[s]) && IsFinite(segment)) {
        Into.Handles.push_back({segment[0], points[s], Block, Curve});
        Into.Handles.push_back({segment[3], points[s], Block, Curve});
        Into.Cubics.push_back({segment, !lastPiece, true, Block, Curve});
      }
      start = segment[3];
    }
  }

  /// A run of cubic segments from `start`, three points each: two controls and the end.
  void CubicRun(OutlinePoint start, std::span<const OutlinePoint> points) {
    for (std::size_t s = 0; s + 2 < points.size(); s += 3) {
      const CubicSegment segment{start, points[s], points[s + 1], points[s + 2]};
      if (IsFinite(segment)) {
        Into.Handles.push_back({segment[0], segment[1], Block, Curve});
        Into.Handles.push_back({segment[3], segment[2], Block, Curve});
        Into.Cubics.push_back({segment, false, false, Block, Curve});
      }
      start = segment[3];
    }
  }
};

}  // namespace

OutlineHandles HandlesOfOutline(const GlyphOutline& outline) {
  OutlineHandles handles;
  std::int32_t b = 0;
  for (const OutlineBlock& block : Counted(outline.Blocks, outline.BlockCount)) {
    OutlinePoint current{block.StartX, block.StartY};
    std::int32_t c = 0;
    for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) {
      const auto points = Counted(curve.Points, curve.PointCount);
      CurveCollector collector{handles, b, c++};
      const bool intact = CurveProblem(curve) == nullptr;
      if (intact && curve.CurveType == CURVE_QSPLINE) collector.QuadraticRun(current, points);
      if (intact && curve.CurveType == CURVE_CSPLINE) collector.CubicRun(current, points);
      // As in the drawing, the next curve starts where this one ends, whatever its type.
      if (!points.empty()) current = points.back();
    }
    ++b;
  }
  return handles;
}

}  // namespace moji
