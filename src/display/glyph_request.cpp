#include "display/glyph_request.h"

#include <utility>

#include "display/display_request.h"
#include "display/glyph_outline_fetch.h"

namespace moji {
namespace {

/// The character of a code point as a UTF-16 text.
std::u16string CharacterOf(std::uint32_t codePoint) {
  if (codePoint < 0x10000) return std::u16string(1, static_cast<char16_t>(codePoint));
  const std::uint32_t offset = codePoint - 0x10000;
  return {static_cast<char16_t>(0xD800 + (offset >> 10)), static_cast<char16_t>(0xDC00 + (offset & 0x3FF))};
}

/// GlyphIndexLabel as the report's text. Glyph names are ASCII; any other byte shows as "?".
std::u16string GlyphLabelText(std::uint32_t glyphIndex, const std::string& glyphName) {
  std::u16string label = u"[グリフ ";
  for (const char digit : std::to_string(glyphIndex)) label += static_cast<char16_t>(digit);
  if (!glyphName.empty()) label += u' ';
  for (const char c : glyphName) {
    const auto byte = static_cast<unsigned char>(c);
    label += byte >= 0x20 && byte < 0x7F ? static_cast<char16_t>(byte) : u'?';
  }
  return label + u"]";
}

/// Glyph `glyphIndex` fetched and placed, its report naming it `name`, described as the glyph
/// of `character` (none for a glyph no character names).
FetchedGlyph FetchByIndex(DeviceContext& dc, std::uint32_t glyphIndex, const std::u16string& character,
                          const LOGFONTA& font, std::string_view faceName) {
  std::optional<NativeGlyph> details;
  FetchedGlyph fetched;
  fetched.FaceName = std::string(faceName);
  fetched.Outline = FetchGlyphOutlineByIndex(dc, glyphIndex, character, font, &details);
  fetched.Glyph = DescribeDisplayedGlyph(dc.Services.Fonts(), character, std::move(details));
  // A glyph without contours has the empty outline, which names no character either.
  fetched.Outline.Character = character;
  return fetched;
}


std::optional<FetchedGlyph> FetchIndexed(DeviceContext& dc, std::uint32_t glyphIndex,
                                         const LOGFONTA& font, std::string_view faceName) {
  const FontFace* face = dc.Services.Fonts().Resolve(faceName);
  const std::vector<std::uint32_t> codePoints =
      face == nullptr ? std::vector<std::uint32_t>() : dc.Services.Fonts().CodePointsOf(*face, glyphIndex);
  const std::u16string character = codePoints.empty() ? std::u16string() : CharacterOf(codePoints.front());
  FetchedGlyph fetched = FetchByIndex(dc, glyphIndex, character, font, faceName);
  fetched.Glyph.ByIndex = true;
  if (character.empty()) {
    const std::string name = fetched.Glyph.Glyph ? fetched.Glyph.Glyph->GlyphName : std::string();
    fetched.Outline.Character = GlyphLabelText(glyphIndex, name);
  }
  fetched.Placed = PlacedInDrawingArea(fetched.Outline);
  return fetched;
}

std::optional<FetchedGlyph> FetchVertical(DeviceContext& dc, const std::u16string& text,
                                          const LOGFONTA& font, std::string_view faceName) {
  const std::u16string character = FirstCharacter(text);
  const std::optional<std::uint32_t> codePoint = CodePointOf(character);
  const FontFace* face = dc.Services.Fonts().Resolve(faceName);
  const std::optional<VerticalForm> form =
      face != nullptr && codePoint ? VerticalFormOf(dc.Services.Fonts(), *face, *codePoint) : std::nullopt;
  // Where vertical text sets no glyph of its own, the character is fetched as it is.
  if (!form || form->GlyphIndex == 0) return FetchForDisplay(dc, text, faceName);
  FetchedGlyph fetched = FetchByIndex(dc, form->GlyphIndex, character, font, faceName);
  fetched.Glyph.Vertical = form;
  fetched.Placed = PlacedInDrawingArea(fetched.Outline);
  return fetched;
}

}  // namespace

std::optional<FetchedGlyph> FetchRequestForDisplay(DeviceContext& dc, const GlyphRequest& request,
                                                   std::string_view faceName) {
  if (!request.GlyphIndex && !request.Vertical) return FetchForDisplay(dc, request.Text, faceName);
  const std::optional<LOGFONTA> font = OutlineRequestFont(faceName);
  if (!font) return std::nullopt;
  if (request.GlyphIndex) return FetchIndexed(dc, *request.GlyphIndex, *font, faceName);
  if (request.Text.empty()) return std::nullopt;
  return FetchVertical(dc, request.Text, *font, faceName);
}

std::uint32_t GlyphCountOfFace(FontEngine& engine, std::string_view faceName) {
  const FontFace* face = engine.Resolve(faceName);
  return face == nullptr ? 0 : engine.GlyphCountOf(*face);
}

std::uint32_t SteppedGlyphIndex(std::uint32_t glyphIndex, int step, std::uint32_t count) {
  if (count == 0) return 0;
  if (glyphIndex >= count) return step < 0 ? count - 1 : 0;
  if (step < 0) return glyphIndex == 0 ? count - 1 : glyphIndex - 1;
  return glyphIndex + 1 == count ? 0 : glyphIndex + 1;
}

}  // namespace moji
