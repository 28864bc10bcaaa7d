#pragma once
// Converting TrueType contours in font units into native outline records.

#include <ft2build.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>
#include FT_FREETYPE_H

namespace moji {

/// The cell height used for a font description of height 0.
inline constexpr std::int32_t kDefaultCellHeight = 16;
/// The most points one curve record may hold (its count is read as a signed 16-bit value).
inline constexpr std::size_t kMaxRecordPoints = 32767;

/// Font units to 16.16 device units: round(units * Numerator / Denominator), clamped to 32 bits,
/// with the constants that make the conversion of one coordinate cheap.
struct NativeScale {
  std::int64_t Numerator = 65536;
  std::int64_t Denominator = 1;
  /// The largest |units| (and |sum of two units|) whose product with Numerator cannot overflow.
  std::int64_t UnitLimit = 0;
  /// The largest |units| whose 16.16 value cannot leave the 32-bit range.
  std::int64_t SafeUnits = 0;
  /// Division by Denominator as a multiplication: n / Denominator = ((n * Magic) >> 64) >>
  /// HighShift for every n below 2^63.
  std::uint64_t Magic = 0;
  unsigned HighShift = 0;
  /// Numerator / Denominator as a double, and whether multiplying by it and rounding gives the
  /// exact result for every |units| <= SafeUnits (see NativeScaleForHeight).
  double Ratio = 65536.0;
  bool RatioIsExact = false;
};

/// The scale of a font height: a positive height is the cell height (`cellUnits` font units), a
/// negative one the em height (`emUnits`), 0 the default cell height. Nothing for a unit count <=
/// 0.
std::optional<NativeScale> NativeScaleForHeight(std::int32_t height, std::int64_t cellUnits,
                                                std::int64_t emUnits);

/// One coordinate in font units as a 16.16 value, rounded to nearest (halves away from zero).
std::int32_t ScaleToFixed(std::int64_t units, const NativeScale& scale);
/// The midpoint of two coordinates in font units as a 16.16 value, rounded once from the exact
/// half.
std::int32_t ScaleMidpointToFixed(std::int64_t unitsA, std::int64_t unitsB,
                                  const NativeScale& scale);

/// Bytes that `pointCount` points in `contourCount` contours can take at most as native records.
std::size_t NativeOutlineByteBound(std::size_t pointCount, std::size_t contourCount);

/// Appends one contour as a polygon header and its curve records (tag bit 0 set: on the curve).
/// Nothing is appended for an empty contour or when the tags do not match the points.
void AppendNativeContour(std::span<const FT_Vector> points, std::span<const unsigned char> tags,
                         const NativeScale& scale, std::vector<std::uint8_t>& out);

/// Appends every contour of an outline; false (and `out` unchanged) for inconsistent contour ends.
bool AppendNativeOutline(const FT_Outline& outline, const NativeScale& scale,
                         std::vector<std::uint8_t>& out);

}  // namespace moji
