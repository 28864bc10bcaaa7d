#include "display/face_choice.h"

#include <gtest/gtest.h>

#include <limits>

#include "display/displayed_glyph.h"
#include "platform/graphics_services.h"
#include "test_fonts.h"

namespace moji {
namespace {

const VariationAxis kWeight{"wght", "ウエイト", "Weight", 300, 300, 700, false};

// TAG=VALUE lists: four-character tags and finite numbers only.
TEST(FaceChoice, AxisValuesParse) {
  const std::vector<std::pair<const char*, std::optional<std::vector<AxisValue>>>> cases = {
      {"wght=700", std::vector<AxisValue>{{"wght", 700}}},
      {"wght=650.5,wdth=-3e1", std::vector<AxisValue>{{"wght", 650.5}, {"wdth", -30}}},
      {"wght=", std::nullopt},     {"wgh=700", std::nullopt},   {"wght=7x", std::nullopt},
      {"wght=700,", std::nullopt}, {"wght=inf", std::nullopt},  {"wght=nan", std::nullopt},
      {"", std::nullopt},          {"wght:700", std::nullopt},
  };
  for (const auto& [text, values] : cases) EXPECT_EQ(ParseAxisValues(text), values) << text;
  for (const auto& [value, text] : {std::pair{700.0, "700"}, {87.5, "87.5"}, {-0.25, "-0.25"},
                                    {1.0 / 3.0, "0.333"}, {-0.0001, "0"}, {12.3456, "12.346"}}) {
    EXPECT_EQ(DesignValueText(value), text);
  }
}

// Sliders span the axis's range in 1000 steps; the sweep goes from the minimum to the maximum
// and back in the steps of its period, and repeats exactly.
TEST(FaceChoice, SlidersAndTheSweep) {
  for (const auto& [position, value] : {std::pair{0, 300.0}, {250, 400.0}, {1000, 700.0},
                                        {-5, 300.0}, {1200, 700.0}}) {
    EXPECT_EQ(AxisValueAtSlider(kWeight, position), value) << position;
  }
  for (const auto& [value, position] : {std::pair{300.0, 0}, {550.0, 625}, {900.0, 1000},
                                        {std::numeric_limits<double>::quiet_NaN(), 0}}) {
    EXPECT_EQ(SliderPositionOfValue(kWeight, value), position) << value;
  }
  EXPECT_EQ(SliderPositionOfValue({"flat", "", "", 5, 5, 5, false}, 5), 0);
  for (const auto& [period, steps] : {std::pair{2000, 40}, {50, 2}, {0, 2}, {1025, 21}, {-9, 2}}) {
    EXPECT_EQ(SweepSteps(period), steps) << period;
  }
  const std::vector<double> sweep = {300, 400, 500, 600, 700, 600, 500, 400, 300, 400};
  for (std::size_t step = 0; step < sweep.size(); ++step) {
    EXPECT_EQ(SweptAxisValue(kWeight, static_cast<std::int64_t>(step), 8), sweep[step]) << step;
  }
  EXPECT_EQ(SweptAxisValue(kWeight, -1, 8), 400);
  EXPECT_EQ(SweptAxisValue(kWeight, 8 * 1000003 + 4, 8), 700);
}

// What a choice comes to; refused where the command line cannot ask it (its own refusals, with
// what there is listed, are the command line tests').
TEST(FaceChoice, ChoicesWithinAFamily) {
  GraphicsServices gdi;
  FontEngine& engine = gdi.Fonts();
  const FaceIdentity styles = FaceIdentity::Installed("Moji Test Styles");
  const FaceIdentity weight = FaceIdentity::Installed("Moji Test Weight");
  const std::vector<std::tuple<FaceIdentity, WithinFamily, std::string>> refused = {
      {FaceIdentity::Installed("No Such"), {"Bold", "", {}}, "no installed family is named No Such"},
      {FaceIdentity::File(test::TestFontPath("MojiTestPair.ttc"), 1), {"Bold", "", {}},
       "--style needs an installed family (--face)"},
  };
  for (const auto& [face, choice, problem] : refused) {
    const FaceChoice chosen = ChooseWithinFamily(engine, face, choice);
    EXPECT_FALSE(chosen.Face) << problem;
    EXPECT_EQ(chosen.Problem, problem);
  }
  const FaceChoice bold = ChooseWithinFamily(engine, weight, {"Bold", "標準", {{"wght", 500}}});
  ASSERT_TRUE(bold.Face);
  EXPECT_EQ(*bold.Face, FaceIdentity::Installed("Moji Test Weight", "Bold").WithVariation({"標準", {{"wght", 500}}}));
  EXPECT_EQ(PositionsOfFace(engine, *bold.Face), (std::vector<AxisPosition>{{VariationsOfFace(engine, weight).Axes[0], 500}}));
  EXPECT_EQ(NamedInstanceLines(VariationsOfFace(engine, weight)),
            (std::vector<std::string>{"細字 (Light) wght=300", "標準 (Regular) wght=400", "太字 (Bold) wght=700"}));
  EXPECT_TRUE(NamedInstanceLines(VariationsOfFace(engine, styles)).empty());
}

// The identity lines of a styled face name its style; a variable face's say where it is drawn.
TEST(FaceChoice, IdentityLinesOfStylesAndInstances) {
  NativeGlyph glyph;
  glyph.Family = "Moji Test Weight";
  glyph.Style = "Light";
  glyph.File = "/fonts/w.ttf";
  glyph.GlyphIndex = 1;
  glyph.Axes = {{kWeight, 550.5}, {{"wdth", "幅", "Width", 75, 100, 100, false}, 75}};
  EXPECT_EQ(VariationLine(glyph), "インスタンスなし、ウエイト (wght) 550.5 [300–700]、幅 (wdth) 75 [75–100]");
  glyph.Axes.resize(1);
  glyph.Instance = "太字";
  DisplayedGlyph shown;
  shown.Glyph = glyph;
  EXPECT_EQ(IdentityLines(shown), (std::vector<std::string>{"グリフ 1", "Moji Test Weight (0)",
                                                            "インスタンス 太字、ウエイト (wght) 550.5 [300–700]",
                                                            "/fonts/w.ttf"}));
  shown.Glyph->Axes.clear();
  EXPECT_EQ(IdentityLines(shown)[1], "Moji Test Weight Light (0)");
  shown.Glyph->Style = "Regular";
  EXPECT_EQ(IdentityLines(shown)[1], "Moji Test Weight (0)");
}

}  // namespace
}  // namespace moji
