#include "platform/native_outline_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "platform/native_outline_records.h"

namespace moji {
namespace {

using Points = std::vector<FT_Vector>;
constexpr double L = TT_PRIM_LINE, Q = TT_PRIM_QSPLINE;

/// The contour ('1' in `onCurve`: on the curve) converted one font unit to one pixel and read
/// back as {start x, y, then each record's type, point count and points}; checks the header.
std::vector<double> Convert(const Points& points, const std::string& onCurve) {
  std::vector<unsigned char> tags;
  for (const char on : onCurve) tags.push_back(on == '1' ? FT_CURVE_TAG_ON : FT_CURVE_TAG_CONIC);
  std::vector<std::uint8_t> bytes;
  AppendNativeContour(points, tags, *NativeScaleForHeight(1, 1, 1), bytes);
  const auto word = [&](std::size_t at) {
    std::int32_t value = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + at, 4);
    return value;
  };
  EXPECT_EQ(static_cast<std::size_t>(word(0)), bytes.size());  // cb covers the records exactly
  EXPECT_EQ(word(4), std::int32_t{TT_POLYGON_TYPE});
  std::vector<double> read = {word(8) / 65536.0, word(12) / 65536.0};
  for (std::size_t at = 16; at < bytes.size();) {
    const auto head = static_cast<std::uint32_t>(word(at));
    read.insert(read.end(), {double(head & 0xFFFF), double(head >> 16)});
    at += 4;
    for (std::uint32_t k = 0; k < head >> 16; ++k, at += 8) {
      read.insert(read.end(), {word(at) / 65536.0, word(at + 4) / 65536.0});
    }
  }
  return read;
}

TEST(NativeOutlineBuilder, ContourShapes) {
  const struct {
    const char* Name;
    Points Contour;
    std::string OnCurve;
    std::vector<double> Read;
  } cases[] = {
      {"starts off the curve: the on-curve last point starts and is not visited again",
       {{5, 9}, {10, 0}, {20, 0}, {0, 0}}, "0111", {0, 0, Q, 2, 5, 9, 10, 0, L, 1, 20, 0}},
      {"no on-curve point: starts at the midpoint of the last and first",
       {{0, 0}, {10, 0}, {10, 11}}, "000", {5, 5.5, Q, 4, 0, 0, 10, 0, 10, 11, 5, 5.5}},
      {"ends in off-curve points: the run closes at the start",
       {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, "1100", {0, 0, L, 1, 4, 0, Q, 3, 4, 4, 0, 4, 0, 0}},
      {"maximal runs", {{0, 0}, {1, 1}, {2, 0}, {3, 0}, {4, 1}, {5, 1}, {6, 0}}, "1011001",
       {0, 0, Q, 2, 1, 1, 2, 0, L, 1, 3, 0, Q, 3, 4, 1, 5, 1, 6, 0}},
      {"one point on", {{7, -3}}, "1", {7, -3}},
      {"one point off", {{7, -3}}, "0", {7, -3}},
  };
  for (const auto& c : cases) EXPECT_EQ(Convert(c.Contour, c.OnCurve), c.Read) << c.Name;
}

TEST(NativeOutlineBuilder, ByteLayoutIsLittleEndianWithCbCoveringTheRecords) {
  const std::vector<std::uint8_t> expected = {
      0xEE,                                    // what the buffer held before
      0x1C, 0, 0, 0, 0x18, 0,    0,    0,      // cb 28, dwType 24
      0,    0, 1, 0, 0,    0x80, 2,    0,      // start (1, 2.5)
      1,    0, 1, 0,                           // TT_PRIM_LINE, one point
      0,    0, 3, 0, 0,    0,    0xFF, 0xFF};  // (3, -1)
  const std::vector<FT_Vector> points = {{2, 5}, {6, -2}};
  const std::vector<unsigned char> tags = {1, 1};
  std::vector<std::uint8_t> out = {0xEE};
  AppendNativeContour(points, tags, *NativeScaleForHeight(1, 2, 2), out);
  EXPECT_EQ(out, expected);
}

// Line runs are cut anywhere; a spline run after 32766 controls, at the implied on-curve point
// between the next two, and its last record ends back at the start.
TEST(NativeOutlineBuilder, LongRunsAreCutIntoRecordsOf32767Points) {
  Points points = {{0, 0}};
  for (long i = 1; i <= 70000; ++i) points.push_back({i % 5000 + 1, i % 7});
  for (const bool spline : {false, true}) {
    std::vector<double> expected = {0, 0};
    const auto add = [&](double x, double y) { expected.insert(expected.end(), {x, y}); };
    std::size_t next = 1;
    for (const double size : {32767.0, 32767.0, spline ? 4469.0 : 4466.0}) {
      add(spline ? Q : L, size);
      for (int k = spline; k < size; ++k, ++next) add(points[next].x, points[next].y);
      if (spline && next == points.size()) add(0, 0);
      if (spline && next < points.size()) {
        const FT_Vector &a = points[next - 1], &b = points[next];
        add((a.x + b.x) / 2.0, (a.y + b.y) / 2.0);
      }
    }
    const std::string onCurve = "1" + std::string(70000, spline ? '0' : '1');
    EXPECT_TRUE(Convert(points, onCurve) == expected) << spline;
  }
  // Exactly 32766 controls and their end point fit one record.
  EXPECT_EQ(Convert(Points(32768, {1, 1}), "1" + std::string(32766, '0') + "1").size(),
            2 + 2 + 2 * 32767u);
}

// A contour is scaled by the ratio only when all its coordinates allow it; one far coordinate
// sends the whole contour the exact integer way, and every point comes out as ScaleToFixed says.
TEST(NativeOutlineBuilder, ContoursScaleLikeScaleToFixedNearAndFar) {
  const NativeScale scale = *NativeScaleForHeight(32, 2048, 2048);
  const Points near = {{0, 0}, {1000, -300}, {-1048576, 1048575}, {2047, 2049}};
  Points far = near;
  far.insert(far.end(), {{1048576, -1048577}, {2097151, -2097151}, {3000000, 5}, {1L << 40, -7}});
  for (const Points& points : {near, far}) {
    std::vector<std::uint8_t> bytes;
    AppendNativeContour(points, std::vector<unsigned char>(points.size(), FT_CURVE_TAG_ON), scale,
                        bytes);
    ASSERT_EQ(bytes.size(), 16 + 4 + 8 * (points.size() - 1));  // the start, one line record
    for (std::size_t k = 0; k < points.size(); ++k) {
      const std::size_t at = k == 0 ? 8 : 20 + 8 * (k - 1);
      std::int32_t x = 0, y = 0;
      std::memcpy(&x, bytes.data() + at, 4);
      std::memcpy(&y, bytes.data() + at + 4, 4);
      EXPECT_EQ(x, ScaleToFixed(points[k].x, scale)) << k;
      EXPECT_EQ(y, ScaleToFixed(points[k].y, scale)) << k;
    }
  }
}

// The division is a multiplication by a precomputed constant: it must agree with plain
// division for denominators of every size, round halves away from zero and clamp to 32 bits.
TEST(NativeOutlineBuilder, ScalingRoundsLikePlainDivisionAndClamps) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max(), kMin = -kMax - 1;
  for (const std::int64_t units : {1L, 3L, 2048L, 2203L, 131071L, 3L << 17, (1L << 40) - 1}) {
    for (const std::int32_t height : {1, 32, 1000, -32, 32767}) {
      const NativeScale scale = *NativeScaleForHeight(height, units, units);
      const auto expect = [&](std::int64_t u) {
        __extension__ using Int128 = __int128;
        const Int128 magnitude =
            (Int128{std::abs(u)} * std::abs(height) * 65536 + units / 2) / units;
        const Int128 rounded = u < 0 ? std::max(-magnitude, Int128{kMin})
                                     : std::min(magnitude, Int128{kMax});
        ASSERT_EQ(ScaleToFixed(u, scale), rounded) << units << " " << height << " " << u;
      };
      for (std::int64_t u = -70000; u <= 70000; u += 7) expect(u);
      // The largest values that still fit, where a rounding error would show first.
      for (std::int64_t u = scale.SafeUnits - 300; u <= scale.SafeUnits + 2; ++u) {
        expect(u);
        expect(-u);
      }
    }
  }
  const NativeScale half = *NativeScaleForHeight(1, 131072, 1);  // a unit is half a 1/65536
  EXPECT_EQ(ScaleToFixed(1, half), 1);
  EXPECT_EQ(ScaleToFixed(-3, half), -2);
  EXPECT_EQ(ScaleMidpointToFixed(0, 1, *NativeScaleForHeight(1, 3, 1)), 10923);  // once, from 1/6
  EXPECT_FALSE(NativeScaleForHeight(32, 0, 2048));
}

}  // namespace
}  // namespace moji
