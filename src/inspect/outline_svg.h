#pragma once
// The outline as SVG in font units, exactly: quadratic runs as Q, cubic runs as C, y up through
// one transform; alone, or with the large view's layers.

#include <string>

#include "inspect/inspector_scene.h"
#include "inspect/view_transform.h"
#include "model/glyph_outline.h"

namespace moji {

/// The path data of a block in font units, exactly as its points give it: M to the start, L
/// through a polyline run, Q through each piece of a quadratic run (the implied on-curve points
/// halfway between its controls), C through each segment of a cubic run, Z after the block's
/// last run when the drawing closes it. A run that breaks its invariants ends the path there.
std::string BlockPathData(const OutlineBlock& block);

/// An SVG document of the outline alone in font units: one unfilled path per block, in its
/// palette colour and the pen's width in pixels whatever the scale, the document's view box
/// holding the outline and its advance, y up through one transform.
std::string OutlineSvgInFontUnits(const GlyphOutline& units, const DrawingStyle& style,
                                  double advanceWidth, const std::string& title);

/// An SVG document of the large view as `width` x `height` pixels through `view`: the grid, the
/// metric lines and boxes, the blocks (exact, in font units, inside one transform), the handles
/// and drawn cubics as the layers ask; the marks, their numbers laid out apart, and the
/// names of the lines, in the view's pixels over them.
std::string InspectorSvg(const InspectorScene& scene, const ViewTransform& view, double width,
                         double height, const std::string& title);

/// An SVG document of `width` x `height` pixels holding the elements, titled.
std::string ViewSvgDocument(double width, double height, const std::string& title,
                            const std::string& elements);

}  // namespace moji
