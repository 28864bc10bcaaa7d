#include "native/native_scale.h"

namespace moji {
namespace {

/// No real font has more units per height (TrueType caps the em at 16384 and a cell at twice
/// 65535); with at most this many the quotients stay within 64 bits.
constexpr std::int64_t kMaxUnitsPerHeight = std::int64_t{1} << 20;

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

}  // namespace moji
