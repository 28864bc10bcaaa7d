#pragma once
// Conversion of the font engine's 16.16 fixed-point numbers.

#include <cstdint>

#include "platform/native_outline_records.h"

namespace moji {

/// value + fract / 65536, computed exactly and rounded once to single precision.
inline float FixedToSingle(const FIXED& fixed) {
  // The fraction word is unsigned: 0xFFFF is 65535/65536, never a negative value. The whole
  // number counted in 65536ths fits a signed 32-bit integer, and dividing its double by a power
  // of two is exact, so one conversion gives value + fract / 65536 exactly. Inline: the outline
  // walk converts every coordinate of every glyph through it.
  const std::int32_t units = std::int32_t{fixed.value} * 65536 + std::int32_t{fixed.fract};
  return static_cast<float>(static_cast<double>(units) / 65536.0);
}

}  // namespace moji
