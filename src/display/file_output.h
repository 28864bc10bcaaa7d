#pragma once
// Writing a file the program makes: completely or not at all.

#include <string>
#include <string_view>

namespace moji {

/// Writes `bytes` to the file at `path` (its exact bytes) completely or not at all. A regular
/// file, or a link to one, is replaced by a whole new file only once it is written, synced and
/// renamed into place, so a failure keeps the old file as it was and leaves no temporary file;
/// the new file keeps the old one's permissions. A pipe, terminal or other device is written
/// into as it is, never replaced. Returns the reason of a failure, empty on success.
std::string SaveFile(const std::string& path, std::string_view bytes);

}  // namespace moji
