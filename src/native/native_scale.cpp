#include "native/native_scale.h"

#include <algorithm>
#include <limits>

namespace moji {
namespace {

/// No real font has more units per height (TrueType caps the em at 16384 and a cell at twice
/// 65535). Below this bound every quotient that fits 32 bits comes from a product below 2^62.
constexpr std::int64_t kMaxUnitsPerHeight = std::int64_t{1} << 20;
/// Coordinates beyond this are clamped before any sum: their 16.16 value is out of range anyway.
constexpr std::int64_t kMaxUnits = std::int64_t{1} << 40;

/// round(units * numerator / denominator), halves away from zero, clamped to 32 bits. With
/// denominator <= 2^21, a product beyond 2^62 makes a quotient beyond 2^41: clamped without
/// being computed, so the arithmetic never leaves 64 bits.
std::int32_t RoundedQuotient(std::int64_t units, std::int64_t numerator, std::int64_t denominator) {
  constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
  const std::int64_t magnitude = units < 0 ? -units : units;
  std::int64_t quotient = kLargest + 1;
  if (magnitude <= (std::int64_t{1} << 62) / numerator) {
    quotient = std::min((magnitude * numerator + denominator / 2) / denominator, kLargest + 1);
  }
  if (units < 0) return static_cast<std::int32_t>(-quotient);
  return static_cast<std::int32_t>(std::min(quotient, kLargest));
}

std::int64_t ClampedUnits(std::int64_t units) { return std::clamp(units, -kMaxUnits, kMaxUnits); }

}  // namespace

std::optional<HeightScale> ScaleOfHeight(std::int32_t height, std::int64_t cellUnits,
                                         std::int64_t emUnits) {
  HeightScale scale{height, cellUnits};
  if (height == 0) {
    scale.Pixels = kDefaultCellHeight;
  } else if (height < 0) {
    scale = {-std::int64_t{height}, emUnits};
  }
  if (scale.Units <= 0 || scale.Units > kMaxUnitsPerHeight) return std::nullopt;
  return scale;
}

std::int32_t ScaleToFixed(std::int64_t units, const HeightScale& scale) {
  return RoundedQuotient(ClampedUnits(units), scale.Pixels * 65536, scale.Units);
}

std::int32_t ScaleMidpointToFixed(std::int64_t unitsA, std::int64_t unitsB,
                                  const HeightScale& scale) {
  return RoundedQuotient(ClampedUnits(unitsA) + ClampedUnits(unitsB), scale.Pixels * 65536,
                         2 * scale.Units);
}

}  // namespace moji
