#include "platform/glyph_outline_service.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "native/native_scale.h"
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
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

std::int32_t ClampedRound(double value) {
  if (value >= kInt32Max) return kInt32Max;
  if (value <= kInt32Min) return kInt32Min;
  return static_cast<std::int32_t>(std::llround(value));
}

TEXTMETRIC TextMetricsOf(const FontFace& face, const LOGFONTA& font) {
  const FaceUnits& units = face.Units;
  const std::optional<HeightScale> scale =
      ScaleOfHeight(font.lfHeight, units.Ascent + units.Descent, units.Em);
  TEXTMETRIC metrics{};
  if (scale) {
    const auto toPixels = [&](std::int64_t value) {
      return ClampedRound(static_cast<double>(value) * static_cast<double>(scale->Pixels) /
                          static_cast<double>(scale->Units));
    };
    // The descent is what the cell leaves below the ascent, so ascent + descent is the cell.
    metrics.tmHeight = toPixels(units.Ascent + units.Descent);
    metrics.tmAscent = toPixels(units.Ascent);
    metrics.tmDescent =
        static_cast<std::int32_t>(std::int64_t{metrics.tmHeight} - metrics.tmAscent);
    metrics.tmInternalLeading = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        std::int64_t{metrics.tmHeight} - toPixels(units.Em), kInt32Min, kInt32Max));
    metrics.tmExternalLeading = std::max(0, toPixels(units.LineGap));
    metrics.tmAveCharWidth = toPixels(units.AverageWidth);
    metrics.tmMaxCharWidth = toPixels(units.MaxWidth);
  } else {
    // A face without units per height: the requested height is the whole cell.
    const std::int64_t pixels = font.lfHeight == 0 ? kDefaultCellHeight : font.lfHeight;
    metrics.tmHeight = ClampedRound(std::fabs(static_cast<double>(pixels)));
    metrics.tmAscent = metrics.tmHeight;
  }
  metrics.tmWeight = units.Weight;
  metrics.tmDigitizedAspectX = kScreenDpi;
  metrics.tmDigitizedAspectY = kScreenDpi;
  metrics.tmFirstChar = static_cast<std::uint8_t>(std::min<std::uint16_t>(units.FirstChar, 0xFF));
  metrics.tmLastChar = static_cast<std::uint8_t>(std::min<std::uint16_t>(units.LastChar, 0xFF));
  metrics.tmDefaultChar = metrics.tmFirstChar;
  metrics.tmBreakChar = ' ';
  metrics.tmItalic = (font.lfItalic != 0 || face.IsItalic) ? 0xFF : 0;
  metrics.tmUnderlined = font.lfUnderline;
  metrics.tmStruckOut = font.lfStrikeOut;
  metrics.tmPitchAndFamily = static_cast<std::uint8_t>(
      (face.IsFixedPitch ? 0 : kVariablePitch) | (face.IsScalable ? kVectorFont : 0) |
      (face.IsTrueType ? TMPF_TRUETYPE : 0));
  metrics.tmCharSet = font.lfCharSet;
  return metrics;
}

/// The glyph of the last request. A request asks for the size of an outline and then for its
/// bytes: the second call takes the glyph the first one converted.
const NativeGlyph& Converted(const FontFace& face, std::int32_t height, std::uint32_t codePoint) {
  struct Last {
    const FontFace* Face = nullptr;
    std::int32_t Height = 0;
    std::uint32_t CodePoint = 0;
    NativeGlyph Glyph;
  };
  static Last last;
  if (last.Face != &face || last.Height != height || last.CodePoint != codePoint) {
    last = {&face, height, codePoint, ConvertGlyph(face, height, codePoint)};
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

std::int32_t GetTextMetricsA(DeviceContext& hdc, TEXTMETRIC* metrics) {
  if (metrics == nullptr) return 0;
  const LOGFONTA& font = SelectedFont(hdc);
  const FontFace* face = ResolveFace(FaceNameOf(font));
  if (face == nullptr) return 0;
  *metrics = TextMetricsOf(*face, font);
  return 1;
}

}  // namespace moji
