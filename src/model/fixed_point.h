#pragma once
// Conversion of the font engine's 16.16 fixed-point numbers.

#include "platform/native_outline_records.h"

namespace moji {

/// value + fract / 65536, computed exactly and rounded once to single precision.
float FixedToSingle(const FIXED& fixed);

}  // namespace moji
