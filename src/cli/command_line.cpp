#include "cli/command_line.h"

#include <QByteArrayView>
#include <QCommandLineParser>
#include <QStringDecoder>
#include <QStringList>
#include <charconv>
#include <map>
#include <set>
#include <string_view>

namespace moji {
namespace {

/// The options each mode takes, by their long names.
const std::map<CommandKind, std::set<QString>>& OptionsOfModes() {
  static const std::map<CommandKind, std::set<QString>> options = {
      {CommandKind::Window, {"screenshot"}},
      {CommandKind::Report, {"face"}},
      {CommandKind::Render, {"face", "thickness", "scale", "output", "format"}},
      {CommandKind::Faces, {}},
  };
  return options;
}

std::optional<CommandKind> SubcommandNamed(const QString& word) {
  if (word == "report") return CommandKind::Report;
  if (word == "render") return CommandKind::Render;
  if (word == "faces") return CommandKind::Faces;
  return std::nullopt;
}

ParsedCommand Refused(const QString& error) { return {std::nullopt, error.toStdString()}; }

/// The arguments as text, exactly: a leading U+FEFF is a character like any other. Nothing
/// when an argument is not UTF-8, since it could not be passed on as the bytes it is.
std::optional<QStringList> DecodedArguments(int argc, const char* const* argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString argument = decoder.decode(QByteArrayView(argv[i]));
    if (decoder.hasError()) return std::nullopt;
    arguments << argument;
  }
  return arguments;
}

/// The whole number `text` spells, when it lies from `least` to `most`.
std::optional<std::int32_t> ParseWholeNumber(const QString& text, std::int32_t least,
                                             std::int32_t most) {
  const std::string digits = text.toStdString();
  std::int32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || error != std::errc{} || stop != end) return std::nullopt;
  if (value < least || value > most) return std::nullopt;
  return value;
}

std::optional<ImageFormat> FormatNamed(const QString& name) {
  if (name.compare("png", Qt::CaseInsensitive) == 0) return ImageFormat::Png;
  if (name.compare("svg", Qt::CaseInsensitive) == 0) return ImageFormat::Svg;
  return std::nullopt;
}

/// The format --format names, else the one the output file's extension names.
std::optional<ImageFormat> OutputFormat(const QCommandLineParser& parser) {
  if (parser.isSet("format")) return FormatNamed(parser.value("format"));
  const QString path = parser.value("output");
  const qsizetype dot = path.lastIndexOf('.');
  return dot < 0 ? std::nullopt : FormatNamed(path.mid(dot + 1));
}

/// The first option given that the mode does not take, or an empty text.
QString OptionOutsideMode(const QCommandLineParser& parser, CommandKind kind) {
  for (const QString& name : parser.optionNames()) {
    const QString longName = name == "o" ? "output" : name;
    if (!OptionsOfModes().at(kind).contains(longName)) return name;
  }
  return {};
}

/// Reads the option values into the request; the problem with one, or an empty text.
QString ApplyOptions(const QCommandLineParser& parser, CommandRequest& request) {
  if (parser.isSet("face")) {
    request.Face = parser.value("face").toStdString();
    if (!OutlineRequestFont(*request.Face)) return "the face name is longer than 31 bytes";
  }
  if (parser.isSet("thickness")) {
    const std::optional<std::int32_t> thickness =
        ParseWholeNumber(parser.value("thickness"), kThinnestPen, kThickestPen);
    if (!thickness) return "--thickness must be a whole number from 1 to 5: " + parser.value("thickness");
    request.Thickness = *thickness;
  }
  if (parser.isSet("scale")) {
    const std::optional<std::int32_t> scale =
        ParseWholeNumber(parser.value("scale"), 1, kLargestScale);
    if (!scale) return "--scale must be a whole number from 1 to 8: " + parser.value("scale");
    request.Scale = *scale;
  }
  if (parser.isSet("output")) {
    const std::optional<ImageFormat> format = OutputFormat(parser);
    if (!format) {
      return parser.isSet("format") ? "--format must be png or svg: " + parser.value("format")
                                    : "the output file must end in .png or .svg, or --format "
                                      "must say which: " + parser.value("output");
    }
    request.OutputPath = parser.value("output").toStdString();
    request.Format = *format;
  } else if (request.Kind == CommandKind::Render) {
    return "render needs -o FILE.png|FILE.svg";
  }
  if (parser.isSet("screenshot")) {
    if (parser.value("screenshot").isEmpty()) return "--screenshot needs a FILE";
    request.ScreenshotPath = parser.value("screenshot").toStdString();
  }
  return {};
}

/// The positional arguments of the mode: CHAR for report and render, none otherwise.
QString ApplyPositionals(QStringList positionals, CommandRequest& request) {
  if (request.Kind != CommandKind::Window) positionals.removeFirst();
  const bool takesCharacter = request.Kind == CommandKind::Report || request.Kind == CommandKind::Render;
  if (takesCharacter) {
    if (positionals.isEmpty()) return "missing CHAR";
    request.Character = positionals.takeFirst().toStdU16String();
    if (request.Character.empty()) return "CHAR is empty";
  }
  if (!positionals.isEmpty()) return "unexpected argument: " + positionals.first();
  return {};
}

}  // namespace

ParsedCommand ParseCommandLine(int argc, const char* const* argv) {
  const std::optional<QStringList> arguments = DecodedArguments(argc, argv);
  if (!arguments) return Refused("an argument is not valid UTF-8");
  QCommandLineParser parser;
  parser.addOptions({
      {{"h", "help"}, "help"},
      {{"v", "version"}, "version"},
      {"face", "face", "NAME"},
      {"thickness", "thickness", "N"},
      {"scale", "scale", "N"},
      {{"o", "output"}, "output", "FILE"},
      {"format", "format", "FORMAT"},
      {"screenshot", "screenshot", "FILE"},
  });
  // The program's own name is not among the arguments.
  if (!parser.parse(QStringList{"moji-outline"} + *arguments)) return Refused(parser.errorText());

  CommandRequest request;
  if (parser.isSet("help")) {
    request.Kind = CommandKind::Help;
    return {request, {}};
  }
  const QStringList positionals = parser.positionalArguments();
  if (!positionals.isEmpty()) request.Kind = SubcommandNamed(positionals.first()).value_or(request.Kind);
  if (parser.isSet("version")) {
    if (parser.optionNames().size() > 1 || !positionals.isEmpty()) {
      return Refused("--version takes no other argument");
    }
    request.Kind = CommandKind::Version;
    return {request, {}};
  }
  if (const QString outside = OptionOutsideMode(parser, request.Kind); !outside.isEmpty()) {
    return Refused("unknown option for this command: " + outside);
  }
  QString problem = ApplyPositionals(positionals, request);
  if (problem.isEmpty()) problem = ApplyOptions(parser, request);
  if (!problem.isEmpty()) return Refused(problem);
  return {request, {}};
}

const char* CommandUsage() {
  return "Usage: moji-outline [--screenshot FILE]\n"
         "  or:  moji-outline report CHAR [--face NAME]\n"
         "  or:  moji-outline render CHAR [--face NAME] [--thickness N] [--scale N] [--format FORMAT] -o FILE\n"
         "  or:  moji-outline faces\n"
         "Show how a character of a font is built from outline curves: its contours listed point\n"
         "by point and drawn in colour. Without a command, open the window.\n"
         "\n"
         "Commands:\n"
         "  report CHAR      print the outline report of the first character of CHAR, as the\n"
         "                   window shows it (UTF-8, lines ending in CR LF)\n"
         "  render CHAR      draw the outline as the window's 200 x 200 drawing area does\n"
         "  faces            list the installed outline faces, as the window's face list does\n"
         "\n"
         "Options:\n"
         "  --face=NAME      the face to outline (report, render); the window's start-up face\n"
         "                   \"ＭＳ ゴシック\" by default; a face that is not installed is replaced\n"
         "                   by the one the font engine substitutes for it\n"
         "  --thickness=N    pen thickness of render, 1 to 5 (default 2)\n"
         "  --scale=N        pixels of render's PNG per drawing-area pixel, 1 to 8 (default 1):\n"
         "                   the same drawing at N times the resolution (200N x 200N); an SVG\n"
         "                   is the same at any scale\n"
         "  -o, --output=FILE\n"
         "                   the file render writes: FILE.png (the drawing area's pixels) or\n"
         "                   FILE.svg (one path per contour, through the same points); a pipe\n"
         "                   or device (such as /dev/stdout) is written into as it is\n"
         "  --format=FORMAT  png or svg: the format of render's output whatever its name\n"
         "  --screenshot=FILE\n"
         "                   open the window, write a PNG picture of it after start-up, and\n"
         "                   close it\n"
         "  -h, --help       show this help and exit\n"
         "  -v, --version    show the version and exit\n"
         "\n"
         "A refused command line, or a file that cannot be written, prints one line on standard\n"
         "error and exits with status 2; nothing is written then. A file is written completely\n"
         "or not at all: an existing file is kept until the new one is whole.\n"
         "\n"
         "Examples:\n"
         "  moji-outline report 龍 --face IPAゴシック\n"
         "  moji-outline render 龍 --thickness 3 -o ryu.png\n"
         "  moji-outline render 龍 --scale 4 -o ryu-large.png\n"
         "  moji-outline render A --face \"DejaVu Sans\" -o a.svg\n";
}

}  // namespace moji
