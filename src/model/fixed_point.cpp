#include "model/fixed_point.h"

namespace moji {

float FixedToSingle(const FIXED& fixed) {
  // The fraction word is unsigned: 0xFFFF is 65535/65536, never a negative value.
  const double exact = static_cast<double>(fixed.value) + static_cast<double>(fixed.fract) / 65536.0;
  return static_cast<float>(exact);
}

}  // namespace moji
