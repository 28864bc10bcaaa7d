#pragma once
// Degree elevation of the quadratic pieces of a B-spline run to cubic Bezier segments.

#include <array>

#include "model/glyph_outline.h"

namespace moji {

/// One cubic Bezier segment: start, first control, second control, end.
using CubicSegment = std::array<OutlinePoint, 4>;

/// The on-curve point implied midway between two quadratic controls, each coordinate computed
/// in double precision and stored in single precision.
OutlinePoint ImpliedOnCurvePoint(OutlinePoint control, OutlinePoint next);

/// The cubic form of one quadratic piece of a B-spline run: it starts on the curve at `start`,
/// is pulled by `control`, and ends midway between `control` and `next`, or at `next` itself
/// when `next` is the run's last (on-curve) point. Each coordinate is computed in double
/// precision from the single-precision inputs and stored in single precision.
CubicSegment CubicFromQuadratic(OutlinePoint start, OutlinePoint control, OutlinePoint next,
                                bool nextIsRunEnd);

}  // namespace moji
