#pragma once
// Asking the font engine for one character's outline, in font heights.

#include <cstdint>
#include <optional>
#include <string>

#include "model/glyph_outline.h"
#include "platform/device_context.h"
#include "platform/font_records.h"
#include "platform/glyph_outline_service.h"

namespace moji {

/// The first character of the text: one code unit, or both units of a surrogate pair.
/// Empty for an empty text.
std::u16string FirstCharacter(const std::u16string& text);

/// The outline of the text's first character in the described font, every coordinate divided
/// by the font height. The empty outline for an empty text, a height below 2, a lone
/// surrogate or a character without an outline. The font is created, selected, put back and
/// deleted within the call. With `details`, they receive which glyph of which face it is and
/// where the points of its outline come from (nothing when there is no character or no face).
GlyphOutline FetchGlyphOutline(DeviceContext& hdc, std::u16string text, const LOGFONTA& font,
                               std::optional<NativeGlyph>* details = nullptr);

/// The outline of glyph `glyphIndex` of the described font's face as FetchGlyphOutline gives a
/// character's, its character field holding `name`. The empty outline for a height below 2, an
/// index outside the face or a glyph without contours.
GlyphOutline FetchGlyphOutlineByIndex(DeviceContext& hdc, std::uint32_t glyphIndex,
                                      const std::u16string& name, const LOGFONTA& font,
                                      std::optional<NativeGlyph>* details = nullptr);

/// The Unicode code point of a character as FirstCharacter gives it; nothing for an empty text
/// or a lone surrogate.
std::optional<std::uint32_t> CodePointOf(const std::u16string& character);

}  // namespace moji
