#pragma once
// Faces resolved from face names and opened once, and glyphs converted into native outlines.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/font_records.h"
#include "platform/gdi_records.h"

namespace moji {

/// The vertical extents of a face in font units, read once when it is opened.
struct FaceUnits {
  std::int64_t Ascent = 0;   ///< above the baseline: OS/2 usWinAscent, else hhea ascender, else em
  std::int64_t Descent = 0;  ///< below the baseline: OS/2 usWinDescent, else -hhea descender
  std::int64_t Em = 0;       ///< units per em
  std::int64_t LineGap = 0;  ///< hhea line gap
  std::int64_t AverageWidth = 0;
  std::int64_t MaxWidth = 0;
  std::int32_t Weight = 400;
  std::uint16_t FirstChar = 0;
  std::uint16_t LastChar = 0;
};

/// A face of a font file (or of font bytes), described once and kept for the life of the
/// process. Its font library face is opened again, to stay open, when a glyph is first asked
/// of it: with hundreds of fonts installed, only the faces drawn hold the library's memory.
struct FontFace {
  /// The face has TrueType outlines (a 'glyf' table), so native outlines can be made of it.
  bool IsTrueType = false;
  bool IsItalic = false;
  bool IsFixedPitch = false;
  bool IsScalable = false;
  FaceUnits Units;
  /// The font library's family name of the face.
  std::string FamilyName;
  /// Where a face file's face is opened again; empty for a face opened from memory.
  std::string File;
  long Index = 0;
};

/// The face name bytes of a font description: up to the first zero, at most `LF_FACESIZE` bytes.
std::string_view FaceNameOf(const LOGFONTA& description);

/// The face for a face name: the installed family of that name in its regular style, else the
/// TrueType face fontconfig substitutes for it for Japanese text. Resolved once per name;
/// nullptr when there is no face at all.
const FontFace* ResolveFace(std::string_view faceName);

/// Face `index` of the font file at `path`, opened once; nullptr when it is no font.
const FontFace* OpenFontFile(const std::string& path, long index);

/// Closes a face opened from memory.
struct MemoryFaceCloser {
  void operator()(FontFace* face) const;
};

/// A face opened from font bytes for one use, never kept; the bytes must outlive it.
using MemoryFontFace = std::unique_ptr<FontFace, MemoryFaceCloser>;

/// Face `index` of the font bytes; null when they are no font.
MemoryFontFace OpenFontBytes(std::span<const std::uint8_t> bytes, long index);

/// What a glyph request found.
enum class GlyphStatus { NoOutline, NoContours, Outline };

/// One glyph of one face at one height in native records.
struct NativeGlyph {
  GlyphStatus Status = GlyphStatus::NoOutline;
  std::vector<std::uint8_t> Bytes;
  GLYPHMETRICS Metrics{};
};

/// The native outline of a code point in a face at a font height (0: the default cell height).
/// A glyph that can no longer be read, because its file has changed or gone, has no outline.
NativeGlyph ConvertGlyph(const FontFace& face, std::int32_t height, std::uint32_t codePoint);

}  // namespace moji
