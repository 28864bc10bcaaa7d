#pragma once
// The glyph vertical Japanese text sets for a character, and how a glyph stands in a column.

#include <cstdint>
#include <optional>

namespace moji {

class FontEngine;
struct FontFace;

/// How a glyph stands in vertical text, in font units (y up from the baseline): where its
/// vertical origin lies, how far down the next glyph starts, and the room above its ink.
struct VerticalMetrics {
  /// Whether the face has the vhea and vmtx tables; without them the advance and the origin
  /// are the ones vertical text falls back on.
  bool HasVerticalTables = false;
  double Advance = 0;
  /// From the vertical origin down to the top of the glyph's ink.
  double TopSideBearing = 0;
  /// The vertical origin, and whether a VORG table places it (CFF faces).
  bool HasVerticalOrigins = false;
  double OriginX = 0, OriginY = 0;
  friend bool operator==(const VerticalMetrics&, const VerticalMetrics&) = default;
};

/// The glyph of a character in vertical Japanese text, beside the glyph the character map gives.
struct VerticalForm {
  std::uint32_t GlyphIndex = 0;
  std::uint32_t HorizontalIndex = 0;
  VerticalMetrics Metrics;
  /// Whether vertical text sets another glyph than horizontal text does.
  bool Substituted() const { return GlyphIndex != HorizontalIndex; }
  friend bool operator==(const VerticalForm&, const VerticalForm&) = default;
};

/// The character shaped top to bottom as Japanese (script kana, or han for an ideograph;
/// language ja) with the features vert and vrt2, at the face's design coordinates; nothing
/// when the face cannot be read.
std::optional<VerticalForm> VerticalFormOf(FontEngine& engine, const FontFace& face,
                                           std::uint32_t codePoint);

/// The vertical metrics of glyph `glyphIndex`; nothing when the face cannot be read or has no
/// such glyph.
std::optional<VerticalMetrics> VerticalMetricsOf(FontEngine& engine, const FontFace& face,
                                                 std::uint32_t glyphIndex);

}  // namespace moji
