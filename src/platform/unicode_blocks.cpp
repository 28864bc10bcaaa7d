#include "platform/unicode_blocks.h"

#include <unicode/uchar.h>

namespace moji {

std::string UnicodeBlockName(std::uint32_t codePoint) {
  if (codePoint > 0x10FFFF) return {};
  const auto block = u_getIntPropertyValue(static_cast<UChar32>(codePoint), UCHAR_BLOCK);
  const char* name = u_getPropertyValueName(UCHAR_BLOCK, block, U_LONG_PROPERTY_NAME);
  if (name == nullptr) return "No Block";
  // ICU spells the long names with underscores.
  std::string spelled(name);
  for (char& c : spelled) c = c == '_' ? ' ' : c;
  return spelled;
}

}  // namespace moji
