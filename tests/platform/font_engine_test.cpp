#include "platform/font_engine.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "native_polygons.h"

namespace moji {
namespace {

constexpr char kIpaGothicFile[] = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
constexpr std::uint32_t kDragon = 0x9F8D;  // 龍

TEST(FontEngine, FaceNameStopsAtTheFirstZeroOrAfter32Bytes) {
  LOGFONTA description{};
  std::memset(description.lfFaceName, 'x', LF_FACESIZE);
  EXPECT_EQ(FaceNameOf(description), std::string(LF_FACESIZE, 'x'));
  description.lfFaceName[3] = '\0';
  EXPECT_EQ(FaceNameOf(description), "xxx");
}

TEST(FontEngine, LastGlyphIsKeptPerFaceHeightAndCodePoint) {
  const FontFace* ipa = OpenFontFile(kIpaGothicFile, 0);
  ASSERT_NE(ipa, nullptr);
  EXPECT_EQ(OpenFontFile(kIpaGothicFile, 0), ipa);
  EXPECT_TRUE(ipa->IsTrueType);
  const std::vector<std::uint8_t> cell = ConvertGlyph(*ipa, 32, kDragon).Bytes;
  EXPECT_NE(ConvertGlyph(*ipa, -32, kDragon).Bytes, cell);
  EXPECT_NE(ConvertGlyph(*ipa, 32, 'A').Bytes, cell);
  EXPECT_EQ(ConvertGlyph(*ipa, 32, kDragon).Bytes, cell);
  EXPECT_EQ(ConvertGlyph(*ipa, 32, kDragon).Status, GlyphStatus::Outline);
}

TEST(FontEngine, MalformedFontFilesFailQuietly) {
  std::ifstream in(kIpaGothicFile, std::ios::binary);
  const std::vector<char> font{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
  ASSERT_GT(font.size(), 6000000u);
  std::string folder = (std::filesystem::temp_directory_path() / "moji-fonts-XXXXXX").string();
  ASSERT_NE(mkdtemp(folder.data()), nullptr);
  const auto write = [&](const char* name, std::vector<char> bytes, std::size_t noiseFrom,
                         std::size_t noiseTo) {
    std::mt19937 random(noiseFrom);
    for (std::size_t i = noiseFrom; i < noiseTo && i < bytes.size(); ++i)
      bytes[i] = static_cast<char>(random());
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  };

  EXPECT_EQ(OpenFontFile(write("noise.ttf", std::vector<char>(4096), 0, 4096), 0), nullptr);
  EXPECT_EQ(OpenFontFile(write("empty.ttf", {}, 0, 0), 0), nullptr);
  EXPECT_EQ(OpenFontFile(folder + "/missing.ttf", 0), nullptr);
  EXPECT_EQ(OpenFontFile(kIpaGothicFile, 3), nullptr);
  EXPECT_EQ(OpenFontFile(kIpaGothicFile, -1), nullptr);

  // Cut inside the glyph table, and the glyph table (at byte 240412) overwritten with noise:
  // every glyph gives no outline, no contours or a buffer that reads back whole.
  const FontFace* truncated =
      OpenFontFile(write("truncated.ttf", {font.begin(), font.begin() + 3000000}, 0, 0), 0);
  const FontFace* scrambled = OpenFontFile(write("scrambled.ttf", font, 240424, 5959844), 0);
  ASSERT_NE(scrambled, nullptr);
  for (const FontFace* face : {truncated, scrambled}) {
    for (std::uint32_t codePoint = 0x20; face != nullptr && codePoint < 0x9FFF; codePoint += 37) {
      const NativeGlyph& glyph = ConvertGlyph(*face, 32, codePoint);
      if (glyph.Status == GlyphStatus::Outline) {
        EXPECT_FALSE(testing_support::ReadPolygons(glyph.Bytes).empty());
      } else {
        EXPECT_TRUE(glyph.Bytes.empty());
      }
    }
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace moji
