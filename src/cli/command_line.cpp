#include "cli/command_line.h"

#include <QByteArrayView>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/pixel_report.h"

namespace moji {
namespace {

/// The largest face index of a font file: collections hold far fewer faces.
constexpr std::int32_t kLargestFaceIndex = 0xFFFF;

/// The subcommands by name.
constexpr std::pair<const char*, CommandKind> kSubcommands[] = {
    {"report", CommandKind::Report}, {"render", CommandKind::Render}, {"faces", CommandKind::Faces}};

std::optional<CommandKind> SubcommandNamed(const QString& word) {
  for (const auto& [name, kind] : kSubcommands) {
    if (word == QLatin1String(name)) return kind;
  }
  return std::nullopt;
}

/// How many single-character edits (insertions, deletions, substitutions, swaps of neighbours)
/// turn `a` into `b`.
qsizetype EditDistance(const QString& a, const QString& b) {
  std::vector<std::vector<qsizetype>> d(a.size() + 1, std::vector<qsizetype>(b.size() + 1));
  for (qsizetype i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (qsizetype j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (qsizetype i = 1; i <= a.size(); ++i) {
    for (qsizetype j = 1; j <= b.size(); ++j) {
      const qsizetype change = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

/// The candidate closest to `word`, when it is close enough to be what was meant: at most two
/// edits, and fewer than half the word.
std::optional<QString> NearestOf(const QString& word, const QStringList& candidates) {
  std::optional<QString> nearest;
  qsizetype best = std::min<qsizetype>(2, (word.size() - 1) / 2);
  for (const QString& candidate : candidates) {
    const qsizetype distance = EditDistance(word.toLower(), candidate);
    if (distance <= best) {
      best = distance - 1;
      nearest = candidate;
    }
  }
  return nearest;
}

/// A word the window would take for a font file: one that names a path or has an extension.
bool LooksLikeAFile(const QString& word) {
  return word.contains(u'/') || word.contains(u'.') || QFileInfo::exists(word);
}

/// "unknown command 'reprot' (did you mean 'report'?)".
QString UnknownCommand(const QString& word) {
  QStringList names;
  for (const auto& [name, kind] : kSubcommands) names << QLatin1String(name);
  QString message = "unknown command '" + word + "'";
  if (const std::optional<QString> nearest = NearestOf(word, names)) {
    message += " (did you mean '" + *nearest + "'?)";
  }
  return message;
}

/// A refusal: its reason, and where to read more unless the reason says what was meant.
ParsedCommand Refused(const QString& error) {
  const bool suggests = error.contains(QStringLiteral("(did you mean"));
  return {std::nullopt, (suggests ? error : error + " (see moji-outline --help)").toStdString()};
}

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

/// Reads option `name`, when given, into `value`: a whole number from `least` to `most`. The
/// problem with it, or an empty text.
QString ReadWholeNumber(const QCommandLineParser& parser, const QString& name, std::int32_t least,
                        std::int32_t most, std::int32_t& value) {
  if (!parser.isSet(name)) return {};
  const std::optional<std::int32_t> number = ParseWholeNumber(parser.value(name), least, most);
  if (!number) {
    return "--" + name + " must be a whole number from " + QString::number(least) + " to " +
           QString::number(most) + ": " + parser.value(name);
  }
  value = *number;
  return {};
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

/// An option's name as it is typed: "-o", "--face".
QString Dashed(const QString& name) { return (name.size() == 1 ? "-" : "--") + name; }

/// What a mode is called in a message.
QString ModeName(CommandKind kind) {
  for (const auto& [name, mode] : kSubcommands) {
    if (mode == kind) return QLatin1String(name);
  }
  return QStringLiteral("the window");
}

/// The refusal of the first option given that the mode does not take, or an empty text.
QString OptionOutsideMode(const QCommandLineParser& parser, CommandKind kind) {
  const std::vector<OptionSpec> options = Options();
  for (const QString& name : parser.optionNames()) {
    const OptionSpec* option = OptionNamed(options, name.toStdString());
    if (option == nullptr || (option->Commands & CommandBit(kind)) == 0) {
      return Dashed(name) + " is not an option of " + ModeName(kind);
    }
  }
  return {};
}

/// Why the toolkit's parser refused the arguments, in the program's own words: an unknown option
/// named with its dashes (and the nearest known one when one is close), else the parser's text.
QString ParserRefusal(const QCommandLineParser& parser) {
  const QStringList unknown = parser.unknownOptionNames();
  if (unknown.isEmpty()) {
    QString text = parser.errorText();
    if (text.endsWith(u'.')) text.chop(1);
    if (!text.isEmpty()) text[0] = text[0].toLower();
    return text;
  }
  QStringList known;
  for (const OptionSpec& option : Options()) known << QString::fromStdString(option.Name);
  QString message = "unknown option " + Dashed(unknown.first());
  const std::optional<QString> nearest =
      unknown.first().size() > 1 ? NearestOf(unknown.first(), known) : std::nullopt;
  if (nearest) message += " (did you mean " + Dashed(*nearest) + "?)";
  return message;
}

/// Reads the style, instance and axis values into the request; the problem with one, or an empty
/// text. Whether the face has them is for the command to check, once it has the face.
QString ApplyVariationOptions(const QCommandLineParser& parser, CommandRequest& request) {
  if (parser.isSet("style")) {
    if (!request.Face) return "--style needs --face";
    request.Within.Style = parser.value("style").toStdString();
    if (request.Within.Style.empty()) return "--style needs a NAME";
  }
  if (parser.isSet("instance")) {
    request.Within.Instance = parser.value("instance").toStdString();
    if (request.Within.Instance.empty()) return "--instance needs a NAME";
  }
  if (parser.isSet("variation")) {
    const std::optional<std::vector<AxisValue>> values =
        ParseAxisValues(parser.value("variation").toStdString());
    if (!values) {
      return "--variation must be TAG=VALUE[,TAG=VALUE...], each TAG four characters and each "
             "VALUE a number: " + parser.value("variation");
    }
    request.Within.Axes = *values;
  }
  if (parser.isSet("styles")) {
    if (request.FontFile) return "--styles lists the installed faces, not a font file's";
    request.Styles = true;
  }
  return {};
}

/// Reads the face options into the request; the problem with one, or an empty text.
QString ApplyFaceOptions(const QCommandLineParser& parser, CommandRequest& request) {
  if (parser.isSet("face")) {
    request.Face = parser.value("face").toStdString();
    if (!OutlineRequestFont(*request.Face)) {
      return "the face name is longer than " + QString::number(kMaxFaceNameBytes) + " bytes";
    }
  }
  if (parser.isSet("font-file")) {
    if (request.Face) return "--face and --font-file cannot both be given";
    request.FontFile = parser.value("font-file").toStdString();
  }
  if (parser.isSet("face-index")) {
    if (!request.FontFile) return "--face-index needs a font file";
    const std::optional<std::int32_t> index =
        ParseWholeNumber(parser.value("face-index"), 0, kLargestFaceIndex);
    if (!index) return "--face-index must be a whole number from 0: " + parser.value("face-index");
    request.FaceIndex = *index;
  }
  return ApplyVariationOptions(parser, request);
}

/// Reads what `report` prints into the request; the problem with it, or an empty text.
QString ApplyReportOptions(const QCommandLineParser& parser, CommandRequest& request) {
  if (parser.isSet("json") && parser.isSet("info")) return "--json and --info cannot both be given";
  if (parser.isSet("steps")) {
    for (const char* other : {"json", "info", "ppem"}) {
      if (parser.isSet(other)) return Dashed(other) + " and --steps cannot both be given";
    }
    request.Report = ReportForm::Steps;
  }
  if (parser.isSet("json")) request.Report = ReportForm::Json;
  if (parser.isSet("info")) request.Report = ReportForm::Info;
  return {};
}

/// Reads render's --step and --steps-dir; the problem with them, or an empty text.
QString ApplyStepOptions(const QCommandLineParser& parser, CommandRequest& request) {
  if (parser.isSet("step") && parser.isSet("steps-dir")) return "--step and --steps-dir cannot both be given";
  if (request.Pixels && (parser.isSet("step") || parser.isSet("steps-dir"))) {
    return "--ppem draws the glyph at a size, not the steps of its construction";
  }
  if (request.View == RenderView::FontUnits && (parser.isSet("step") || parser.isSet("steps-dir"))) {
    return "--units font draws the whole outline, not its steps";
  }
  if (parser.isSet("step")) {
    std::int32_t step = 0;
    const QString problem = ReadWholeNumber(parser, "step", 0, kMostSteps, step);
    if (!problem.isEmpty()) return problem;
    request.Step = step;
  }
  if (parser.isSet("steps-dir")) {
    if (parser.value("steps-dir").isEmpty()) return "--steps-dir needs a folder";
    if (parser.isSet("output")) return "--steps-dir writes its own files: -o cannot be given with it";
    if (parser.isSet("format") && !FormatNamed(parser.value("format"))) {
      return "--format must be png or svg: " + parser.value("format");
    }
    request.StepsDir = parser.value("steps-dir").toStdString();
    if (parser.isSet("format")) request.Format = *FormatNamed(parser.value("format"));
  }
  return {};
}

/// The hinting --hinting and --interpreter name; the problem with them, or an empty text.
QString ApplyHintingOptions(const QCommandLineParser& parser, HintingRequest& pixels) {
  if (parser.isSet("hinting")) {
    const std::optional<HintingMode> mode = HintingModeNamed(parser.value("hinting").toStdString());
    if (!mode) return "--hinting must be none, light, auto or font: " + parser.value("hinting");
    pixels.Hinting = *mode;
  }
  if (parser.isSet("interpreter")) {
    const QString version = parser.value("interpreter");
    if (pixels.Hinting != HintingMode::Font) return "--interpreter needs --hinting font";
    if (version != "35" && version != "40") return "--interpreter must be 35 or 40: " + version;
    pixels.Interpreter = version == "35" ? TrueTypeInterpreter::V35 : TrueTypeInterpreter::V40;
  }
  return {};
}

/// Reads --beside: the hinting of the second glyph, at the size and rendering of the first;
/// the problem with it, or an empty text.
QString ApplyBesideOption(const QString& name, CommandRequest& request) {
  HintingRequest beside = *request.Pixels;
  beside.Interpreter = TrueTypeInterpreter::V40;
  if (name == "font35") {
    beside.Hinting = HintingMode::Font;
    beside.Interpreter = TrueTypeInterpreter::V35;
  } else if (const std::optional<HintingMode> mode = HintingModeNamed(name.toStdString())) {
    beside.Hinting = *mode;
  } else {
    return "--beside must be none, light, auto, font or font35: " + name;
  }
  request.Beside = beside;
  return {};
}

/// Reads the size and hinting of `report --ppem` into the request; the problem with them, or an
/// empty text.
QString ApplyPixelOptions(const QCommandLineParser& parser, CommandRequest& request) {
  if (!parser.isSet("ppem")) {
    for (const char* name : {"hinting", "interpreter", "mono", "bitmap", "arrows", "beside"}) {
      if (parser.isSet(name)) return Dashed(name) + " needs --ppem";
    }
    return {};
  }
  if (parser.isSet("info")) return "--ppem and --info cannot both be given";
  HintingRequest pixels;
  QString problem = ReadWholeNumber(parser, "ppem", kSmallestPpem, kLargestPpem, pixels.Ppem);
  if (!problem.isEmpty()) return problem;
  if (parser.isSet("mono")) pixels.Antialias = Antialiasing::Mono;
  problem = ApplyHintingOptions(parser, pixels);
  if (problem.isEmpty()) request.Pixels = pixels;
  if (problem.isEmpty() && parser.isSet("beside")) problem = ApplyBesideOption(parser.value("beside"), request);
  return problem;
}

/// Reads the drawing options into the request; the problem with one, or an empty text.
QString ApplyDrawingOptions(const QCommandLineParser& parser, CommandRequest& request) {
  QString problem =
      ReadWholeNumber(parser, "thickness", kThinnestPen, kThickestPen, request.Style.PenWidth);
  if (problem.isEmpty()) problem = ReadWholeNumber(parser, "scale", 1, kLargestScale, request.Scale);
  if (!problem.isEmpty()) return problem;
  request.Style.Overlays = {parser.isSet("points"), parser.isSet("numbers"),
                           parser.isSet("direction")};
  if (parser.isSet("palette")) {
    const QString palette = parser.value("palette");
    if (palette != "classic" && palette != "readable") {
      return "--palette must be classic or readable: " + palette;
    }
    request.Style.Palette = palette == "readable" ? BlockPalette::Readable : BlockPalette::Classic;
  }
  return {};
}

/// Reads what `render` draws into the request; the problem with it, or an empty text.
QString ApplyViewOptions(const QCommandLineParser& parser, CommandRequest& request) {
  const QString view = parser.isSet("view") ? parser.value("view") : QStringLiteral("drawing");
  if (view != "drawing" && view != "inspector") return "--view must be drawing or inspector: " + view;
  if (view == "inspector") request.View = RenderView::Inspector;
  const bool inspector = request.View == RenderView::Inspector;
  for (const char* layer : {"size", "metrics", "grid", "handles", "cubics"}) {
    if (parser.isSet(layer) && !inspector) return "--" + QString(layer) + " needs --view inspector";
  }
  const QString size =
      ReadWholeNumber(parser, "size", kSmallestViewSide, kLargestViewSide, request.ViewSide);
  if (!size.isEmpty()) return size;
  if (request.Pixels && !inspector) return "--ppem draws the large view: it needs --view inspector";
  if (request.Pixels) request.PixelViewLayers = {parser.isSet("grid"), parser.isSet("bitmap"), parser.isSet("arrows")};
  if (parser.isSet("metrics")) request.Layers = AllMetricLayers(request.Layers);
  request.Layers.Grid = parser.isSet("grid");
  request.Layers.Handles = parser.isSet("handles");
  request.Layers.DrawnCubics = parser.isSet("cubics");
  request.Layers.Cursor = false;
  if (parser.isSet("units")) {
    if (parser.value("units") != "font") return "--units must be font: " + parser.value("units");
    if (inspector) return "--units font draws the outline alone, not with --view inspector";
    request.View = RenderView::FontUnits;
  }
  return {};
}

/// Reads the output options into the request; the problem with one, or an empty text.
QString ApplyOutputOptions(const QCommandLineParser& parser, CommandRequest& request) {
  if (parser.isSet("output")) {
    // "-" is standard output, whose name says nothing of the format.
    if (parser.value("output") == "-" && !parser.isSet("format")) {
      return "-o - writes to standard output and needs --format png or --format svg";
    }
    const std::optional<ImageFormat> format = OutputFormat(parser);
    if (!format) {
      return parser.isSet("format") ? "--format must be png or svg: " + parser.value("format")
                                    : "the output file must end in .png or .svg, or --format "
                                      "must say which: " + parser.value("output");
    }
    request.OutputPath = parser.value("output").toStdString();
    request.Format = *format;
    if (request.View == RenderView::FontUnits && request.Format != ImageFormat::Svg) {
      return "--units font writes SVG: the output must end in .svg, or --format svg";
    }
  } else if (request.Kind == CommandKind::Render && !request.StepsDir && !request.AllGlyphs) {
    return "render needs -o FILE.png|FILE.svg";
  }
  request.Inspector = parser.isSet("inspector");
  if (parser.isSet("screenshot")) {
    if (parser.value("screenshot").isEmpty()) return "--screenshot needs a FILE";
    request.ScreenshotPath = parser.value("screenshot").toStdString();
  }
  return {};
}

/// The character CHAR stands for: the text itself, or the code point "U+" (or "u+") and 4 to 6
/// hex digits name; nothing for a "U+" that names no code point (or a surrogate, which is no
/// character).
std::optional<QString> CharacterOf(const QString& text) {
  if (!text.startsWith("U+", Qt::CaseInsensitive)) return text;
  const QString digits = text.mid(2);
  bool isHex = digits.size() >= 4 && digits.size() <= 6;
  for (const QChar digit : digits) {
    const char16_t c = digit.unicode();
    isHex = isHex && ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'));
  }
  if (!isHex) return std::nullopt;
  const auto codePoint = static_cast<char32_t>(digits.toUInt(nullptr, 16));
  if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return std::nullopt;
  // Built from the code point itself: a decoder of UTF-32 would drop U+FEFF as a byte order mark.
  return QStringView(QChar::fromUcs4(codePoint)).toString();
}

/// Reads what `--all` asks of render; the problem with it, or an empty text.
QString ApplyEveryGlyphRender(const QCommandLineParser& parser, CommandRequest& request) {
  if (parser.isSet("output")) return "render --all writes into --output-dir, not -o";
  if (!parser.isSet("output-dir") || parser.value("output-dir").isEmpty()) {
    return "render --all needs --output-dir DIR";
  }
  if (!parser.isSet("format") || parser.value("format").compare("svg", Qt::CaseInsensitive) != 0) {
    return "render --all needs --format svg";
  }
  if (parser.isSet("view") || parser.isSet("units")) return "render --all draws the outline alone, in font units";
  request.OutputDir = parser.value("output-dir").toStdString();
  request.Format = ImageFormat::Svg;
  request.View = RenderView::FontUnits;
  return {};
}

/// Reads the glyph asked for in place of a character (--glyph-index, --vertical, --all) into
/// the request; the problem with it, or an empty text.
QString ApplyGlyphOptions(const QCommandLineParser& parser, CommandRequest& request) {
  const int chosen = int{parser.isSet("glyph-index")} + int{parser.isSet("vertical")} + int{parser.isSet("all")};
  if (chosen > 1) return "--glyph-index, --vertical and --all cannot be given together";
  if (parser.isSet("all") && parser.isSet("ppem")) return "--ppem takes one glyph, not --all";
  if (parser.isSet("output-dir") && !parser.isSet("all")) return "--output-dir needs --all";
  request.Vertical = parser.isSet("vertical");
  if (parser.isSet("glyph-index")) {
    const std::optional<std::int32_t> index =
        ParseWholeNumber(parser.value("glyph-index"), 0, std::numeric_limits<std::int32_t>::max());
    if (!index) return "--glyph-index must be a whole number from 0: " + parser.value("glyph-index");
    request.GlyphIndex = static_cast<std::uint32_t>(*index);
  }
  if (!parser.isSet("all")) return {};
  request.AllGlyphs = true;
  if (request.Kind == CommandKind::Report && !parser.isSet("json")) return "report --all needs --json";
  return request.Kind == CommandKind::Render ? ApplyEveryGlyphRender(parser, request) : QString();
}

/// The positional arguments of the mode: CHAR for report and render, an optional font file for
/// the window, none for faces.
QString ApplyPositionals(QStringList positionals, CommandRequest& request) {
  if (request.Kind != CommandKind::Window) positionals.removeFirst();
  const bool takesCharacter = (request.Kind == CommandKind::Report || request.Kind == CommandKind::Render) &&
                              !request.GlyphIndex && !request.AllGlyphs;
  if (takesCharacter) {
    if (positionals.isEmpty()) return "missing CHAR";
    const QString text = positionals.takeFirst();
    const std::optional<QString> character = CharacterOf(text);
    if (!character) {
      return "CHAR that starts with U+ must be U+ and 4 to 6 hex digits of a code point: " + text;
    }
    request.Character = character->toStdU16String();
    if (request.Character.empty()) return "CHAR is empty";
  }
  if (request.Kind == CommandKind::Window && !positionals.isEmpty()) {
    request.FontFile = positionals.takeFirst().toStdString();
  }
  if (!positionals.isEmpty()) return "unexpected argument: " + positionals.first();
  return {};
}

/// Every option of every mode; which mode takes which is checked after parsing.
void AddOptions(QCommandLineParser& parser) {
  for (const OptionSpec& option : Options()) {
    QStringList names;
    if (!option.Letter.empty()) names << QString::fromStdString(option.Letter);
    names << QString::fromStdString(option.Name);
    parser.addOption(
        QCommandLineOption(names, names.back(), QString::fromStdString(option.ValueName)));
  }
}

}  // namespace

ParsedCommand ParseCommandLine(int argc, const char* const* argv) {
  const std::optional<QStringList> arguments = DecodedArguments(argc, argv);
  if (!arguments) return Refused("an argument is not valid UTF-8");
  QCommandLineParser parser;
  AddOptions(parser);
  // The program's own name is not among the arguments.
  if (!parser.parse(QStringList{"moji-outline"} + *arguments)) return Refused(ParserRefusal(parser));

  CommandRequest request;
  if (parser.isSet("help")) {
    request.Kind = CommandKind::Help;
    return {request, {}};
  }
  const QStringList positionals = parser.positionalArguments();
  if (!positionals.isEmpty()) request.Kind = SubcommandNamed(positionals.first()).value_or(request.Kind);
  if (!positionals.isEmpty() && request.Kind == CommandKind::Window &&
      !LooksLikeAFile(positionals.first())) {
    return Refused(UnknownCommand(positionals.first()));
  }
  if (parser.isSet("version")) {
    if (parser.optionNames().size() > 1 || !positionals.isEmpty()) {
      return Refused("--version takes no other argument");
    }
    request.Kind = CommandKind::Version;
    return {request, {}};
  }
  if (const QString outside = OptionOutsideMode(parser, request.Kind); !outside.isEmpty()) {
    return Refused(outside);
  }
  QString problem = ApplyGlyphOptions(parser, request);
  if (problem.isEmpty()) problem = ApplyPositionals(positionals, request);
  if (problem.isEmpty()) problem = ApplyFaceOptions(parser, request);
  if (problem.isEmpty()) problem = ApplyReportOptions(parser, request);
  if (problem.isEmpty()) problem = ApplyPixelOptions(parser, request);
  if (problem.isEmpty()) problem = ApplyDrawingOptions(parser, request);
  if (problem.isEmpty() && request.Kind == CommandKind::Render) problem = ApplyViewOptions(parser, request);
  if (problem.isEmpty() && request.Kind == CommandKind::Render) problem = ApplyStepOptions(parser, request);
  if (problem.isEmpty()) problem = ApplyOutputOptions(parser, request);
  if (!problem.isEmpty()) return Refused(problem);
  return {request, {}};
}

std::string CommandUsage() {
  return "Usage: moji-outline [--screenshot FILE] [FONT-FILE [--face-index N]]\n"
         "  or:  moji-outline report CHAR [FACE] [--json | --info]\n"
         "  or:  moji-outline report CHAR [FACE] --ppem N [--hinting MODE] [--mono] [--json]\n"
         "  or:  moji-outline report CHAR [FACE] --steps\n"
         "  or:  moji-outline report --glyph-index N [FACE] [--json | --info]\n"
         "  or:  moji-outline report --all --json [FACE]\n"
         "  or:  moji-outline render CHAR [FACE] [DRAWING] [--step N] -o FILE\n"
         "  or:  moji-outline render CHAR [FACE] [DRAWING] --steps-dir DIR\n"
         "  or:  moji-outline render --all --format svg --output-dir DIR [FACE]\n"
         "  or:  moji-outline faces [--styles | --font-file PATH]\n"
         "Show how a character of a font is built from outline curves: its contours listed point\n"
         "by point and drawn in colour. Without a command, open the window; with a FONT-FILE,\n"
         "its faces are added to the window's face list and the first (or N) is drawn.\n"
         "FACE is --face NAME (with --style STYLE), or --font-file PATH with --face-index N\n"
         "where the file holds several faces; a variable face takes --instance NAME and\n"
         "--variation TAG=VALUE. DRAWING is any of --thickness, --scale, --points, --numbers,\n"
         "--direction, --palette and --format.\n"
         "\n"
         "Commands:\n"
         "  report CHAR      print the outline report of the first character of CHAR, as the\n"
         "                   window shows it (UTF-8, lines ending in CR LF); CHAR may also be\n"
         "                   U+ and 4 to 6 hex digits, such as U+9F8D or u+9f8d\n"
         "  render CHAR      draw the outline as the window's 200 x 200 drawing area does\n"
         "  faces            list the installed outline faces (TrueType, CFF and Type 1) as\n"
         "                   the window's face list does; with --styles, each family's styles;\n"
         "                   with --font-file, the faces of that file, one line each: its\n"
         "                   index, then its name, and a variable face's named instances\n"
         "                   under it, indented, each with its coordinates\n"
         "\n" +
         OptionsHelp() +
         "\n"
         "A refused command line, a font file that cannot be used, or a file that cannot be\n"
         "written prints one line on standard error and exits with status 2; nothing is written\n"
         "then. A file is written completely or not at all: an existing file is kept until the\n"
         "new one is whole. Where the face has no glyph for the character, the outline is empty,\n"
         "and one line on standard error names installed faces that have one.\n"
         "\n"
         "Examples:\n"
         "  moji-outline report 龍 --face IPAゴシック\n"
         "  moji-outline report U+9F8D --json\n"
         "  moji-outline report A --face Inter --variation wght=650 --info\n"
         "  moji-outline report 龍 --ppem 16 --hinting auto --json\n"
         "  moji-outline report --glyph-index 0 --face IPAゴシック\n"
         "  moji-outline report ー --vertical --face 'Noto Sans CJK JP' --info\n"
         "  moji-outline report --all --json --font-file MyFont.otf > glyphs.jsonl\n"
         "  moji-outline render 龍 --thickness 3 -o ryu.png\n"
         "  moji-outline render 龍 --scale 4 --points --numbers -o ryu-points.png\n"
         "  moji-outline report 龍 --steps\n"
         "  moji-outline render 龍 --view inspector --steps-dir ryu-steps\n"
         "  moji-outline render A --font-file MyFont.otf --direction -o a.svg\n"
         "  moji-outline render 龍 --format svg -o - | gzip > ryu.svgz\n"
         "  moji-outline faces --font-file /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc\n";
}

}  // namespace moji
