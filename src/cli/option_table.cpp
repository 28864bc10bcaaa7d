#include "cli/option_table.h"

#include <sstream>

#include "cli/command_line.h"
#include "display/display_request.h"
#include "platform/hinted_glyph.h"

namespace moji {
namespace {

/// Every option, one a paragraph: its names and its value as --help shows them, two spaces, the
/// commands that take it ("every" for all); then what --help says of it, lines broken as shown.
constexpr std::string_view kOptionTable = R"(
--face=NAME  report render
the face to outline (report, render); the window's start-up face
"ＭＳ ゴシック" by default; a face that is not installed is replaced
by the one the font engine substitutes for it

--style=NAME  report render
the style of the --face family to draw from, as faces --styles
lists it ("Bold", "Italic"); by default its most regular one; a
style the family lacks is refused

--instance=NAME  report render
the named instance of a variable face to draw from ("Bold"), as
faces --font-file lists them

--variation=TAG=VALUE[,TAG=VALUE...]  report render
axis values of a variable face in design units ("wght=700"),
after the instance's; a value outside an axis's range, or an axis
the face lacks, is refused

--font-file=PATH  report render faces
draw from a font file that need not be installed (report, render,
faces)

--face-index=N  window report render
the face of a font file holding several (a collection), from 0

--glyph-index=N  report render
the glyph of index N of the face in place of CHAR, whether a
character maps to it or not; an index outside the face is refused

--vertical  report render
the glyph vertical Japanese text sets for CHAR (HarfBuzz shaping
top to bottom with the vert and vrt2 features)

--all  report render
every glyph of the face in index order: report --all --json writes
one JSON object a line (JSON Lines), render --all --format svg
--output-dir DIR one SVG file a glyph in font units

--output-dir=DIR  render
the folder render --all writes its SVG files into, made where it
is missing

--json  report
report the outline as one JSON object: the glyph it is, and every
point in font heights and in font units, on the curve or not, with
the font's own number of it

--info  report
report which glyph it is: code point, Unicode name, glyph index
and name, face and file

--styles  faces
faces lists every style of every installed family, one line each:
the family, a tab, the style

--steps  report
report the steps by which the outline is built, one line each: the
step's number from 1, a tab, then what the step does

--ppem=N  report render
report the outline at N pixels per em, {min-ppem} to {max-ppem}, hinted as
--hinting says: the points in pixels; with --json, each point's
unhinted and hinted place and how far hinting moved it, the advance
widths and FreeType's bitmap of the glyph; render --view inspector
draws the glyph at that size: its outline scaled and hinted, with
--grid the pixel grid, --bitmap the bitmap, --arrows the moves

--hinting=MODE  report render
how --ppem hints: none, light (FreeType's light autohinter), auto
(its full autohinter) or font (the font's own hints; the default)

--interpreter=VERSION  report render
FreeType's TrueType interpreter for --hinting font: 40 (the
default) or 35

--mono  report render
hint and render --ppem for black and white pixels, not for grey

--bitmap  render
the inspector view at --ppem shows FreeType's bitmap of the glyph

--arrows  render
the inspector view at --ppem shows an arrow from each point's
unhinted place to its hinted place

--beside=MODE  render
the inspector view at --ppem shows the glyph a second time, on the
right, hinted as MODE says: none, light, auto, font, or font35 (the
font's hints under FreeType's interpreter 35); the picture is twice
as wide as --size

--thickness=N  render
pen thickness of render, {min-pen} to {max-pen} (default {start-pen})

--scale=N  render
pixels of render's PNG per drawing-area pixel, 1 to {max-scale} (default 1):
the same drawing at N times the resolution (200N x 200N); an SVG
is the same at any scale

--points  render
render marks the points: on-curve points as squares, control points
as circles, on-curve points implied between two controls as crosses

--numbers  render
render writes the font's number of each point beside it

--direction  render
render marks where each contour starts and which way it runs

--palette=NAME  render
the colours of render's contours: classic (default), or readable:
colours that read well on white, told apart also with colour
blindness

-o, --output=FILE  render
the file render writes: FILE.png (the drawing area's pixels) or
FILE.svg (one path per contour, through the same points); - for
standard output (with --format); a pipe or device is written into
as it is

--format=FORMAT  render
png or svg: the format of render's output whatever its name

--view=VIEW  render
drawing (default): the window's 200 x 200 drawing area; inspector:
the large view 拡大表示, the glyph with its advance and em box fitted
into --size pixels (an SVG has the outline in font units, exactly)

--size=N  render
the side of the inspector view in pixels, {min-view} to {max-view} (default {start-view})

--metrics  render
the inspector view shows the metrics: baseline and em box, the
design cell, ascender and descender, cap and x-height, the
ideographic em box, advance and side bearings, bounding box

--grid  render
the inspector view shows the font-unit grid

--handles  render
the inspector view shows the handles: from each on-curve point to
its control points

--cubics  render
the inspector view shows the cubic segments drawn for each
quadratic run: their controls at two thirds, the implied points

--units=UNITS  render
font: an SVG of the outline alone, one exact path per contour in
font units (quadratic runs as Q, cubic as C)

--step=N  render
render draws the picture after step N of the outline's construction
(report --steps lists them): 0 draws nothing, the last step the
whole outline

--steps-dir=DIR  render
render writes one picture per step into DIR (made where missing):
0001.png (or .svg with --format svg) and on, and index.txt, each
picture's name, a tab and what its step does; instead of -o

--screenshot=FILE  window
open the window, write a PNG picture of it after start-up, and
close it

--inspector  window
open the large view 拡大表示 beside the window at start-up (with
--screenshot, before the picture is taken)

-h, --help  every
show this help and exit

-v, --version  every
show the version and exit
)";

/// Where an option's text begins on its line in --help.
constexpr std::size_t kHelpColumn = 19;

std::uint8_t CommandsNamed(std::istringstream words) {
  std::uint8_t commands = 0;
  for (std::string word; words >> word;) {
    if (word == "window") commands |= kWindowCommand;
    if (word == "report") commands |= kReportCommand;
    if (word == "render") commands |= kRenderCommand;
    if (word == "faces") commands |= kFacesCommand;
    if (word == "every") commands |= kEveryCommand;
  }
  return commands;
}

/// An option from the first line of its paragraph: "-o, --output=FILE  render".
OptionSpec OptionOfHeading(const std::string& heading) {
  OptionSpec option;
  const std::size_t gap = heading.find("  ");
  std::string names = heading.substr(0, gap);
  option.Commands = CommandsNamed(std::istringstream(heading.substr(gap + 2)));
  if (names.starts_with("-") && !names.starts_with("--")) {
    option.Letter = names.substr(1, 1);
    names = names.substr(names.find("--"));
  }
  const std::size_t equals = names.find('=');
  option.Name = names.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
  if (equals != std::string::npos) option.ValueName = names.substr(equals + 1);
  return option;
}

/// "-o, --output=FILE": the option as --help names it.
std::string Label(const OptionSpec& option) {
  std::string label = option.Letter.empty() ? "" : "-" + option.Letter + ", ";
  label += "--" + option.Name;
  if (!option.ValueName.empty()) label += "=" + option.ValueName;
  return label;
}

void Replace(std::string& text, std::string_view placeholder, std::int32_t value) {
  for (std::size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder)) {
    text.replace(at, placeholder.size(), std::to_string(value));
  }
}

}  // namespace

std::vector<OptionSpec> Options() {
  std::vector<OptionSpec> options;
  std::istringstream lines{std::string(kOptionTable)};
  bool heading = true;
  for (std::string line; std::getline(lines, line);) {
    if (line.empty()) {
      heading = true;
    } else if (heading) {
      options.push_back(OptionOfHeading(line));
      heading = false;
    } else {
      OptionSpec& option = options.back();
      option.Help += (option.Help.empty() ? "" : "\n") + WithLimits(line);
    }
  }
  return options;
}

const OptionSpec* OptionNamed(const std::vector<OptionSpec>& options, std::string_view name) {
  for (const OptionSpec& option : options) {
    if (option.Name == name || (!option.Letter.empty() && option.Letter == name)) return &option;
  }
  return nullptr;
}

std::uint8_t CommandBit(CommandKind kind) {
  switch (kind) {
    case CommandKind::Window: return kWindowCommand;
    case CommandKind::Report: return kReportCommand;
    case CommandKind::Render: return kRenderCommand;
    case CommandKind::Faces: return kFacesCommand;
    case CommandKind::Help:
    case CommandKind::Version: return 0;
  }
  return 0;
}

std::string WithLimits(std::string_view text) {
  std::string filled(text);
  Replace(filled, "{min-pen}", kThinnestPen);
  Replace(filled, "{max-pen}", kThickestPen);
  Replace(filled, "{start-pen}", kInitialPen);
  Replace(filled, "{max-scale}", kLargestScale);
  Replace(filled, "{min-view}", kSmallestViewSide);
  Replace(filled, "{max-view}", kLargestViewSide);
  Replace(filled, "{start-view}", kDefaultViewSide);
  Replace(filled, "{min-ppem}", kSmallestPpem);
  Replace(filled, "{max-ppem}", kLargestPpem);
  return filled;
}

std::string OptionsHelp() {
  std::string help = "Options:\n";
  const std::string indent(kHelpColumn, ' ');
  for (const OptionSpec& option : Options()) {
    // A long name goes on a line of its own; help2man needs two spaces after a short one.
    const std::string label = "  " + Label(option);
    help += label.size() + 2 <= kHelpColumn ? label + std::string(kHelpColumn - label.size(), ' ')
                                            : label + "\n" + indent;
    for (const char c : option.Help) help += c == '\n' ? "\n" + indent : std::string(1, c);
    help += '\n';
  }
  return help;
}

}  // namespace moji
