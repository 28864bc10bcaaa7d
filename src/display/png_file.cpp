#include "display/png_file.h"

#include "display/file_output.h"

namespace moji {

std::string SavePngFile(const std::string& path, const std::optional<std::string>& png) {
  return png ? SaveFile(path, *png) : "cannot encode the picture as PNG";
}

}  // namespace moji
