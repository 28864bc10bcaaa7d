#pragma once
// The options of the command line, in one table: their names, which commands take them, and
// what --help says of them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace moji {

/// What the command line asks for.
enum class CommandKind { Window, Help, Version, Report, Render, Faces };

/// The commands an option belongs to, as bits.
enum CommandBits : std::uint8_t {
  kWindowCommand = 1,
  kReportCommand = 2,
  kRenderCommand = 4,
  kFacesCommand = 8,
  kEveryCommand = 15,
};

/// One option of the command line.
struct OptionSpec {
  /// The long name, and the one-letter name where there is one.
  std::string Name;
  std::string Letter;
  /// The name of its value in the help ("NAME"); empty for a switch.
  std::string ValueName;
  /// The commands that take it.
  std::uint8_t Commands = 0;
  /// What --help says of it, its lines already broken, the drawing's limits filled in.
  std::string Help;
};

/// Every option, in the order --help lists them.
std::vector<OptionSpec> Options();

/// The option of that long or one-letter name among `options`, or nullptr.
const OptionSpec* OptionNamed(const std::vector<OptionSpec>& options, std::string_view name);

/// The bit of a command, 0 for help and version (which take no option).
std::uint8_t CommandBit(CommandKind kind);

/// The Options section of --help: each option, then its text, as help2man reads them.
std::string OptionsHelp();

/// `text` with the drawing's limits filled in for {min-pen}, {max-pen}, {start-pen} and
/// {max-scale}, and the sizes in pixels for {min-ppem} and {max-ppem}.
std::string WithLimits(std::string_view text);

}  // namespace moji
