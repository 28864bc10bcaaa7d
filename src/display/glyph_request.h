#pragma once
// A display request for a glyph that a character alone does not name: by its index in the
// face, or as vertical Japanese text sets the character.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "display/displayed_glyph.h"
#include "platform/device_context.h"

namespace moji {

/// What a display request asks for: the first character of a text, or glyph `GlyphIndex` of
/// the face; with `Vertical`, the glyph vertical text sets for the character.
struct GlyphRequest {
  std::u16string Text;
  std::optional<std::uint32_t> GlyphIndex;
  bool Vertical = false;
  friend bool operator==(const GlyphRequest&, const GlyphRequest&) = default;
};

/// Fetches, describes and places what the request asks for in the named face, as
/// FetchForDisplay does for a character (which a plain character request is, exactly). A
/// glyph by index is named in the report by its lowest code point's character, else as
/// GlyphIndexLabel gives it. Nothing for an empty text or a face name over 31 bytes.
std::optional<FetchedGlyph> FetchRequestForDisplay(DeviceContext& dc, const GlyphRequest& request,
                                                   std::string_view faceName);

/// How many glyphs the named face holds; 0 when it resolves to no face that can be read.
std::uint32_t GlyphCountOfFace(FontEngine& engine, std::string_view faceName);

/// The glyph after (`step` 1) or before (-1) `glyphIndex` in a face of `count` glyphs, round
/// from the last to the first and back; 0 for an empty face.
std::uint32_t SteppedGlyphIndex(std::uint32_t glyphIndex, int step, std::uint32_t count);

}  // namespace moji
