#include "display/picture_file.h"

#include <algorithm>
#include <span>

#include "display/file_output.h"
#include "display/offscreen_display.h"
#include "display/svg_drawing.h"

namespace moji {

std::optional<std::string> PictureBytes(GraphicsServices& services, const GlyphOutline& placed,
                                        const DisplayedGlyph& glyph, const PictureRequest& request,
                                        const RasterMaker& makeRaster) {
  const std::span<const PointSource> sources =
      glyph.Glyph ? std::span<const PointSource>(glyph.Glyph->Sources) : std::span<const PointSource>();
  if (request.Format == ImageFormat::Svg) {
    OutlineMarks marks;
    if (request.Style.Overlays != OverlaySettings{}) {
      marks = MarksOfOutline(placed, sources, request.Style.Overlays, request.Style.Palette);
    }
    return SvgOfOutline(placed, request.Style, marks, &glyph);
  }
  const std::unique_ptr<PictureSurface> surface =
      makeRaster(std::clamp(request.Scale, 1, kLargestScale));
  OffscreenDisplay display(services, *surface);
  DrawOutlineFrame(placed, sources, request.Style, display);
  return surface->PngBytes();
}

std::string SavePicture(const std::string& path, GraphicsServices& services,
                        const GlyphOutline& placed, const DisplayedGlyph& glyph,
                        const PictureRequest& request, const RasterMaker& makeRaster) {
  const std::optional<std::string> bytes = PictureBytes(services, placed, glyph, request, makeRaster);
  return bytes ? SaveFile(path, *bytes) : "cannot encode the picture as PNG";
}

}  // namespace moji
