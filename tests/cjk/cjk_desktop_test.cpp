// On a desktop whose only Japanese font is Noto Sans CJK (CFF outlines in a collection): every
// face of the collection is listed, the start-up face stands for it, and its glyphs are its own
// points in cubic runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "display/glyph_outline_fetch.h"
#include "platform/font_engine.h"
#include "platform/installed_faces.h"
#include "test_fonts.h"

namespace moji {
namespace {

const std::string kNoto = test::TestFontPath("NotoSansCJK-Regular.ttc");

/// What the program prints for the arguments.
std::string Output(const std::string& arguments) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(
      popen((std::string(MOJI_OUTLINE_PATH) + " " + arguments).c_str(), "r"), pclose);
  std::string text;
  char chunk[4096];
  while (pipe != nullptr && std::fgets(chunk, sizeof chunk, pipe.get()) != nullptr) text += chunk;
  return text;
}

TEST(CjkDesktop, EveryFaceOfTheCollectionIsListedAndTheStartUpFaceDrawsFromIt) {
  const std::vector<std::string> names = InstalledFaceNames();
  for (const char* name : {"Noto Sans CJK JP", "Noto Sans CJK KR", "Noto Sans Mono CJK JP"}) {
    EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
  }
  const FontFace* start = ResolveFace("ＭＳ ゴシック");
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->File, kNoto);
  LOGFONTA font{};
  font.lfHeight = 32;
  std::strcpy(font.lfFaceName, "ＭＳ ゴシック");
  DeviceContext dc;
  EXPECT_GT(FetchGlyphOutline(dc, u"龍", font).BlockCount, 0);
  // The command line lists and draws the same, with no TrueType Japanese face installed.
  EXPECT_NE(Output("faces").find("Noto Sans CJK JP\n"), std::string::npos);
  const std::string report = Output("report 龍");
  EXPECT_TRUE(report.starts_with("文字：龍\r\nブロック数：")) << report;
  EXPECT_NE(report.find("タイプ：Bスプライン"), std::string::npos);
}

// Glyphs of lines and cubic curves, at one pixel per font unit, are the font's own points as
// fontTools reads them, in the runs the native outline's rules make.
TEST(CjkDesktop, NotoRecordsAreTheFontsOwnPoints) {
  const std::string hexes = "9F8D 6C38 3042 41 7A 2603";
  const std::string expected = test::ExpectedRecords(kNoto, 0, hexes);
  ASSERT_TRUE(expected.starts_with("cell ")) << expected;
  const std::int32_t cell = std::stoi(expected.substr(5));
  const FontFace* face = OpenFontFile(kNoto, 0);
  ASSERT_NE(face, nullptr);
  std::string actual = "cell " + std::to_string(cell) + "\n";
  std::istringstream codes(hexes);
  for (std::string hex; codes >> hex;) {
    actual += test::RecordsText(ConvertGlyph(*face, cell, std::stoul(hex, nullptr, 16)).Bytes, hex);
  }
  EXPECT_EQ(actual, expected);
}

}  // namespace
}  // namespace moji
