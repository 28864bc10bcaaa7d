// On a desktop whose only Japanese font is Noto Sans CJK (CFF outlines in a collection): every
// face of the collection is listed and the start-up face stands for it. (Its glyphs' points and
// runs are checked against fontTools by tests/cli/outline_data_test.py --cjk.)

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

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
  // The command line lists and draws from it, with no TrueType Japanese face installed.
  EXPECT_NE(Output("faces").find("Noto Sans CJK JP\n"), std::string::npos);
  const std::string report = Output("report 龍");
  EXPECT_TRUE(report.starts_with("文字：龍\r\nブロック数：")) << report;
  EXPECT_NE(report.find("タイプ：Bスプライン"), std::string::npos);
}

}  // namespace
}  // namespace moji
