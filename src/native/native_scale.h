#pragma once
// Font units to the 16.16 pixels of a font height.

#include <algorithm>
#include <cstdint>
#include <optional>

namespace moji {

/// The cell height used for a font description of height 0.
inline constexpr std::int32_t kDefaultCellHeight = 16;

/// How many pixels a number of font units makes: `Pixels` pixels per `Units` font units.
struct HeightScale {
  std::int64_t Pixels = 1;
  std::int64_t Units = 1;
};

/// The scale of a font height: a positive height is the cell height (`cellUnits` font units), a
/// negative one the em height (`emUnits`), 0 the default cell height. Nothing when the unit
/// count is 0 or less, or beyond any real font's (2^20).
std::optional<HeightScale> ScaleOfHeight(std::int32_t height, std::int64_t cellUnits,
                                         std::int64_t emUnits);

/// round(units * numerator / denominator), halves away from zero, exact in 64-bit integers,
/// clamped to the 32-bit range. The denominator is at most 2^21: a product that overflows 64
/// bits then makes a quotient far beyond 32 bits, clamped without being computed.
inline std::int32_t RoundedQuotient(std::int64_t units, std::int64_t numerator,
                                    std::int64_t denominator) {
  constexpr std::int64_t kBeyond = std::int64_t{1} << 31;  // the first magnitude past 32 bits
  const std::int64_t magnitude = units < 0 ? -units : units;
  std::int64_t product = 0;
  std::int64_t quotient = kBeyond;
  if (!__builtin_mul_overflow(magnitude, numerator, &product) &&
      !__builtin_add_overflow(product, denominator / 2, &product)) {
    quotient = std::min(product / denominator, kBeyond);
  }
  return static_cast<std::int32_t>(units < 0 ? -quotient : std::min(quotient, kBeyond - 1));
}

/// Coordinates beyond this many font units are clamped before any arithmetic: their 16.16
/// value is far out of range anyway, and so the sum of two of them cannot overflow.
inline constexpr std::int64_t kMaxFontUnits = std::int64_t{1} << 40;

/// round(units * Pixels / Units) in 16.16: rounded to nearest, halves away from zero, exact in
/// 64-bit integers, clamped to the 32-bit range.
inline std::int32_t ScaleToFixed(std::int64_t units, const HeightScale& scale) {
  return RoundedQuotient(std::clamp(units, -kMaxFontUnits, kMaxFontUnits), scale.Pixels * 65536,
                         scale.Units);
}

/// The midpoint of two coordinates in font units in 16.16, rounded once from the exact half.
inline std::int32_t ScaleMidpointToFixed(std::int64_t unitsA, std::int64_t unitsB,
                                         const HeightScale& scale) {
  return RoundedQuotient(std::clamp(unitsA, -kMaxFontUnits, kMaxFontUnits) +
                             std::clamp(unitsB, -kMaxFontUnits, kMaxFontUnits),
                         scale.Pixels * 65536, 2 * scale.Units);
}

}  // namespace moji
