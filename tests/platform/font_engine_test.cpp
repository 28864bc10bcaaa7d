// The font engine, the installed face list and the outline and metrics queries on real fonts.
#include "platform/font_engine.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/gdi_objects.h"
#include "platform/glyph_outline_service.h"
#include "platform/installed_faces.h"
#include "test_fonts.h"

namespace moji {
namespace {

const std::string kIpaGothicFile = test::TestFontPath("ipag.ttf");
constexpr std::uint32_t kDragon = 0x9F8D;  // 龍

/// A fresh folder for the test's own font files, removed with the object.
struct ScratchFolder {
  ScratchFolder() {
    Path = (std::filesystem::temp_directory_path() / "moji-fonts-XXXXXX").string();
    if (mkdtemp(Path.data()) == nullptr) Path.clear();
  }
  ~ScratchFolder() { std::filesystem::remove_all(Path); }
  std::string Write(const std::string& name, const std::vector<char>& bytes) const {
    std::ofstream(Path + "/" + name, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return Path + "/" + name;
  }
  std::string Path;
};

std::vector<char> FileBytes(const std::string& path) {
  std::vector<char> bytes(std::filesystem::file_size(path));
  std::ifstream(path, std::ios::binary).read(bytes.data(), std::streamsize(bytes.size()));
  return bytes;
}

/// Offset and length of a table of an sfnt font, read from its table directory.
std::pair<std::size_t, std::size_t> TableOf(const std::vector<char>& font, const char* tag) {
  const auto number = [&](std::size_t at, int size) {
    std::size_t value = 0;
    for (int i = 0; i < size; ++i) value = value << 8 | static_cast<unsigned char>(font.at(at + i));
    return value;
  };
  for (std::size_t table = 0; table < number(4, 2); ++table) {
    const std::size_t record = 12 + 16 * table;
    if (std::memcmp(&font.at(record), tag, 4) == 0) return {number(record + 8, 4), number(record + 12, 4)};
  }
  return {0, 0};
}
constexpr MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

/// A device context with a font of the given face and height selected for the scope.
struct FontContext {
  FontContext(const char* face, std::int32_t height) {
    SelectObject(hdc, CreateFontIndirectA(test::LogFont(face, height)));
  }
  ~FontContext() { DeleteObject(SelectObject(hdc, kStockFont)); }
  std::int32_t SizeOf(std::uint32_t codePoint, const MAT2* matrix = &kIdentity) {
    return GetGlyphOutlineA(hdc, codePoint, GGO_NATIVE, nullptr, 0, nullptr, matrix);
  }
  DeviceContext hdc;
};

// IPAGothic's cell (usWinAscent + usWinDescent) is 2203 units and its em 2048: the cell height
// 2203 and the em height -2048 both make a unit one pixel. The glyph kept from the last call
// must be told apart by height and code point.
TEST(FontEngine, NegativeHeightScalesByTheEm) {
  const FontFace* ipa = OpenFontFile(kIpaGothicFile, 0);
  ASSERT_NE(ipa, nullptr);
  const std::vector<std::uint8_t> byCell = ConvertGlyph(*ipa, 2203, kDragon).Bytes;
  EXPECT_FALSE(byCell.empty());
  EXPECT_EQ(ConvertGlyph(*ipa, -2048, kDragon).Bytes, byCell);
  EXPECT_NE(ConvertGlyph(*ipa, 2048, kDragon).Bytes, byCell);
  EXPECT_NE(ConvertGlyph(*ipa, -2048, 'A').Bytes, byCell);
}

// Random bytes, an empty file and IPAGothic cut in half do not open; with every 53rd byte of its
// glyph table replaced by noise it opens, and each glyph then has an outline with bytes or none
// without.
TEST(FontEngine, MalformedFontFilesFailQuietly) {
  const ScratchFolder folder;
  std::vector<char> font = FileBytes(kIpaGothicFile), noise(4096);
  std::mt19937 random(1);
  for (char& byte : noise) byte = static_cast<char>(random());
  EXPECT_EQ(OpenFontFile(folder.Write("noise.ttf", noise), 0), nullptr);
  EXPECT_EQ(OpenFontFile(folder.Write("empty.ttf", {}), 0), nullptr);
  EXPECT_EQ(OpenFontFile(folder.Write("truncated.ttf", {font.begin(), font.begin() + font.size() / 2}), 0), nullptr);
  const auto [glyf, length] = TableOf(font, "glyf");
  ASSERT_GT(length, 0u);
  for (std::size_t i = glyf + 12; i < glyf + length; i += 53) font.at(i) = static_cast<char>(random());
  const FontFace* scrambled = OpenFontFile(folder.Write("scrambled.ttf", font), 0);
  ASSERT_NE(scrambled, nullptr);
  for (std::uint32_t codePoint = 0x20; codePoint < 0x9FFF; codePoint += 37) {
    const NativeGlyph glyph = ConvertGlyph(*scrambled, 32, codePoint);
    EXPECT_EQ(glyph.Status == GlyphStatus::Outline, !glyph.Bytes.empty()) << codePoint;
  }
}

// Listing describes a face without keeping it open; its file is opened again for the first
// glyph. A file that is gone or replaced by then gives no outline, while a face already drawing
// keeps drawing. A file cut short or rewritten in place under a face that is drawing (as a
// package upgrade does) gives no outline for what can no longer be read, and never a fault.
TEST(FontEngine, FaceFilesChangedAfterListingOrWhileDrawing) {
  const ScratchFolder folder;
  const std::vector<char> ipa = FileBytes(kIpaGothicFile);
  const auto copy = [&](const char* name) { return OpenFontFile(folder.Write(name, ipa), 0); };
  const FontFace* drawing = copy("drawing.ttf");
  const FontFace* gone = copy("gone.ttf");
  const FontFace* replaced = copy("replaced.ttf");
  const FontFace* truncated = copy("truncated.ttf");
  const FontFace* rewritten = copy("rewritten.ttf");
  ASSERT_TRUE(drawing && gone && replaced && truncated && rewritten);
  EXPECT_TRUE(gone->HasOutlines);
  EXPECT_EQ(gone->FamilyName, "IPAGothic");
  for (const FontFace* face : {drawing, truncated, rewritten}) {
    EXPECT_EQ(ConvertGlyph(*face, 32, kDragon).Status, GlyphStatus::Outline);
  }

  std::filesystem::remove(folder.Path + "/drawing.ttf");
  std::filesystem::remove(folder.Path + "/gone.ttf");
  std::ofstream(folder.Path + "/replaced.ttf", std::ios::binary | std::ios::trunc) << "not a font";
  std::filesystem::resize_file(folder.Path + "/truncated.ttf", 4096);
  {
    std::fstream file(folder.Path + "/rewritten.ttf", std::ios::binary | std::ios::in | std::ios::out);
    const std::vector<char> zeros(ipa.size() / 2, 0);
    file.seekp(std::streamoff(ipa.size() / 4));
    file.write(zeros.data(), std::streamsize(zeros.size()));
  }
  EXPECT_EQ(ConvertGlyph(*drawing, 32, 'A').Status, GlyphStatus::Outline);
  EXPECT_EQ(ConvertGlyph(*gone, 32, kDragon).Status, GlyphStatus::NoOutline);
  EXPECT_EQ(ConvertGlyph(*replaced, 32, kDragon).Status, GlyphStatus::NoOutline);
  for (std::uint32_t codePoint = 0x4E00; codePoint < 0x9FFF; codePoint += 97) {
    EXPECT_EQ(ConvertGlyph(*truncated, 32, codePoint).Status, GlyphStatus::NoOutline);
    const NativeGlyph glyph = ConvertGlyph(*rewritten, 32, codePoint);
    EXPECT_EQ(glyph.Status == GlyphStatus::Outline, !glyph.Bytes.empty());
  }
}

// Every outline face is listed: TrueType and CFF, each face of a collection, a variable font
// once; a family by its Japanese name where it has one; sorted, each name once.
TEST(InstalledFaces, ListsEveryOutlineFaceOnceByItsNameSorted) {
  const std::vector<std::string> names = InstalledFaceNames();
  for (const char* name : {"IPAゴシック", "DejaVu Sans", "Moji Test CFF", "Moji Test Pair One",
                           "Moji Test Pair Two", "Moji Test Variable"}) {
    EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
  }
  EXPECT_EQ(std::count(names.begin(), names.end(), "IPAGothic"), 0);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
  const auto variable = FontsNamed(InstalledFonts(), "Moji Test Variable");
  ASSERT_EQ(variable.size(), 1u);
  EXPECT_EQ(variable.front()->Index, 0);  // the default instance, not a named one
}

// Family names in either language, a CFF face and an unknown name all come to outline faces,
// known from the listing without reading a font file; every face but DejaVu Sans and the CFF
// test face can outline 龍.
TEST(GlyphOutlineService, NamesResolveToOutlineFaces) {
  for (const char* face : {"IPAGothic", "IPAゴシック", "DejaVu Sans", "Moji Test CFF", "NoSuchFace ありません"}) {
    SCOPED_TRACE(face);
    FontContext font(face, 32);
    TEXTMETRIC metrics{};
    ASSERT_NE(GetTextMetricsA(font.hdc, &metrics), 0);
    EXPECT_TRUE(metrics.tmPitchAndFamily & TMPF_TRUETYPE);
    EXPECT_EQ(font.SizeOf(kDragon) > 0, std::string_view(face).find("IPA") == 0 ||
                                            std::string_view(face).starts_with("NoSuch"));
  }
}

// A font file opened directly resolves under a face name of its own, never an installed
// family's; an index past its last face, or a file that is no font, has none.
TEST(FontEngine, FontFilesOpenedDirectlyResolveUnderTheirOwnNames) {
  const std::string pair = test::TestFontPath("MojiTestPair.ttc");
  const std::string second = FontFileFaceName(pair, 1);
  ASSERT_FALSE(second.empty());
  EXPECT_EQ(second, FontFileFaceName(pair, 1));
  EXPECT_NE(second, FontFileFaceName(pair, 0));
  EXPECT_EQ(ResolveFace(second), OpenFontFile(pair, 1));
  EXPECT_EQ(ResolveFace(second)->FamilyName, "Moji Test Pair Two");
  const std::vector<InstalledFont> faces = FontsOfFile(pair);
  ASSERT_EQ(faces.size(), 2u);
  EXPECT_EQ(FaceNameOfFont(faces[1]), "Moji Test Pair Two");
  EXPECT_EQ(FontFileFaceName(pair, 2), "");
  EXPECT_EQ(FontFileFaceName(test::TestFontPath("missing.ttf"), 0), "");
  EXPECT_EQ(FontFileFaceName("/etc/passwd", 0), "");
  EXPECT_EQ(ResolveFace(std::string(1, '\xFF') + "99"), nullptr);
}

// The size query is positive with an outline, 0 without contours and GDI_ERROR without an
// outline or a matrix; a buffer too short is refused and left as it was.
TEST(GlyphOutlineService, SizesOfPresentEmptyAndMissingGlyphsAndShortBuffers) {
  for (const auto& [face, codePoint, sign] : {std::tuple{"DejaVu Sans", std::uint32_t{'A'}, 1},
                                              {"DejaVu Sans", ' ', 0},
                                              {"IPAGothic", 0x1F600, -1}}) {
    EXPECT_EQ(std::min(FontContext(face, 32).SizeOf(codePoint), 1), sign) << codePoint;
  }
  FontContext font("IPAGothic", 32);
  EXPECT_EQ(font.SizeOf(kDragon, nullptr), GDI_ERROR);
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(font.SizeOf(kDragon)) - 1, 0xCD);
  EXPECT_EQ(GetGlyphOutlineA(font.hdc, kDragon, GGO_NATIVE, nullptr,
                             static_cast<std::uint32_t>(buffer.size()), buffer.data(), &kIdentity),
            GDI_ERROR);
  EXPECT_EQ(buffer, std::vector<std::uint8_t>(buffer.size(), 0xCD));
}

}  // namespace
}  // namespace moji
