#include "display/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <string>

namespace moji {
namespace {

std::string Reason(int error) { return std::strerror(error); }

/// Writes all of `bytes` to the open file; the reason of a failure, empty on success.
std::string WriteAll(int file, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(file, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return Reason(written < 0 ? errno : ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

/// The file a path names once every symbolic link on the way is followed, also when the last
/// link points at a file that does not exist yet; the path itself when it is no link.
std::string LinkTarget(const std::string& path) {
  if (char resolved[PATH_MAX]; realpath(path.c_str(), resolved) != nullptr) return resolved;
  std::string current = path;
  for (int depth = 0; depth < 40; ++depth) {
    char target[PATH_MAX];
    const ssize_t length = readlink(current.c_str(), target, sizeof target - 1);
    if (length < 0) break;
    const std::string next(target, static_cast<std::size_t>(length));
    const std::size_t slash = current.rfind('/');
    current = next.starts_with('/') || slash == std::string::npos
                  ? next
                  : current.substr(0, slash + 1) + next;
  }
  return current;
}

/// Writes into an existing file that is not a regular one (a pipe, a terminal, a device).
std::string WriteInPlace(const std::string& path, std::string_view bytes) {
  const int file = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (file < 0) return Reason(errno);
  std::string failure = WriteAll(file, bytes);
  if (close(file) != 0 && failure.empty()) failure = Reason(errno);
  return failure;
}

/// Creates a new temporary file in `folder` with the permissions a plainly created file gets
/// (0666 less the umask); -1 when none can be made.
int CreateTemporary(const std::string& folder, std::string& name) {
  // The process and the clock tell this file apart from another program's and from this
  // program's earlier ones; the attempt, from one made in the same tick.
  const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + ".moji-outline-" + std::to_string(getpid()) + "-" + std::to_string(tick) +
           "-" + std::to_string(attempt);
    const int file = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file >= 0 || errno != EEXIST) return file;
  }
  return -1;
}

/// Writes a temporary file beside `target`, syncs it and renames it over `target`.
std::string Replace(const std::string& target, std::string_view bytes) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  std::string temporary;
  const int file = CreateTemporary(folder, temporary);
  if (file < 0) return Reason(errno);
  std::string failure = WriteAll(file, bytes);
  // A replaced file keeps its permissions.
  struct stat old{};
  if (failure.empty() && stat(target.c_str(), &old) == 0 && fchmod(file, old.st_mode & 07777) != 0) {
    failure = Reason(errno);
  }
  if (failure.empty() && fsync(file) != 0) failure = Reason(errno);
  if (close(file) != 0 && failure.empty()) failure = Reason(errno);
  if (failure.empty() && rename(temporary.c_str(), target.c_str()) != 0) failure = Reason(errno);
  if (!failure.empty()) unlink(temporary.c_str());
  return failure;
}

}  // namespace

std::string SaveFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return Reason(ENOENT);
  struct stat existing{};
  if (stat(path.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) return Reason(EISDIR);
    if (!S_ISREG(existing.st_mode)) return WriteInPlace(path, bytes);
  }
  return Replace(LinkTarget(path), bytes);
}

}  // namespace moji
