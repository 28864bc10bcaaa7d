#include "display/face_list.h"

#include <gtest/gtest.h>

#include "display/drawing_area_font.h"
#include "platform/font_records.h"
#include "platform/graphics_services.h"
#include "platform/unicode_names.h"
#include "test_fonts.h"

namespace moji {
namespace {

/// The face list after the font walk over `names`, as the window's start-up walks them.
FaceList Walked(GraphicsServices& gdi, const std::vector<std::string>& names) {
  DeviceContext dc{gdi};
  DrawingAreaFont font(dc);
  FaceList faces;
  faces.WalkInstalledFaces(names, [&font](const std::string& name) -> DeviceContext& {
    font.Select(name, true);
    return font.Dc();
  });
  return faces;
}

// The walk keeps what resolves to an outline face, in order, duplicates too, never "@" names;
// the face drawn is current where it or the family drawn for it is listed.
TEST(FaceList, WalkKeepsOutlineFacesAndShowsTheFaceDrawn) {
  GraphicsServices gdi;
  FaceList faces = Walked(gdi, {"@IPAゴシック", "IPAゴシック", "DejaVu Sans", "IPAゴシック"});
  EXPECT_EQ(faces.Names(), (std::vector<std::string>{"IPAゴシック", "DejaVu Sans", "IPAゴシック"}));
  EXPECT_EQ(faces.Entries()[1].FaceName, "DejaVu Sans");
  EXPECT_EQ(faces.Entries()[1].Face, FaceIdentity::Installed("DejaVu Sans"));
  const std::pair<std::string, std::int32_t> drawn[] = {
      {Utf8(kDefaultFace), 0},  // not installed: the face substituted for it
      {"DejaVu Sans", 1},
      {"IPAGothic", 0},  // the family's other name
      {"Moji Test CFF", -1}};  // installed, not listed
  for (const auto& [name, entry] : drawn) {
    faces.ChooseFaceName(gdi.Fonts(), name);
    EXPECT_EQ(faces.Current(), entry) << name;
    EXPECT_EQ(faces.CurrentFaceName(), name);
  }
  faces.Choose(1);
  EXPECT_EQ(faces.CurrentFaceName(), "DejaVu Sans");
  faces.Choose(7);
  EXPECT_EQ(faces.Current(), -1);
  EXPECT_TRUE(Walked(gdi, {}).Entries().empty());
}

// A font file's faces are named apart from the list, added once each after it, and draw from
// the file; a file that is no font, or lacks the face number, adds nothing and says why.
TEST(FaceList, FontFilesAddTheirFacesOnceNamedApart) {
  GraphicsServices gdi;
  FaceList faces = Walked(gdi, FaceNamesOf(gdi.Fonts().Installed()));
  const std::size_t installed = faces.Entries().size();
  const std::string pair = test::TestFontPath("MojiTestPair.ttc");
  const FontFileChoice choice = faces.ReadFontFile(gdi.Fonts(), pair, 1);
  ASSERT_TRUE(choice.Chosen);
  ASSERT_EQ(choice.Entries.size(), 2u);
  EXPECT_EQ(choice.Entries[0].Name, "Moji Test Pair One Regular");
  EXPECT_EQ(choice.Chosen->Name, "Moji Test Pair Two Regular");
  EXPECT_EQ(choice.Chosen->Face, FaceIdentity::File(pair, 1));
  EXPECT_EQ(faces.Entries().size(), installed);  // read, not added
  faces.AddFontFile(choice);
  faces.AddFontFile(faces.ReadFontFile(gdi.Fonts(), pair, 0));  // again: nothing new
  ASSERT_EQ(faces.Entries().size(), installed + 2);
  EXPECT_EQ(faces.Current(), static_cast<std::int32_t>(installed));
  const FontFace* drawn = gdi.Fonts().Resolve(faces.CurrentFaceName());
  ASSERT_NE(drawn, nullptr);
  EXPECT_EQ(std::pair(drawn->File, drawn->Index), std::pair(pair, 0));
  const std::string bold = test::TestFontPath("../extra/MojiTestPairOne-Bold.ttf");
  EXPECT_EQ(faces.ReadFontFile(gdi.Fonts(), bold, 0).Chosen->Name, "Moji Test Pair One Bold");

  const std::pair<std::string, std::string> refused[] = {
      {test::TestFontPath("missing.ttf"), "cannot open " + test::TestFontPath("missing.ttf") +
                                              ": No such file or directory"},
      {"/etc/passwd", "cannot read a font with TrueType, CFF or Type 1 outlines from /etc/passwd"}};
  for (const auto& [path, problem] : refused) {
    const FontFileChoice none = faces.ReadFontFile(gdi.Fonts(), path, 0);
    EXPECT_FALSE(none.Chosen);
    EXPECT_EQ(none.Problem, problem);
  }
  EXPECT_EQ(faces.ReadFontFile(gdi.Fonts(), pair, 2).Problem,
            pair + " has no outline face 2 (its outline faces: 0, 1)");
  faces.AddFontFile(faces.ReadFontFile(gdi.Fonts(), pair, 2));
  EXPECT_EQ(faces.Entries().size(), installed + 2);
}

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
