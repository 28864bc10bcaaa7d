#pragma once
// The outline as data to take away: one JSON object (docs/outline.schema.json).

#include <string>
#include <string_view>
#include <vector>

#include "display/displayed_glyph.h"
#include "model/glyph_outline.h"

namespace moji {

/// The outline in font heights, as the report lists it, with the glyph it is and, for each
/// point, its position in font units, whether it lies on the curve and the font's number of it.
/// Coordinates are written with all the digits a float needs to be read back exactly.
std::string OutlineJson(const GlyphOutline& outline, const DisplayedGlyph& glyph);

/// The components of a composite glyph as a JSON array: each one's glyph index and name, its
/// offset (or the points it is matched by), its transform and its flags by name.
std::string ComponentsJson(const std::vector<GlyphComponent>& components);

/// A JSON string of the UTF-8 text: quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view text);

/// The shortest JSON number that reads back as exactly `value`; null for NaN and infinities.
std::string JsonNumber(double value);

}  // namespace moji
