#include "platform/glyph_outline_service.h"

#include <cstring>
#include <limits>
#include <utility>

namespace moji {
namespace {

constexpr std::uint8_t kVariablePitch = 0x01;  // TMPF_FIXED_PITCH: set means NOT fixed pitch
constexpr std::uint8_t kVectorFont = 0x02;     // TMPF_VECTOR
constexpr std::int32_t kScreenDpi = 96;
constexpr std::int32_t kNormalWeight = 400;
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

/// The description of the device context's font; a handle that is no live font reads as the
/// stock font.
const LOGFONTA& SelectedFont(const DeviceContext& hdc) {
  const LOGFONTA* description = hdc.Services.FontDescriptionOf(hdc.CurrentFont);
  return description != nullptr ? *description : *hdc.Services.FontDescriptionOf(kStockFont);
}

bool IsFixedValue(const FIXED& fixed, std::int16_t value) {
  return fixed.fract == 0 && fixed.value == value;
}

bool IsIdentity(const MAT2& matrix) {
  return IsFixedValue(matrix.eM11, 1) && IsFixedValue(matrix.eM12, 0) &&
         IsFixedValue(matrix.eM21, 0) && IsFixedValue(matrix.eM22, 1);
}

/// What the font description says of itself; the sizes, which only the face's file holds, are
/// left 0: nothing the program does reads them, and reading them would mean opening every
/// installed font file while the face list is filled.
TEXTMETRIC TextMetricsOf(const LOGFONTA& font) {
  TEXTMETRIC metrics{};
  metrics.tmWeight = font.lfWeight != 0 ? font.lfWeight : kNormalWeight;
  metrics.tmDigitizedAspectX = kScreenDpi;
  metrics.tmDigitizedAspectY = kScreenDpi;
  metrics.tmBreakChar = ' ';
  metrics.tmItalic = font.lfItalic != 0 ? 0xFF : 0;
  metrics.tmUnderlined = font.lfUnderline;
  metrics.tmStruckOut = font.lfStrikeOut;
  metrics.tmPitchAndFamily = kVariablePitch | kVectorFont | TMPF_TRUETYPE;
  metrics.tmCharSet = font.lfCharSet;
  return metrics;
}

}  // namespace

std::int32_t GetGlyphOutlineA(DeviceContext& hdc, std::uint32_t codePoint, std::uint32_t format,
                              GLYPHMETRICS* metrics, std::uint32_t bufferSize, void* buffer,
                              const MAT2* matrix, std::optional<NativeGlyph>* details) {
  if (details != nullptr) details->reset();
  // Outlines are made untransformed only; another matrix is refused rather than ignored.
  const bool byIndex = format == (GGO_NATIVE | GGO_GLYPH_INDEX);
  if ((format != GGO_NATIVE && !byIndex) || matrix == nullptr || !IsIdentity(*matrix)) return GDI_ERROR;
  const LOGFONTA& font = SelectedFont(hdc);
  FontEngine& engine = hdc.Services.Fonts();
  const FontFace* face = engine.Resolve(FaceNameOf(font));
  if (face == nullptr) return GDI_ERROR;
  NativeGlyph glyph = byIndex ? engine.ConvertGlyph(*face, font.lfHeight, codePoint, details != nullptr)
                              : engine.Convert(*face, font.lfHeight, codePoint, details != nullptr);
  const auto size = static_cast<std::uint32_t>(glyph.Bytes.size());
  const bool outline = glyph.Status != GlyphStatus::NoOutline &&
                       glyph.Bytes.size() <= static_cast<std::size_t>(kInt32Max);
  const bool fits = buffer == nullptr || bufferSize == 0 || bufferSize >= size;
  if (outline && fits) {
    if (metrics != nullptr) *metrics = glyph.Metrics;
    if (buffer != nullptr && bufferSize != 0 && size > 0) std::memcpy(buffer, glyph.Bytes.data(), size);
  }
  if (details != nullptr) {
    glyph.Bytes.clear();
    *details = std::move(glyph);
  }
  // A buffer too small for the whole outline gets nothing: a cut outline would be malformed.
  return outline && fits ? static_cast<std::int32_t>(size) : GDI_ERROR;
}

std::int32_t GetTextMetricsA(DeviceContext& hdc, TEXTMETRIC* metrics) {
  if (metrics == nullptr) return 0;
  const LOGFONTA& font = SelectedFont(hdc);
  if (hdc.Services.Fonts().Resolve(FaceNameOf(font)) == nullptr) return 0;
  *metrics = TextMetricsOf(font);
  return 1;
}

}  // namespace moji
