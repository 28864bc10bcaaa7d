#pragma once
// The glyphs the benchmarks measure, fetched the way the window fetches them.

#include "display/display_request.h"
#include "display/glyph_outline_fetch.h"
#include "geometry/outline_placement.h"

namespace moji::bench {

/// The outline of `character` in the named face, as a display request fetches it: at the
/// window's font height, in font heights.
inline GlyphOutline FaceOutline(const char* face, const char16_t* character) {
  GraphicsServices services;
  DeviceContext hdc{services};
  return FetchGlyphOutline(hdc, character, *OutlineRequestFont(face));
}

/// The same outline placed into the drawing area's pixels, as the window places it.
inline GlyphOutline PlacedOutline(const char* face, const char16_t* character) {
  GlyphOutline outline = FaceOutline(face, character);
  PlaceOutline(outline, 20.0f, 0.0f, 160.0f, true);
  return outline;
}

}  // namespace moji::bench
