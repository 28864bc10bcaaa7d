#pragma once
// Every glyph of a face as the glyph table lists it, and what narrows the list.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/font_engine.h"

namespace moji {

/// One glyph of a face: its index, its name and the code points that map to it.
struct GlyphCatalogEntry {
  std::uint32_t Index = 0;
  std::string Name;
  std::vector<std::uint32_t> CodePoints;
  friend bool operator==(const GlyphCatalogEntry&, const GlyphCatalogEntry&) = default;
};

/// Every glyph of the face in index order; none when it cannot be read.
std::vector<GlyphCatalogEntry> CatalogOfFace(FontEngine& engine, const FontFace& face);

/// What a search text asks for: a code point ("U+3042", "0x3042" or the character itself, one
/// character), and a part of the glyph's name (any text, compared without regard to ASCII case).
struct GlyphSearch {
  std::optional<std::uint32_t> CodePoint;
  std::string NamePart;
  friend bool operator==(const GlyphSearch&, const GlyphSearch&) = default;
};

/// The search a UTF-8 text asks for; an empty one asks for nothing and passes every glyph.
GlyphSearch ParseGlyphSearch(const std::string& text);

/// Whether the entry passes the filter: a code point in the Unicode block (by its long name,
/// as UnicodeBlockName gives it; empty for any), and the search (its code point or a name
/// holding its name part).
bool PassesGlyphFilter(const GlyphCatalogEntry& entry, const std::string& block, const GlyphSearch& search);

/// The Unicode blocks the catalog's code points lie in, in the order of their first code points.
std::vector<std::string> BlocksOfCatalog(const std::vector<GlyphCatalogEntry>& catalog);

/// "U+0041 U+0391": the code points of a glyph, as the table shows them.
std::string CodePointsLabel(const std::vector<std::uint32_t>& codePoints);

}  // namespace moji
