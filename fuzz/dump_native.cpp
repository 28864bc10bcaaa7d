// Writes the native outline buffers of a few characters, one file each, as fuzzing seeds.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/device_context.h"
#include "platform/gdi_objects.h"
#include "platform/glyph_outline_service.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: dump_native FOLDER FACE\n");
    return 2;
  }
  using namespace moji;
  LOGFONTA description{};
  description.lfHeight = 32;
  std::strncpy(description.lfFaceName, argv[2], LF_FACESIZE - 1);
  GraphicsServices services;
  DeviceContext dc{services};
  const HGDIOBJ font = services.CreateFontIndirectA(description);
  SelectObject(dc, font);
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  for (std::uint32_t codePoint : {0x9F8Du, 0x41u, 0x6Fu, 0x2000Bu, 0x3042u, 0x6F22u}) {
    GLYPHMETRICS metrics{};
    const std::int32_t size = GetGlyphOutlineA(dc, codePoint, GGO_NATIVE, &metrics, 0, nullptr, &identity);
    if (size <= 0) continue;
    std::vector<unsigned char> buffer(static_cast<std::size_t>(size));
    GetGlyphOutlineA(dc, codePoint, GGO_NATIVE, &metrics, static_cast<std::uint32_t>(size), buffer.data(), &identity);
    std::string face = argv[2];
    for (char& c : face) c = c == ' ' ? '-' : c;
    const std::string path = std::string(argv[1]) + "/" + face + "-u" + std::to_string(codePoint);
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
      std::fwrite(buffer.data(), 1, buffer.size(), file);
      std::fclose(file);
    }
  }
  SelectObject(dc, kStockFont);
  services.DeleteObject(font);
  return 0;
}
