#pragma once
// The command line's subcommands: the window's display request and face walk without a window.

#include <string>

#include "cli/command_line.h"
#include "cli/command_output.h"

namespace moji {

/// Runs a parsed command (not the window), writing its result to standard output or its file
/// and any failure as one line to standard error. Returns the exit status: 0 on success, 2 for
/// a font file that cannot be used or an output that cannot be written, 1 when the drawing fails.
int RunCommand(const CommandRequest& request);

/// Prints the one-line message of a refused command line and returns its exit status, 2.
int RefuseCommand(const std::string& error);

}  // namespace moji
