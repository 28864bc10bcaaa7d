#pragma once
// The placement transform of drawing, ending in integer device coordinates.

#include <cstdint>

#include "platform/gdi_records.h"

namespace moji {

/// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, -0.5 -> 0).
/// Throws std::overflow_error for a value that is not finite or lies outside the 32-bit range.
std::int32_t RoundHalfToEven(double value);

/// Maps outline points to device points: scale, optional flip of y, offsets, then rounding.
struct DeviceTransform {
  float OffsetX = 0.0f;
  float OffsetY = 0.0f;
  float Scale = 1.0f;
  bool FlipY = false;

  /// x * Scale + OffsetX in double precision; y in single-precision steps
  /// ((FlipY ? 1 - y : y) * Scale, then + OffsetY); both rounded half to even.
  /// Throws std::overflow_error for a coordinate that does not fit a device point.
  POINT ToDevice(float x, float y) const;
};

}  // namespace moji
