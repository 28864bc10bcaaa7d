#pragma once
// A failure told on standard error as one line of the program's own, whatever its text holds.

#include <string>
#include <string_view>

namespace moji {

/// Exit status of a refused command line, an unusable font file or a file that cannot be written.
inline constexpr int kUsageError = 2;

/// Prints "moji-outline: " and the message, escaped to one line, on standard error; returns 2.
int Fail(std::string_view message);

/// Prints the message as Fail does, for what the user should know of a command that succeeds.
void Warn(std::string_view message);

/// A text on one line of its own: control characters and backslashes escaped visibly
/// (\n, \t, \x1b, \u009b, \\), everything else as it is.
std::string EscapedLine(std::string_view text);

}  // namespace moji
