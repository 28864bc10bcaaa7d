#pragma once
// Which glyph the drawing shows: its character, its face and file, its index and names.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/glyph_outline.h"
#include "platform/font_engine.h"
#include "platform/hinted_glyph.h"
#include "platform/vertical_form.h"

namespace moji {

/// The character of a display request and the glyph the font engine gave for it.
struct DisplayedGlyph {
  /// The character asked for (its first character only); empty for none.
  std::u16string Character;
  std::optional<std::uint32_t> CodePoint;
  /// The Unicode name of the character, empty without one.
  std::string UnicodeName;
  /// The glyph and its face, with its points' sources and its metrics (no outline bytes);
  /// nothing when the face name resolves to no face.
  std::optional<NativeGlyph> Glyph;
  /// Where the face has no glyph for the character: up to three installed faces that have one,
  /// by the names the face list offers them under (none where no face has one).
  std::vector<std::string> FacesWithGlyph;
  /// Asked for by glyph index: the character is then the glyph's own (its lowest code point),
  /// none for a glyph no character names.
  bool ByIndex = false;
  /// Asked for as vertical text sets the character: the glyph it sets, its vertical metrics.
  std::optional<VerticalForm> Vertical;

  /// Whether the face has no glyph for the character (a glyph without contours, a space, is a
  /// glyph).
  bool LacksGlyph() const { return CodePoint && Glyph && Glyph->GlyphIndex == 0; }
};

/// How many faces that have a missing glyph are named.
inline constexpr std::size_t kFacesNamedForMissingGlyph = 3;

/// The description of the first character of `text` and of the glyph fetched for it; where the
/// face lacks the glyph, the installed faces that have it, from the engine's listing.
DisplayedGlyph DescribeDisplayedGlyph(FontEngine& engine, const std::u16string& text,
                                      std::optional<NativeGlyph> glyph);

/// What one display request fetched, kept by whoever shows it for every later view, redrawing
/// and saving, until the next request: the glyph, its outline in font heights (as reported and
/// saved) and placed in the drawing area's pixels (as drawn, and moved by the motion since).
struct FetchedGlyph {
  /// The font description's face name it was fetched with.
  std::string FaceName;
  DisplayedGlyph Glyph;
  GlyphOutline Outline;
  GlyphOutline Placed;

  /// Where each point of the outline comes from, in the outline's order; none without a glyph.
  std::span<const PointSource> Sources() const {
    return Glyph.Glyph ? std::span<const PointSource>(Glyph.Glyph->Sources)
                       : std::span<const PointSource>();
  }
};

/// The glyph a request fetched, at the size, hinting and rendering asked for: the very glyph
/// drawn (asked by index, or the vertical form), from its face; nothing found where the face
/// lacks the glyph or the face name resolves to no face.
HintedGlyph HintedGlyphOf(FontEngine& engine, const FetchedGlyph& fetched, const HintingRequest& request);

/// "[グリフ 1234 uni9F8D.vert]": a glyph named by its index and its name (where it has one).
std::string GlyphIndexLabel(std::uint32_t glyphIndex, const std::string& glyphName);

/// "U+9F8D": the code point in hex, at least four digits.
std::string CodePointLabel(std::uint32_t codePoint);

/// What the status bar and `report --info` say of the glyph, one UTF-8 line each: the code
/// point and character, the Unicode name, the glyph index and name, the face (with its style
/// where it does not vary and is not "Regular"), where a variable face is drawn (VariationLine),
/// its file.
std::vector<std::string> IdentityLines(const DisplayedGlyph& glyph);

/// Where a variable face is drawn: the named instance, or that it is at none, and each axis's
/// name, tag, value and range ("インスタンス 太字、ウエイト (wght) 700 [300–700]").
std::string VariationLine(const NativeGlyph& glyph);

/// Where the face has no glyph for the character, what the status bar says of it: the character,
/// that the face has no glyph for it, and the faces that have one. Empty where it has the glyph.
std::string MissingGlyphLine(const DisplayedGlyph& glyph);

/// The same in the command line's words, for its one line on standard error; empty where the
/// face has the glyph.
std::string MissingGlyphMessage(const DisplayedGlyph& glyph);

}  // namespace moji
