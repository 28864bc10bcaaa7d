#pragma once
// Building outline records from a native outline buffer.

#include <cstdint>
#include <span>
#include <string>

#include "model/glyph_outline.h"

namespace moji {

/// Walks the polygons of a native outline buffer into blocks, curves and points, every
/// coordinate multiplied by `scale`. A malformed record ends the walk: only the whole blocks
/// and curves before it are kept, and without a block the result is the empty outline.
GlyphOutline WalkNativeOutline(std::span<const std::uint8_t> buffer, float scale,
                               const std::u16string& character);

}  // namespace moji
