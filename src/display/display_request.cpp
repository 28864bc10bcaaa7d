#include "display/display_request.h"

#include <cstring>
#include <utility>

#include "display/glyph_outline_fetch.h"
#include "geometry/outline_placement.h"

namespace moji {

std::optional<LOGFONTA> OutlineRequestFont(std::string_view faceName) {
  if (faceName.size() > kMaxFaceNameBytes) return std::nullopt;
  LOGFONTA font{};
  font.lfHeight = kOutlineFontHeight;
  font.lfItalic = 0;
  font.lfCharSet = DEFAULT_CHARSET;
  std::memcpy(font.lfFaceName, faceName.data(), faceName.size());
  return font;
}

std::optional<FetchedGlyph> FetchForDisplay(DeviceContext& dc, const std::u16string& text,
                                            std::string_view faceName) {
  if (text.empty()) return std::nullopt;
  const std::optional<LOGFONTA> font = OutlineRequestFont(faceName);
  if (!font) return std::nullopt;
  std::optional<NativeGlyph> details;
  FetchedGlyph fetched;
  fetched.FaceName = std::string(faceName);
  fetched.Outline = FetchGlyphOutline(dc, text, *font, &details);
  fetched.Glyph = DescribeDisplayedGlyph(dc.Services.Fonts(), text, std::move(details));
  fetched.Placed = PlacedInDrawingArea(fetched.Outline);
  return fetched;
}

GlyphOutline PlacedInDrawingArea(GlyphOutline outline) {
  PlaceOutline(outline, kPlaceOffsetX, kPlaceOffsetY, kPlaceScale, true);
  return outline;
}

void DrawOutlineFrame(const GlyphOutline& placed, std::span<const PointSource> sources,
                      const DrawingStyle& style, DisplayTarget& target,
                      std::optional<DrawnCircle> pulse) {
  target.ClearDrawing();
  if (pulse) target.DrawPulseCircle(pulse->CenterX, pulse->CenterY, pulse->Radius);
  DrawBlocksInPaletteColors(target.DrawingDc(), placed, style.PenWidth, style.Palette, style.Part);
  if (style.Overlays != OverlaySettings{}) {
    target.DrawMarks(MarksOfOutline(placed, sources, style.Overlays, style.Palette));
  }
  target.RefreshDrawing();
}

std::optional<FetchedGlyph> RunDisplayRequest(const std::u16string& text, std::string_view faceName,
                                              const DrawingStyle& style, DisplayTarget& target) {
  std::optional<FetchedGlyph> fetched = FetchForDisplay(target.DrawingDc(), text, faceName);
  if (fetched) DrawOutlineFrame(fetched->Placed, fetched->Sources(), style, target);
  return fetched;
}

}  // namespace moji
