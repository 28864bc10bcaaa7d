#include "display/glyph_outline_fetch.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "model/outline_invariants.h"
#include "platform/graphics_services.h"
#include "test_fonts.h"

namespace moji {
namespace {

// Text, face, height -> the outlined character, its block count, whether a font was created.
TEST(FetchGlyphOutline, OutlinesTheFirstCharacterOrGivesTheEmptyOutline) {
  using Case = std::tuple<std::u16string, const char*, std::int32_t, std::u16string, int, bool>;
  for (const auto& [text, face, height, character, blocks, createsFont] : std::vector<Case>{
           {u"龍", "IPAGothic", 32, u"龍", 7, true},
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
    // Fetched with another font selected, which must be put back and stay alive.
    GraphicsServices gdi;
    DeviceContext dc{gdi};
    const HGDIOBJ mine = gdi.CreateFontIndirectA(test::LogFont("DejaVu Sans", 10));
    SelectObject(dc, mine);
    std::optional<NativeGlyph> details;
    const GlyphOutline outline = FetchGlyphOutline(dc, text, test::LogFont(face, height), &details);
    EXPECT_EQ(outline.Character, character);
    EXPECT_EQ(outline.BlockCount, blocks);
    EXPECT_TRUE(KeepsOutlineInvariants(outline));
    EXPECT_EQ(gdi.LiveHandleCount(), 1u);
    EXPECT_EQ(dc.CurrentFont, mine);
    EXPECT_EQ(gdi.CreatedHandleCount(), createsFont ? 2u : 1u);
    // Which glyph it is comes with the size query, also where the face lacks it; a point source
    // for every point of the outline.
    EXPECT_EQ(details.has_value(), createsFont);
    if (details) {
      EXPECT_EQ(details->GlyphIndex == 0, text == u"\U0001F600");
      std::size_t points = 0;
      for (const OutlineBlock& block : outline.Blocks) {
        points += 1;
        for (const OutlineCurve& curve : block.Curves) points += curve.Points.size();
      }
      EXPECT_EQ(details->Sources.size(), points);
      EXPECT_TRUE(details->Bytes.empty());
    }
  }
}

}  // namespace
}  // namespace moji
