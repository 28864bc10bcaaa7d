#pragma once
// The published records of the glyph request and of drawing: matrix, glyph metrics, device point.

#include <cstdint>

#include "native/native_records.h"

namespace moji {

/// The 2 x 2 transformation matrix of a glyph request.
struct MAT2 {
  FIXED eM11;
  FIXED eM12;
  FIXED eM21;
  FIXED eM22;
};

/// A device point: x then y, signed 32-bit.
struct POINT {
  std::int32_t x;
  std::int32_t y;
  friend bool operator==(const POINT&, const POINT&) = default;
};

/// Metrics that a glyph request fills in.
struct GLYPHMETRICS {
  std::uint32_t gmBlackBoxX;
  std::uint32_t gmBlackBoxY;
  POINT gmptGlyphOrigin;
  std::int16_t gmCellIncX;
  std::int16_t gmCellIncY;
};

/// The glyph request's format for native outlines.
inline constexpr std::uint32_t GGO_NATIVE = 2;
/// Added to the format: the character code is a glyph index of the face.
inline constexpr std::uint32_t GGO_GLYPH_INDEX = 0x80;
/// What a failed glyph request returns.
inline constexpr std::int32_t GDI_ERROR = -1;

static_assert(sizeof(MAT2) == 16);
static_assert(sizeof(POINT) == 8);
static_assert(sizeof(GLYPHMETRICS) == 20);

}  // namespace moji
