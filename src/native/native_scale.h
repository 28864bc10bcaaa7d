#pragma once
// Font units to the 16.16 pixels of a font height.

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

/// round(units * Pixels / Units) in 16.16: rounded to nearest, halves away from zero, exact in
/// 64-bit integers, clamped to the 32-bit range.
std::int32_t ScaleToFixed(std::int64_t units, const HeightScale& scale);

/// The midpoint of two coordinates in font units in 16.16, rounded once from the exact half.
std::int32_t ScaleMidpointToFixed(std::int64_t unitsA, std::int64_t unitsB,
                                  const HeightScale& scale);

}  // namespace moji
