#pragma once
// The picture of the drawing area as a file: the one writer of the window's saved images and
// the command line's rendered ones.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "display/display_request.h"
#include "display/displayed_glyph.h"
#include "platform/graphics_services.h"
#include "platform/picture_surface.h"

namespace moji {

/// The formats a picture is written in.
enum class ImageFormat { Png, Svg };

/// Makes the surface a PNG picture is drawn on: the drawing area's size at `ratio` device
/// pixels per pixel. (A raster surface, made where the toolkit is.)
using RasterMaker = std::function<std::unique_ptr<PictureSurface>(double ratio)>;

/// What picture to make: its format, its pixels per drawing-area pixel (PNG), and the style.
struct PictureRequest {
  ImageFormat Format = ImageFormat::Png;
  std::int32_t Scale = 1;
  DrawingStyle Style;
};

/// The bytes of the picture file of the drawing area drawn from the placed outline as it
/// stands (moved or not), marked as the style asks, with no pulse circle: SVG written from the
/// outline, or PNG drawn onto a surface `makeRaster` makes at the scale (1 to kLargestScale).
/// Nothing when the PNG cannot be encoded. Throws what the block drawing throws.
std::optional<std::string> PictureBytes(GraphicsServices& services, const GlyphOutline& placed,
                                        const DisplayedGlyph& glyph, const PictureRequest& request,
                                        const RasterMaker& makeRaster);

/// Writes that picture to `path` completely or not at all (SaveFile). Returns the reason of a
/// failure, empty on success.
std::string SavePicture(const std::string& path, GraphicsServices& services,
                        const GlyphOutline& placed, const DisplayedGlyph& glyph,
                        const PictureRequest& request, const RasterMaker& makeRaster);

}  // namespace moji
