// The arrows of hinting: points paired contour by contour, their distances in pixels, the points
// that stayed and the one that moved farthest; and outlines whose contours do not pair up.
#include "inspect/hinting_moves.h"

#include <gtest/gtest.h>

#include <vector>

namespace moji {
namespace {

/// An outline of on-curve points in 26.6, numbered from `firstNumber` on.
ScaledOutline Outline(std::vector<PixelPoint> points, std::vector<std::size_t> ends,
                      std::int32_t firstNumber = 0) {
  ScaledOutline outline;
  outline.Kinds.assign(points.size(), PointKind::OnCurve);
  for (std::size_t p = 0; p < points.size(); ++p) {
    outline.Numbers.push_back(firstNumber + static_cast<std::int32_t>(p));
  }
  outline.Points = std::move(points);
  outline.Ends = std::move(ends);
  return outline;
}

/// (unhinted index, hinted index, font number, distance) of every move.
struct Pairing {
  std::size_t Unhinted;
  std::size_t Hinted;
  std::int32_t FontNumber;
  double Distance;
  friend bool operator==(const Pairing&, const Pairing&) = default;
};

std::vector<Pairing> PairingsOf(const HintingMoves& moves) {
  std::vector<Pairing> pairings;
  for (const PointMove& move : moves.Moves) {
    pairings.push_back({move.Unhinted, move.Hinted, move.FontNumber, move.Distance});
  }
  return pairings;
}

TEST(HintingMoves, DistancesInPixelsUnmovedPointsAndTheLargest) {
  // Two contours: the second's points move 3-4-5 (5/64 px), 0.5 px up, and 0.5 px left.
  const ScaledOutline unhinted = Outline({{0, 0}, {64, 0}, {64, 64}, {10, 10}, {20, 20}, {96, 96}}, {2, 5});
  const ScaledOutline hinted = Outline({{0, 0}, {64, 32}, {64, 64}, {13, 14}, {20, 52}, {64, 96}}, {2, 5});
  const HintingMoves moves = MovesOfHinting(unhinted, hinted);
  EXPECT_EQ(PairingsOf(moves), (std::vector<Pairing>{{0, 0, 0, 0.0}, {1, 1, 1, 0.5}, {2, 2, 2, 0.0},
                                                    {3, 3, 3, 5.0 / 64}, {4, 4, 4, 0.5}, {5, 5, 5, 0.5}}));
  EXPECT_EQ(moves.Unmoved, (std::vector<std::size_t>{0, 2}));
  EXPECT_EQ(moves.Largest, 1u);  // the first of the three half pixels
  EXPECT_EQ(moves.Moves[5].From, (PixelPoint{96, 96}));
  EXPECT_EQ(moves.Moves[5].To, (PixelPoint{64, 96}));
  // Nothing moved: no largest move.
  const HintingMoves still = MovesOfHinting(unhinted, unhinted);
  EXPECT_EQ(still.Unmoved.size(), 6u);
  EXPECT_FALSE(still.Largest);
}

// A contour's closing point that lands on its first point is left out of one load: it pairs with
// that load's first point of the contour, numbered as the load that keeps it numbers it.
TEST(HintingMoves, ClosingPointKeptOnOneSideOnly) {
  const ScaledOutline four = Outline({{0, 0}, {64, 0}, {64, 64}, {3, 4}, {128, 0}, {192, 0}}, {3, 5}, 10);
  const ScaledOutline three = Outline({{0, 0}, {64, 0}, {64, 64}, {128, 0}, {192, 0}}, {2, 4}, 20);
  EXPECT_EQ(PairingsOf(MovesOfHinting(four, three)),
            (std::vector<Pairing>{{0, 0, 10, 0.0}, {1, 1, 11, 0.0}, {2, 2, 12, 0.0},
                                  {3, 0, 13, 5.0 / 64}, {4, 3, 14, 0.0}, {5, 4, 15, 0.0}}));
  EXPECT_EQ(PairingsOf(MovesOfHinting(three, four)),
            (std::vector<Pairing>{{0, 0, 20, 0.0}, {1, 1, 21, 0.0}, {2, 2, 22, 0.0},
                                  {0, 3, 13, 5.0 / 64}, {3, 4, 23, 0.0}, {4, 5, 24, 0.0}}));
}

// Contours that differ by more than a closing point pair only the points both have; contours
// past the shorter list, or after ends that do not hold, are left out; missing numbers are -1.
TEST(HintingMoves, ContoursThatDoNotPairUp) {
  ScaledOutline five = Outline({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, {4});
  const ScaledOutline three = Outline({{0, 0}, {1, 0}, {2, 0}}, {2});
  EXPECT_EQ(MovesOfHinting(five, three).Moves.size(), 3u);
  const ScaledOutline twoContours = Outline({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, {2, 4});
  EXPECT_EQ(MovesOfHinting(twoContours, three).Moves.size(), 3u);
  const ScaledOutline backwards = Outline({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, {2, 1});
  const ScaledOutline pastThePoints = Outline({{0, 0}, {1, 0}, {2, 0}}, {2, 9});
  EXPECT_EQ(MovesOfHinting(backwards, twoContours).Moves.size(), 3u);
  EXPECT_EQ(MovesOfHinting(twoContours, pastThePoints).Moves.size(), 3u);
  EXPECT_TRUE(MovesOfHinting(Outline({{0, 0}}, {5}), three).Moves.empty());
  EXPECT_EQ(MovesOfHinting({}, {}), HintingMoves{});
  five.Numbers.resize(1);
  const HintingMoves unnumbered = MovesOfHinting(five, five);
  EXPECT_EQ(unnumbered.Moves[0].FontNumber, 0);
  EXPECT_EQ(unnumbered.Moves[4].FontNumber, -1);
}

}  // namespace
}  // namespace moji
