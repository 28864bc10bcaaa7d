#pragma once
// What the command line writes: standard output and files written whole; failures in one line
// (display/one_line_message.h).

#include <string>
#include <string_view>

#include "display/one_line_message.h"

namespace moji {

/// The output file name that stands for standard output.
inline constexpr char kStandardOutputName[] = "-";

/// Writes the bytes to standard output; on failure prints one line and returns 2, else 0.
int WriteToStandardOutput(std::string_view bytes);

/// Writes `bytes` to the file completely or not at all (to standard output for "-"); on failure
/// prints one line naming the file and returns 2, else 0.
int WriteOutputFile(const std::string& path, std::string_view bytes);

}  // namespace moji
