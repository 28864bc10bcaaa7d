#pragma once
// What the command line writes: standard output, files written whole, one-line messages.

#include <string>
#include <string_view>

class QImage;

namespace moji {

/// Exit status of a refused command line, an unusable font file or a file that cannot be written.
inline constexpr int kUsageError = 2;

/// Writes the bytes to standard output; on failure prints one line and returns 2, else 0.
int WriteToStandardOutput(std::string_view bytes);

/// Writes `bytes` to the file completely or not at all; on failure prints one line naming the
/// file and returns 2, else 0.
int WriteOutputFile(const std::string& path, std::string_view bytes);

/// Writes the opaque image as a PNG file, completely or not at all, as WriteOutputFile does.
int WritePngFile(const std::string& path, const QImage& image);

/// Prints "moji-outline: " and the message, escaped to one line, on standard error; returns 2.
int Fail(std::string_view message);

/// A text on one line of its own: control characters and backslashes escaped visibly
/// (\n, \t, \x1b, \u009b, \\), everything else as it is.
std::string EscapedLine(std::string_view text);

}  // namespace moji
