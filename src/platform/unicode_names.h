#pragma once
// The names Unicode gives its characters.

#include <cstdint>
#include <string>

namespace moji {

/// The Unicode name of the code point ("CJK UNIFIED IDEOGRAPH-9F8D", "LATIN CAPITAL LETTER A");
/// for a character without a name, a label such as "<control-001B>"; empty past U+10FFFF.
std::string UnicodeCharacterName(std::uint32_t codePoint);

}  // namespace moji
