#pragma once
// An SVG picture of recorded drawing calls, with the marks that show the outline's points.

#include <string>
#include <vector>

#include "display/displayed_glyph.h"
#include "display/overlay_marks.h"
#include "platform/recording_surface.h"

namespace moji {

/// An SVG document of a `width` x `height` white area with one `<path>` per pen created in
/// `calls` (the drawing makes one pen per block): every Polyline becomes M and L commands and
/// every PolyBezier M and C commands through exactly its device points, stroked in the pen's
/// colour and width (round caps and joins when wider than 1), unfilled. Over them, each point
/// mark is one `<g>` carrying data-block, data-curve, data-point and data-font-point, and each
/// start mark one `<g>` with its ring and arrow. With a glyph, the document's `<title>` and
/// `<desc>` say which glyph it is.
std::string SvgOfDrawing(const std::vector<SurfaceCall>& calls, int width, int height,
                         const OutlineMarks& marks = {},
                         const DisplayedGlyph* glyph = nullptr);

}  // namespace moji
