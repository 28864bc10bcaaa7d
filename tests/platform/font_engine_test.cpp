// The font engine, the installed face list and the outline and metrics queries on real fonts.
#include "platform/font_engine.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/device_context.h"
#include "platform/glyph_outline_service.h"
#include "platform/graphics_services.h"
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

/// Offset and length of a TrueType font's glyph table, from the first "glyf": its directory record.
std::pair<std::size_t, std::size_t> GlyphTable(const std::vector<char>& font) {
  const std::size_t record = std::string_view(font.data(), font.size()).find("glyf");
  std::size_t offset = 0, length = 0;
  for (std::size_t i = 8; i < 12; ++i) {
    offset = offset << 8 | static_cast<unsigned char>(font.at(record + i));
    length = length << 8 | static_cast<unsigned char>(font.at(record + i + 4));
  }
  return {offset, length};
}
constexpr MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

/// A device context with a font of the given face and height selected for the scope.
struct FontContext {
  FontContext(GraphicsServices& gdi, const char* face, std::int32_t height) : hdc{gdi} {
    SelectObject(hdc, gdi.CreateFontIndirectA(test::LogFont(face, height)));
  }
  ~FontContext() { hdc.Services.DeleteObject(SelectObject(hdc, kStockFont)); }
  std::int32_t SizeOf(std::uint32_t codePoint, const MAT2* matrix = &kIdentity) {
    return GetGlyphOutlineA(hdc, codePoint, GGO_NATIVE, nullptr, 0, nullptr, matrix);
  }
  DeviceContext hdc;
};

/// The face of a font file as the face list opens one: its faces listed, face `index` resolved
/// under the name the engine gives it.
const FontFace* OpenFontFile(FontEngine& engine, const std::string& path, int index) {
  engine.FacesOfFile(path);
  return engine.Resolve(engine.FaceNameOf(FaceIdentity::File(path, index)));
}

// IPAGothic's cell (usWinAscent + usWinDescent) is 2203 units, its em 2048: heights 2203 and -2048
// make a unit one pixel.
TEST(FontEngine, NegativeHeightScalesByTheEm) {
  FontEngine engine;
  const FontFace* ipa = OpenFontFile(engine, kIpaGothicFile, 0);
  ASSERT_NE(ipa, nullptr);
  const NativeGlyph dragon = engine.Convert(*ipa, 2203, kDragon);
  EXPECT_FALSE(dragon.Bytes.empty());
  EXPECT_EQ(engine.Convert(*ipa, -2048, kDragon).Bytes, dragon.Bytes);
  EXPECT_NE(engine.Convert(*ipa, 2048, kDragon).Bytes, dragon.Bytes);
  EXPECT_NE(engine.Convert(*ipa, -2048, 'A').Bytes, dragon.Bytes);
  // The face's and the glyph's measures in font units.
  EXPECT_EQ(dragon.Units.UnitsPerEm, 2048);
  EXPECT_EQ(dragon.CellUnits(), 2203);
  EXPECT_GT(dragon.Units.AdvanceWidth, 0);
  EXPECT_LT(dragon.Units.XMin, dragon.Units.XMax);
  EXPECT_LT(dragon.Units.YMin, dragon.Units.YMax);
  EXPECT_EQ(dragon.Family, "IPAGothic");
}

// Half of IPAGothic does not open; with noise in every 53rd byte of its glyph table it opens, and
// each glyph has an outline with bytes or none without. (Files that are no font: below.)
TEST(FontEngine, MalformedFontFilesFailQuietly) {
  const ScratchFolder folder;
  std::vector<char> font = FileBytes(kIpaGothicFile);
  std::mt19937 random(1);
  FontEngine engine;
  const std::string truncated =
      folder.Write("truncated.ttf", {font.begin(), font.begin() + font.size() / 2});
  EXPECT_TRUE(engine.FacesOfFile(truncated).empty());
  EXPECT_EQ(engine.Convert(*OpenFontFile(engine, truncated, 0), 32, kDragon).Status,
            GlyphStatus::NoOutline);
  const auto [glyf, length] = GlyphTable(font);
  ASSERT_GT(length, 0u);
  for (std::size_t i = glyf + 12; i < glyf + length; i += 53) font.at(i) = static_cast<char>(random());
  const FontFace* scrambled = OpenFontFile(engine, folder.Write("scrambled.ttf", font), 0);
  ASSERT_NE(scrambled, nullptr);
  for (std::uint32_t codePoint = 0x20; codePoint < 0x9FFF; codePoint += 37) {
    const NativeGlyph glyph = engine.Convert(*scrambled, 32, codePoint);
    EXPECT_EQ(glyph.Status == GlyphStatus::Outline, !glyph.Bytes.empty()) << codePoint;
  }
}

// A listed face's file is opened at its first glyph: gone or replaced by then, no outline, while a
// face already drawing keeps drawing. Cut short or rewritten in place under a drawing face (as
// a package upgrade does): no outline for what can no longer be read, and never a fault.
TEST(FontEngine, FaceFilesChangedAfterListingOrWhileDrawing) {
  const ScratchFolder folder;
  const std::vector<char> ipa = FileBytes(kIpaGothicFile);
  FontEngine engine;
  const auto copy = [&](const char* name) { return OpenFontFile(engine, folder.Write(name, ipa), 0); };
  const FontFace* drawing = copy("drawing.ttf");
  const FontFace* gone = copy("gone.ttf");
  const FontFace* replaced = copy("replaced.ttf");
  const FontFace* truncated = copy("truncated.ttf");
  const FontFace* rewritten = copy("rewritten.ttf");
  ASSERT_TRUE(drawing && gone && replaced && truncated && rewritten);
  EXPECT_EQ(gone->FamilyName, "IPAGothic");
  for (const FontFace* face : {drawing, truncated, rewritten}) {
    EXPECT_EQ(engine.Convert(*face, 32, kDragon).Status, GlyphStatus::Outline);
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
  EXPECT_EQ(engine.Convert(*drawing, 32, 'A').Status, GlyphStatus::Outline);
  EXPECT_EQ(engine.Convert(*gone, 32, kDragon).Status, GlyphStatus::NoOutline);
  EXPECT_EQ(engine.Convert(*replaced, 32, kDragon).Status, GlyphStatus::NoOutline);
  for (std::uint32_t codePoint = 0x4E00; codePoint < 0x9FFF; codePoint += 97) {
    EXPECT_EQ(engine.Convert(*truncated, 32, codePoint).Status, GlyphStatus::NoOutline);
    const NativeGlyph glyph = engine.Convert(*rewritten, 32, codePoint);
    EXPECT_EQ(glyph.Status == GlyphStatus::Outline, !glyph.Bytes.empty());
  }
}

// Every outline face is listed: TrueType and CFF, each face of a collection, a variable font
// once; a family by its Japanese name where it has one; sorted, each name once.
TEST(InstalledFaces, ListsEveryOutlineFaceOnceByItsNameSorted) {
  FontEngine engine;
  const std::vector<std::string> names = FaceNamesOf(engine.Installed());
  for (const char* name : {"IPAゴシック", "DejaVu Sans", "Moji Test CFF", "Moji Test Pair One",
                           "Moji Test Pair Two", "Moji Test Variable"}) {
    EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
  }
  EXPECT_EQ(std::count(names.begin(), names.end(), "IPAGothic"), 0);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
  // The default instance first, then the named ones (FreeType adds one at the defaults).
  const auto variable = FontsNamed(engine.Installed(), "Moji Test Variable");
  ASSERT_EQ(variable.size(), 4u);
  EXPECT_EQ(std::pair(variable.front()->Index, variable.front()->NamedInstance), std::pair(0, 0));
}

// Family names in either language, a CFF face and an unknown name all come to outline faces
// (known from the listing); every face but DejaVu Sans and the CFF test face can outline 龍.
TEST(GlyphOutlineService, NamesResolveToOutlineFaces) {
  GraphicsServices gdi;
  for (const char* face : {"IPAGothic", "IPAゴシック", "DejaVu Sans", "Moji Test CFF", "NoSuchFace ありません"}) {
    SCOPED_TRACE(face);
    FontContext font(gdi, face, 32);
    TEXTMETRIC metrics{};
    ASSERT_NE(GetTextMetricsA(font.hdc, &metrics), 0);
    EXPECT_TRUE(metrics.tmPitchAndFamily & TMPF_TRUETYPE);
    EXPECT_EQ(font.SizeOf(kDragon) > 0, std::string_view(face).find("IPA") == 0 ||
                                            std::string_view(face).starts_with("NoSuch"));
  }
}

// A face of a font file opened directly resolves under a face name of its own; an index past its
// last face, or a file that is no font, has none. (Entries and names: window and CLI tests.)
TEST(FontEngine, FontFilesOpenedDirectlyResolveUnderTheirOwnNames) {
  const std::string pair = test::TestFontPath("MojiTestPair.ttc");
  FontEngine engine;
  const std::vector<InstalledFont> faces = engine.FacesOfFile(pair);
  ASSERT_EQ(faces.size(), 2u);
  const std::string first = engine.FaceNameOf(FaceIdentity::File(pair, 0));
  const std::string second = engine.FaceNameOf(FaceIdentity::File(pair, 1));
  EXPECT_EQ(first, "\xFF" "0");
  EXPECT_EQ(second, "\xFF" "1");
  EXPECT_EQ(engine.FaceNameOf(FaceIdentity::File(pair, 1)), second);
  // An installed family in its regular style goes by its own name.
  EXPECT_EQ(engine.FaceNameOf(FaceIdentity::Installed("IPAゴシック")), "IPAゴシック");
  const FontFace* face = engine.Resolve(second);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->FamilyName, "Moji Test Pair Two");
  EXPECT_EQ(std::pair(face->File, face->Index), std::pair(pair, 1));
  // The file's face, never the installed family of the same name (the same file here).
  EXPECT_EQ(engine.Convert(*face, 32, 'A').Status, GlyphStatus::Outline);
  EXPECT_EQ(engine.Resolve(std::string(1, '\xFF') + "99"), nullptr);
  EXPECT_EQ(engine.Resolve(std::string(1, '\xFF') + "1x"), nullptr);
  EXPECT_TRUE(FontsOfFile(test::TestFontPath("missing.ttf")).empty());
  EXPECT_TRUE(FontsOfFile("/etc/passwd").empty());
}

// The size query is positive with an outline, 0 without contours and GDI_ERROR without an
// outline or a matrix; a buffer too short is refused and left as it was.
TEST(GlyphOutlineService, SizesOfPresentEmptyAndMissingGlyphsAndShortBuffers) {
  GraphicsServices gdi;
  for (const auto& [face, codePoint, sign] : {std::tuple{"DejaVu Sans", std::uint32_t{'A'}, 1},
                                              {"DejaVu Sans", ' ', 0},
                                              {"IPAGothic", 0x1F600, -1}}) {
    EXPECT_EQ(std::min(FontContext(gdi, face, 32).SizeOf(codePoint), 1), sign) << codePoint;
  }
  FontContext font(gdi, "IPAGothic", 32);
  EXPECT_EQ(font.SizeOf(kDragon, nullptr), GDI_ERROR);
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(font.SizeOf(kDragon)) - 1, 0xCD);
  EXPECT_EQ(GetGlyphOutlineA(font.hdc, kDragon, GGO_NATIVE, nullptr,
                             static_cast<std::uint32_t>(buffer.size()), buffer.data(), &kIdentity),
            GDI_ERROR);
  EXPECT_EQ(buffer, std::vector<std::uint8_t>(buffer.size(), 0xCD));
}

}  // namespace
}  // namespace moji
