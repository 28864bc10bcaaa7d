#pragma once
// Glyph outlines and text metrics of the font selected into a device context.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "native/native_writer.h"
#include "platform/device_context.h"
#include "platform/font_records.h"
#include "platform/gdi_records.h"

namespace moji {

/// Native outline (format `GGO_NATIVE`) of the character `codePoint` (a Unicode code point) in
/// the device context's font. With `bufferSize` 0 and no buffer: the bytes the outline needs,
/// 0 for a glyph without contours, `GDI_ERROR` when there is no outline. With a buffer of at
/// least that size: fills it and returns the byte count. Any other format or a null matrix
/// gives `GDI_ERROR`.
std::int32_t GetGlyphOutlineA(DeviceContext& hdc, std::uint32_t codePoint, std::uint32_t format,
                              GLYPHMETRICS* metrics, std::uint32_t bufferSize, void* buffer,
                              const MAT2* matrix);

/// Which glyph a character is in the device context's font, and where the points of its native
/// outline come from.
struct GlyphDetails {
  /// The face's family name, its file and its index in the file.
  std::string Family;
  std::string File;
  long FaceIndex = 0;
  /// The glyph's index in the face, and its name where the face names its glyphs.
  std::uint32_t GlyphIndex = 0;
  std::string GlyphName;
  std::int64_t UnitsPerEm = 0;
  /// Font units per cell height: what a positive font height is measured in.
  std::int64_t CellUnits = 0;
  /// Where each point of the native outline comes from, in the order of the buffer.
  std::vector<PointSource> Points;
};

/// The details of the glyph GetGlyphOutlineA gives for the character; nothing when the device
/// context's font resolves to no face. A glyph the face lacks has glyph index 0 and no points.
std::optional<GlyphDetails> GetGlyphDetails(DeviceContext& hdc, std::uint32_t codePoint);

/// Metrics of the device context's font as the font listing knows them, without reading a font
/// file (the sizes are left 0): sets `TMPF_TRUETYPE` exactly for a face whose outlines the engine
/// converts (TrueType or CFF). Returns nonzero on success; on failure the record is left as it was.
std::int32_t GetTextMetricsA(DeviceContext& hdc, TEXTMETRIC* metrics);

}  // namespace moji
