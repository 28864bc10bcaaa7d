#include "platform/installed_faces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/font_engine.h"
#include "platform/glyph_outline_service.h"

namespace moji {
namespace {

InstalledFont Font(std::string file, std::vector<std::string> names, std::vector<std::string> langs,
                   double weight = 80, double width = 100, int slant = 0) {
  return {std::move(file), 0, std::move(names), std::move(langs), weight, width, slant};
}

std::vector<std::string> FilesOf(const std::vector<const InstalledFont*>& fonts) {
  std::vector<std::string> files;
  for (const InstalledFont* font : fonts) files.push_back(font->File);
  return files;
}

const std::string k32Bytes(32, 'L');

TEST(InstalledFaces, FamiliesAreNamedGroupedSortedAndFoundRegularFirst) {
  const InstalledFontCatalog catalog = CatalogOfFonts({
      Font("gothic-bold", {"Gothic", "ゴシック"}, {"en", "ja"}, 200),
      Font("gothic", {"Gothic", "ゴシック"}, {"en", "ja"}),
      Font("gothic-italic", {"Gothic", "ゴシック"}, {"en", "ja"}, 80, 100, 100),
      Font("gothic-condensed", {"Gothic", "Gothic Condensed"}, {"en", "en"}, 80, 87),
      Font("long-ja", {"Zeta", k32Bytes}, {"en", "ja"}),           // Japanese name too long
      Font("long-first", {k32Bytes, "alpha"}, {"en", "en"}),       // first name too long
      Font("too-long", {k32Bytes, k32Bytes + "x"}, {"en", "ja"}),  // no name fits: left out
      Font("alias", {"Other", "ゴシック"}, {"en", "ja"}, 40),      // same face name: merged
      Font("no-langs", {"Bare"}, {}),
      Font("nameless", {}, {}),
  });
  std::vector<std::string> names;
  for (const InstalledFamily& family : catalog.Families) names.push_back(family.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Bare", "Zeta", "alpha", "ゴシック"}));
  EXPECT_EQ(FilesOf(FontsNamed(catalog, "ゴシック")),
            (std::vector<std::string>{"gothic", "alias", "gothic-bold", "gothic-condensed",
                                      "gothic-italic"}));
  EXPECT_EQ(FilesOf(FontsNamed(catalog, "Gothic Condensed")),
            (std::vector<std::string>{"gothic-condensed"}));
  EXPECT_TRUE(FontsNamed(catalog, "gothic").empty());
  EXPECT_TRUE(FontsNamed(catalog, "").empty());
}

TEST(InstalledFaces, InstalledListNamesIpaGothicInJapaneseAndEveryNameComesBack) {
  const std::vector<std::string> names = InstalledFaceNames();
  const auto listed = [&](const char* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  EXPECT_TRUE(listed("IPAゴシック"));
  EXPECT_FALSE(listed("IPAGothic"));
  EXPECT_TRUE(listed("DejaVu Sans"));
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());

  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    EXPECT_LE(name.size(), kMaxFaceNameBytes);
    // The name resolves to its own family: the first of that family's fonts that opens.
    const FontFace* own = nullptr;
    for (const InstalledFont* font : FontsNamed(InstalledFonts(), name)) {
      if ((own = OpenFontFile(font->File, font->Index)) != nullptr) break;
    }
    EXPECT_EQ(ResolveFace(name), own);
    LOGFONTA description{};
    description.lfHeight = 32;
    name.copy(description.lfFaceName, kMaxFaceNameBytes);
    const HGDIOBJ font = CreateFontIndirectA(description);
    DeviceContext hdc;
    SelectObject(hdc, font);
    TEXTMETRIC metrics{};
    EXPECT_NE(GetTextMetricsA(hdc, &metrics), 0);
    SelectObject(hdc, kStockFont);
    DeleteObject(font);
  }
}

}  // namespace
}  // namespace moji
