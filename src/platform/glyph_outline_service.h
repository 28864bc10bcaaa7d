#pragma once
// Glyph outlines and text metrics of the font selected into a device context.

#include <cstdint>
#include <optional>

#include "platform/device_context.h"
#include "platform/font_engine.h"
#include "platform/font_records.h"
#include "platform/gdi_records.h"

namespace moji {

/// Native outline (format `GGO_NATIVE`) of the character `codePoint` (a Unicode code point) in
/// the device context's font; with `GGO_NATIVE | GGO_GLYPH_INDEX`, of the glyph of that index. With `bufferSize` 0 and no buffer: the bytes the outline needs,
/// 0 for a glyph without contours, `GDI_ERROR` when there is no outline. With a buffer of at
/// least that size: fills it and returns the byte count. Any other format or a null matrix
/// gives `GDI_ERROR`. With `details` (beyond the platform's own call), they receive which glyph
/// of which face it is (no outline bytes), with where each point of the outline comes from, even
/// when the face has no outline for the character; nothing when the font resolves to no face.
std::int32_t GetGlyphOutlineA(DeviceContext& hdc, std::uint32_t codePoint, std::uint32_t format,
                              GLYPHMETRICS* metrics, std::uint32_t bufferSize, void* buffer,
                              const MAT2* matrix, std::optional<NativeGlyph>* details = nullptr);

/// Metrics of the device context's font as the font listing knows them, without reading a font
/// file (the sizes are left 0): sets `TMPF_TRUETYPE` exactly when the font resolves to a face,
/// all of which have outlines the engine converts (TrueType, CFF or Type 1). Returns nonzero on success;
/// on failure the record is left as it was.
std::int32_t GetTextMetricsA(DeviceContext& hdc, TEXTMETRIC* metrics);

}  // namespace moji
