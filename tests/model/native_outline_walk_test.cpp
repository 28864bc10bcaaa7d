#include "model/native_outline_walk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/fixed_point.h"
#include "platform/native_outline_records.h"

namespace moji {
namespace {

// Builds native outline buffers byte by byte, as the font engine lays them out.
class NativeBuffer {
 public:
  // Starts a polygon whose cb is patched by EndPolygon (or forced with `cb`).
  NativeBuffer& Polygon(double x, double y) {
    polygonStart_ = bytes_.size();
    Append<std::uint32_t>(0);
    Append<std::uint32_t>(TT_POLYGON_TYPE);
    Point(x, y);
    return *this;
  }
  NativeBuffer& Curve(std::int16_t type, std::vector<std::pair<double, double>> points) {
    return CurveWithCount(type, static_cast<std::int16_t>(points.size()), points);
  }
  NativeBuffer& CurveWithCount(std::int16_t type, std::int16_t count,
                               const std::vector<std::pair<double, double>>& points) {
    Append(type);
    Append(count);
    for (auto [x, y] : points) Point(x, y);
    return *this;
  }
  NativeBuffer& EndPolygon() { return SetCb(static_cast<std::uint32_t>(bytes_.size() - polygonStart_)); }
  NativeBuffer& SetCb(std::uint32_t cb) {
    std::memcpy(bytes_.data() + polygonStart_, &cb, sizeof cb);
    return *this;
  }
  NativeBuffer& Truncate(std::size_t size) {
    bytes_.resize(size);
    return *this;
  }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  template <typename T>
  void Append(T value) {
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&value);
    bytes_.insert(bytes_.end(), raw, raw + sizeof(T));
  }
  void Fixed(double v) {
    const auto raw = static_cast<std::int32_t>(v * 65536.0);
    Append(static_cast<std::uint16_t>(raw & 0xFFFF));
    Append(static_cast<std::int16_t>(raw >> 16));
  }
  void Point(double x, double y) {
    Fixed(x);
    Fixed(y);
  }
  std::vector<std::uint8_t> bytes_;
  std::size_t polygonStart_ = 0;
};

GlyphOutline Walk(const NativeBuffer& buffer, float scale = 1.0f) {
  return WalkNativeOutline(buffer.Bytes(), scale, u"A");
}

TEST(FixedToSingle, ReadsTheFractionWordAsUnsigned) {
  EXPECT_EQ(FixedToSingle(FIXED{0, 1}), 1.0f);
  EXPECT_EQ(FixedToSingle(FIXED{0x8000, -1}), -0.5f);
  EXPECT_EQ(FixedToSingle(FIXED{16384, 0}), 0.25f);
  EXPECT_EQ(FixedToSingle(FIXED{0xFFFF, 0}), static_cast<float>(65535.0 / 65536.0));
  EXPECT_EQ(FixedToSingle(FIXED{0xFFFF, -32768}), static_cast<float>(-32768.0 + 65535.0 / 65536.0));
}

TEST(WalkNativeOutline, KeepsPolygonsCurvesAndPointsInBufferOrder) {
  NativeBuffer buffer;
  buffer.Polygon(1, 2).Curve(TT_PRIM_LINE, {{3, 4}}).Curve(TT_PRIM_QSPLINE, {{5, 6}, {7, 8}, {9, 10}})
      .Curve(TT_PRIM_LINE, {{11, 12}, {13, 14}}).EndPolygon();
  buffer.Polygon(-1, -2).EndPolygon();  // header only
  buffer.Polygon(0.5, 0.25).Curve(7, {{1, 1}}).EndPolygon();  // unknown type kept as it is

  const GlyphOutline outline = Walk(buffer, 0.5f);
  EXPECT_EQ(outline.Character, u"A");
  ASSERT_EQ(outline.BlockCount, 3);
  ASSERT_EQ(outline.Blocks.size(), 3u);
  EXPECT_EQ(outline.MaxCurvePoints, 3);

  const OutlineBlock& first = outline.Blocks[0];
  EXPECT_EQ(first.StartX, 0.5f);
  EXPECT_EQ(first.StartY, 1.0f);
  ASSERT_EQ(first.CurveCount, 3);
  EXPECT_EQ(first.Curves[0].CurveType, CURVE_POLYLINE);
  EXPECT_EQ(first.Curves[1].CurveType, CURVE_QSPLINE);
  EXPECT_EQ(first.Curves[1].PointCount, 3);
  EXPECT_EQ(first.Curves[1].Points[2].X, 4.5f);
  EXPECT_EQ(first.Curves[2].Points[1].Y, 7.0f);

  EXPECT_EQ(outline.Blocks[1].CurveCount, 0);
  EXPECT_TRUE(outline.Blocks[1].Curves.empty());
  EXPECT_EQ(outline.Blocks[1].StartY, -1.0f);
  EXPECT_EQ(outline.Blocks[2].Curves[0].CurveType, 7);
  EXPECT_EQ(outline.Blocks[2].StartY, 0.125f);
}

TEST(WalkNativeOutline, EmptyBufferGivesTheEmptyOutline) {
  const GlyphOutline outline = WalkNativeOutline({}, 1.0f, u"A");
  EXPECT_TRUE(outline.Character.empty());
  EXPECT_EQ(outline.BlockCount, 0);
  EXPECT_TRUE(outline.Blocks.empty());
  EXPECT_EQ(outline.MaxCurvePoints, 0);
}

// Each malformed buffer is a good polygon followed by a broken one (or a good polygon broken
// part way): the walk keeps what came whole before the fault and reads nothing beyond.
struct MalformedCase {
  const char* name;
  NativeBuffer buffer;
  int blocks;          // blocks kept
  int curvesInLast;    // curves kept in the last kept block
};

NativeBuffer GoodPolygon() {
  NativeBuffer buffer;
  buffer.Polygon(1, 1).Curve(TT_PRIM_LINE, {{2, 2}, {3, 3}}).EndPolygon();
  return buffer;
}

std::vector<MalformedCase> MalformedCases() {
  std::vector<MalformedCase> cases;
  {
    NativeBuffer b = GoodPolygon();
    b.Polygon(0, 0).EndPolygon();
    b.Truncate(b.Bytes().size() - 3);  // second header cut short
    cases.push_back({"HeaderDoesNotFit", b, 1, 1});
  }
  {
    NativeBuffer b = GoodPolygon();
    b.Polygon(0, 0).Curve(TT_PRIM_LINE, {{1, 1}}).SetCb(15);
    cases.push_back({"CbBelowHeader", b, 1, 1});
  }
  {
    NativeBuffer b = GoodPolygon();
    b.Polygon(0, 0).Curve(TT_PRIM_LINE, {{1, 1}}).SetCb(1000);
    cases.push_back({"CbPastTheEnd", b, 1, 1});
  }
  {
    NativeBuffer b = GoodPolygon();
    b.Polygon(0, 0).Curve(TT_PRIM_LINE, {{1, 1}}).CurveWithCount(TT_PRIM_LINE, 5, {{2, 2}}).EndPolygon();
    cases.push_back({"PointsRunPastPolygon", b, 2, 1});
  }
  {
    NativeBuffer b = GoodPolygon();
    b.Polygon(0, 0).CurveWithCount(TT_PRIM_LINE, 3, {{2, 2}}).EndPolygon();  // last polygon: ends the buffer
    cases.push_back({"PointsRunPastBuffer", b, 2, 0});
  }
  {
    NativeBuffer b = GoodPolygon();
    b.Polygon(0, 0).Curve(TT_PRIM_LINE, {{1, 1}}).CurveWithCount(TT_PRIM_LINE, 0, {}).EndPolygon();
    cases.push_back({"ZeroPointCount", b, 2, 1});
  }
  {
    NativeBuffer b = GoodPolygon();
    b.Polygon(0, 0).CurveWithCount(TT_PRIM_LINE, -3, {{1, 1}}).EndPolygon();
    cases.push_back({"NegativePointCount", b, 2, 0});
  }
  {
    NativeBuffer b = GoodPolygon();
    b.Polygon(0, 0).Curve(TT_PRIM_QSPLINE, {{1, 1}}).EndPolygon();
    cases.push_back({"QuadraticRunOfOnePoint", b, 2, 0});
  }
  {
    NativeBuffer b = GoodPolygon();
    b.Polygon(0, 0).Curve(TT_PRIM_LINE, {{1, 1}}).EndPolygon();
    b.SetCb(16 + 2).Truncate(36 + 16 + 2);  // only two bytes of the curve head in the polygon
    cases.push_back({"CurveHeadCutShort", b, 2, 0});
  }
  return cases;
}

TEST(WalkNativeOutline, MalformedBuffersKeepOnlyWholeRecordsBeforeTheFault) {
  for (const MalformedCase& c : MalformedCases()) {
    SCOPED_TRACE(c.name);
    // A tight heap copy, so the sanitizers see any read past the end.
    const std::vector<std::uint8_t> bytes = c.buffer.Bytes();
    const GlyphOutline outline = WalkNativeOutline(bytes, 1.0f, u"X");
    ASSERT_EQ(outline.BlockCount, c.blocks);
    ASSERT_EQ(outline.Blocks.size(), static_cast<std::size_t>(c.blocks));
    if (c.blocks == 0) {
      EXPECT_TRUE(outline.Character.empty());
      EXPECT_EQ(outline.MaxCurvePoints, 0);
      continue;
    }
    EXPECT_EQ(outline.Character, u"X");
    const OutlineBlock& last = outline.Blocks.back();
    EXPECT_EQ(last.CurveCount, c.curvesInLast);
    EXPECT_EQ(last.Curves.size(), static_cast<std::size_t>(c.curvesInLast));
    std::int32_t largest = 0;
    for (const OutlineBlock& block : outline.Blocks) {
      for (const OutlineCurve& curve : block.Curves) {
        EXPECT_EQ(curve.PointCount, static_cast<std::int32_t>(curve.Points.size()));
        EXPECT_GE(curve.PointCount, curve.CurveType == CURVE_QSPLINE ? 2 : 1);
        largest = std::max(largest, curve.PointCount);
      }
    }
    EXPECT_EQ(outline.MaxCurvePoints, largest);
  }
}

TEST(GlyphOutline, AssignmentIsADeepCopy) {
  NativeBuffer buffer = GoodPolygon();
  const GlyphOutline source = Walk(buffer);
  GlyphOutline target;
  target = source;
  target.Blocks[0].Curves[0].Points[0].X = 99.0f;
  target.Blocks[0].StartX = 42.0f;
  EXPECT_EQ(source.Blocks[0].Curves[0].Points[0].X, 2.0f);
  EXPECT_EQ(source.Blocks[0].StartX, 1.0f);
}

}  // namespace
}  // namespace moji
