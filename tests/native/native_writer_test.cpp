#include "native/native_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "native/native_records.h"

namespace moji {
namespace {

using Points = std::vector<FontUnitPoint>;
constexpr double L = TT_PRIM_LINE, Q = TT_PRIM_QSPLINE, C = TT_PRIM_CSPLINE;

std::vector<PointKind> Kinds(const std::string& onCurve) {
  std::vector<PointKind> kinds;
  for (const char kind : onCurve) {
    kinds.push_back(kind == '1'   ? PointKind::OnCurve
                    : kind == 'c' ? PointKind::CubicControl
                                  : PointKind::QuadraticControl);
  }
  return kinds;
}

/// The contour ('1' on the curve, '0' a quadratic control, 'c' a cubic one) converted at a pixel
/// a unit, read back as {start x, y, each record's type, count, points}; empty when refused.
std::vector<double> Convert(const Points& points, const std::string& onCurve) {
  const std::vector<PointKind> kinds = Kinds(onCurve);
  const std::vector<std::size_t> ends = {points.size() - 1};
  std::vector<std::uint8_t> bytes;
  if (!AppendNativeOutline({points, kinds, ends}, *ScaleOfHeight(1, 1, 1), bytes)) return {};
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

TEST(NativeWriter, ContourShapes) {
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
      {"cubic segments, the last one ending at the start",
       {{0, 0}, {1, 1}, {2, 1}, {3, 0}, {4, -1}, {5, -1}}, "1cc1cc",
       {0, 0, C, 6, 1, 1, 2, 1, 3, 0, 4, -1, 5, -1, 0, 0}},
      {"lines, a cubic segment, lines again", {{0, 0}, {9, 0}, {9, 2}, {8, 3}, {6, 3}, {0, 3}},
       "11cc11", {0, 0, L, 1, 9, 0, C, 3, 9, 2, 8, 3, 6, 3, L, 1, 0, 3}},
      {"a cubic contour that starts off the curve", {{1, 1}, {2, 1}, {3, 0}, {0, 0}}, "cc11",
       {0, 0, C, 3, 1, 1, 2, 1, 3, 0}},
      {"one cubic control between on-curve points", {{0, 0}, {1, 1}, {2, 0}}, "1c1", {}},
      {"three cubic controls in a row", {{0, 0}, {1, 1}, {2, 1}, {3, 0}, {4, 0}}, "1ccc1", {}},
      {"quadratic controls ending at a cubic one", {{0, 0}, {1, 1}, {2, 1}, {3, 0}}, "10cc", {}},
      {"cubic controls with no on-curve point", {{0, 0}, {1, 1}}, "cc", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Convert(c.Contour, c.OnCurve), c.Read) << c.Name;
}

TEST(NativeWriter, ByteLayoutIsLittleEndianWithCbCoveringTheRecords) {
  const std::vector<std::uint8_t> expected = {
      0xEE,                                    // what the buffer held before
      0x1C, 0, 0, 0, 0x18, 0,    0,    0,      // cb 28, dwType 24
      0,    0, 1, 0, 0,    0x80, 2,    0,      // start (1, 2.5)
      1,    0, 1, 0,                           // TT_PRIM_LINE, one point
      0,    0, 3, 0, 0,    0,    0xFF, 0xFF};  // (3, -1)
  const Points points = {{2, 5}, {6, -2}};
  const std::vector<PointKind> kinds(2, PointKind::OnCurve);
  const std::vector<std::size_t> ends = {1};
  std::vector<std::uint8_t> out = {0xEE};
  EXPECT_TRUE(AppendNativeOutline({points, kinds, ends}, *ScaleOfHeight(1, 2, 2), out));
  EXPECT_EQ(out, expected);
}

// Contour ends out of order or past the points, and kinds that do not match the points, are
// refused with nothing written; no contours at all write nothing and succeed.
TEST(NativeWriter, InconsistentContoursAreRefused) {
  const Points points = {{0, 0}, {1, 0}, {1, 1}};
  const std::vector<PointKind> kinds(3, PointKind::OnCurve);
  const HeightScale scale = *ScaleOfHeight(1, 1, 1);
  for (const std::vector<std::size_t>& ends :
       {std::vector<std::size_t>{3}, {1, 0}, {1, 1}, {0, 2, 5}}) {
    std::vector<std::uint8_t> out = {7};
    EXPECT_FALSE(AppendNativeOutline({points, kinds, ends}, scale, out));
    EXPECT_EQ(out, std::vector<std::uint8_t>{7});
  }
  std::vector<std::uint8_t> out;
  EXPECT_FALSE(AppendNativeOutline({points, std::span(kinds).first(2), std::vector<std::size_t>{2}}, scale, out));
  EXPECT_TRUE(AppendNativeOutline({{}, {}, {}}, scale, out));
  EXPECT_TRUE(out.empty());
}

// Every point written has its source, in buffer order: the font's point number and position, or
// -1 for an implied midpoint; a run that closes at the start repeats the start's source.
TEST(NativeWriter, PointSourcesFollowTheBuffer) {
  const Points points = {{0, 0}, {10, 0}, {10, 11}, {20, 0}, {30, 0}, {40, 5}};
  const std::vector<PointKind> kinds = Kinds("000100");
  const std::vector<std::size_t> ends = {2, 5};
  std::vector<std::uint8_t> bytes;
  std::vector<PointSource> sources;
  ASSERT_TRUE(AppendNativeOutline({points, kinds, ends}, *ScaleOfHeight(1, 1, 1), bytes, &sources));
  const std::vector<PointSource> expected = {
      {-1, 5, 5.5}, {0, 0, 0}, {1, 10, 0}, {2, 10, 11}, {-1, 5, 5.5},  // the midpoint start
      {3, 20, 0},   {4, 30, 0}, {5, 40, 5}, {3, 20, 0}};               // closing at the start
  EXPECT_EQ(sources, expected);
}

// Line runs are cut anywhere; a spline run after 32766 controls, at the implied on-curve point
// between the next two, and its last record ends back at the start.
TEST(NativeWriter, LongRunsAreCutIntoRecordsOf32767Points) {
  Points points = {{0, 0}};
  for (std::int64_t i = 1; i <= 70000; ++i) points.push_back({i % 5000 + 1, i % 7});
  for (const bool spline : {false, true}) {
    std::vector<double> expected = {0, 0};
    const auto add = [&](double x, double y) { expected.insert(expected.end(), {x, y}); };
    std::size_t next = 1;
    for (const double size : {32767.0, 32767.0, spline ? 4469.0 : 4466.0}) {
      add(spline ? Q : L, size);
      for (int k = spline; k < size; ++k, ++next) add(points[next].X, points[next].Y);
      if (spline && next == points.size()) add(0, 0);
      if (spline && next < points.size()) {
        const FontUnitPoint &a = points[next - 1], &b = points[next];
        add((a.X + b.X) / 2.0, (a.Y + b.Y) / 2.0);
      }
    }
    const std::string onCurve = "1" + std::string(70000, spline ? '0' : '1');
    EXPECT_TRUE(Convert(points, onCurve) == expected) << spline;
  }
  // Exactly 32766 controls and their end point fit one record.
  EXPECT_EQ(Convert(Points(32768, {1, 1}), "1" + std::string(32766, '0') + "1").size(),
            2 + 2 + 2 * 32767u);
  // A cubic run goes on in a new record after 10922 whole segments (32766 points).
  std::string cubic = "1";
  for (int segment = 0; segment < 10923; ++segment) cubic += "cc1";
  const std::vector<double> read = Convert(Points(cubic.size(), {1, 1}), cubic);
  ASSERT_EQ(read.size(), 2 + 2 + 2 * 32766u + 2 + 2 * 3u);
  EXPECT_EQ(read[2], C);
  EXPECT_EQ(read[3], 32766);
  EXPECT_EQ(read[4 + 2 * 32766], C);
  EXPECT_EQ(read[5 + 2 * 32766], 3);
}

// Scaling is round(units * pixels * 65536 / units per height), halves away from zero, exact
// and clamped to 32 bits, however far the product goes beyond 64.
TEST(NativeScale, RoundsExactlyAndClamps) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max(), kMin = -kMax - 1;
  constexpr std::int64_t kFar = std::numeric_limits<std::int64_t>::max();
  // Units per height, height, font units: their 16.16 pixels.
  const std::tuple<std::int64_t, std::int32_t, std::int64_t, std::int32_t> cases[] = {
      {2048, 32, 1, 1024},         {2048, -32, -1, -1024},    {3, 1, 1, 21845},
      {3, 1, 2, 43691},            {3, 1, -2, -43691},        {131072, 1, 1, 1},
      {131072, 1, -3, -2},         {1, 1, 32767, 2147418112}, {1, 1, 32768, kMax},
      {1, 1, -32768, kMin},        {1, 1, -32769, kMin},      {3, 1, 98303, 2147461803},
      {3, 1, 98304, kMax},         {1, kMax, kFar, kMax},     {1, kMax, -kFar, kMin},
      {1 << 20, kMax, 1, 134217728}};
  for (const auto& [units, height, value, fixed] : cases) {
    const HeightScale scale = *ScaleOfHeight(height, units, units);
    EXPECT_EQ(ScaleToFixed(value, scale), fixed) << units << " " << height << " " << value;
  }
  EXPECT_EQ(ScaleMidpointToFixed(0, 1, *ScaleOfHeight(1, 3, 1)), 10923);  // once, from 1/6
  EXPECT_FALSE(ScaleOfHeight(32, 0, 2048));
  EXPECT_FALSE(ScaleOfHeight(-32, 2048, (1 << 20) + 1));
  EXPECT_EQ(ScaleOfHeight(0, 2048, 1000)->Pixels, kDefaultCellHeight);
}

}  // namespace
}  // namespace moji
