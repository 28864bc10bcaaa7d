#include "model/outline_invariants.h"

#include <algorithm>

namespace moji {
namespace {

bool CurveIsWhole(const OutlineCurve& curve) {
  const std::int32_t least = curve.CurveType == CURVE_QSPLINE ? 2 : 1;
  const bool wholeSegments = curve.CurveType != CURVE_CSPLINE || curve.PointCount % 3 == 0;
  return curve.PointCount >= least && wholeSegments &&
         static_cast<std::size_t>(curve.PointCount) == curve.Points.size();
}

}  // namespace

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
      if (!CurveIsWhole(curve)) return false;
      largest = std::max(largest, curve.PointCount);
    }
  }
  return outline.MaxCurvePoints == largest;
}

}  // namespace moji
