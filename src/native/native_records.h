#pragma once
// The published records of the native glyph outline buffer: polygons of curve records of
// 16.16 fixed-point points, little-endian.

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

inline constexpr std::uint32_t TT_POLYGON_TYPE = 24;
/// A run of straight segments.
inline constexpr std::uint16_t TT_PRIM_LINE = 1;
/// A quadratic B-spline run: control points, the last one on the curve.
inline constexpr std::uint16_t TT_PRIM_QSPLINE = 2;
/// A run of cubic Bezier segments: per segment two control points, then its end on the curve.
inline constexpr std::uint16_t TT_PRIM_CSPLINE = 3;

/// Byte sizes of the records as they lie in a native buffer.
inline constexpr std::uint32_t kPolygonHeaderSize = 16;
inline constexpr std::uint32_t kCurveHeadSize = 4;
inline constexpr std::uint32_t kPointSize = 8;
/// The most points one curve record holds: its count is read as a signed 16-bit value.
inline constexpr std::uint32_t kMaxRecordPoints = 32767;

static_assert(sizeof(FIXED) == 4);
static_assert(sizeof(POINTFX) == 8);
static_assert(sizeof(TTPOLYGONHEADER) == 16);
static_assert(sizeof(TTPOLYCURVE) == 12);

}  // namespace moji
