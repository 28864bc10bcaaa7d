#include "cli/command_output.h"

#include <QImage>
#include <cstdio>
#include <optional>

#include "display/file_output.h"
#include "platform/raster_surface.h"

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

int WriteToStandardOutput(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0) {
    return Fail("cannot write to standard output");
  }
  return 0;
}

int WriteOutputFile(const std::string& path, std::string_view bytes) {
  const std::string failure = SaveFile(path, bytes);
  return failure.empty() ? 0 : Fail("cannot write " + path + ": " + failure);
}

int WritePngFile(const std::string& path, const QImage& image) {
  const std::optional<std::string> png = PngBytes(image);
  return png ? WriteOutputFile(path, *png) : Fail("cannot encode the picture as PNG");
}

int Fail(std::string_view message) {
  std::fprintf(stderr, "moji-outline: %s\n", EscapedLine(message).c_str());
  return kUsageError;
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
