#include "model/outline_invariants.h"

#include <algorithm>
#include <cstddef>

namespace moji {

const char* CurveProblem(const OutlineCurve& curve) {
  if (curve.PointCount < 0 || static_cast<std::size_t>(curve.PointCount) != curve.Points.size()) {
    return "curve point count differs from its points";
  }
  if (curve.PointCount == 0) return "curve without points";
  if (curve.CurveType == CURVE_QSPLINE && curve.PointCount < 2) {
    return "spline run of a single point";
  }
  if (curve.CurveType == CURVE_CSPLINE && curve.PointCount % 3 != 0) {
    return "cubic run of a partial segment";
  }
  return nullptr;
}

bool KeepsOutlineInvariants(const GlyphOutline& outline) {
  if (outline.BlockCount < 0 || static_cast<std::size_t>(outline.BlockCount) != outline.Blocks.size()) {
    return false;
  }
  if (outline.Character.empty() != (outline.BlockCount == 0)) return false;
  std::int32_t largest = 0;
  for (const OutlineBlock& block : outline.Blocks) {
    if (block.CurveCount < 0 || static_cast<std::size_t>(block.CurveCount) != block.Curves.size()) {
      return false;
    }
    for (const OutlineCurve& curve : block.Curves) {
      if (CurveProblem(curve) != nullptr) return false;
      largest = std::max(largest, curve.PointCount);
    }
  }
  return outline.MaxCurvePoints == largest;
}

}  // namespace moji
