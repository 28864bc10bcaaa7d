#pragma once
// A glyph at a size in pixels: its outline scaled, the same outline hinted, and FreeType's
// bitmap of it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "native/native_writer.h"
#include "platform/font_engine.h"

namespace moji {

/// The sizes a glyph is loaded at, in pixels per em; a request outside is clamped to them.
inline constexpr std::int32_t kSmallestPpem = 6;
inline constexpr std::int32_t kLargestPpem = 200;

/// What moves the points to the pixel grid.
enum class HintingMode : std::uint8_t {
  /// Nothing: the outline only scaled.
  None,
  /// FreeType's autohinter, light: it snaps only vertically.
  Light,
  /// FreeType's autohinter in full.
  Auto,
  /// The font's own hints: its TrueType instructions, or FreeType's CFF hinter for CFF hints.
  Font,
};

/// How the bitmap is rendered: in 256 greys, or in black and white (which hinting targets too).
enum class Antialiasing : std::uint8_t { Grey, Mono };

/// The version of FreeType's TrueType instruction interpreter: 40, or the classic 35.
enum class TrueTypeInterpreter : std::uint8_t { V40, V35 };

/// A size and a way of hinting and rendering a glyph.
struct HintingRequest {
  std::int32_t Ppem = 16;
  HintingMode Hinting = HintingMode::Font;
  Antialiasing Antialias = Antialiasing::Grey;
  TrueTypeInterpreter Interpreter = TrueTypeInterpreter::V40;
  friend bool operator==(const HintingRequest&, const HintingRequest&) = default;
};

/// A point in 26.6 fixed point (64 to the pixel) as FreeType gives it: x from the glyph's
/// origin, y up from the baseline.
struct PixelPoint {
  std::int64_t X = 0, Y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

/// One load of a glyph at a size: its points in FreeType's order, their kinds, the index of each
/// contour's last point, and the font's number of each point.
struct ScaledOutline {
  std::vector<PixelPoint> Points;
  std::vector<PointKind> Kinds;
  std::vector<std::size_t> Ends;
  /// The point's index in the glyph's unscaled outline (the number the report gives it); a
  /// contour's closing point that the unscaled outline leaves out, since it repeats the first
  /// point there, has the first point's number; -1 where the contours differ more.
  std::vector<std::int32_t> Numbers;
  friend bool operator==(const ScaledOutline&, const ScaledOutline&) = default;
};

/// FreeType's rendering of a loaded glyph, exactly: `Rows` rows of `Pitch` bytes from the top
/// (a negative pitch: from the bottom); in grey one byte a pixel (0 is no ink, 255 full ink), in
/// mono one bit a pixel, the most significant first.
struct GlyphBitmap {
  std::int32_t Width = 0;
  std::int32_t Rows = 0;
  std::int32_t Pitch = 0;
  /// Where its top left corner is: pixels right of the origin, pixels above the baseline.
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  Antialiasing Mode = Antialiasing::Grey;
  /// Rows times the pitch's magnitude bytes.
  std::vector<std::uint8_t> Pixels;
  friend bool operator==(const GlyphBitmap&, const GlyphBitmap&) = default;
};

/// A glyph at a size, unhinted and hinted, with its bitmap.
struct HintedGlyph {
  /// Whether the face has an outline glyph for the code point; without one the rest is empty.
  bool Found = false;
  std::uint32_t GlyphIndex = 0;
  /// The request as served: its size within kSmallestPpem to kLargestPpem.
  HintingRequest Request;
  /// The outline scaled to the size, and hinted; the two hold the same points but where one
  /// leaves out a contour's closing point that lands on its first point (CFF outlines).
  ScaledOutline Unhinted;
  ScaledOutline Hinted;
  /// The advance widths in 26.6 pixels.
  std::int64_t UnhintedAdvance = 0;
  std::int64_t HintedAdvance = 0;
  /// The bitmap of the hinted outline.
  GlyphBitmap Bitmap;
  /// Whether hinting failed for this glyph: FreeType stopped the font's instructions at one of
  /// its limits (a loop, a point, storage or stack out of range) or refused to hint. The hinted
  /// outline, advance and bitmap are then the unhinted ones.
  bool HintingFailed = false;
  friend bool operator==(const HintedGlyph&, const HintedGlyph&) = default;
};

/// The glyph of `codePoint` in `face` at the requested size, hinting and rendering, through the
/// engine's FreeType face (its size and the TrueType interpreter set for the load).
HintedGlyph LoadHintedGlyph(FontEngine& engine, const FontFace& face, std::uint32_t codePoint,
                            const HintingRequest& request);

/// The same for the glyph of that index (any glyph of the face, `.notdef` and the glyphs no
/// character maps to among them); nothing found for an index outside the face.
HintedGlyph LoadHintedGlyphByIndex(FontEngine& engine, const FontFace& face, std::uint32_t glyphIndex,
                                   const HintingRequest& request);

}  // namespace moji
