// Styles, named instances and axes of installed faces, variable outlines (gvar and CFF2) and
// Type 1 faces, on the test font set's faces.
#include "platform/font_variations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "model/outline_invariants.h"
#include "native/native_reader.h"
#include "native/native_records.h"
#include "platform/font_engine.h"
#include "platform/installed_faces.h"
#include "test_fonts.h"

namespace moji {
namespace {

using Points = std::vector<std::pair<double, double>>;

/// The font-unit points of a glyph as the engine converts it, in the buffer's order.
Points PointsOf(FontEngine& engine, const FaceIdentity& identity, std::uint32_t codePoint) {
  const FontFace* face = engine.Resolve(engine.FaceNameOf(identity));
  if (face == nullptr) return {};
  Points points;
  for (const PointSource& source : engine.Convert(*face, 32, codePoint, true).Sources) {
    points.emplace_back(source.X, source.Y);
  }
  return points;
}

/// The design space of the face an identity draws from.
const FaceVariations& VariationsOfFaceOf(FontEngine& engine, const FaceIdentity& identity) {
  return engine.VariationsOf(*engine.Resolve(engine.FaceNameOf(identity)));
}

FaceIdentity Weight(const char* family, FaceVariation variation) {
  return FaceIdentity::Installed(family).WithVariation(std::move(variation));
}

// The design space as fvar and the name table give it: the axis and the instances with their
// Japanese names, for the TrueType and the CFF2 face alike; a face without axes has none.
TEST(FontVariations, AxesAndNamedInstancesWithTheirJapaneseNames) {
  FontEngine engine;
  const FaceVariations expected{
      {{"wght", "ウエイト", "Weight", 300, 300, 700, false}},
      {{"細字", "Light", {300}}, {"標準", "Regular", {400}}, {"太字", "Bold", {700}}}};
  for (const char* family : {"Moji Test Weight", "Moji Test Weight CFF2"}) {
    const FontFace* face = engine.Resolve(family);
    ASSERT_NE(face, nullptr) << family;
    EXPECT_EQ(engine.VariationsOf(*face), expected) << family;
  }
  EXPECT_EQ(engine.VariationsOf(*engine.Resolve("IPAGothic")), FaceVariations{});
}

// Coordinates of a variation: an instance by either name, values clamped to the axis's range,
// no number and unknown tags leaving the default; the defaults themselves are no coordinates.
TEST(FontVariations, DesignCoordinatesClampToTheAxis) {
  const FaceVariations weight{{{"wght", "ウエイト", "Weight", 300, 300, 700, false}},
                              {{"細字", "Light", {300}}, {"標準", "Regular", {400}}, {"太字", "Bold", {700}}}};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<std::tuple<int, FaceVariation, std::vector<std::int32_t>, int>> cases = {
      {0, {}, {}, 1},
      {3, {}, {700 << 16}, 3},
      {0, {"Regular", {}}, {400 << 16}, 2},
      {0, {"太字", {}}, {700 << 16}, 3},
      {0, {"Bold", {{"wght", 550.5}}}, {550 * 65536 + 32768}, 0},
      {0, {"", {{"wght", 900}}}, {700 << 16}, 3},
      {0, {"", {{"wght", 100}}}, {}, 1},
      {2, {"", {{"wght", nan}}}, {}, 1},
      {0, {"Heavy", {{"wdth", 80}}}, {}, 1},
      {9, {}, {}, 1},
  };
  for (const auto& [instance, variation, coordinates, at] : cases) {
    const std::vector<std::int32_t> got = DesignCoordinatesOf(weight, instance, variation);
    EXPECT_EQ(got, coordinates) << instance << " " << variation.Instance;
    EXPECT_EQ(InstanceAt(weight, got), at) << instance << " " << variation.Instance;
  }
  EXPECT_EQ(AxisPositionsOf(weight, {}), (std::vector<AxisPosition>{{weight.Axes[0], 300}}));
  EXPECT_EQ(AxisPositionsOf(weight, std::vector<std::int32_t>{450 << 16})[0].Value, 450);
  EXPECT_EQ(InstanceAt(weight, std::vector<std::int32_t>{300 << 16}), 1);
  EXPECT_EQ(InstanceNamed(weight, "標準"), 2);
  EXPECT_EQ(InstanceNamed(weight, "Black"), 0);
  EXPECT_EQ(AxisTagged(weight, "wght"), &weight.Axes[0]);
  EXPECT_EQ(AxisTagged(weight, "wdth"), nullptr);
}

// The points of "A" at the masters and between them, in both outline kinds: the two masters'
// own coordinates at 300 and 700, a quarter of the way at the instance Regular, with the one
// open face shared by every coordinate (each load sets its own). The style of an instance is
// that instance.
TEST(FontVariations, OutlinesFollowTheCoordinates) {
  const Points lightA = {{100, 0}, {500, 0}, {300, 700}, {200, 200}, {300, 100}, {400, 200},
                         {400, 400}, {300, 400}};
  const Points boldA = {{60, 0}, {540, 0}, {300, 740}, {180, 180}, {300, 60}, {420, 180},
                        {440, 420}, {300, 440}};
  const Points regularA = {{90, 0}, {510, 0}, {300, 710}, {195, 195}, {300, 90}, {405, 195},
                           {410, 405}, {300, 410}};
  FontEngine engine;
  for (const char* family : {"Moji Test Weight", "Moji Test Weight CFF2"}) {
    SCOPED_TRACE(family);
    for (int pass = 0; pass < 2; ++pass) {
      EXPECT_EQ(PointsOf(engine, Weight(family, {}), 'A'), lightA);
      EXPECT_EQ(PointsOf(engine, Weight(family, {"Bold", {}}), 'A'), boldA);
      EXPECT_EQ(PointsOf(engine, Weight(family, {"", {{"wght", 400}}}), 'A'), regularA);
      EXPECT_EQ(PointsOf(engine, FaceIdentity::Installed(family, "Regular"), 'A'), regularA);
    }
    const FontFace* bold = engine.Resolve(engine.FaceNameOf(Weight(family, {"", {{"wght", 1000}}})));
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->Coordinates, std::vector<std::int32_t>{700 << 16});
    const NativeGlyph details = engine.Convert(*bold, 32, 'O', true);
    EXPECT_EQ(details.Instance, "太字");
    ASSERT_EQ(details.Axes.size(), 1u);
    EXPECT_EQ(details.Axes[0].Value, 700);
    EXPECT_EQ(details.Units.AdvanceWidth, 680);
    EXPECT_EQ(engine.Convert(*engine.Resolve(family), 32, 'O', true).Units.AdvanceWidth, 600);
  }
}

// The styles of a family as fontconfig names them, the most regular first (a variable family's
// default instance, where it is drawn by default, before its named ones); a style picks its own
// file, a style the family lacks picks nothing, and an instance of a variable family is a style.
TEST(FontVariations, StylesOfAFamily) {
  FontEngine engine;
  const InstalledFontCatalog& catalog = engine.Installed();
  EXPECT_EQ(StylesOfFamily(catalog, "Moji Test Styles"),
            (std::vector<std::string>{"Regular", "Bold", "Italic"}));
  EXPECT_EQ(StylesOfFamily(catalog, "Moji Test Weight"),
            (std::vector<std::string>{"Light", "Regular", "Bold"}));
  EXPECT_EQ(StylesOfFamily(catalog, "IPAゴシック"), std::vector<std::string>{"Regular"});
  EXPECT_TRUE(StylesOfFamily(catalog, "No Such Family").empty());
  for (const auto& [style, file] : {std::pair{"", "MojiTestStyles-Regular.ttf"},
                                    {"Bold", "MojiTestStyles-Bold.ttf"},
                                    {"Italic", "MojiTestStyles-Italic.ttf"}}) {
    const FontFace* face =
        engine.Resolve(engine.FaceNameOf(FaceIdentity::Installed("Moji Test Styles", style)));
    ASSERT_NE(face, nullptr) << style;
    EXPECT_EQ(face->File, test::TestFontPath(file));
  }
  EXPECT_EQ(engine.Resolve(engine.FaceNameOf(FaceIdentity::Installed("Moji Test Styles", "Black"))),
            nullptr);
  EXPECT_EQ(PointsOf(engine, FaceIdentity::Installed("Moji Test Styles", "Bold"), 'A'),
            (Points{{60, 0}, {540, 0}, {300, 720}}));
}

// A Type 1 face is listed and drawn in cubic records; its cell is its em of 1000 units, and its
// character map is built from its glyph names.
TEST(FontVariations, TypeOneFaces) {
  FontEngine engine;
  const std::vector<std::string> names = FaceNamesOf(engine.Installed());
  EXPECT_NE(std::find(names.begin(), names.end(), "Nimbus Sans"), names.end());
  const FontFace* face = engine.Resolve("Nimbus Sans");
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->File, test::TestFontPath("NimbusSans-Regular.t1"));
  const NativeGlyph glyph = engine.Convert(*face, 32, 'S', true);
  ASSERT_EQ(glyph.Status, GlyphStatus::Outline);
  EXPECT_EQ(glyph.Units.UnitsPerEm, 1000);
  EXPECT_EQ(glyph.CellUnits(), 1000);
  EXPECT_EQ(glyph.GlyphName, "S");
  EXPECT_TRUE(glyph.Axes.empty());
  // The first record after the first polygon header: S begins with curves.
  ASSERT_GT(glyph.Bytes.size(), 20u);
  EXPECT_EQ(glyph.Bytes[16], TT_PRIM_CSPLINE);
}

/// What a glyph of a broken face came to: "outline" (well-formed records, each point with its
/// source), "empty" (no contours) or "none" (no outline, no bytes); "broken" for anything else.
std::string Outcome(const NativeGlyph& glyph) {
  if (glyph.Status == GlyphStatus::NoOutline) return glyph.Bytes.empty() ? "none" : "broken";
  if (glyph.Status == GlyphStatus::NoContours) return glyph.Bytes.empty() ? "empty" : "broken";
  const GlyphOutline outline = WalkNativeOutline(glyph.Bytes, 1.0f / 32, u"A");
  std::size_t points = 0;
  for (const OutlineBlock& block : outline.Blocks) {
    points += 1;
    for (const OutlineCurve& curve : block.Curves) points += curve.Points.size();
  }
  return KeepsOutlineInvariants(outline) && outline.BlockCount > 0 && points == glyph.Sources.size()
             ? "outline"
             : "broken";
}

// Faces broken in fvar, avar, gvar, HVAR, CFF2 blends or Type 1 charstrings (broken_faces.py):
// at their defaults, instances, the ends of their axes, past them and at no number, every glyph
// draws as the engine can or has no outline, and what FreeType can still read is the sound
// face's: a broken fvar leaves a face without axes (an axis upside down, one of its default)
// at its defaults; gvar (but a glyph's own
// variation data), HVAR and avar are not read at the defaults; a glyph of a Type 1 face with
// broken charstrings beside it is whole.
TEST(FontVariations, BrokenFacesDrawAsTheEngineCanOrNotAtAll) {
  const std::string folder = test::TestFontPath("../extra/broken");
  const Points lightA = {{100, 0}, {500, 0}, {300, 700}, {200, 200}, {300, 100}, {400, 200},
                         {400, 400}, {300, 400}};
  FontEngine sound;
  const Points nimbusS = PointsOf(sound, FaceIdentity::Installed("Nimbus Sans"), 'S');
  const Points nimbusA = PointsOf(sound, FaceIdentity::Installed("Nimbus Sans"), 'A');
  ASSERT_FALSE(nimbusS.empty());
  // What each face gives at its defaults, where FreeType reads it.
  const std::map<std::string, std::vector<std::pair<std::uint32_t, Points>>> atDefaults = {
      {"gvar-data-offset.ttf", {{'A', lightA}}}, {"gvar-axis-count.ttf", {{'A', lightA}}},
      {"gvar-shared-tuples.ttf", {{'A', lightA}}}, {"gvar-tuple-count.ttf", {{'A', {}}}},
      {"gvar-noise.ttf", {{'A', lightA}}}, {"HVAR-store-offset.ttf", {{'A', lightA}}},
      {"HVAR-noise.ttf", {{'A', lightA}}}, {"avar-count.ttf", {{'A', lightA}}},
      {"avar-backwards.ttf", {{'A', lightA}}}, {"fvar-axis-count.ttf", {{'A', lightA}}},
      {"t1-charstrings.t1", {{'S', nimbusS}, {'A', {}}}},
      {"t1-cut-in-clear.t1", {{'S', {}}}},
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string path = entry.path().string();
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    ++files;
    FontEngine engine;
    engine.FacesOfFile(path);
    const FaceIdentity file = FaceIdentity::File(path, 0);
    const FaceVariations& variations = VariationsOfFaceOf(engine, file);
    // A broken fvar is no design space, an axis upside down one of its default alone; broken
    // data beside it leaves the axis.
    if (name == "fvar-axis-range.ttf") {
      ASSERT_EQ(variations.Axes.size(), 1u);
      EXPECT_EQ(std::pair(variations.Axes[0].Minimum, variations.Axes[0].Maximum), std::pair(300.0, 300.0));
    } else if (name.ends_with(".ttf")) {
      EXPECT_EQ(variations.Axes.size(), name.starts_with("fvar-") ? 0u : 1u);
    }
    std::vector<FaceVariation> places = {{}};
    for (const NamedInstance& instance : variations.Instances) places.push_back({instance.EnglishName, {}});
    for (const VariationAxis& axis : variations.Axes) {
      for (const double value : {axis.Minimum, axis.Maximum, (axis.Minimum + axis.Maximum) / 2, -1e9, 1e9, nan}) {
        places.push_back({"", {{axis.Tag, value}}});
      }
    }
    for (const FaceVariation& place : places) {
      const FontFace* face = engine.Resolve(engine.FaceNameOf(file.WithVariation(place)));
      ASSERT_NE(face, nullptr);
      for (const std::uint32_t codePoint : {'A', 'O', 'S', 'g', 'B', 'C', 'D', 'E', ' '}) {
        const std::string outcome = Outcome(engine.Convert(*face, 32, codePoint, true));
        EXPECT_NE(outcome, "broken") << char(codePoint) << " at " << place.Instance;
      }
    }
    if (const auto expected = atDefaults.find(name); expected != atDefaults.end()) {
      for (const auto& [codePoint, points] : expected->second) {
        EXPECT_EQ(PointsOf(engine, file, codePoint), points) << char(codePoint);
      }
    }
  }
  EXPECT_EQ(files, 19u);
  EXPECT_FALSE(nimbusA.empty());
}

}  // namespace
}  // namespace moji
