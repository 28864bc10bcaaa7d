#include "display/display_request.h"

#include <cstring>
#include <utility>

#include "geometry/outline_placement.h"
#include "display/glyph_outline_fetch.h"
#include "report/outline_report.h"
#include "display/block_palette.h"

namespace moji {
namespace {

/// Placement into the drawing area: 160 pixels per font height, character origin 20 pixels from
/// the left, baseline 160 pixels below the top.
constexpr float kPlaceOffsetX = 20.0f;
constexpr float kPlaceOffsetY = 0.0f;
constexpr float kPlaceScale = 160.0f;

}  // namespace

std::optional<LOGFONTA> OutlineRequestFont(std::string_view faceName) {
  if (faceName.size() > kMaxFaceNameBytes) return std::nullopt;
  LOGFONTA font{};
  font.lfHeight = kOutlineFontHeight;
  font.lfItalic = 0;
  font.lfCharSet = DEFAULT_CHARSET;
  std::memcpy(font.lfFaceName, faceName.data(), faceName.size());
  return font;
}

std::optional<FetchedGlyph> FetchDisplayedGlyph(DeviceContext& dc, const std::u16string& text,
                                                std::string_view faceName) {
  const std::optional<LOGFONTA> font = OutlineRequestFont(faceName);
  if (!font) return std::nullopt;
  std::optional<GlyphDetails> details;
  GlyphOutline outline = FetchGlyphOutline(dc, text, *font, &details);
  return FetchedGlyph{std::move(outline), DescribeDisplayedGlyph(text, std::move(details))};
}

void DrawOutlineFrame(const GlyphOutline& placed, std::span<const PointSource> sources,
                      std::int32_t penWidth, DisplayTarget& target,
                      std::optional<DrawnCircle> pulse) {
  target.ClearDrawing();
  if (pulse) target.DrawPulseCircle(pulse->CenterX, pulse->CenterY, pulse->Radius);
  const BlockPalette palette = target.Palette();
  DrawBlocksInPaletteColors(target.DrawingDc(), placed, penWidth, palette);
  if (const OverlaySettings overlays = target.Overlays(); overlays != OverlaySettings{}) {
    target.DrawMarks(MarksOfOutline(placed, sources, overlays, palette));
  }
  target.RefreshDrawing();
}

bool RunDisplayRequest(std::u16string text, std::string_view faceName, std::int32_t penWidth,
                       GlyphOutline& currentOutline, DisplayTarget& target) {
  if (text.empty()) return false;
  std::optional<FetchedGlyph> fetched = FetchDisplayedGlyph(target.DrawingDc(), text, faceName);
  if (!fetched) return false;
  currentOutline = std::move(fetched->Outline);
  target.ShowReport(OutlineReportText(currentOutline));
  target.ShowGlyph(fetched->Glyph);
  PlaceOutline(currentOutline, kPlaceOffsetX, kPlaceOffsetY, kPlaceScale, true);
  const DisplayedGlyph& glyph = fetched->Glyph;
  DrawOutlineFrame(currentOutline, glyph.Glyph ? std::span(glyph.Glyph->Points)
                                               : std::span<const PointSource>(),
                   penWidth, target);
  return true;
}

}  // namespace moji
