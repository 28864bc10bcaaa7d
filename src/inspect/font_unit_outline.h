#pragma once
// The outline of the glyph shown, in font units: the large view draws and writes it there.

#include <span>

#include "model/glyph_outline.h"
#include "native/native_writer.h"

namespace moji {

/// The outline in font units, exactly as the font places its points: each point at the place
/// its source gives, where the sources hold one for every point of the outline (in its order:
/// each block's start point, then its curves' points); else, where they do not, the outline's
/// own coordinates (font heights) times `cellUnits`.
GlyphOutline OutlineInFontUnits(const GlyphOutline& outline, std::span<const PointSource> sources,
                                double cellUnits);

/// A placed outline (drawing-area pixels, as drawn and as the motion has moved it) in font
/// units: the placement into the drawing area undone, then times `cellUnits`.
GlyphOutline PlacedOutlineInFontUnits(const GlyphOutline& placed, double cellUnits);

}  // namespace moji
