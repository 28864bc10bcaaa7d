#include "platform/glyph_outline_service.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "native_polygons.h"
#include "platform/gdi_objects.h"
#include "platform/native_outline_builder.h"

namespace moji {
namespace {

using testing_support::Fx;
using testing_support::ReadPolygons;

constexpr char kIpaGothicFile[] = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
constexpr std::uint32_t kDragon = 0x9F8D;  // 龍
constexpr MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

/// A device context with a font of the given face and height selected for the scope.
class FontContext {
 public:
  FontContext(const char* face, std::int32_t height) {
    LOGFONTA description{};
    description.lfHeight = height;
    description.lfCharSet = SHIFTJIS_CHARSET;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    font_ = CreateFontIndirectA(description);
    SelectObject(hdc, font_);
  }
  ~FontContext() {
    SelectObject(hdc, kStockFont);
    DeleteObject(font_);
  }
  DeviceContext hdc;

 private:
  HGDIOBJ font_;
};

std::int32_t SizeOf(DeviceContext& hdc, std::uint32_t codePoint) {
  return GetGlyphOutlineA(hdc, codePoint, GGO_NATIVE, nullptr, 0, nullptr, &kIdentity);
}

/// The size query followed by the fill, as a caller makes them; empty when there is no outline.
std::vector<std::uint8_t> FetchNative(DeviceContext& hdc, std::uint32_t codePoint) {
  GLYPHMETRICS metrics;
  const std::int32_t size = SizeOf(hdc, codePoint);
  std::vector<std::uint8_t> buffer(size > 0 ? static_cast<std::size_t>(size) : 0);
  if (size > 0) {
    EXPECT_EQ(GetGlyphOutlineA(hdc, codePoint, GGO_NATIVE, &metrics,
                               static_cast<std::uint32_t>(size), buffer.data(), &kIdentity),
              size);
  }
  return buffer;
}

TEST(GlyphOutlineService, DragonInIpaGothicIsFreeTypesPointsScaledToTheHeight) {
  FT_Library library;
  FT_Face face;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  ASSERT_EQ(FT_New_Face(library, kIpaGothicFile, 0, &face), 0);
  ASSERT_EQ(FT_Load_Char(face, kDragon, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP),
            0);
  const FT_Outline& raw = face->glyph->outline;
  ASSERT_EQ(raw.n_contours, 7);

  // A positive height is the cell (usWinAscent + usWinDescent), a negative one the em.
  for (const auto& [height, unitsPerHeight] : {std::pair{32, 1802.0 + 401.0}, {-32, 2048.0}}) {
    SCOPED_TRACE(height);
    FontContext font("IPAGothic", height);
    const auto polygons = ReadPolygons(FetchNative(font.hdc, kDragon));
    ASSERT_EQ(polygons.size(), 7u);
    const auto scaled = [&](long units) {
      return static_cast<std::int32_t>(std::llround(units * 32.0 * 65536.0 / unitsPerHeight));
    };
    // Each polygon is its contour's points in order, record types following the on-curve tags
    // (this font's contours start on the curve); a trailing spline run ends at the start.
    for (long c = 0, first = 0; c < 7; first = raw.contours[c++] + 1) {
      std::vector<std::pair<Fx, bool>> expected;
      for (long i = first; i <= raw.contours[c]; ++i) {
        expected.push_back(
            {{scaled(raw.points[i].x), scaled(raw.points[i].y)}, (raw.tags[i] & 1) != 0});
      }
      ASSERT_TRUE(expected.front().second);
      if (!expected.back().second) expected.push_back(expected.front());
      std::vector<std::pair<Fx, bool>> actual = {{polygons[c].Start, true}};
      for (const auto& record : polygons[c].Records) {
        for (std::size_t k = 0; k < record.Points.size(); ++k) {
          actual.push_back(
              {record.Points[k], record.Type == TT_PRIM_LINE || k + 1 == record.Points.size()});
        }
      }
      EXPECT_EQ(actual, expected) << "contour " << c;
    }
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  // A buffer one byte short is refused and left as it was.
  FontContext font("IPAGothic", 32);
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(SizeOf(font.hdc, kDragon)) - 1, 0xCD);
  EXPECT_EQ(GetGlyphOutlineA(font.hdc, kDragon, GGO_NATIVE, nullptr,
                             static_cast<std::uint32_t>(buffer.size()), buffer.data(), &kIdentity),
            GDI_ERROR);
  EXPECT_EQ(buffer, std::vector<std::uint8_t>(buffer.size(), 0xCD));
}

TEST(GlyphOutlineService, SizesOfPresentEmptyAndMissingGlyphs) {
  enum Expect { kOutline, kNoContours, kNone };
  struct Case {
    const char* Face;
    std::uint32_t CodePoint;
    Expect Result;
  };
  const Case cases[] = {
      {"DejaVu Sans", 'A', kOutline},
      {"IPAGothic", 0x20B9F, kOutline},  // beyond the BMP, from the font's 32-bit character map
      {"IPAGothic", ' ', kNoContours},
      {"DejaVu Sans", ' ', kNoContours},
      {"IPAGothic", 0x1F600, kNone},
      {"IPAGothic", 0x110000, kNone},
      {"DejaVu Sans", kDragon, kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Face) + " U+" + std::to_string(c.CodePoint));
    FontContext font(c.Face, 32);
    const std::int32_t size = SizeOf(font.hdc, c.CodePoint);
    if (c.Result == kOutline) {
      EXPECT_GT(size, 0);
      EXPECT_FALSE(ReadPolygons(FetchNative(font.hdc, c.CodePoint)).empty());
    } else {
      EXPECT_EQ(size, c.Result == kNoContours ? 0 : GDI_ERROR);
    }
  }

  FontContext font("IPAGothic", 32);
  constexpr MAT2 doubled = {{0, 2}, {0, 0}, {0, 0}, {0, 2}};
  EXPECT_EQ(GetGlyphOutlineA(font.hdc, kDragon, 1, nullptr, 0, nullptr, &kIdentity), GDI_ERROR);
  EXPECT_EQ(GetGlyphOutlineA(font.hdc, kDragon, GGO_NATIVE, nullptr, 0, nullptr, nullptr),
            GDI_ERROR);
  EXPECT_EQ(GetGlyphOutlineA(font.hdc, kDragon, GGO_NATIVE, nullptr, 0, nullptr, &doubled),
            GDI_ERROR);
}

TEST(GlyphOutlineService, NamesResolveToTrueTypeFaces) {
  // Family names in either language, an unknown name and the program's default face name (not
  // installed here) all come to a TrueType face; all but DejaVu Sans can outline 龍.
  for (const auto& [face, height] : {std::pair{"IPAGothic", 32},
                                     {"IPAゴシック", -32},
                                     {"DejaVu Sans", 32},
                                     {"NoSuchFace ありません", 32},
                                     {"ＭＳ ゴシック", 32}}) {
    SCOPED_TRACE(face);
    FontContext font(face, height);
    TEXTMETRIC metrics{};
    ASSERT_NE(GetTextMetricsA(font.hdc, &metrics), 0);
    EXPECT_TRUE(metrics.tmPitchAndFamily & TMPF_TRUETYPE);
    EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(metrics.tmAscent + metrics.tmDescent, metrics.tmHeight);
    EXPECT_EQ(height > 0 ? metrics.tmHeight : metrics.tmHeight - metrics.tmInternalLeading, 32);
    EXPECT_EQ(SizeOf(font.hdc, kDragon) > 0, std::string(face) != "DejaVu Sans");
  }
  FontContext english("IPAGothic", 32);
  FontContext japanese("IPAゴシック", 32);
  EXPECT_EQ(FetchNative(english.hdc, kDragon), FetchNative(japanese.hdc, kDragon));
  EXPECT_EQ(GetTextMetricsA(english.hdc, nullptr), 0);
}

TEST(GlyphOutlineService, HandleThatIsNoLiveFontReadsAsTheStockFont) {
  DeviceContext stock;
  TEXTMETRIC metrics{};
  ASSERT_NE(GetTextMetricsA(stock, &metrics), 0);
  EXPECT_EQ(metrics.tmHeight, kDefaultCellHeight);
  const std::vector<std::uint8_t> expected = FetchNative(stock, kDragon);
  EXPECT_FALSE(expected.empty());

  DeviceContext stale;
  LOGFONTA description{};
  description.lfHeight = 40;
  const HGDIOBJ deleted = CreateFontIndirectA(description);
  SelectObject(stale, deleted);
  DeleteObject(deleted);
  EXPECT_EQ(FetchNative(stale, kDragon), expected);
}

}  // namespace
}  // namespace moji
