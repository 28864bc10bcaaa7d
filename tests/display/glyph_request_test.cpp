// Display requests for a glyph by index and for the vertical form, beside the request for a
// character they leave as it was.
#include "display/glyph_request.h"

#include <gtest/gtest.h>

#include "display/display_request.h"
#include "platform/graphics_services.h"
#include "report/outline_report.h"
#include "test_fonts.h"

namespace moji {
namespace {

/// The face name of the composite test face (tests/fonts/glyph_faces.py).
std::string CompositeFaceName(FontEngine& engine) {
  return engine.FaceNameOf(FaceIdentity::File(test::TestFontPath("../extra/MojiTestComposite.ttf"), 0));
}

/// The report's first line.
std::u16string FirstLine(const FetchedGlyph& fetched) {
  const std::u16string report = OutlineReportText(fetched.Outline);
  return report.substr(0, report.find(u"\r\n"));
}

TEST(GlyphRequest, NamesTheGlyphByItsCharacterOrItsIndex) {
  GraphicsServices gdi;
  DeviceContext dc{gdi};
  const std::string face = CompositeFaceName(gdi.Fonts());
  EXPECT_EQ(GlyphCountOfFace(gdi.Fonts(), face), 11u);
  EXPECT_EQ(GlyphCountOfFace(gdi.Fonts(), "no such face at all"), GlyphCountOfFace(gdi.Fonts(), ""));
  struct Case {
    GlyphRequest Request;
    std::u16string FirstLine;
    std::uint32_t GlyphIndex;
    std::optional<std::uint32_t> CodePoint;
  };
  const Case cases[] = {
      {{u"", 1}, u"文字：A", 1, 0x41},  // the lowest of its two code points
      {{u"", 7}, u"文字：[グリフ 7 A.alt]", 7, std::nullopt},
      {{u"", 0}, u"文字：[グリフ 0 .notdef]", 0, std::nullopt},
      {{u"", 10}, u"文字： ", 10, 0x20},  // no contours, still named
      {{u"Á", std::nullopt}, u"文字：Á", 3, 0xC1},
      {{u"ー", std::nullopt, true}, u"文字：ー", 9, 0x30FC},
      {{u"A", std::nullopt, true}, u"文字：A", 1, 0x41},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.FirstLine));
    const std::optional<FetchedGlyph> fetched = FetchRequestForDisplay(dc, c.Request, face);
    ASSERT_TRUE(fetched && fetched->Glyph.Glyph);
    EXPECT_EQ(FirstLine(*fetched), c.FirstLine);
    EXPECT_EQ(fetched->Glyph.Glyph->GlyphIndex, c.GlyphIndex);
    EXPECT_EQ(fetched->Glyph.CodePoint, c.CodePoint);
    EXPECT_EQ(fetched->Glyph.ByIndex, c.Request.GlyphIndex.has_value());
    EXPECT_EQ(fetched->Glyph.Vertical.has_value(), c.Request.Vertical);
    EXPECT_EQ(fetched->Placed.BlockCount, fetched->Outline.BlockCount);
  }
  // A character asked for plainly is the request it always was; an empty text is no request.
  const std::optional<FetchedGlyph> plain = FetchRequestForDisplay(dc, {u"龍", std::nullopt}, "IPAGothic");
  const std::optional<FetchedGlyph> before = FetchForDisplay(dc, u"龍", "IPAGothic");
  ASSERT_TRUE(plain && before);
  EXPECT_EQ(OutlineReportText(plain->Outline), OutlineReportText(before->Outline));
  EXPECT_EQ(plain->Placed, before->Placed);
  EXPECT_FALSE(plain->Glyph.ByIndex || plain->Glyph.Vertical);
  EXPECT_FALSE(FetchRequestForDisplay(dc, {u"", std::nullopt, true}, face));
  EXPECT_FALSE(FetchRequestForDisplay(dc, {u"", 1}, std::string(40, 'x')));
}

TEST(GlyphRequest, StepsRoundTheFace) {
  struct Case {
    std::uint32_t From;
    int Step;
    std::uint32_t Count, To;
  };
  for (const Case& c : {Case{0, 1, 11, 1}, Case{10, 1, 11, 0}, Case{0, -1, 11, 10}, Case{5, -1, 11, 4},
                        Case{40, 1, 11, 0}, Case{40, -1, 11, 10}, Case{0, 1, 1, 0}, Case{3, 1, 0, 0}}) {
    EXPECT_EQ(SteppedGlyphIndex(c.From, c.Step, c.Count), c.To) << c.From << " " << c.Step << " " << c.Count;
  }
}

}  // namespace
}  // namespace moji
