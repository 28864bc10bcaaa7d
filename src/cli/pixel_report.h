#pragma once
// `report --ppem`: the outline at a size in pixels, hinted, as text or as JSON.

#include <optional>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "display/displayed_glyph.h"
#include "platform/font_engine.h"
#include "platform/hinted_glyph.h"

namespace moji {

/// The hinting mode of a name the command line takes: none, light, auto, font.
std::optional<HintingMode> HintingModeNamed(std::string_view name);

/// The command line's name of a hinting mode.
std::string_view HintingModeName(HintingMode mode);

/// The line on standard error where hinting failed for the glyph at its size.
std::string FailedHintingMessage(const HintedGlyph& glyph, const DisplayedGlyph& shown);

/// The glyph at its size as one JSON object: which glyph of which face it is, the request, and
/// for every point (paired as the moves pair them) its font number, whether it lies on the
/// curve, its unhinted and hinted index and place in pixels and how far hinting moved it; the
/// contour ends, the advance widths and FreeType's bitmap (its bytes in hexadecimal).
std::string PixelJson(const HintedGlyph& glyph, const DisplayedGlyph& shown);

/// Runs `report` at the request's size for the glyph fetched (its face, its index): the report of
/// the hinted outline in pixels, or its JSON. Where hinting failed, says so in one line on
/// standard error. Returns the exit status.
int ReportAtSize(FontEngine& engine, const CommandRequest& request,
                 const FetchedGlyph& fetched);

}  // namespace moji
