#include "cli/command_output.h"

#include <cstdio>

#include "display/file_output.h"

namespace moji {

int WriteToStandardOutput(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0) {
    return Fail("cannot write to standard output");
  }
  return 0;
}

int WriteOutputFile(const std::string& path, std::string_view bytes) {
  if (path == kStandardOutputName) return WriteToStandardOutput(bytes);
  const std::string failure = SaveFile(path, bytes);
  return failure.empty() ? 0 : Fail("cannot write " + path + ": " + failure);
}

}  // namespace moji
