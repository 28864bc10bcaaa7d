#pragma once
// Conversion of the font engine's 16.16 fixed-point numbers.

#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/native_outline_records.h"

namespace moji {

static_assert(std::endian::native == std::endian::little,
              "FixedToSingle reads the two words of a FIXED as one little-endian integer");

/// value + fract / 65536, computed exactly and rounded once to single precision.
inline float FixedToSingle(const FIXED& fixed) {
  // The fraction word is unsigned: 0xFFFF is 65535/65536, never a negative value. Read as one
  // little-endian 32-bit integer, the two words are the number counted in 65536ths (the
  // fraction is the low word), and dividing its double by a power of two is exact. Inline: the
  // outline walk converts every coordinate of every glyph through it.
  std::int32_t units = 0;  // the number in 65536ths
  std::memcpy(&units, &fixed, sizeof units);
  return static_cast<float>(static_cast<double>(units) / 65536.0);
}

}  // namespace moji
