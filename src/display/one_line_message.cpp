#include "display/one_line_message.h"

#include <cstdio>
#include <iostream>

namespace moji {
namespace {

std::string HexEscape(const char* format, unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string ControlEscape(unsigned char byte) {
  switch (byte) {
    case '\n': return "\\n";
    case '\t': return "\\t";
    case '\r': return "\\r";
    default: return HexEscape("\\x%02x", byte);
  }
}

}  // namespace

int Fail(std::string_view message) {
  Warn(message);
  return kUsageError;
}

void Warn(std::string_view message) {
  // Through std::cerr, unbuffered, so the line also reaches whoever has redirected that stream.
  std::cerr << "moji-outline: " << EscapedLine(message) << '\n';
}

std::string EscapedLine(std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {  // a C1 control character
      line += HexEscape("\\u%04x", next);
      ++i;
    } else if (byte == '\\') {
      line += "\\\\";
    } else if (byte < 0x20 || byte == 0x7F) {
      line += ControlEscape(byte);
    } else {
      line += static_cast<char>(byte);
    }
  }
  return line;
}

}  // namespace moji
