#include "cli/command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

namespace moji {
namespace {

constexpr std::string_view kHelpOptions[] = {"--help", "-h"};

bool IsHelpOption(std::string_view argument) {
  return std::find(std::begin(kHelpOptions), std::end(kHelpOptions), argument) !=
         std::end(kHelpOptions);
}

/// A lone "-" is a character to outline, not an option.
bool IsOption(std::string_view argument) { return argument.size() > 1 && argument[0] == '-'; }

std::optional<CommandKind> SubcommandNamed(std::string_view word) {
  if (word == "report") return CommandKind::Report;
  if (word == "render") return CommandKind::Render;
  if (word == "faces") return CommandKind::Faces;
  return std::nullopt;
}

ParsedCommand Refused(std::string error) { return ParsedCommand{std::nullopt, std::move(error)}; }

std::optional<std::int32_t> ParseThickness(std::string_view text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
  if (value < kThinnestPen || value > kThickestPen) return std::nullopt;
  return value;
}

std::optional<ImageFormat> FormatOfPath(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  std::string extension(path.substr(dot));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".png") return ImageFormat::Png;
  if (extension == ".svg") return ImageFormat::Svg;
  return std::nullopt;
}

/// The checks that need the whole command: required arguments and their values.
// Stores the value of one known option; the problem with the value, or an empty text.
std::string ApplyOption(CommandRequest& request, const std::string& option,
                        const std::string& value, bool& outputGiven) {
  if (option == "--face") {
    request.Face = value;
  } else if (option == "--thickness") {
    const std::optional<std::int32_t> thickness = ParseThickness(value);
    if (!thickness) return "--thickness must be a whole number from 1 to 5: " + value;
    request.Thickness = *thickness;
  } else {
    const std::optional<ImageFormat> format = FormatOfPath(value);
    if (!format) return "the output file must end in .png or .svg: " + value;
    request.OutputPath = value;
    request.Format = *format;
    outputGiven = true;
  }
  return {};
}

std::string ProblemWith(const CommandRequest& request, bool characterGiven, bool outputGiven) {
  if (request.Kind == CommandKind::Faces) return {};
  if (!characterGiven) return "missing CHAR";
  if (request.Character.empty()) return "CHAR is empty";
  if (!IsWellFormedUtf8(request.Character)) return "CHAR is not valid UTF-8";
  if (request.Face && !IsWellFormedUtf8(*request.Face)) return "the face name is not valid UTF-8";
  if (request.Face && !OutlineRequestFont(*request.Face)) {
    return "the face name is longer than 31 bytes";
  }
  if (request.Kind == CommandKind::Render && !outputGiven) {
    return "render needs -o FILE.png|FILE.svg";
  }
  return {};
}

}  // namespace

bool IsCommandLineRequest(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return false;
  const std::string& first = arguments.front();
  return !IsOption(first) || IsHelpOption(first) || first == "--version";
}

ParsedCommand ParseCommand(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return Refused("missing command");
  CommandRequest request;
  const std::string& first = arguments.front();
  if (IsHelpOption(first)) return ParsedCommand{request, {}};
  if (first == "--version") {
    if (arguments.size() > 1) return Refused("unexpected argument: " + arguments[1]);
    request.Kind = CommandKind::Version;
    return ParsedCommand{request, {}};
  }
  const std::optional<CommandKind> kind = SubcommandNamed(first);
  if (!kind) return Refused((IsOption(first) ? "unknown option: " : "unknown command: ") + first);
  request.Kind = *kind;

  const bool takesCharacter = request.Kind != CommandKind::Faces;
  const bool rendering = request.Kind == CommandKind::Render;
  bool characterGiven = false;
  bool outputGiven = false;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!optionsEnded && IsOption(argument)) {
      if (argument == "--") {
        optionsEnded = true;
        continue;
      }
      if (IsHelpOption(argument)) return ParsedCommand{CommandRequest{}, {}};
      const bool known = (takesCharacter && argument == "--face") ||
                         (rendering && (argument == "--thickness" || argument == "-o"));
      if (!known) return Refused("unknown option: " + argument);
      if (i + 1 == arguments.size()) return Refused(argument + " needs a value");
      std::string problem = ApplyOption(request, argument, arguments[++i], outputGiven);
      if (!problem.empty()) return Refused(std::move(problem));
      continue;
    }
    if (!takesCharacter || characterGiven) return Refused("unexpected argument: " + argument);
    request.Character = argument;
    characterGiven = true;
  }
  std::string problem = ProblemWith(request, characterGiven, outputGiven);
  if (!problem.empty()) return Refused(std::move(problem));
  return ParsedCommand{request, {}};
}

bool IsWellFormedUtf8(const std::string& bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
      return false;
    }
    if (bytes.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

const char* CommandUsage() {
  return "usage: moji-outline                      open the window\n"
         "       moji-outline --screenshot FILE    write a PNG of the window after start-up\n"
         "       moji-outline report CHAR [--face NAME]\n"
         "           print the outline report of CHAR's first character (UTF-8, CRLF lines)\n"
         "       moji-outline render CHAR [--face NAME] [--thickness 1..5] -o FILE.png|FILE.svg\n"
         "           draw the outline as the window's 200 x 200 drawing area does (thickness 2)\n"
         "       moji-outline faces\n"
         "           list the installed TrueType faces as the window's face list does\n"
         "       moji-outline --help | --version\n"
         "The face defaults to the window's start-up face; a face that is not installed is\n"
         "replaced by the one the font engine substitutes for it.\n";
}

}  // namespace moji
