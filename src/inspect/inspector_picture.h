#pragma once
// The large view as a picture file: PNG, or SVG with the outline in font units.

#include <functional>
#include <optional>
#include <string>

#include "display/displayed_glyph.h"
#include "display/picture_file.h"
#include "inspect/inspector_scene.h"
#include "inspect/view_transform.h"
#include "platform/canvas.h"

namespace moji {

/// Draws a PNG of `width` x `height` pixels at a device pixel ratio with the drawing given a
/// canvas, and gives its bytes (a Qt raster, made where the toolkit is).
using CanvasPngMaker = std::function<std::optional<std::string>(
    int width, int height, double ratio, const std::function<void(Canvas&)>& draw)>;

/// The scene the large view shows of what a request fetched: the outline in font units exactly
/// as the font gives its points, the face's and glyph's metrics, in the style, with the layers.
InspectorScene SceneOfGlyph(const FetchedGlyph& fetched, const DrawingStyle& style,
                            const InspectorLayers& layers);

/// The bytes of a picture `draw` draws on a canvas of the view's `width` x `height` pixels: PNG
/// at `ratio`, or SVG in the view's pixels, titled; nothing when the PNG cannot be encoded.
std::optional<std::string> ViewPictureBytes(int width, int height, double ratio, bool svg,
                                            const std::string& title, const CanvasPngMaker& makePng,
                                            const std::function<void(Canvas&)>& draw);

/// The title of a picture of the glyph: its code point and character, and its face.
std::string PictureTitle(const DisplayedGlyph& glyph);

/// The bytes of the view's picture through `view`: PNG at `ratio` device pixels per pixel, or
/// SVG (the outline in font units, exactly); nothing when the PNG cannot be encoded.
std::optional<std::string> InspectorPictureBytes(const InspectorScene& scene,
                                                 const ViewTransform& view, int width, int height,
                                                 double ratio, ImageFormat format,
                                                 const std::string& title,
                                                 const CanvasPngMaker& makePng);

}  // namespace moji
