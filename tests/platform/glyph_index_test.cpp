// Glyphs by index, the reverse character map, composite components and vertical forms, on the
// test face "Moji Test Composite" (tests/fonts/glyph_faces.py).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/font_engine.h"
#include "platform/glyph_components.h"
#include "platform/unicode_blocks.h"
#include "platform/vertical_form.h"
#include "test_fonts.h"

namespace moji {
namespace {

/// The composite test face, written beside the standard set.
const FontFace* CompositeFace(FontEngine& engine) {
  const std::string path = test::TestFontPath("../extra/MojiTestComposite.ttf");
  engine.FacesOfFile(path);
  return engine.Resolve(engine.FaceNameOf(FaceIdentity::File(path, 0)));
}

TEST(GlyphIndex, EveryGlyphOfTheFaceAndNoOther) {
  FontEngine engine;
  const FontFace* face = CompositeFace(engine);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(engine.GlyphCountOf(*face), 11u);
  struct Case {
    std::uint32_t Index;
    GlyphStatus Status;
    std::string Name;
    std::vector<std::uint32_t> CodePoints;
  };
  const Case cases[] = {
      {0, GlyphStatus::NoContours, ".notdef", {}},   // index 0 is a glyph like any other
      {1, GlyphStatus::Outline, "A", {0x41, 0x391}},  // two characters, lowest first
      {7, GlyphStatus::Outline, "A.alt", {}},         // no character maps to it
      {9, GlyphStatus::Outline, "uni30FC.vert", {}},
      {10, GlyphStatus::NoContours, "space", {0x20}},
      {11, GlyphStatus::NoOutline, "", {}},           // past the last glyph
      {0xFFFFFFFF, GlyphStatus::NoOutline, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Index);
    const NativeGlyph glyph = engine.ConvertGlyph(*face, 32, c.Index, true);
    EXPECT_EQ(glyph.Status, c.Status);
    EXPECT_EQ(glyph.GlyphName, c.Name);
    EXPECT_EQ(glyph.CodePoints, c.CodePoints);
    EXPECT_EQ(engine.CodePointsOf(*face, c.Index), c.CodePoints);
  }
  // By index or by character, the same glyph gives the same outline.
  const NativeGlyph byIndex = engine.ConvertGlyph(*face, 32, 3);
  const NativeGlyph byCharacter = engine.Convert(*face, 32, 0xC1);
  EXPECT_EQ(byIndex.Bytes, byCharacter.Bytes);
  EXPECT_EQ(byCharacter.GlyphIndex, 3u);
}

TEST(GlyphIndex, ComponentsOfComposites) {
  FontEngine engine;
  const FontFace* face = CompositeFace(engine);
  ASSERT_NE(face, nullptr);
  const std::vector<GlyphComponent> aacute = engine.ConvertGlyph(*face, 32, 3, true).Components;
  ASSERT_EQ(aacute.size(), 2u);
  EXPECT_EQ(aacute[0].GlyphName, "A");
  EXPECT_EQ(ComponentFlagNames(aacute[0]), (std::vector<std::string>{"ARGS_ARE_XY_VALUES", "USE_MY_METRICS"}));
  EXPECT_EQ(aacute[1].GlyphIndex, 2u);
  EXPECT_EQ(aacute[1].Argument1, 150);
  EXPECT_EQ(aacute[1].Argument2, 650);
  EXPECT_EQ(aacute[1].FirstContour, 1);
  EXPECT_EQ(aacute[1].ContourCount, 1);
  const std::vector<GlyphComponent> matched = engine.ConvertGlyph(*face, 32, 5, true).Components;
  ASSERT_EQ(matched.size(), 2u);
  EXPECT_FALSE(matched[1].ArgsAreXYValues());
  EXPECT_EQ(ComponentFlagNames(matched[1]), std::vector<std::string>{"POINT_MATCHING"});
  EXPECT_EQ(matched[1].Argument1, 2);
  EXPECT_EQ(matched[1].Argument2, 0);
  const std::vector<GlyphComponent> turned = engine.ConvertGlyph(*face, 32, 6, true).Components;
  ASSERT_EQ(turned.size(), 1u);
  EXPECT_EQ((std::vector<double>{turned[0].XX, turned[0].XY, turned[0].YX, turned[0].YY}),
            (std::vector<double>{0, -1, 1, 0}));
  EXPECT_TRUE(turned[0].HasFlag(kComponentUnscaledOffset));
  // A simple glyph, and a load without details, have none.
  EXPECT_TRUE(engine.ConvertGlyph(*face, 32, 1, true).Components.empty());
  EXPECT_TRUE(engine.ConvertGlyph(*face, 32, 3).Components.empty());
  EXPECT_TRUE(ComponentsOfGlyph(nullptr, 3).empty());
}

TEST(GlyphIndex, VerticalFormsAndMetrics) {
  FontEngine engine;
  const FontFace* face = CompositeFace(engine);
  ASSERT_NE(face, nullptr);
  const std::optional<VerticalForm> bar = VerticalFormOf(engine, *face, 0x30FC);
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->HorizontalIndex, 8u);
  EXPECT_EQ(bar->GlyphIndex, 9u);
  EXPECT_TRUE(bar->Substituted());
  // vmtx: advance 1000, top side bearing 100 + the index; the origin half the advance across.
  EXPECT_EQ(bar->Metrics, (VerticalMetrics{.HasVerticalTables = true, .Advance = 1000, .TopSideBearing = 109,
                                           .HasVerticalOrigins = false, .OriginX = 500, .OriginY = 809}));
  const std::optional<VerticalForm> a = VerticalFormOf(engine, *face, 'A');
  ASSERT_TRUE(a);
  EXPECT_FALSE(a->Substituted());
  EXPECT_EQ(a->Metrics.TopSideBearing, 101);
  const std::optional<VerticalForm> missing = VerticalFormOf(engine, *face, 0x9F8D);
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->GlyphIndex, 0u);
  // A Type 1 face, which the shaper cannot read: its own glyph, not a missing one.
  const FontFace* type1 = engine.Resolve("Nimbus Sans");
  ASSERT_TRUE(type1 != nullptr && type1->FamilyName == "Nimbus Sans");
  const std::optional<VerticalForm> type1A = VerticalFormOf(engine, *type1, 'A');
  ASSERT_TRUE(type1A);
  EXPECT_NE(type1A->GlyphIndex, 0u);
  EXPECT_FALSE(type1A->Substituted());
  EXPECT_FALSE(VerticalMetricsOf(engine, *face, 11));
  ASSERT_TRUE(VerticalMetricsOf(engine, *face, 7));
  EXPECT_EQ(VerticalMetricsOf(engine, *face, 7)->TopSideBearing, 107);
}

TEST(GlyphIndex, UnicodeBlocks) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {0x41, "Basic Latin"},         {0x30FC, "Katakana"},          {0x3042, "Hiragana"},
      {0x9F8D, "CJK Unified Ideographs"}, {0xFF08, "Halfwidth And Fullwidth Forms"},
      {0xE000, "Private Use Area"},  {0x2FFFF, "No Block"},         {0x110000, ""}};
  for (const auto& [codePoint, block] : cases) EXPECT_EQ(UnicodeBlockName(codePoint), block) << codePoint;
}

}  // namespace
}  // namespace moji
