#include <gtest/gtest.h>

#include "display/face_walk.h"
#include "platform/font_records.h"

namespace moji {
namespace {

TEST(FaceEntryName, AFileFaceIsNamedApartFromTheListWithinAFaceName) {
  const std::string cjk = "Noto Sans CJK JP";
  struct Case {
    std::string Family, Style, File;
    std::vector<std::string> Taken;
    std::string Expected;
  };
  const Case cases[] = {
      {cjk, "Bold", "NotoSansCJK-Bold.ttc", {}, cjk},
      {cjk, "Bold", "NotoSansCJK-Bold.ttc", {cjk}, "Noto Sans CJK JP Bold"},
      {cjk, "Bold", "NotoSansCJK-Bold.ttc", {cjk, cjk + " Bold"}, "Noto Sans CJK JP Bold (Noto…)"},
      {"DejaVu Serif", "Italic", "DejaVuSerif-Italic.ttf", {"DejaVu Serif"}, "DejaVu Serif Italic"},
      {"DejaVu Serif", "Italic", "b.ttf", {"DejaVu Serif", "DejaVu Serif Italic"},
       "DejaVu Serif Italic (b.ttf)"},
      {"A", "", "a.ttf", {"A"}, "A (a.ttf)"},
      {"A", "Bold", "a.ttf", {"A", "A Bold", "A Bold (a.ttf)"}, "A Bold (a.ttf) 2"},
      {"A", "Bold", "a.ttf", {"A", "A Bold", "A Bold (a.ttf)", "A Bold (a.ttf) 2"}, "A Bold (a.ttf) 3"},
      // A family of 29 bytes leaves two for what is added: no style, since "…" alone needs
      // three; a number then.
      {std::string(29, 'x'), "Bold", "x.ttf", {std::string(29, 'x')}, std::string(29, 'x') + " 2"},
      // The added part is cut between characters, never inside one.
      {"源ノ角ゴシック", "太字と斜体の組み合わせ", "f.otf", {"源ノ角ゴシック"}, "源ノ角ゴシック 太字…"},
  };
  for (const Case& c : cases) {
    const std::string name = DistinctEntryName(c.Family, c.Style, c.File, c.Taken);
    EXPECT_EQ(name, c.Expected) << c.Family << " / " << c.Taken.size();
    EXPECT_LE(name.size(), kMaxFaceNameBytes) << name;
    EXPECT_TRUE(name.starts_with(c.Family)) << name;
  }
}

}  // namespace
}  // namespace moji
