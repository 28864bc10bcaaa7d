#include "inspect/view_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

namespace moji {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double k2p30 = 0x1p30;

/// Equal to `expected` within a few ulps, and a transform the view allows.
void ExpectView(const ViewTransform& actual, const ViewTransform& expected) {
  EXPECT_DOUBLE_EQ(actual.Scale, expected.Scale);
  EXPECT_DOUBLE_EQ(actual.OriginX, expected.OriginX);
  EXPECT_DOUBLE_EQ(actual.OriginY, expected.OriginY);
  EXPECT_EQ(UsableView(actual), actual);
}

TEST(ViewTransformTest, BoxesUniteOnlyWhatIsUsable) {
  const UnitBox box{0, 0, 10, 10};
  for (const UnitBox& bad : {UnitBox{}, UnitBox{5, 0, 1, 1}, UnitBox{kNaN, 0, 1, 1},
                             UnitBox{0, 0, kInf, 1}}) {
    EXPECT_FALSE(IsUsableBox(bad));
    EXPECT_EQ(UnionOf(bad, box), box);
    EXPECT_EQ(UnionOf(box, bad), box);
  }
  EXPECT_EQ(UnionOf(box, {-5, 2, 3, 20}), (UnitBox{-5, 0, 10, 20}));
  EXPECT_EQ(WithPoint(UnitBox{}, 3, -4), (UnitBox{3, -4, 3, -4}));
  EXPECT_EQ(WithPoint(box, kNaN, 50), box);
}

TEST(ViewTransformTest, FitShowsTheWholeBoxCentred) {
  struct Case {
    UnitBox Content;
    double Width, Height, Margin;
    ViewTransform Expected;
  };
  const UnitBox far{k2p30, k2p30, k2p30 + 1000, k2p30 + 1000};
  const Case cases[] = {
      {{0, 0, 1000, 1000}, 520, 520, 10, {0.5, 10, 510}},
      {{0, -100, 2000, 900}, 1000, 600, 0, {0.5, 0, 500}},
      {{10, 10, 10, 10}, 1000, 1000, 0, {32, 180, 820}},  // a point: the largest zoom
      {far, 1020, 1020, 10, {1, 10 - k2p30, 1010 + k2p30}},
      // Unusable content fits one 1000-unit em; coordinates past 2^36 count as 2^36.
      {{kNaN, 0, 100, 100}, 520, 520, 10, {0.5, 10, 510}},
      {{-kInf, -kInf, kInf, kInf}, 520, 520, 10, {0.5, 10, 510}},
      {{-1e30, -1e30, 1e30, 1e30}, 1000, 1000, 0, {1000 * 0x1p-37, 500, 500}},
      // A viewport under a pixel counts as one; margins too wide leave half of each side.
      {{0, 0, 1000, 1000}, 0, -5, 10, {0.0005, 0.25, 0.75}},
      {{0, 0, 1000, 1000}, kNaN, 1, kNaN, {0.001, 0, 1}},
      {{0, 0, 1000, 1000}, 100, 100, 1e300, {0.05, 25, 75}},
  };
  for (const Case& c : cases) {
    ExpectView(FitView(c.Content, c.Width, c.Height, c.Margin), c.Expected);
  }
  // A glyph 2^30 units out lands where the box says, to the pixel.
  EXPECT_EQ(FitView(far, 1020, 1020, 10).ToDevice(k2p30, k2p30), (DevicePoint{10, 1010}));
}

TEST(ViewTransformTest, ZoomLimitsLetTheEmBoxAndTheContentFit) {
  const std::pair<double, UnitBox> cases[] = {
      {1000, {0, 0, 1000, 1000}}, {1000, {0, 0, 4000, 1000}}, {1000, {0, 0, 10, 10}},
      {kNaN, {0, 0, 4000, 1000}}, {0, {}}, {1, {}}};
  const double smallest[] = {0.5, 0.125, 0.5, 0.125, 0.5, 32};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(ZoomLimitsFor(cases[i].first, cases[i].second, 520, 520, 10),
              (ZoomLimits{smallest[i], 32}));
  }
}

TEST(ViewTransformTest, ZoomClampsAndKeepsTheAnchoredPoint) {
  struct Case {
    ViewTransform From;
    double Factor;
    DevicePoint Anchor;
    ZoomLimits Limits;
    ViewTransform Expected;
  };
  const ViewTransform from{1, 100, 500};
  const ZoomLimits limits{0.5, 32};
  const Case cases[] = {
      {from, 2, {300, 200}, limits, {2, -100, 800}},
      {from, 100, {300, 200}, limits, {32, -6100, 9800}},
      {from, 0.001, {300, 200}, limits, {0.5, 200, 350}},
      {from, 0, {300, 200}, limits, from},
      {from, kNaN, {300, 200}, limits, from},
      {from, 2, {kNaN, kNaN}, limits, {2, 200, 1000}},
      {{kNaN, 100, 500}, 2, {300, 200}, limits, {2, -100, 800}},
      {from, 1, {300, 200}, {64, 0.25}, {32, -6100, 9800}},
  };
  for (const Case& c : cases) {
    ExpectView(ZoomAbout(c.From, c.Factor, c.Anchor, c.Limits), c.Expected);
  }
  // All the way in on a glyph 2^30 units out, the point under the cursor stays under it.
  const ViewTransform far = FitView({k2p30, k2p30, k2p30 + 1000, k2p30 + 1000}, 1020, 1020, 10);
  const UnitPoint under = far.ToFontUnits(333, 777);
  EXPECT_EQ(ZoomAbout(far, 1e9, {333, 777}, limits).ToDevice(under.X, under.Y),
            (DevicePoint{333, 777}));
}

TEST(ViewTransformTest, PanAndConversionsStayFinite) {
  ExpectView(Pan({1, 100, 500}, 10, -20), {1, 110, 480});
  ExpectView(Pan({1, 100, 500}, kNaN, 1e300), {1, 100, kDeviceLimit});
  ExpectView(Pan({kInf, kNaN, 0}, 5, 5), {32, 5, 5});
  const ViewTransform view{2, 100, 500};
  EXPECT_EQ(view.ToDevice(10, 20), (DevicePoint{120, 460}));
  EXPECT_EQ(view.ToFontUnits(120, 460), (UnitPoint{10, 20}));
  EXPECT_EQ(view.ToDevice(kNaN, 1e300), (DevicePoint{100, 500 - 2 * kUnitLimit}));
  EXPECT_EQ((ViewTransform{0, 0, 0}).ToFontUnits(7, -7), (UnitPoint{7, 7}));
  const UnitPoint out = (ViewTransform{kMinViewScale, 0, 0}).ToFontUnits(kInf, -kInf);
  EXPECT_TRUE(std::isfinite(out.X) && std::isfinite(out.Y));
}

}  // namespace
}  // namespace moji
