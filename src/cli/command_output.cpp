#include "cli/command_output.h"

#include <QImage>
#include <cstdio>

#include "display/file_output.h"
#include "display/png_file.h"
#include "platform/raster_surface.h"

namespace moji {
namespace {

/// 0 for a file written, else the one-line failure naming it, and 2.
int WriteResult(const std::string& path, const std::string& failure) {
  return failure.empty() ? 0 : Fail("cannot write " + path + ": " + failure);
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
  if (path == kStandardOutputName) return WriteToStandardOutput(bytes);
  return WriteResult(path, SaveFile(path, bytes));
}

int WritePngFile(const std::string& path, const QImage& image) {
  const std::optional<std::string> png = PngBytes(image);
  if (path == kStandardOutputName) {
    return png ? WriteToStandardOutput(*png) : Fail("cannot encode the picture as PNG");
  }
  return WriteResult(path, SavePngFile(path, png));
}

}  // namespace moji
