#pragma once
// Reading a native outline buffer into outline records.

#include <cstdint>
#include <span>
#include <string>

#include "model/glyph_outline.h"
#include "native/native_records.h"

namespace moji {

/// Walks the polygons of a native outline buffer into blocks, curves and points, every
/// coordinate multiplied by `scale`. A malformed record (past its polygon or the buffer, no
/// points, a quadratic run of one point, a cubic run of partial segments, a polygon shorter than
/// its header) ends the walk:
/// only the whole blocks and curves before it are kept, and without a block the result is the
/// empty outline.
GlyphOutline WalkNativeOutline(std::span<const std::uint8_t> buffer, float scale,
                               const std::u16string& character);

}  // namespace moji
