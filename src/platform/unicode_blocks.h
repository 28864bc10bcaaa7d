#pragma once
// The blocks Unicode divides its code points into.

#include <cstdint>
#include <string>

namespace moji {

/// The Unicode block of the code point by its long name ("CJK Unified Ideographs",
/// "Hiragana"); "No Block" for one in none, empty past U+10FFFF.
std::string UnicodeBlockName(std::uint32_t codePoint);

}  // namespace moji
