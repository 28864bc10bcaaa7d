#include "platform/file_access.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace moji {

int OpenRegularFile(const std::string& path, struct stat& status) {
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return -1;
  const bool measured = fstat(descriptor, &status) == 0;
  const int error = !measured ? errno : S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
  if (measured && S_ISREG(status.st_mode)) return descriptor;
  close(descriptor);
  errno = error;
  return -1;
}

std::string FontFileOpenProblem(const std::string& path) {
  struct stat status{};
  const int descriptor = OpenRegularFile(path, status);
  if (descriptor < 0) return errno == EINVAL ? "not a regular file" : std::strerror(errno);
  close(descriptor);
  return {};
}

}  // namespace moji
