#include "platform/unicode_names.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

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

std::string Utf8(std::u16string_view text) {
  std::string utf8(text.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &length, text.data(),
                     static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &error);
  utf8.resize(U_SUCCESS(error) ? static_cast<std::size_t>(length) : 0);
  return utf8;
}

}  // namespace moji
