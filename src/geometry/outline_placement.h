#pragma once
// Moving a whole outline from model space into the pixels of the drawing area.

#include "model/glyph_outline.h"

namespace moji {

/// Rewrites every start point and curve point in place: x * scale + offsetX, and
/// (flipY ? 1 - y : y) * scale + offsetY. Not idempotent: each call transforms again.
void PlaceOutline(GlyphOutline& outline, float offsetX, float offsetY, float scale, bool flipY);

}  // namespace moji
