#include "geometry/device_transform.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace moji {

std::int32_t RoundHalfToEven(double value) {
  double rounded = std::round(value);
  // std::round takes halves away from zero; an exact half goes to the even neighbour instead.
  // The test does not depend on the floating-point environment's rounding mode.
  if (std::fabs(value - std::trunc(value)) == 0.5) rounded = 2.0 * std::round(value / 2.0);
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  // Written so that NaN fails the test as well.
  if (!(rounded >= kLowest && rounded <= kHighest)) {
    throw std::overflow_error("device coordinate is not finite or outside the 32-bit range");
  }
  return static_cast<std::int32_t>(rounded);
}

POINT DeviceTransform::ToDevice(float x, float y) const {
  const double deviceX = static_cast<double>(x) * Scale + OffsetX;
  const float flipped = FlipY ? 1.0f - y : y;
  const float scaled = flipped * Scale;
  const float deviceY = scaled + OffsetY;
  return {RoundHalfToEven(deviceX), RoundHalfToEven(deviceY)};
}

}  // namespace moji
