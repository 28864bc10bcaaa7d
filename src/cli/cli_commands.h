#pragma once
// The command line's subcommands: the window's display request and face walk without a window.

#include <string>
#include <string_view>

class QImage;

#include "cli/command_line.h"

namespace moji {

/// Side of the drawing area in pixels: the window's Picture1 image.
inline constexpr int kDrawingSide = 200;
/// Exit status of a refused command line or a file that cannot be written.
inline constexpr int kUsageError = 2;

/// Runs a parsed command (not the window), writing its result to standard output or its file
/// and any failure as one line to standard error. Returns the exit status: 0 on success, 2 when
/// the output cannot be written, 1 when the drawing fails.
int RunCommand(const CommandRequest& request);

/// Prints the one-line message of a refused command line and returns its exit status, 2.
int RefuseCommand(const std::string& error);

/// Writes `bytes` to the file completely or not at all; on failure prints one line naming the
/// file and returns 2, else 0.
int WriteOutputFile(const std::string& path, std::string_view bytes);

/// Writes the opaque image as a PNG file, completely or not at all, as WriteOutputFile does.
int WritePngFile(const std::string& path, const QImage& image);

/// A face name on one line of its own: control characters and backslashes escaped visibly
/// (\n, \t, \x1b, \u009b, \\), everything else as it is.
std::string EscapedLine(std::string_view name);

}  // namespace moji
