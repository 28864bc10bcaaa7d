#pragma once
// Checking that an outline keeps the invariants every reader relies on.

#include "model/glyph_outline.h"

namespace moji {

/// What breaks a curve, nullptr when nothing does: a point count that differs from its points,
/// no point, a quadratic run of one point, or a cubic run with a partial segment.
const char* CurveProblem(const OutlineCurve& curve);

/// True when every count equals its array's length, no curve has a `CurveProblem`,
/// `MaxCurvePoints` is the largest point count, and the outline is either empty (no character,
/// no block) or has its character and at least one block.
bool KeepsOutlineInvariants(const GlyphOutline& outline);

}  // namespace moji
