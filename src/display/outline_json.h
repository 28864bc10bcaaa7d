#pragma once
// The outline as data to take away: one JSON object (docs/outline.schema.json).

#include <string>

#include "display/displayed_glyph.h"
#include "model/glyph_outline.h"

namespace moji {

/// The outline in font heights, as the report lists it, with the glyph it is and, for each
/// point, its position in font units, whether it lies on the curve and the font's number of it.
/// Coordinates are written with all the digits a float needs to be read back exactly.
std::string OutlineJson(const GlyphOutline& outline, const DisplayedGlyph& glyph);

}  // namespace moji
