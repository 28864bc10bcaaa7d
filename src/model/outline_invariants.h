#pragma once
// Checking that an outline keeps the invariants every reader relies on.

#include "model/glyph_outline.h"

namespace moji {

/// True when every count equals its array's length, every curve has a point (a quadratic run
/// two, a cubic run whole segments of three), `MaxCurvePoints` is the largest point count, and the outline is either empty (no
/// character, no block) or has its character and at least one block.
bool KeepsOutlineInvariants(const GlyphOutline& outline);

}  // namespace moji
