#pragma once
// The names Unicode gives its characters, and UTF-16 text as UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace moji {

/// The Unicode name of the code point ("CJK UNIFIED IDEOGRAPH-9F8D", "LATIN CAPITAL LETTER A");
/// for a character without a name, a label such as "<control-001B>"; empty past U+10FFFF.
std::string UnicodeCharacterName(std::uint32_t codePoint);

/// The text in UTF-8, a lone surrogate replaced by U+FFFD.
std::string Utf8(std::u16string_view text);

}  // namespace moji
