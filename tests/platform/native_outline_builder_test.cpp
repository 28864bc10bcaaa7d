#include "platform/native_outline_builder.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "native_polygons.h"

namespace moji {
namespace {

using testing_support::Fx;
using testing_support::Polygon;
using testing_support::ReadPolygons;

constexpr std::int32_t kOne = 65536;

struct P {
  long X;
  long Y;
  bool On;
};

/// One font unit is one pixel: (x, y) becomes (x * 65536, y * 65536).
const NativeScale kUnitScale = *NativeScaleForHeight(1, 1, 1);

std::vector<std::uint8_t> Convert(const std::vector<P>& contour) {
  std::vector<FT_Vector> points;
  std::vector<unsigned char> tags;
  for (const P& p : contour) {
    points.push_back({p.X, p.Y});
    tags.push_back(p.On ? FT_CURVE_TAG_ON : FT_CURVE_TAG_CONIC);
  }
  std::vector<std::uint8_t> out;
  AppendNativeContour(points, tags, kUnitScale, out);
  return out;
}

Fx At(long x, long y) {
  return {static_cast<std::int32_t>(x * kOne), static_cast<std::int32_t>(y * kOne)};
}

TEST(NativeOutlineBuilder, ContourShapes) {
  struct Case {
    std::string Name;
    std::vector<P> Points;
    Polygon Expected;
  };
  const Fx halfway = {5 * kOne, kOne * 11 / 2};
  const std::vector<Case> cases = {
      {"linesOnly",
       {{0, 0, true}, {10, 0, true}, {10, 10, true}, {0, 10, true}},
       {At(0, 0), {{TT_PRIM_LINE, {At(10, 0), At(10, 10), At(0, 10)}}}}},
      {"startsOffCurve_lastPointStartsAndIsNotRevisited",
       {{5, 9, false}, {10, 0, true}, {20, 0, true}, {0, 0, true}},
       {At(0, 0), {{TT_PRIM_QSPLINE, {At(5, 9), At(10, 0)}}, {TT_PRIM_LINE, {At(20, 0)}}}}},
      {"noOnCurvePoint_startsAtImpliedMidpoint",
       {{0, 0, false}, {10, 0, false}, {10, 11, false}},
       {halfway, {{TT_PRIM_QSPLINE, {At(0, 0), At(10, 0), At(10, 11), halfway}}}}},
      {"endsInOffCurvePoints_closesAtStart",
       {{0, 0, true}, {4, 0, true}, {4, 4, false}, {0, 4, false}},
       {At(0, 0), {{TT_PRIM_LINE, {At(4, 0)}}, {TT_PRIM_QSPLINE, {At(4, 4), At(0, 4), At(0, 0)}}}}},
      {"mixedRuns",
       {{0, 0, true},
        {1, 1, false},
        {2, 0, true},
        {3, 0, true},
        {4, 1, false},
        {5, 1, false},
        {6, 0, true}},
       {At(0, 0),
        {{TT_PRIM_QSPLINE, {At(1, 1), At(2, 0)}},
         {TT_PRIM_LINE, {At(3, 0)}},
         {TT_PRIM_QSPLINE, {At(4, 1), At(5, 1), At(6, 0)}}}}},
      {"onePointOn", {{7, -3, true}}, {At(7, -3), {}}},
      {"onePointOff", {{7, -3, false}}, {At(7, -3), {}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(ReadPolygons(Convert(c.Points)), std::vector<Polygon>{c.Expected});
  }
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

TEST(NativeOutlineBuilder, LongRunsAreCutIntoRecordsOf32767Points) {
  constexpr long kRun = 70000;
  const auto point = [](long i) { return At(i % 5000, i % 7); };
  std::vector<P> lines = {{0, 0, true}};
  std::vector<P> spline = {{0, 0, true}};
  for (long i = 1; i <= kRun; ++i) {
    lines.push_back({i % 5000, i % 7, true});
    spline.push_back({i % 5000, i % 7, false});
  }
  // Line runs are cut anywhere; a spline run after 32766 controls, at the implied on-curve
  // point between the next two, and its last record ends back at the start.
  for (const auto& [contour, type] : {std::pair{lines, TT_PRIM_LINE}, {spline, TT_PRIM_QSPLINE}}) {
    SCOPED_TRACE(type);
    const auto records = ReadPolygons(Convert(contour)).at(0).Records;
    ASSERT_EQ(records.size(), 3u);
    long next = 1;
    for (std::size_t r = 0; r < records.size(); ++r) {
      EXPECT_EQ(records[r].Type, type);
      const std::size_t controls = records[r].Points.size() - (type == TT_PRIM_QSPLINE ? 1 : 0);
      for (std::size_t k = 0; k < controls; ++k, ++next)
        ASSERT_EQ(records[r].Points[k], point(next));
      if (type == TT_PRIM_LINE) continue;
      const Fx implied = {(point(next - 1).X + point(next).X) / 2,
                          (point(next - 1).Y + point(next).Y) / 2};
      EXPECT_EQ(records[r].Points.back(), r < 2 ? implied : At(0, 0));
    }
    EXPECT_EQ(next, kRun + 1);
    EXPECT_EQ(records[0].Points.size(), 32767u);
    EXPECT_EQ(records[1].Points.size(), 32767u);
  }

  // Exactly 32766 controls and their end point fit one record.
  std::vector<P> full = {{0, 0, true}};
  for (long i = 1; i <= 32766; ++i) full.push_back({i % 5000, 1, false});
  full.push_back({0, 1, true});
  EXPECT_EQ(ReadPolygons(Convert(full)).at(0).Records.size(), 1u);
}

TEST(NativeOutlineBuilder, ScalingRoundsExactlyAndClamps) {
  // Coordinates are divided by multiplying with a precomputed constant; that must agree with
  // plain division for denominators of every size.
  const std::int32_t max = std::numeric_limits<std::int32_t>::max();
  const std::int32_t min = std::numeric_limits<std::int32_t>::min();
  for (const std::int64_t units : {1L, 2L, 3L, 2048L, 2203L, 2384L, 131070L, (1L << 40) - 1}) {
    for (const std::int32_t height : {1, 32, 1000, -32}) {
      const NativeScale scale = *NativeScaleForHeight(height, units, units);
      const std::int64_t numerator = std::int64_t{height < 0 ? -height : height} * kOne;
      for (std::int64_t u = -70000; u <= 70000; u += 7) {
        const std::int64_t magnitude = ((u < 0 ? -u : u) * numerator + units / 2) / units;
        if (magnitude > max) continue;
        ASSERT_EQ(ScaleToFixed(u, scale), u < 0 ? -magnitude : magnitude) << units << " " << u;
      }
    }
  }

  // Halves round away from zero; a midpoint is rounded once from the exact half unit.
  const NativeScale half = *NativeScaleForHeight(1, 131072, 1);
  EXPECT_EQ(ScaleToFixed(1, half), 1);
  EXPECT_EQ(ScaleToFixed(-3, half), -2);
  EXPECT_EQ(ScaleMidpointToFixed(0, 1, *NativeScaleForHeight(1, 3, 1)), 10923);
  EXPECT_EQ(ScaleToFixed(7, *NativeScaleForHeight(0, 7, 1)), 16 * kOne);

  const NativeScale huge = *NativeScaleForHeight(max, 1, 1);
  EXPECT_EQ(ScaleToFixed(1L << 40, huge), max);
  EXPECT_EQ(ScaleToFixed(std::numeric_limits<long>::min(), huge), min);
  EXPECT_EQ(ScaleMidpointToFixed(std::numeric_limits<long>::max(), 1, huge), max);
  EXPECT_EQ(ScaleToFixed(1, *NativeScaleForHeight(min, 1, 1)), max);
  EXPECT_FALSE(NativeScaleForHeight(32, 0, 2048));
  EXPECT_FALSE(NativeScaleForHeight(-32, 2203, 0));
}

TEST(NativeOutlineBuilder, OutlineRefusesInconsistentContourEnds) {
  using Tag = std::remove_pointer_t<decltype(FT_Outline::tags)>;
  using End = std::remove_pointer_t<decltype(FT_Outline::contours)>;
  std::vector<FT_Vector> points = {{0, 0}, {1, 0}, {1, 1}, {5, 5}, {6, 5}};
  std::vector<Tag> tags(points.size(), FT_CURVE_TAG_ON);
  std::vector<End> ends = {2, 4};
  FT_Outline outline{};
  outline.n_points = static_cast<decltype(outline.n_points)>(points.size());
  outline.n_contours = 2;
  outline.points = points.data();
  outline.tags = tags.data();
  outline.contours = ends.data();

  std::vector<std::uint8_t> out;
  ASSERT_TRUE(AppendNativeOutline(outline, kUnitScale, out));
  EXPECT_EQ(ReadPolygons(out).at(1), (Polygon{At(5, 5), {{TT_PRIM_LINE, {At(6, 5)}}}}));
  for (const auto& [a, b] : {std::pair{2, 2}, {3, 1}, {2, 5}, {-1, 4}}) {
    ends = {static_cast<End>(a), static_cast<End>(b)};
    std::vector<std::uint8_t> untouched = {1, 2, 3};
    EXPECT_FALSE(AppendNativeOutline(outline, kUnitScale, untouched));
    EXPECT_EQ(untouched, (std::vector<std::uint8_t>{1, 2, 3}));
  }
}

}  // namespace
}  // namespace moji
