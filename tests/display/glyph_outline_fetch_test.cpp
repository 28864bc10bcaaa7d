#include "display/glyph_outline_fetch.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "model/outline_invariants.h"
#include "platform/gdi_objects.h"
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
    DeviceContext dc;
    const HGDIOBJ mine = CreateFontIndirectA(test::LogFont("DejaVu Sans", 10));
    SelectObject(dc, mine);
    const std::size_t live = LiveHandleCount();
    const std::uint64_t created = CreatedHandleCount();
    const GlyphOutline outline = FetchGlyphOutline(dc, text, test::LogFont(face, height));
    EXPECT_EQ(outline.Character, character);
    EXPECT_EQ(outline.BlockCount, blocks);
    EXPECT_TRUE(KeepsOutlineInvariants(outline));
    EXPECT_EQ(LiveHandleCount(), live);
    EXPECT_EQ(dc.CurrentFont, mine);
    EXPECT_EQ(CreatedHandleCount() != created, createsFont);
    EXPECT_TRUE(DeleteObject(mine));
  }
}

}  // namespace
}  // namespace moji
