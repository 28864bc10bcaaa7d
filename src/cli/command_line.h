#pragma once
// The command line of every mode, parsed before anything touches a display.

#include <cstdint>
#include <optional>
#include <string>

#include "cli/option_table.h"
#include "display/display_request.h"
#include "display/face_choice.h"
#include "display/picture_file.h"
#include "inspect/inspector_scene.h"
#include "inspect/pixel_scene.h"
#include "platform/hinted_glyph.h"

namespace moji {

/// What `report` prints: the report, the outline as JSON, which glyph it is, or the steps of
/// its construction.
enum class ReportForm { Text, Json, Info, Steps };

/// What `render` draws: the window's drawing area, the large view, or the outline alone in
/// font units.
enum class RenderView { Drawing, Inspector, FontUnits };

/// The sides of the large view `render` draws, in pixels.
inline constexpr std::int32_t kSmallestViewSide = 64;
inline constexpr std::int32_t kLargestViewSide = 4096;
inline constexpr std::int32_t kDefaultViewSide = 800;
/// The largest step number render --step takes; a glyph's own count bounds it further.
inline constexpr std::int32_t kMostSteps = 10'000'000;

/// A parsed command line; the fields a command does not take keep their defaults.
struct CommandRequest {
  CommandKind Kind = CommandKind::Window;
  /// The character to outline (only the first character of this text is used).
  std::u16string Character;
  /// The glyph of that index in the face instead of a character (--glyph-index).
  std::optional<std::uint32_t> GlyphIndex;
  /// The glyph vertical Japanese text sets for the character (--vertical).
  bool Vertical = false;
  /// Every glyph of the face (--all): JSON Lines from report, one SVG each into `OutputDir`
  /// from render.
  bool AllGlyphs = false;
  std::string OutputDir;
  /// The face name, UTF-8; none for the window's start-up face.
  std::optional<std::string> Face;
  /// A font file to draw from instead of an installed face (the window's one argument), and
  /// the index of its face.
  std::optional<std::string> FontFile;
  std::int32_t FaceIndex = 0;
  /// The style, named instance and axis values asked for within the face's family.
  WithinFamily Within;
  /// `faces` lists every style of every family.
  bool Styles = false;
  /// What `report` prints.
  ReportForm Report = ReportForm::Text;
  /// The size and hinting `report` lists the outline at (--ppem); none for font heights.
  std::optional<HintingRequest> Pixels;
  /// How `render` draws: pen thickness (1 to 5), marks and palette.
  DrawingStyle Style;
  /// Pixels of `render`'s PNG per drawing-area pixel along each side, 1 to kLargestScale.
  std::int32_t Scale = 1;
  /// What `render` draws, the large view's side and its layers.
  RenderView View = RenderView::Drawing;
  std::int32_t ViewSide = kDefaultViewSide;
  InspectorLayers Layers;
  /// What the large view at --ppem shows besides the two outlines.
  PixelLayers PixelViewLayers;
  /// The hinting of the glyph the large view at --ppem shows beside the first (--beside).
  std::optional<HintingRequest> Beside;
  /// `render` draws the picture after this many steps of the construction.
  std::optional<std::int32_t> Step;
  /// `render` writes the picture after each step into this folder, with an index.
  std::optional<std::string> StepsDir;
  /// The file `render` writes ("-": standard output), and its format.
  std::string OutputPath;
  ImageFormat Format = ImageFormat::Png;
  /// The window's picture after start-up goes to this file, and the window closes.
  std::optional<std::string> ScreenshotPath;
  /// The window opens its large view at start-up.
  bool Inspector = false;
};

/// A command, or the one-line reason the arguments were refused (with where to read more).
struct ParsedCommand {
  std::optional<CommandRequest> Request;
  std::string Error;
};

/// Parses the program's arguments (`argv[0]` is the program). Every argument must be UTF-8; it
/// is taken exactly as given, a leading U+FEFF included.
ParsedCommand ParseCommandLine(int argc, const char* const* argv);

/// The text that --help prints.
std::string CommandUsage();

}  // namespace moji
