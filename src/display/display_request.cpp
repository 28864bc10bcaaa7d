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
  // The face-name field keeps its last byte for the terminating zero.
  if (faceName.size() + 1 > static_cast<std::size_t>(LF_FACESIZE)) return std::nullopt;
  LOGFONTA font{};
  font.lfHeight = kOutlineFontHeight;
  font.lfItalic = 0;
  font.lfCharSet = DEFAULT_CHARSET;
  std::memcpy(font.lfFaceName, faceName.data(), faceName.size());
  return font;
}

void DrawRequestedMarks(const GlyphOutline& placed, std::span<const PointSource> sources,
                        DisplayTarget& target) {
  const OverlaySettings overlays = target.Overlays();
  if (overlays == OverlaySettings{}) return;
  target.DrawMarks(MarksOfOutline(placed, sources, overlays));
}

bool RunDisplayRequest(std::u16string text, std::string_view faceName, std::int32_t penWidth,
                       GlyphOutline& currentOutline, DisplayTarget& target) {
  if (text.empty()) return false;
  const std::optional<LOGFONTA> font = OutlineRequestFont(faceName);
  if (!font) return false;

  std::optional<GlyphDetails> details;
  currentOutline = FetchGlyphOutline(target.DrawingDc(), text, *font, &details);
  const DisplayedGlyph glyph = DescribeDisplayedGlyph(text, std::move(details));
  target.ShowReport(OutlineReportText(currentOutline));
  target.ShowGlyph(glyph);
  PlaceOutline(currentOutline, kPlaceOffsetX, kPlaceOffsetY, kPlaceScale, true);
  target.ClearDrawing();
  DrawBlocksInPaletteColors(target.DrawingDc(), currentOutline, penWidth);
  DrawRequestedMarks(currentOutline, glyph.Glyph ? std::span(glyph.Glyph->Points)
                                                 : std::span<const PointSource>(),
                     target);
  target.RefreshDrawing();
  return true;
}

}  // namespace moji
