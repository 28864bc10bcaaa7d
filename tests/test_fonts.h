#pragma once
// Where a test finds the font files of its private fontconfig set.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace moji::test {

/// The path of `file` in the test's font set: the folder "fonts" beside its FONTCONFIG_FILE.
inline std::string TestFontPath(const std::string& file) {
  const char* config = std::getenv("FONTCONFIG_FILE");
  std::string folder = config != nullptr ? config : "";
  folder = folder.substr(0, folder.rfind('/') + 1);
  return folder + "fonts/" + file;
}

/// The records outline_records.py reads with fontTools for the characters (hex code points) of
/// face `index` of `file`: its first line "cell N", then one line per contour.
inline std::string ExpectedRecords(const std::string& file, int index, const std::string& hexes) {
  const std::string command = std::string(MOJI_PYTHON) + " " + MOJI_TEST_SCRIPTS +
                              "/outline_records.py '" + file + "' " + std::to_string(index) + " " +
                              hexes;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string text;
  char chunk[4096];
  while (pipe != nullptr && std::fgets(chunk, sizeof chunk, pipe.get()) != nullptr) text += chunk;
  return text;
}

/// A native outline buffer of one pixel per font unit in the lines of ExpectedRecords.
inline std::string RecordsText(std::span<const std::uint8_t> bytes, const std::string& hex) {
  const auto word = [&](std::size_t at) {
    std::int32_t value = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + at, 4);
    return value;
  };
  const auto units = [](std::int32_t fixed) {
    char text[32];
    std::snprintf(text, sizeof text, " %g", fixed / 65536.0);
    return std::string(text);
  };
  std::string text;
  for (std::size_t at = 0; at + 16 <= bytes.size();) {
    const std::size_t end = at + static_cast<std::uint32_t>(word(at));
    text += hex + ": polygon" + units(word(at + 8)) + units(word(at + 12));
    for (at += 16; at + 4 <= end && at < bytes.size();) {
      const auto head = static_cast<std::uint32_t>(word(at));
      text += " " + std::to_string(head & 0xFFFF);
      at += 4;
      for (std::uint32_t k = 0; k < head >> 16; ++k, at += 8) text += units(word(at)) + units(word(at + 4));
    }
    text += "\n";
    at = end;
  }
  return text;
}

}  // namespace moji::test
