#include "display/glyph_outline_fetch.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstring>
#include <set>
#include <tuple>
#include <utility>

#include "model/outline_invariants.h"
#include "test_fonts.h"
#include "platform/gdi_objects.h"

namespace moji {
namespace {

LOGFONTA Font(const char* face, std::int32_t height) {
  LOGFONTA font{};
  font.lfHeight = height;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

// Every coordinate is FreeType's point in font units scaled to height 32 by the cell
// (usWinAscent 1802 + usWinDescent 401), rounded to 1/65536, then divided by the height.
TEST(FetchGlyphOutline, RyuInIpaGothicIsTheFontsOwnPointsInFontHeights) {
  FT_Library library;
  FT_Face face;
  const std::string path = test::TestFontPath("ipag.ttf");
  ASSERT_FALSE(FT_Init_FreeType(&library) || FT_New_Face(library, path.c_str(), 0, &face) ||
               FT_Load_Char(face, 0x9F8D, FT_LOAD_NO_SCALE));  // implies no hinting, no bitmap
  const auto scaled = [](FT_Pos units) {
    return static_cast<float>(std::llround(units * 32.0 * 65536.0 / (1802 + 401)) / 65536.0 / 32);
  };
  const FT_Outline& glyph = face->glyph->outline;
  std::vector<std::set<std::pair<float, float>>> expected(7), actual(7);
  for (int c = 0, p = 0; c < glyph.n_contours && c < 7; ++c) {
    for (; p <= glyph.contours[c]; ++p) {
      expected[c].insert({scaled(glyph.points[p].x), scaled(glyph.points[p].y)});
    }
  }
  EXPECT_EQ(glyph.n_contours, 7);
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  // Fetched with another font selected, which must be put back and stay alive.
  DeviceContext dc;
  const HGDIOBJ mine = CreateFontIndirectA(Font("DejaVu Sans", 10));
  SelectObject(dc, mine);
  const std::size_t live = LiveHandleCount();
  const GlyphOutline outline = FetchGlyphOutline(dc, u"龍", Font("IPAGothic", 32));
  EXPECT_EQ(LiveHandleCount(), live);
  EXPECT_EQ(dc.CurrentFont, mine);
  EXPECT_TRUE(DeleteObject(mine));

  EXPECT_EQ(outline.Character, u"龍");
  EXPECT_TRUE(KeepsOutlineInvariants(outline));
  ASSERT_EQ(outline.BlockCount, 7);
  for (std::size_t b = 0; b < 7; ++b) {
    actual[b].insert({outline.Blocks[b].StartX, outline.Blocks[b].StartY});
    for (const OutlineCurve& curve : outline.Blocks[b].Curves) {
      for (const OutlinePoint& point : curve.Points) actual[b].insert({point.X, point.Y});
    }
  }
  EXPECT_EQ(actual, expected);
}

// Text, face, height -> the outlined character, its block count, whether a font was created.
TEST(FetchGlyphOutline, OutlinesTheFirstCharacterOrGivesTheEmptyOutline) {
  using Case = std::tuple<std::u16string, const char*, std::int32_t, std::u16string, int, bool>;
  for (const auto& [text, face, height, character, blocks, createsFont] : std::vector<Case>{
           {u"A", "DejaVu Sans", 32, u"A", 2, true},
           {u"AB", "DejaVu Sans", 32, u"A", 2, true},  // B has 3 contours
           {u"\U0002000Bx", "IPAGothic", 32, u"\U0002000B", 2, true},
           {u"\U0001F600", "IPAGothic", 32, u"", 0, true},  // not in the font
           {u" ", "IPAGothic", 32, u"", 0, true},
           {u"\xD800", "IPAGothic", 32, u"", 0, false},  // lone surrogates
           {u"\xDC00\xD800", "IPAGothic", 32, u"", 0, false},
           {u"", "IPAGothic", 32, u"", 0, false},
           {u"龍", "IPAGothic", 1, u"", 0, false},
           {u"龍", "IPAGothic", 0, u"", 0, false},
           {u"龍", "IPAGothic", -32, u"", 0, false}}) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(text) << " at " << height);
    DeviceContext dc;
    const std::size_t live = LiveHandleCount();
    const std::uint64_t created = CreatedHandleCount();
    const GlyphOutline outline = FetchGlyphOutline(dc, text, Font(face, height));
    EXPECT_EQ(outline.Character, character);
    EXPECT_EQ(outline.BlockCount, blocks);
    EXPECT_TRUE(KeepsOutlineInvariants(outline));
    EXPECT_EQ(LiveHandleCount(), live);
    EXPECT_EQ(dc.CurrentFont, kStockFont);
    EXPECT_EQ(CreatedHandleCount() != created, createsFont);
  }
}

}  // namespace
}  // namespace moji
