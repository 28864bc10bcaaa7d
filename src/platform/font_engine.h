#pragma once
// Faces resolved from face names and opened once, and glyphs converted into native outlines.

#include <ft2build.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>
#include FT_FREETYPE_H

#include "platform/font_records.h"
#include "platform/native_outline_records.h"

namespace moji {

/// The vertical extents of a face in font units, read once when it is opened.
struct FaceUnits {
  std::int64_t Ascent = 0;  ///< above the baseline: OS/2 usWinAscent, else hhea ascender, else em
  std::int64_t Descent =
      0;                ///< below the baseline: OS/2 usWinDescent, else -hhea descender, else 0
  std::int64_t Em = 0;  ///< units per em
  std::int64_t LineGap = 0;  ///< hhea line gap
  std::int64_t AverageWidth = 0;
  std::int64_t MaxWidth = 0;
  std::int32_t Weight = 400;
  std::uint16_t FirstChar = 0;
  std::uint16_t LastChar = 0;
};

/// A face of a font file, described once and kept for the life of the process. Listing the
/// installed faces describes every one of them, so a face file's FreeType face is opened only to
/// be described, and again, to stay open, once a glyph is converted from it: with hundreds of
/// fonts installed, only the faces actually drawn hold FreeType's memory.
struct FontFace {
  /// The open FreeType face, or nullptr while no glyph has been asked of a face file's face.
  /// A face opened from memory is open for its whole life.
  mutable FT_Face Face = nullptr;
  /// The face has TrueType outlines (a 'glyf' table), so native outlines can be made of it.
  bool IsTrueType = false;
  bool IsItalic = false;
  bool IsFixedPitch = false;
  bool IsScalable = false;
  FaceUnits Units;
  /// FreeType's family name of the face.
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

/// Face `index` of the font file at `path`, opened once; nullptr when FreeType refuses it.
const FontFace* OpenFontFile(const std::string& path, long index);

/// Closes a face opened from memory and forgets any glyph kept for it.
struct MemoryFaceCloser {
  void operator()(FontFace* face) const;
};

/// A face opened from font bytes for one use, never cached; the bytes must outlive it.
using MemoryFontFace = std::unique_ptr<FontFace, MemoryFaceCloser>;

/// Face `index` of the font bytes; null when FreeType refuses them.
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
/// The last glyph is kept, so asking again for it converts nothing; the result stays valid until
/// the next call.
const NativeGlyph& ConvertGlyph(const FontFace& face, std::int32_t height, std::uint32_t codePoint);

}  // namespace moji
