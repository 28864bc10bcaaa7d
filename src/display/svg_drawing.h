#pragma once
// An SVG picture of the drawing area, written from the placed outline, with the marks that show
// the outline's points.

#include <string>
#include <string_view>

#include "display/display_request.h"
#include "display/displayed_glyph.h"
#include "display/overlay_marks.h"
#include "model/glyph_outline.h"

namespace moji {

/// An SVG document of the white drawing area with one `<path>` per block of the placed outline,
/// through exactly the device points the drawing calls of the block take: M and L through a
/// polyline, M and C for a Bezier segment; stroked in the block's colour of the style's palette
/// and its pen's width (round caps and joins when wider than 1), unfilled. Over them, each point
/// mark is one `<g>` carrying data-block, data-curve, data-point and data-font-point, and each
/// start mark one `<g>` with its ring and arrow. With a glyph, the document's `<title>` and
/// `<desc>` say which glyph it is. Throws what the block drawing throws for a broken outline.
std::string SvgOfOutline(const GlyphOutline& placed, const DrawingStyle& style,
                         const OutlineMarks& marks = {}, const DisplayedGlyph* glyph = nullptr);

/// "#rrggbb" of a colour 0x00BBGGRR.
std::string HexColor(COLORREF color);

/// A number for SVG: at most three decimals, no trailing zeros, never "-0".
std::string SvgNumber(double value);

/// Text for an SVG document: the characters XML reserves escaped, control characters but the
/// line break dropped.
std::string SvgText(std::string_view text);

}  // namespace moji
