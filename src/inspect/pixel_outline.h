#pragma once
// A glyph's outline at a size in pixels, as outline records: what the report lists and the view
// draws of a scaled or hinted outline.

#include <string>
#include <vector>

#include "model/glyph_outline.h"
#include "native/native_writer.h"
#include "platform/hinted_glyph.h"

namespace moji {

/// The outline in pixels (x from the origin, y up from the baseline): its blocks, curves and
/// points as the report lists an outline, written through the native records. With `sources`,
/// the font's number and the place in pixels of each point, in the outline's order. The empty
/// outline where its contours do not make one (controls that make no whole run).
GlyphOutline PixelOutlineOf(const ScaledOutline& outline, const std::u16string& character,
                            std::vector<PointSource>* sources = nullptr);

}  // namespace moji
