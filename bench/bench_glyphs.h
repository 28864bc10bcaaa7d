#pragma once
// The glyphs the benchmarks measure, fetched the way the window fetches them.

#include <cstring>

#include "geometry/outline_placement.h"
#include "display/glyph_outline_fetch.h"

namespace moji::bench {

/// The outline of `character` in IPAGothic at the window's font height, in font heights.
inline GlyphOutline IpaGothicOutline(const char16_t* character) {
  LOGFONTA font{};
  font.lfHeight = 32;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(font.lfFaceName, "IPAGothic");
  DeviceContext hdc;
  return FetchGlyphOutline(hdc, character, font);
}

/// The same outline placed into the drawing area's pixels, as the window places it.
inline GlyphOutline PlacedIpaGothicOutline(const char16_t* character) {
  GlyphOutline outline = IpaGothicOutline(character);
  PlaceOutline(outline, 20.0f, 0.0f, 160.0f, true);
  return outline;
}

}  // namespace moji::bench
