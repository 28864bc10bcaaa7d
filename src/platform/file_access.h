#pragma once
// Opening a file the program reads fonts from: a regular file, never a pipe or a device.

#include <sys/stat.h>

#include <string>

namespace moji {

/// Opens the file for reading and fills in its status; -1 (errno set) when it does not open or
/// is no regular file (EISDIR for a folder, EINVAL for a pipe or device). Never blocks: opening
/// a pipe for reading would otherwise wait for a writer.
int OpenRegularFile(const std::string& path, struct stat& status);

/// Why the file at `path` cannot be read as a font file, in the system's words ("No such file or
/// directory", "Permission denied", "Is a directory"); empty when it opens as a regular file.
std::string FontFileOpenProblem(const std::string& path);

}  // namespace moji
