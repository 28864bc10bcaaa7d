#pragma once
// The handles of an outline (the lines from on-curve points to the control points beside them)
// and the cubic Bezier segments its drawing really uses.

#include <cstdint>
#include <vector>

#include "geometry/cubic_from_quadratic.h"
#include "model/glyph_outline.h"

namespace moji {

/// One handle: from an on-curve point (of the font or implied) to a control point beside it.
struct HandleLine {
  OutlinePoint OnCurve;
  OutlinePoint Control;
  /// The block and curve of the control point, as the report counts them.
  std::int32_t Block = 0;
  std::int32_t Curve = 0;
  friend bool operator==(const HandleLine&, const HandleLine&) = default;
};

/// One cubic Bezier segment as the outline is drawn.
struct DrawnCubic {
  CubicSegment Segment{};
  /// True when the segment ends on an on-curve point implied midway between two controls.
  bool EndImplied = false;
  /// True for a segment raised from a quadratic piece, false for one of a cubic run.
  bool FromQuadratic = false;
  std::int32_t Block = 0;
  std::int32_t Curve = 0;
  friend bool operator==(const DrawnCubic&, const DrawnCubic&) = default;
};

/// The handles and drawn cubic segments of an outline, in its order.
struct OutlineHandles {
  std::vector<HandleLine> Handles;
  std::vector<DrawnCubic> Cubics;
  friend bool operator==(const OutlineHandles&, const OutlineHandles&) = default;
};

/// The handles and cubic segments of `outline`, in whatever space its coordinates are. Each
/// quadratic piece gives the handles start -> control and control -> end and the segment
/// `CubicFromQuadratic` makes of it; each cubic segment gives start -> first control and second
/// control -> end and itself. Polylines give nothing; nor does a curve that breaks the
/// invariants (a quadratic run of one point, a cubic run of a partial segment), nor a piece
/// with a coordinate that is not finite. The walk keeps to the counts.
OutlineHandles HandlesOfOutline(const GlyphOutline& outline);

}  // namespace moji
