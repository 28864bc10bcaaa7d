// The engine's glyph at a size on real fonts: the outline scaled and hinted, the advances, the
// bitmap, the sizes it takes, and requests that leave nothing behind for the next one.
#include "platform/hinted_glyph.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/graphics_services.h"

namespace moji {
namespace {

constexpr HintingRequest Request(std::int32_t ppem, HintingMode mode,
                                 Antialiasing antialias = Antialiasing::Grey,
                                 TrueTypeInterpreter version = TrueTypeInterpreter::V40) {
  return {ppem, mode, antialias, version};
}

/// The glyph of a family of the standard set; nothing found where the set lacks the family.
HintedGlyph Load(FontEngine& engine, const std::string& family, char32_t c,
                 const HintingRequest& request) {
  const FontFace* face = engine.Resolve(family);
  if (face == nullptr || face->FamilyName != family) return {};
  return LoadHintedGlyph(engine, *face, c, request);
}

/// Whether the bitmap holds exactly its rows of its pitch, wide enough for its pixels.
bool IsWhole(const GlyphBitmap& bitmap) {
  const std::int32_t bytesPerRow =
      bitmap.Mode == Antialiasing::Mono ? (bitmap.Width + 7) / 8 : bitmap.Width;
  return bitmap.Pitch >= bytesPerRow &&
         bitmap.Pixels.size() == static_cast<std::size_t>(bitmap.Rows) * std::size_t(bitmap.Pitch);
}

// "A" of the CFF and of a TrueType test face: (100, 0) (500, 0) (300, 700) in 1000 units per em,
// advance 600; at 10 ppem, in 64ths of a pixel.
TEST(HintedGlyph, TriangleScaledInBothOutlineFormats) {
  const ScaledOutline triangle{{{64, 0}, {320, 0}, {192, 448}},
                               {PointKind::OnCurve, PointKind::OnCurve, PointKind::OnCurve},
                               {2},
                               {0, 1, 2}};
  GraphicsServices gdi;
  for (const char* family : {"Moji Test CFF", "Moji Test Pair One"}) {
    SCOPED_TRACE(family);
    for (const Antialiasing antialias : {Antialiasing::Grey, Antialiasing::Mono}) {
      const HintedGlyph glyph = Load(gdi.Fonts(), family, U'A', Request(10, HintingMode::None, antialias));
      EXPECT_TRUE(glyph.Found && !glyph.HintingFailed && glyph.GlyphIndex != 0);
      EXPECT_EQ(glyph.Unhinted, triangle);
      EXPECT_EQ(glyph.Hinted, triangle);
      EXPECT_EQ(glyph.UnhintedAdvance, 384);
      EXPECT_EQ(glyph.HintedAdvance, 384);
      // Its box: x from 1 to 5 pixels, y from 0 to 7.
      const GlyphBitmap& bitmap = glyph.Bitmap;
      EXPECT_EQ((std::vector{bitmap.Left, bitmap.Top, bitmap.Width, bitmap.Rows}),
                (std::vector{1, 7, 4, 7}));
      EXPECT_EQ(bitmap.Pitch, antialias == Antialiasing::Mono ? 2 : 4);
      EXPECT_TRUE(IsWhole(bitmap));
    }
  }
}

// Every hinter moves the same points, numbered as the font numbers them; the unhinted outline
// is the same whichever hints; hinted advances are whole pixels; the two interpreters differ.
TEST(HintedGlyph, EveryModeHintsTheSamePoints) {
  GraphicsServices gdi;
  for (const auto& [family, c] : {std::pair{"IPAGothic", U'龍'}, std::pair{"DejaVu Sans", U'a'}}) {
    SCOPED_TRACE(family);
    const HintedGlyph plain = Load(gdi.Fonts(), family, c, Request(16, HintingMode::None));
    ASSERT_TRUE(plain.Found && plain.Unhinted.Points.size() > 10);
    std::vector<std::int32_t> numbers(plain.Unhinted.Points.size());
    for (std::size_t p = 0; p < numbers.size(); ++p) numbers[p] = static_cast<std::int32_t>(p);
    EXPECT_EQ(plain.Unhinted.Numbers, numbers);
    for (const HintingMode mode : {HintingMode::Light, HintingMode::Auto, HintingMode::Font}) {
      for (const Antialiasing antialias : {Antialiasing::Grey, Antialiasing::Mono}) {
        const HintedGlyph glyph = Load(gdi.Fonts(), family, c, Request(16, mode, antialias));
        EXPECT_TRUE(glyph.Found && !glyph.HintingFailed);
        EXPECT_EQ(glyph.Unhinted, plain.Unhinted);
        EXPECT_EQ(glyph.Hinted.Kinds, plain.Unhinted.Kinds);
        EXPECT_EQ(glyph.Hinted.Ends, plain.Unhinted.Ends);
        EXPECT_EQ(glyph.Hinted.Numbers, numbers);
        EXPECT_NE(glyph.Hinted.Points, plain.Unhinted.Points);
        EXPECT_EQ(glyph.HintedAdvance % 64, 0);
        EXPECT_EQ(glyph.Bitmap.Mode, antialias);
        EXPECT_TRUE(IsWhole(glyph.Bitmap) && glyph.Bitmap.Rows > 0);
      }
    }
  }
  // Version 40 leaves horizontal instructions out where 35 follows them.
  const HintedGlyph v40 = Load(gdi.Fonts(), "DejaVu Sans", U'a', Request(16, HintingMode::Font));
  const HintedGlyph v35 = Load(gdi.Fonts(), "DejaVu Sans", U'a',
                               Request(16, HintingMode::Font, Antialiasing::Grey, TrueTypeInterpreter::V35));
  EXPECT_NE(v35.Hinted.Points, v40.Hinted.Points);
  EXPECT_EQ(v35.Request.Interpreter, TrueTypeInterpreter::V35);
}

// Sizes outside 6 to 200 are served at the nearest; a missing glyph is not found, a space is a
// glyph without points or pixels.
TEST(HintedGlyph, SizesAndGlyphsWithoutOutlines) {
  GraphicsServices gdi;
  const std::pair<std::int32_t, std::int32_t> sizes[] = {
      {-5, 6}, {0, 6}, {5, 6}, {6, 6}, {16, 16}, {200, 200}, {201, 200}, {100000, 200}};
  for (const auto& [asked, served] : sizes) {
    const HintedGlyph glyph = Load(gdi.Fonts(), "Moji Test CFF", U'A', Request(asked, HintingMode::Font));
    EXPECT_EQ(glyph.Request.Ppem, served) << asked;
    EXPECT_EQ(glyph, Load(gdi.Fonts(), "Moji Test CFF", U'A', Request(served, HintingMode::Font)));
  }
  const HintedGlyph missing = Load(gdi.Fonts(), "DejaVu Sans", U'龍', Request(300, HintingMode::Font));
  HintedGlyph notFound;
  notFound.Request = Request(200, HintingMode::Font);
  EXPECT_EQ(missing, notFound);
  const HintedGlyph space = Load(gdi.Fonts(), "DejaVu Sans", U' ', Request(16, HintingMode::Auto));
  EXPECT_TRUE(space.Found && space.GlyphIndex != 0 && space.Hinted.Points.empty());
  EXPECT_TRUE(space.Bitmap.Pixels.empty() && space.Bitmap.Width == 0);
  EXPECT_GT(space.HintedAdvance, 0);
}

// Each request in an engine that served others before gives what it gives in a fresh engine,
// and the unscaled outline stays as it was.
// A glyph by index is the glyph of its character; .notdef loads; an index past the face's last
// glyph finds nothing.
TEST(HintedGlyph, GlyphsByIndex) {
  GraphicsServices gdi;
  FontEngine& engine = gdi.Fonts();
  const FontFace* face = engine.Resolve("Moji Test Pair One");
  ASSERT_TRUE(face != nullptr && face->FamilyName == "Moji Test Pair One");
  const HintingRequest request = Request(12, HintingMode::Auto);
  const HintedGlyph a = LoadHintedGlyph(engine, *face, U'A', request);
  ASSERT_TRUE(a.Found);
  EXPECT_EQ(LoadHintedGlyphByIndex(engine, *face, a.GlyphIndex, request), a);
  const HintedGlyph notdef = LoadHintedGlyphByIndex(engine, *face, 0, request);
  EXPECT_TRUE(notdef.Found);
  EXPECT_EQ(notdef.GlyphIndex, 0u);
  const std::uint32_t count = engine.GlyphCountOf(*face);
  EXPECT_FALSE(LoadHintedGlyphByIndex(engine, *face, count, request).Found);
  EXPECT_FALSE(LoadHintedGlyphByIndex(engine, *face, 0xFFFFFFFFu, request).Found);
  EXPECT_TRUE(LoadHintedGlyphByIndex(engine, *face, count - 1, request).Found);
}

TEST(HintedGlyph, RequestsLeaveNothingBehind) {
  struct Case {
    const char* Family;
    char32_t Character;
    HintingRequest Request;
  };
  const Case cases[] = {
      {"DejaVu Sans", U'a', Request(16, HintingMode::Font)},
      {"DejaVu Sans", U'a', Request(32, HintingMode::Font, Antialiasing::Mono, TrueTypeInterpreter::V35)},
      {"IPAGothic", U'龍', Request(12, HintingMode::Auto)},
      {"Moji Test CFF", U'B', Request(16, HintingMode::Light)},
      {"DejaVu Sans", U'a', Request(200, HintingMode::None)},
      {"DejaVu Sans", U'a', Request(16, HintingMode::Font, Antialiasing::Mono)},
      {"DejaVu Sans", U'a', Request(16, HintingMode::Font, Antialiasing::Grey, TrueTypeInterpreter::V35)},
      {"DejaVu Sans", U'a', Request(16, HintingMode::Font)},
  };
  GraphicsServices shared;
  const FontFace* dejaVu = shared.Fonts().Resolve("DejaVu Sans");
  ASSERT_NE(dejaVu, nullptr);
  const NativeGlyph before = shared.Fonts().Convert(*dejaVu, 32, U'a', true);
  for (const Case& test : cases) {
    GraphicsServices fresh;
    const HintedGlyph expected = Load(fresh.Fonts(), test.Family, test.Character, test.Request);
    EXPECT_TRUE(expected.Found);
    EXPECT_EQ(Load(shared.Fonts(), test.Family, test.Character, test.Request), expected)
        << test.Family << " " << test.Request.Ppem;
  }
  const NativeGlyph after = shared.Fonts().Convert(*dejaVu, 32, U'a', true);
  EXPECT_EQ(after.Bytes, before.Bytes);
  EXPECT_EQ(after.Sources, before.Sources);
}

}  // namespace
}  // namespace moji
