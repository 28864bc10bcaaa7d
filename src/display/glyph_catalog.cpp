#include "display/glyph_catalog.h"

#include <algorithm>
#include <map>

#include "display/displayed_glyph.h"
#include "platform/unicode_blocks.h"

namespace moji {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool HoldsIgnoringCase(const std::string& text, const std::string& part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
           return LowerAscii(a) == LowerAscii(b);
         }) != text.end();
}

/// The code point of a text of one character (UTF-8); nothing for any other text.
std::optional<std::uint32_t> SoleCodePoint(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || text.size() != length) return std::nullopt;
  std::uint32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto unit = static_cast<unsigned char>(text[i]);
    if ((unit & 0xC0) != 0x80) return std::nullopt;
    codePoint = codePoint << 6 | (unit & 0x3F);
  }
  return codePoint;
}

/// The code point "U+3042", "u+3042" or "0x3042" names; nothing for any other text.
std::optional<std::uint32_t> NamedCodePoint(const std::string& text) {
  const bool prefixed = text.size() > 2 && (text[0] == 'U' || text[0] == 'u' || text[0] == '0') &&
                        (text[1] == '+' || (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')));
  if (!prefixed || text.size() > 8) return std::nullopt;
  std::uint32_t codePoint = 0;
  for (std::size_t i = 2; i < text.size(); ++i) {
    const char c = LowerAscii(text[i]);
    const bool digit = c >= '0' && c <= '9';
    if (!digit && !(c >= 'a' && c <= 'f')) return std::nullopt;
    codePoint = codePoint * 16 + static_cast<std::uint32_t>(digit ? c - '0' : c - 'a' + 10);
  }
  return codePoint <= 0x10FFFF ? std::optional(codePoint) : std::nullopt;
}

}  // namespace

std::vector<GlyphCatalogEntry> CatalogOfFace(FontEngine& engine, const FontFace& face) {
  std::vector<GlyphCatalogEntry> catalog(engine.GlyphCountOf(face));
  for (std::uint32_t index = 0; index < catalog.size(); ++index) {
    catalog[index] = {index, engine.GlyphNameOf(face, index), engine.CodePointsOf(face, index)};
  }
  return catalog;
}

GlyphSearch ParseGlyphSearch(const std::string& text) {
  if (const std::optional<std::uint32_t> named = NamedCodePoint(text)) return {named, {}};
  // One character is that character, or a part of a name ("A" in "Aacute").
  return {SoleCodePoint(text), text};
}

bool PassesGlyphFilter(const GlyphCatalogEntry& entry, const std::string& block, const GlyphSearch& search) {
  const auto& points = entry.CodePoints;
  if (!block.empty() && std::none_of(points.begin(), points.end(), [&block](std::uint32_t codePoint) {
        return UnicodeBlockName(codePoint) == block;
      })) {
    return false;
  }
  if (!search.CodePoint && search.NamePart.empty()) return true;
  const bool codePoint = search.CodePoint && std::find(points.begin(), points.end(), *search.CodePoint) != points.end();
  return codePoint || (!search.NamePart.empty() && HoldsIgnoringCase(entry.Name, search.NamePart));
}

std::vector<std::string> BlocksOfCatalog(const std::vector<GlyphCatalogEntry>& catalog) {
  std::map<std::uint32_t, std::string> firsts;
  std::map<std::string, std::uint32_t> seen;
  for (const GlyphCatalogEntry& entry : catalog) {
    for (const std::uint32_t codePoint : entry.CodePoints) {
      const std::string block = UnicodeBlockName(codePoint);
      const auto [at, added] = seen.emplace(block, codePoint);
      if (!added && at->second <= codePoint) continue;
      if (!added) firsts.erase(at->second);
      at->second = codePoint;
      firsts[codePoint] = block;
    }
  }
  std::vector<std::string> blocks;
  for (const auto& [codePoint, block] : firsts) blocks.push_back(block);
  return blocks;
}

std::string CodePointsLabel(const std::vector<std::uint32_t>& codePoints) {
  std::string label;
  for (const std::uint32_t codePoint : codePoints) label += (label.empty() ? "" : " ") + CodePointLabel(codePoint);
  return label;
}

}  // namespace moji
