#pragma once
// The published records of the native glyph outline format and the glyph request.

#include <cstdint>

namespace moji {

/// A 16.16 fixed-point number: the fraction word first, then the signed integer word.
struct FIXED {
  std::uint16_t fract;
  std::int16_t value;
};

/// One point of a native outline: x then y.
struct POINTFX {
  FIXED x;
  FIXED y;
};

/// Head of one polygon (contour) of a native outline; `cb` covers the header and its curves.
struct TTPOLYGONHEADER {
  std::uint32_t cb;
  std::uint32_t dwType;
  POINTFX pfxStart;
};

/// One curve record: a type, a point count and (in the buffer) that many points.
struct TTPOLYCURVE {
  std::uint16_t wType;
  std::uint16_t cpfx;
  POINTFX apfx[1];
};

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
};

/// Metrics that a glyph request fills in.
struct GLYPHMETRICS {
  std::uint32_t gmBlackBoxX;
  std::uint32_t gmBlackBoxY;
  POINT gmptGlyphOrigin;
  std::int16_t gmCellIncX;
  std::int16_t gmCellIncY;
};

inline constexpr std::uint32_t GGO_NATIVE = 2;
inline constexpr std::uint32_t TT_POLYGON_TYPE = 24;
inline constexpr std::uint16_t TT_PRIM_LINE = 1;
inline constexpr std::uint16_t TT_PRIM_QSPLINE = 2;
/// What a failed glyph request returns.
inline constexpr std::int32_t GDI_ERROR = -1;

/// Byte sizes of the records as they lie in a native buffer.
inline constexpr std::uint32_t kPolygonHeaderSize = 16;
inline constexpr std::uint32_t kCurveHeadSize = 4;
inline constexpr std::uint32_t kPointSize = 8;

static_assert(sizeof(FIXED) == 4);
static_assert(sizeof(POINTFX) == 8);
static_assert(sizeof(TTPOLYGONHEADER) == 16);
static_assert(sizeof(TTPOLYCURVE) == 12);
static_assert(sizeof(MAT2) == 16);
static_assert(sizeof(POINT) == 8);
static_assert(sizeof(GLYPHMETRICS) == 20);

}  // namespace moji
