#pragma once
// The command line's subcommands and their arguments, parsed without Qt.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "window/display_request.h"

namespace moji {

/// What the command line asks for.
enum class CommandKind { Help, Version, Report, Render, Faces };

/// How `render` writes its drawing, chosen by the output file's extension.
enum class ImageFormat { Png, Svg };

/// A parsed command; the fields a command does not take keep their defaults.
struct CommandRequest {
  CommandKind Kind = CommandKind::Help;
  /// The character to outline, UTF-8 (only its first character is used).
  std::string Character;
  /// The face name, UTF-8; none for the window's start-up face.
  std::optional<std::string> Face;
  /// Pen thickness of `render`, 1 to 5.
  std::int32_t Thickness = kInitialPen;
  /// The file `render` writes.
  std::string OutputPath;
  ImageFormat Format = ImageFormat::Png;
};

/// A command, or the one-line reason the arguments were refused.
struct ParsedCommand {
  std::optional<CommandRequest> Request;
  std::string Error;
};

/// True when the arguments (program name excluded) are for the command line rather than the
/// window: the first one is a word (a subcommand) or is --help, -h or --version.
bool IsCommandLineRequest(const std::vector<std::string>& arguments);

/// Parses the arguments (program name excluded) of a command-line request.
ParsedCommand ParseCommand(const std::vector<std::string>& arguments);

/// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsWellFormedUtf8(const std::string& bytes);

/// The usage text that --help prints.
const char* CommandUsage();

}  // namespace moji
