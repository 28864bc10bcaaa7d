#pragma once
// Which glyph the drawing shows: its character, its face and file, its index and names.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/glyph_outline_service.h"

namespace moji {

/// The character of a display request and the glyph the font engine gave for it.
struct DisplayedGlyph {
  /// The character asked for (its first character only); empty for none.
  std::u16string Character;
  std::optional<std::uint32_t> CodePoint;
  /// The Unicode name of the character, empty without one.
  std::string UnicodeName;
  /// The glyph and its face; nothing when the face name resolves to no face.
  std::optional<GlyphDetails> Glyph;
};

/// The description of the first character of `text` and of the glyph fetched for it.
DisplayedGlyph DescribeDisplayedGlyph(const std::u16string& text,
                                      std::optional<GlyphDetails> glyph);

/// "U+9F8D": the code point in hex, at least four digits.
std::string CodePointLabel(std::uint32_t codePoint);

/// What the status bar and `report --info` say of the glyph, one UTF-8 line each: the code
/// point and character, the Unicode name, the glyph index and name, the face, its file.
std::vector<std::string> IdentityLines(const DisplayedGlyph& glyph);

}  // namespace moji
