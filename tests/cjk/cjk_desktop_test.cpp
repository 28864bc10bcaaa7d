// On a desktop whose only Japanese font is Noto Sans CJK (CFF outlines in a collection): every
// face of the collection is listed and the start-up face stands for it. (The outlines drawn with
// no face named are checked against fontTools by outline_data_test.py --cjk.)

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/font_engine.h"
#include "platform/installed_faces.h"
#include "test_fonts.h"

namespace moji {
namespace {

TEST(CjkDesktop, EveryFaceOfTheCollectionIsListedAndTheStartUpFaceDrawsFromIt) {
  FontEngine engine;
  const std::vector<std::string> names = FaceNamesOf(engine.Installed());
  for (const char* name : {"Noto Sans CJK JP", "Noto Sans CJK KR", "Noto Sans Mono CJK JP"}) {
    EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
  }
  const FontFace* start = engine.Resolve("ＭＳ ゴシック");
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->File, test::TestFontPath("NotoSansCJK-Regular.ttc"));
}

}  // namespace
}  // namespace moji
