#pragma once
// Writing a PNG picture to a file: completely or not at all.

#include <optional>
#include <string>

namespace moji {

/// Writes the bytes of a PNG file to `path` as SaveFile does; nothing is written without bytes
/// (the picture could not be encoded). Returns the reason of a failure, empty on success.
std::string SavePngFile(const std::string& path, const std::optional<std::string>& png);

}  // namespace moji
