#include "platform/glyph_outline_service.h"

#include <cstring>
#include <limits>

#include "platform/font_engine.h"

namespace moji {
namespace {

constexpr std::uint8_t kVariablePitch = 0x01;  // TMPF_FIXED_PITCH: set means NOT fixed pitch
constexpr std::uint8_t kVectorFont = 0x02;     // TMPF_VECTOR
constexpr std::int32_t kScreenDpi = 96;

/// The description of the device context's font; a handle that is no live font reads as the
/// stock font.
const LOGFONTA& SelectedFont(const DeviceContext& hdc) {
  const LOGFONTA* description = FontDescriptionOf(hdc.CurrentFont);
  return description != nullptr ? *description : *FontDescriptionOf(kStockFont);
}

bool IsFixedValue(const FIXED& fixed, std::int16_t value) {
  return fixed.fract == 0 && fixed.value == value;
}

bool IsIdentity(const MAT2& matrix) {
  return IsFixedValue(matrix.eM11, 1) && IsFixedValue(matrix.eM12, 0) &&
         IsFixedValue(matrix.eM21, 0) && IsFixedValue(matrix.eM22, 1);
}

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

/// What the font listing knows of the face, without reading its file: the outline format,
/// pitch, weight and style. The sizes, which only the file holds, are left 0; nothing the
/// program does reads them, and reading them would mean opening every installed font file
/// while the face list is filled.
TEXTMETRIC TextMetricsOf(const FontFace& face, const LOGFONTA& font) {
  TEXTMETRIC metrics{};
  metrics.tmWeight = face.Weight;
  metrics.tmDigitizedAspectX = kScreenDpi;
  metrics.tmDigitizedAspectY = kScreenDpi;
  metrics.tmBreakChar = ' ';
  metrics.tmItalic = (font.lfItalic != 0 || face.IsItalic) ? 0xFF : 0;
  metrics.tmUnderlined = font.lfUnderline;
  metrics.tmStruckOut = font.lfStrikeOut;
  metrics.tmPitchAndFamily = static_cast<std::uint8_t>(
      (face.IsFixedPitch ? 0 : kVariablePitch) |
      (face.HasOutlines ? kVectorFont | TMPF_TRUETYPE : 0));
  metrics.tmCharSet = font.lfCharSet;
  return metrics;
}

/// The glyph of the last request. A display request asks for the glyph's details, then for the
/// size of its outline and then for its bytes: each call after the first takes the glyph the
/// first one converted (converted again, with its details, when they are asked for later).
const NativeGlyph& Converted(const FontFace& face, std::int32_t height, std::uint32_t codePoint,
                             bool withDetails = false) {
  struct Last {
    const FontFace* Face = nullptr;
    std::int32_t Height = 0;
    std::uint32_t CodePoint = 0;
    bool WithDetails = false;
    NativeGlyph Glyph;
  };
  static Last last;
  if (last.Face != &face || last.Height != height || last.CodePoint != codePoint ||
      (withDetails && !last.WithDetails)) {
    last = {&face, height, codePoint, withDetails, ConvertGlyph(face, height, codePoint, withDetails)};
  }
  return last.Glyph;
}

}  // namespace

std::int32_t GetGlyphOutlineA(DeviceContext& hdc, std::uint32_t codePoint, std::uint32_t format,
                              GLYPHMETRICS* metrics, std::uint32_t bufferSize, void* buffer,
                              const MAT2* matrix) {
  // Outlines are made untransformed only; another matrix is refused rather than ignored.
  if (format != GGO_NATIVE || matrix == nullptr || !IsIdentity(*matrix)) return GDI_ERROR;
  const LOGFONTA& font = SelectedFont(hdc);
  const FontFace* face = ResolveFace(FaceNameOf(font));
  if (face == nullptr) return GDI_ERROR;
  const NativeGlyph& glyph = Converted(*face, font.lfHeight, codePoint);
  if (glyph.Status == GlyphStatus::NoOutline ||
      glyph.Bytes.size() > static_cast<std::size_t>(kInt32Max)) {
    return GDI_ERROR;
  }
  if (metrics != nullptr) *metrics = glyph.Metrics;
  const auto size = static_cast<std::uint32_t>(glyph.Bytes.size());
  if (buffer == nullptr || bufferSize == 0) return static_cast<std::int32_t>(size);
  // A buffer too small for the whole outline gets nothing: a cut outline would be malformed.
  if (bufferSize < size) return GDI_ERROR;
  if (size > 0) std::memcpy(buffer, glyph.Bytes.data(), size);
  return static_cast<std::int32_t>(size);
}

std::optional<GlyphDetails> GetGlyphDetails(DeviceContext& hdc, std::uint32_t codePoint) {
  const LOGFONTA& font = SelectedFont(hdc);
  const FontFace* face = ResolveFace(FaceNameOf(font));
  if (face == nullptr) return std::nullopt;
  const NativeGlyph& glyph = Converted(*face, font.lfHeight, codePoint, true);
  return GlyphDetails{face->FamilyName, face->File,          face->Index,
                      glyph.GlyphIndex, glyph.GlyphName,     glyph.UnitsPerEm,
                      glyph.CellUnits,  glyph.Sources};
}

std::int32_t GetTextMetricsA(DeviceContext& hdc, TEXTMETRIC* metrics) {
  if (metrics == nullptr) return 0;
  const LOGFONTA& font = SelectedFont(hdc);
  const FontFace* face = ResolveFace(FaceNameOf(font));
  if (face == nullptr) return 0;
  *metrics = TextMetricsOf(*face, font);
  return 1;
}

}  // namespace moji
