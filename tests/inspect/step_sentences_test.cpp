#include "inspect/step_sentences.h"

#include <gtest/gtest.h>

#include <utility>

#include "outline_builders.h"

namespace moji {
namespace {

using test::Curve;
using test::Block;
using test::Outline;

using Points = std::vector<OutlinePoint>;
using Sentences = std::vector<std::u16string>;

/// The sentences of every step of the outline are `expected`, no placeholder left unfilled.
void ExpectSentences(const GlyphOutline& outline, const std::vector<PointSource>& sources,
                     const Sentences& expected) {
  const std::vector<ConstructionStep> steps = ConstructionSteps(outline, sources);
  ASSERT_EQ(steps.size(), expected.size());
  for (std::size_t k = 0; k < steps.size(); ++k) {
    EXPECT_EQ(StepSentence(steps[k]), expected[k]) << "step " << k;
    EXPECT_EQ(StepSentence(steps[k]).find(u'{'), std::u16string::npos) << "step " << k;
  }
}

// The three start rules, lines, the last piece of a B-spline run ending on a point and at the
// start, both closes.
TEST(StepSentenceTest, StartsLinesSplineEndsAndCloses) {
  const GlyphOutline outline = Outline({
      Block(0.402f, 0.621f, {Curve(CURVE_POLYLINE, {{0.5f, 0}})}),
      Block(1.25f, 0, {Curve(CURVE_QSPLINE, {{1.625f, 0.75f}, {2, 0}})}),
      Block(3, 0, {Curve(CURVE_QSPLINE, {{3, 0.75f}, {3.75f, 0}}),
                   Curve(CURVE_QSPLINE, {{3, -0.75f}, {3, 0}})}),
  });
  const std::vector<PointSource> sources{{0}, {1}, {5}, {3}, {4}, {-1}, {6}, {7}, {8}, {-1}};
  ExpectSentences(
      outline, sources,
      {u"ブロック [ 0 ] 始点 ( 0.402 , 0.621 ) ：最初の点が曲線上にあるので、そこから始める",
       u"カーブ [ 0 ] 折れ線：点 1 ( 0.500 , 0.000 ) まで直線を引く",
       u"ブロック [ 0 ] 閉じる：点 1 ( 0.500 , 0.000 ) から始点 ( 0.402 , 0.621 ) へ直線で戻る",
       u"ブロック [ 1 ] 始点 ( 1.250 , 0.000 ) ：最初の点 3 が制御点で、最後の点 5 が曲線上にあるので、"
       u"点 5 から始める",
       u"カーブ [ 0 ] Bスプライン：制御点 3 ( 1.625 , 0.750 ) に引かれて曲線上の点 4 ( 2.000 , 0.000 ) "
       u"まで、3次ベジェの制御点 ( 1.500 , 0.500 ) ( 1.750 , 0.500 ) で描く",
       u"ブロック [ 1 ] 閉じる：点 4 ( 2.000 , 0.000 ) から始点 ( 1.250 , 0.000 ) へ直線で戻る",
       u"ブロック [ 2 ] 始点 ( 3.000 , 0.000 ) ：最初の点 6 も最後の点 8 も制御点なので、その中点から始める",
       u"カーブ [ 0 ] Bスプライン：制御点 6 ( 3.000 , 0.750 ) に引かれて曲線上の点 7 ( 3.750 , 0.000 ) "
       u"まで、3次ベジェの制御点 ( 3.000 , 0.500 ) ( 3.250 , 0.500 ) で描く",
       u"カーブ [ 1 ] Bスプライン：制御点 8 ( 3.000 , -0.750 ) に引かれて始点 ( 3.000 , 0.000 ) に戻り、"
       u"3次ベジェの制御点 ( 3.250 , -0.500 ) ( 3.000 , -0.500 ) で描く",
       u"ブロック [ 2 ] 閉じる：最後の点が始点 ( 3.000 , 0.000 ) にあるので、そのまま閉じる"});
}

// Pieces ending at implied midpoints, cubic segments, the last one back at the start.
TEST(StepSentenceTest, ImpliedMidpointsAndCubicSegments) {
  const GlyphOutline outline = Outline({Block(0, 0, {
      Curve(CURVE_QSPLINE, {{0.375f, 0.75f}, {1.125f, 0.75f}, {1.875f, 0}, {2.25f, 0}}),
      Curve(CURVE_CSPLINE, {{2.5f, 0.375f}, {2.25f, 0.75f}, {1.875f, 0.75f}, {0.75f, 0.75f},
                            {0, 0.375f}, {0, 0}}),
  })});
  const std::vector<PointSource> sources{{0}, {1}, {2}, {3}, {4}, {5}, {6}, {7}, {8}, {9}, {0}};
  ExpectSentences(
      outline, sources,
      {u"ブロック [ 0 ] 始点 ( 0.000 , 0.000 ) ：最初の点が曲線上にあるので、そこから始める",
       u"カーブ [ 0 ] Bスプライン：制御点 1 と 2 の中点 ( 0.750 , 0.750 ) が曲線上の点になり、"
       u"3次ベジェの制御点 ( 0.250 , 0.500 ) ( 0.500 , 0.750 ) で描く",
       u"カーブ [ 0 ] Bスプライン：制御点 2 と 3 の中点 ( 1.500 , 0.375 ) が曲線上の点になり、"
       u"3次ベジェの制御点 ( 1.000 , 0.750 ) ( 1.250 , 0.625 ) で描く",
       u"カーブ [ 0 ] Bスプライン：制御点 3 ( 1.875 , 0.000 ) に引かれて曲線上の点 4 ( 2.250 , 0.000 ) "
       u"まで、3次ベジェの制御点 ( 1.750 , 0.125 ) ( 2.000 , 0.000 ) で描く",
       u"カーブ [ 1 ] 3次ベジェ：制御点 5 ( 2.500 , 0.375 ) と 制御点 6 ( 2.250 , 0.750 ) "
       u"に引かれて曲線上の点 7 ( 1.875 , 0.750 ) まで描く",
       u"カーブ [ 1 ] 3次ベジェ：制御点 8 ( 0.750 , 0.750 ) と 制御点 9 ( 0.000 , 0.375 ) "
       u"に引かれて始点 ( 0.000 , 0.000 ) に戻る",
       u"ブロック [ 0 ] 閉じる：最後の点が始点 ( 0.000 , 0.000 ) にあるので、そのまま閉じる"});
}

// Past the end of the source table the points have no numbers: the sentences say what they are.
TEST(StepSentenceTest, PointsWithoutNumbers) {
  const GlyphOutline outline = Outline({Block(0, 0, {
      Curve(CURVE_QSPLINE, {{0, 0.75f}, {0.75f, 0.75f}, {0.75f, 0}}),
      Curve(CURVE_POLYLINE, {{0.375f, 0}}),
  })});
  ExpectSentences(
      outline, {{-1}},
      {u"ブロック [ 0 ] 始点 ( 0.000 , 0.000 ) ：最初の点も最後の点も制御点なので、その中点から始める",
       u"カーブ [ 0 ] Bスプライン：中点 ( 0.375 , 0.750 ) が曲線上の点になり、3次ベジェの制御点 "
       u"( 0.000 , 0.500 ) ( 0.125 , 0.750 ) で描く",
       u"カーブ [ 0 ] Bスプライン：制御点 ( 0.750 , 0.750 ) に引かれて曲線上の点 ( 0.750 , 0.000 ) "
       u"まで、3次ベジェの制御点 ( 0.625 , 0.750 ) ( 0.750 , 0.500 ) で描く",
       u"カーブ [ 1 ] 折れ線：点 ( 0.375 , 0.000 ) まで直線を引く",
       u"ブロック [ 0 ] 閉じる：点 ( 0.375 , 0.000 ) から始点 ( 0.000 , 0.000 ) へ直線で戻る"});
}

}  // namespace
}  // namespace moji
