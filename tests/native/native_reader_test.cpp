#include "native/native_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

#include "model/outline_invariants.h"

namespace moji {
namespace {

using Bytes = std::vector<std::uint8_t>;

/// A curve record as written: its type, its point count (which may lie) and its points.
struct Record {
  std::int16_t Type, Count;
  std::vector<std::pair<double, double>> Points;
};

/// One polygon as the engine lays it out; its cb covers it unless `cb` says otherwise.
Bytes Polygon(double x, double y, const std::vector<Record>& records,
              std::optional<std::uint32_t> cb = {}) {
  Bytes bytes;
  const auto put = [&](auto value) {
    const std::size_t at = bytes.size();
    bytes.resize(at + sizeof value);
    std::memcpy(bytes.data() + at, &value, sizeof value);
  };
  const auto point = [&](std::pair<double, double> xy) {  // each: fraction word, value word
    for (double v : {xy.first, xy.second}) put(static_cast<std::int32_t>(v * 65536.0));
  };
  put(std::uint32_t{0});
  put(TT_POLYGON_TYPE);
  point({x, y});
  for (const Record& record : records) {
    put(record.Type);
    put(record.Count);
    for (const auto& xy : record.Points) point(xy);
  }
  const std::uint32_t size = cb.value_or(static_cast<std::uint32_t>(bytes.size()));
  std::memcpy(bytes.data(), &size, sizeof size);
  return bytes;
}

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(WalkNativeOutline, KeepsPolygonsCurvesAndPointsInBufferOrder) {
  const Bytes bytes =
      Polygon(1, 2, {{TT_PRIM_LINE, 1, {{3, 4}}}, {TT_PRIM_QSPLINE, 3, {{5, 6}, {7, 8}, {9, 10}}},
                     {TT_PRIM_LINE, 2, {{11, 12}, {13, 14}}}}) +
      Polygon(-0.5, -2, {}) +  // header only: a block without curves; fraction word unsigned
      Polygon(0.5, 0.25, {{7, 1, {{1, 1}}}});  // an unknown type is kept as it is
  const GlyphOutline outline = WalkNativeOutline(bytes, 0.5f, u"A");
  const OutlineBlock first{0.5f, 1, 3,
                           {{CURVE_POLYLINE, 1, {{1.5f, 2}}},
                            {CURVE_QSPLINE, 3, {{2.5f, 3}, {3.5f, 4}, {4.5f, 5}}},
                            {CURVE_POLYLINE, 2, {{5.5f, 6}, {6.5f, 7}}}}};
  const OutlineBlock unknown{0.25f, 0.125f, 1, {{7, 1, {{0.5f, 0.5f}}}}};
  const GlyphOutline expected{u"A", 3, {first, {-0.25f, -1, 0, {}}, unknown}, 3};
  EXPECT_TRUE(KeepsOutlineInvariants(outline));
  EXPECT_TRUE(outline == expected);
}

// Each case: a broken polygon and the well-formed one its whole records make. Alone or after a
// good polygon, the walk keeps just those (no block: the empty outline), reading nothing beyond.
TEST(WalkNativeOutline, MalformedBuffersKeepOnlyWholeRecordsBeforeTheFault) {
  const Record line = {TT_PRIM_LINE, 1, {{1, 1}}};
  const Bytes bare = Polygon(0, 0, {}), withLine = Polygon(0, 0, {line});
  const Bytes headCut = Polygon(0, 0, {line}, 18);  // two bytes of the curve head inside cb
  const struct {
    const char* Name;
    Bytes Broken, Kept;
  } cases[] = {
      {"header does not fit", Bytes(bare.begin(), bare.begin() + 13), {}},
      {"cb below 16", Polygon(0, 0, {line}, 15), {}},
      {"cb past the end", Polygon(0, 0, {line}, 1000), {}},
      {"points past the polygon",
       Polygon(0, 0, {line, {TT_PRIM_LINE, 5, {{2, 2}}}}) + Polygon(4, 4, {line, line, line}),
       withLine},
      {"points past the buffer", Polygon(0, 0, {{TT_PRIM_LINE, 3, {{2, 2}}}}), bare},
      {"count 0", Polygon(0, 0, {line, {TT_PRIM_LINE, 0, {}}}), withLine},
      {"negative count", Polygon(0, 0, {{TT_PRIM_LINE, -3, {{1, 1}}}}), bare},
      {"quadratic of 1 point", Polygon(0, 0, {{TT_PRIM_QSPLINE, 1, {{1, 1}}}}), bare},
      {"cubic of a partial segment", Polygon(0, 0, {{TT_PRIM_CSPLINE, 2, {{1, 1}, {2, 2}}}}), bare},
      {"curve head cut short", Bytes(headCut.begin(), headCut.begin() + 18), bare},
  };
  const Bytes good = Polygon(1, 1, {{TT_PRIM_LINE, 2, {{2, 2}, {3, 3}}}});
  for (const auto& c : cases) {
    for (const Bytes& before : {good, Bytes()}) {
      SCOPED_TRACE(testing::Message() << c.Name << (before.empty() ? "" : " after a good one"));
      const Bytes joined = before + c.Broken;
      const Bytes tight(joined);  // a copy has exactly its size, so the sanitizers see overreads
      const GlyphOutline outline = WalkNativeOutline(tight, 1.0f, u"X");
      EXPECT_TRUE(KeepsOutlineInvariants(outline));
      EXPECT_TRUE(outline == WalkNativeOutline(before + c.Kept, 1.0f, u"X"));
    }
  }
}

}  // namespace
}  // namespace moji
