#pragma once
// The line-by-line text listing of an outline.

#include <string>

#include "model/glyph_outline.h"

namespace moji {

/// The report of the outline: character, counts, then every block, curve and point; every
/// line ends with "\r\n".
std::u16string OutlineReportText(const GlyphOutline& outline);

/// A coordinate in the form "0.000": rounded half away from zero, never "-0.000".
std::u16string FormatCoordinate(float value);

}  // namespace moji
