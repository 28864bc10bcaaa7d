#pragma once
// A whole face as data: every glyph in index order, as JSON Lines or as one SVG file each.

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "platform/font_engine.h"

namespace moji {

/// One glyph as one line of compact JSON: its index, name, code points, components, advance
/// width and its blocks of curves, every point [x, y, number] in font units with the font's
/// number of it (-1 for a point the font does not have). Ends in a line feed.
std::string GlyphDataLine(std::uint32_t glyphIndex, const NativeGlyph& glyph);

/// "00042-A.svg": the index in five digits or more, then the glyph's name with every character
/// a file name should not hold (anything but ASCII letters, digits, '.', '_' and '-') made '_'.
std::string GlyphFileName(std::uint32_t glyphIndex, const std::string& glyphName);

/// `report --all --json`: every glyph of the named face in index order, one line each, on
/// standard output as it goes, so memory stays flat. A glyph that cannot be loaded is told in
/// one line on standard error and the rest go on. Returns the exit status: 0, 1 when a glyph
/// failed, 2 when the face or standard output cannot be used.
int ReportEveryGlyph(FontEngine& engine, std::string_view faceName);

/// `render --all --format svg --output-dir DIR`: one SVG of the outline in font units per
/// glyph, each file written whole and named by GlyphFileName; failures as ReportEveryGlyph.
int RenderEveryGlyph(FontEngine& engine, std::string_view faceName, const CommandRequest& request);

}  // namespace moji
