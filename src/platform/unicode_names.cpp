#include "platform/unicode_names.h"

#include <unicode/uchar.h>

namespace moji {

std::string UnicodeCharacterName(std::uint32_t codePoint) {
  if (codePoint > 0x10FFFF) return {};
  char name[256] = {};
  UErrorCode error = U_ZERO_ERROR;
  const int32_t length = u_charName(static_cast<UChar32>(codePoint), U_EXTENDED_CHAR_NAME, name,
                                    static_cast<int32_t>(sizeof name), &error);
  if (U_FAILURE(error) || length <= 0 || length >= static_cast<int32_t>(sizeof name)) return {};
  return std::string(name, static_cast<std::size_t>(length));
}

}  // namespace moji
