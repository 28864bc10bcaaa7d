#pragma once
// The command line's subcommands: the window's display request and font walk without a window.

#include "cli/command_line.h"

namespace moji {

/// Side of the drawing area in pixels: the window's Picture1 image.
inline constexpr int kDrawingSide = 200;

/// Runs a parsed command, writing its result to standard output or its file and any failure
/// as one line to standard error. Returns the exit status: 0 on success, 2 when the output
/// cannot be written, 1 when the drawing fails.
int RunCommand(const CommandRequest& request);

/// Prints the one-line message of a refused command line and returns its exit status, 2.
int RefuseCommand(const std::string& error);

}  // namespace moji
