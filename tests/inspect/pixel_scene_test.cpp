#include "inspect/pixel_scene.h"

#include <gtest/gtest.h>

namespace moji {
namespace {

// Coverage a byte a pixel from the top, whatever the bitmap's form: grey as it is, mono's bits
// widened (the most significant first, the row's padding left out), a negative pitch read from
// the bottom up; a pitch or a buffer too short for the width gives nothing.
TEST(PixelScene, CoverageRowsOfEveryBitmapForm) {
  GlyphBitmap grey{2, 2, 3, 0, 0, Antialiasing::Grey, {1, 2, 99, 3, 4, 99}};
  EXPECT_EQ(CoverageRows(grey), (std::vector<std::uint8_t>{1, 2, 3, 4}));
  GlyphBitmap upward = grey;
  upward.Pitch = -3;
  EXPECT_EQ(CoverageRows(upward), (std::vector<std::uint8_t>{3, 4, 1, 2}));
  GlyphBitmap mono{10, 2, 2, 0, 0, Antialiasing::Mono, {0b10100000, 0b01000000, 0b00000001, 0b10111111}};
  EXPECT_EQ(CoverageRows(mono), (std::vector<std::uint8_t>{255, 0, 255, 0, 0, 0, 0, 0, 0, 255,
                                                           0, 0, 0, 0, 0, 0, 0, 255, 255, 0}));
  GlyphBitmap narrow = mono;
  narrow.Pitch = 1;
  EXPECT_TRUE(CoverageRows(narrow).empty());
  GlyphBitmap shortBuffer = grey;
  shortBuffer.Pixels.pop_back();
  EXPECT_TRUE(CoverageRows(shortBuffer).empty());
  EXPECT_TRUE(CoverageRows(GlyphBitmap{}).empty());
}

// What a move and a scene are called: pixels from 26.6 exactly, the size and the hinting, and
// a failure of the hinting said.
TEST(PixelScene, DescriptionsAndCaptions) {
  const PointMove move{3, 3, 12, {160, -32}, {128, 0}, 0.707};
  EXPECT_EQ(MoveDescription(move), "点 12：( 2.5 , -0.5 ) から ( 2 , 0 ) へ 0.707 px 動いた");
  const PointMove unnumbered{0, 0, -1, {1, 0}, {1, 0}, 0};
  EXPECT_EQ(MoveDescription(unnumbered), "点：( 0.015625 , 0 ) から ( 0.015625 , 0 ) へ 0.000 px 動いた");
  HintedGlyph glyph;
  glyph.Request = {16, HintingMode::Font, Antialiasing::Grey, TrueTypeInterpreter::V35};
  EXPECT_EQ(PixelCaption(glyph), "16 ppem・フォントのヒンティング（v35）・グレー");
  glyph.Request = {12, HintingMode::Light, Antialiasing::Mono, TrueTypeInterpreter::V40};
  glyph.HintingFailed = true;
  EXPECT_EQ(PixelCaption(glyph), "12 ppem・軽い自動ヒンティング・白黒：このグリフのヒンティングは失敗した（ヒンティングなしの外形）");
}

// A fit holds the origin, both advances, both outlines, the bitmap and the em box.
TEST(PixelScene, FittedBoxHoldsEverythingShown) {
  PixelScene scene;
  scene.Glyph.UnhintedAdvance = 640;
  scene.Glyph.HintedAdvance = 704;
  scene.Glyph.Unhinted.Points = {{64, 640}};
  scene.Glyph.Hinted.Points = {{-32, 320}};
  scene.Glyph.Bitmap = {4, 12, 4, 1, 11, Antialiasing::Grey, std::vector<std::uint8_t>(48)};
  EXPECT_EQ(PixelFittedBox(scene), (UnitBox{-32, -64, 704, 704}));  // 64ths of a pixel
  scene.EmBox = UnitBox{0, -2, 12, 14};
  EXPECT_EQ(PixelFittedBox(scene), (UnitBox{-32, -128, 768, 896}));
}

}  // namespace
}  // namespace moji
