#pragma once
// Where a test finds the font files of its private fontconfig set.

#include <cstdlib>
#include <string>

namespace moji::test {

/// The path of `file` in the test's font set: the folder "fonts" beside its FONTCONFIG_FILE.
inline std::string TestFontPath(const std::string& file) {
  const char* config = std::getenv("FONTCONFIG_FILE");
  std::string folder = config != nullptr ? config : "";
  folder = folder.substr(0, folder.rfind('/') + 1);
  return folder + "fonts/" + file;
}

}  // namespace moji::test
