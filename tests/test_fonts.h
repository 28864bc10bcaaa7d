#pragma once
// Where a test finds the font files of its private fontconfig set, and font descriptions.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/font_records.h"

namespace moji::test {

/// The path of `file` in the test's font set: the folder "fonts" beside its FONTCONFIG_FILE.
inline std::string TestFontPath(const std::string& file) {
  const char* config = std::getenv("FONTCONFIG_FILE");
  std::string folder = config != nullptr ? config : "";
  folder = folder.substr(0, folder.rfind('/') + 1);
  return folder + "fonts/" + file;
}

/// A font description of the face at the height.
inline LOGFONTA LogFont(const char* face, std::int32_t height) {
  LOGFONTA font{};
  font.lfHeight = height;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

}  // namespace moji::test
