#include "model/glyph_outline_fetch.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstring>
#include <set>
#include <utility>

#include "platform/gdi_objects.h"

namespace moji {
namespace {

constexpr const char* kIpaGothicPath = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

LOGFONTA Font(const char* face, std::int32_t height) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

// Calls FetchGlyphOutline and checks that it leaves no font behind.
GlyphOutline Fetch(const std::u16string& text, const LOGFONTA& font) {
  DeviceContext dc;
  const std::size_t live = LiveHandleCount();
  GlyphOutline outline = FetchGlyphOutline(dc, text, font);
  EXPECT_EQ(LiveHandleCount(), live);
  EXPECT_EQ(dc.CurrentFont, kStockFont);
  return outline;
}

using PointSet = std::set<std::pair<std::int64_t, std::int64_t>>;

// The points of every contour of a glyph, straight from FreeType in font units, scaled the
// way the engine must: units * 32 / (usWinAscent + usWinDescent), rounded to 1/65536.
std::vector<PointSet> ReferenceContours(const char* path, std::uint32_t codePoint) {
  FT_Library library;
  FT_Face face;
  EXPECT_EQ(FT_Init_FreeType(&library), 0);
  EXPECT_EQ(FT_New_Face(library, path, 0, &face), 0);
  EXPECT_EQ(FT_Load_Char(face, codePoint, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP), 0);
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const double cell = os2->usWinAscent + os2->usWinDescent;
  const auto fixed = [&](FT_Pos units) { return std::llround(units * 32.0 * 65536.0 / cell); };
  std::vector<PointSet> contours;
  const FT_Outline& outline = face->glyph->outline;
  int first = 0;
  for (int c = 0; c < outline.n_contours; ++c) {
    PointSet points;
    for (int p = first; p <= outline.contours[c]; ++p) {
      points.insert({fixed(outline.points[p].x), fixed(outline.points[p].y)});
    }
    contours.push_back(points);
    first = outline.contours[c] + 1;
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return contours;
}

// The coordinates of one block back in 1/65536 of a pixel at height 32.
PointSet BlockPoints(const OutlineBlock& block) {
  const auto raw = [](float v) {
    const double scaled = static_cast<double>(v) * 32.0 * 65536.0;
    EXPECT_EQ(scaled, std::round(scaled));
    return static_cast<std::int64_t>(scaled);
  };
  PointSet points{{raw(block.StartX), raw(block.StartY)}};
  for (const OutlineCurve& curve : block.Curves) {
    for (const OutlinePoint& point : curve.Points) points.insert({raw(point.X), raw(point.Y)});
  }
  return points;
}

TEST(FetchGlyphOutline, RyuInIpaGothicMatchesTheFontsOwnPointsInFontHeights) {
  const GlyphOutline outline = Fetch(u"龍", Font("IPAGothic", 32));
  EXPECT_EQ(outline.Character, u"龍");
  const std::vector<PointSet> reference = ReferenceContours(kIpaGothicPath, 0x9F8D);
  ASSERT_EQ(reference.size(), 7u);
  ASSERT_EQ(outline.BlockCount, 7);
  std::int32_t largest = 0;
  for (int b = 0; b < outline.BlockCount; ++b) {
    SCOPED_TRACE(b);
    EXPECT_EQ(BlockPoints(outline.Blocks[b]), reference[b]);
    for (const OutlineCurve& curve : outline.Blocks[b].Curves) {
      EXPECT_TRUE(curve.CurveType == CURVE_POLYLINE || curve.CurveType == CURVE_QSPLINE);
      largest = std::max(largest, curve.PointCount);
    }
  }
  EXPECT_EQ(outline.MaxCurvePoints, largest);
}

TEST(FetchGlyphOutline, OnlyTheFirstCharacterIsOutlined) {
  const GlyphOutline a = Fetch(u"A", Font("DejaVu Sans", 32));
  EXPECT_EQ(a.Character, u"A");
  EXPECT_GE(a.BlockCount, 2);  // the outer contour and the counter

  const GlyphOutline ab = Fetch(u"AB", Font("DejaVu Sans", 32));
  EXPECT_EQ(ab.Character, u"A");
  EXPECT_EQ(ab.BlockCount, a.BlockCount);
}

TEST(FetchGlyphOutline, SurrogatePairIsOneCharacter) {
  // U+2000B is in IPAGothic's character map; U+1F600 is not.
  const GlyphOutline present = Fetch(u"\U0002000Bx", Font("IPAGothic", 32));
  EXPECT_EQ(present.Character, u"\U0002000B");
  EXPECT_GT(present.BlockCount, 0);

  const GlyphOutline lacking = Fetch(u"\U0001F600", Font("IPAGothic", 32));
  EXPECT_TRUE(lacking.Character.empty());
  EXPECT_EQ(lacking.BlockCount, 0);
}

TEST(FetchGlyphOutline, CharactersWithoutAnOutlineGiveTheEmptyOutline) {
  const std::u16string texts[] = {u" ", u"\u3000", u"\U0001F600", u"\xD800", u"\xDC00" u"A", u"\xDBFF\xD800",
                                  std::u16string(1, u'\0')};
  for (const std::u16string& text : texts) {
    SCOPED_TRACE(testing::PrintToString(std::vector<int>(text.begin(), text.end())));
    const GlyphOutline outline = Fetch(text, Font("IPAGothic", 32));
    EXPECT_TRUE(outline.Character.empty());
    EXPECT_EQ(outline.BlockCount, 0);
    EXPECT_TRUE(outline.Blocks.empty());
    EXPECT_EQ(outline.MaxCurvePoints, 0);
  }
}

TEST(FetchGlyphOutline, EmptyTextOrHeightBelowTwoCreatesNoFont) {
  const std::pair<std::u16string, std::int32_t> cases[] = {{u"", 32}, {u"龍", 1}, {u"龍", 0}, {u"龍", -32}};
  for (const auto& [text, height] : cases) {
    SCOPED_TRACE(height);
    const std::uint64_t created = CreatedHandleCount();
    const GlyphOutline outline = Fetch(text, Font("IPAGothic", height));
    EXPECT_EQ(CreatedHandleCount(), created);
    EXPECT_EQ(outline.BlockCount, 0);
    EXPECT_TRUE(outline.Character.empty());
  }
}

TEST(FetchGlyphOutline, PutsThePreviousFontBack) {
  DeviceContext dc;
  const HGDIOBJ mine = CreateFontIndirectA(Font("DejaVu Sans", 10));
  SelectObject(dc, mine);
  const GlyphOutline outline = FetchGlyphOutline(dc, u"龍", Font("IPAGothic", 32));
  EXPECT_EQ(outline.BlockCount, 7);
  EXPECT_EQ(dc.CurrentFont, mine);
  EXPECT_NE(FontDescriptionOf(mine), nullptr);
  DeleteObject(mine);
}

}  // namespace
}  // namespace moji
