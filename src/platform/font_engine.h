#pragma once
// Faces resolved from face names, described from the font listing, opened when a glyph is first
// asked of them, and glyphs converted into native outlines.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "native/native_writer.h"
#include "platform/font_records.h"
#include "platform/gdi_records.h"

namespace moji {

struct InstalledFont;

/// A face of a font file (or of font bytes), described once and kept for the life of the
/// process. An installed face is described from fontconfig's listing, without reading its file;
/// the file is opened when a glyph is first asked of the face, and then stays open.
struct FontFace {
  /// The first family name of the face.
  std::string FamilyName;
  /// Where a face file's face is opened; empty for a face opened from memory.
  std::string File;
  long Index = 0;
  /// The face has outlines the engine converts: TrueType or CFF.
  bool HasOutlines = false;
  /// The weight on the OpenType scale (400 regular, 700 bold).
  std::int32_t Weight = 400;
  bool IsItalic = false;
  bool IsFixedPitch = false;
};

/// The face name bytes of a font description: up to the first zero, at most `LF_FACESIZE` bytes.
std::string_view FaceNameOf(const LOGFONTA& description);

/// The face for a face name: the face a font file was opened under (see FontFileFaceName), the
/// installed family of that name in its regular style, else the outline face that fontconfig
/// substitutes for it for Japanese text. Resolved once per name; nullptr when there is no face.
const FontFace* ResolveFace(std::string_view faceName);

/// Face `index` of the font file at `path`; nullptr when it is no outline face (TrueType or CFF)
/// of that file. The file is read once for all its faces.
const FontFace* OpenFontFile(const std::string& path, long index);

/// The face name under which a face of a font file, as FontsOfFile lists it, resolves; no
/// installed family can have it (it is not UTF-8).
std::string FontFileFaceName(const InstalledFont& font);

/// The versions of FreeType and fontconfig in use, as the libraries report them when the program
/// runs: "FreeType 2.12.1, fontconfig 2.14.1".
std::string FontLibraryVersions();

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
  /// The glyph's index in the face (0 when the face has none for the code point), and, when
  /// details are asked for, its name where the face names its glyphs.
  std::uint32_t GlyphIndex = 0;
  std::string GlyphName;
  /// The face's units per em and per cell height (usWinAscent + usWinDescent, or what stands
  /// for them); 0 when the face could not be read.
  std::int64_t UnitsPerEm = 0;
  std::int64_t CellUnits = 0;
  /// Where each point of `Bytes` comes from, in the order of the buffer; only when asked for.
  std::vector<PointSource> Sources;
};

/// The native outline of a code point in a face at a font height (0: the default cell height).
/// A glyph that can no longer be read, because its file has changed or gone, has no outline.
/// With `withDetails`, the glyph's name and where each point comes from as well.
NativeGlyph ConvertGlyph(const FontFace& face, std::int32_t height, std::uint32_t codePoint,
                         bool withDetails = false);

}  // namespace moji
