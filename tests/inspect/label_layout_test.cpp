#include "inspect/label_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace moji {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using Layout = std::vector<std::optional<DeviceBox>>;

/// Checks a layout by brute force, without the bucket grid: each label took its first candidate
/// that lay in the viewport and overlapped no label placed before it, or was skipped for want
/// of one. So no two placed boxes overlap.
void ExpectLaidOutByTheRule(const std::vector<LabelRequest>& labels, double width, double height) {
  const Layout layout = LayOutLabels(labels, width, height);
  ASSERT_EQ(layout.size(), labels.size());
  std::vector<DeviceBox> placed;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    std::optional<DeviceBox> expected;
    for (const DeviceBox& box : LabelCandidates(labels[i])) {
      bool free = box.Left >= 0 && box.Top >= 0 && box.Right <= width && box.Bottom <= height;
      for (const DeviceBox& other : placed) free = free && !BoxesOverlap(box, other);
      if (free && !expected) expected = box;
    }
    ASSERT_EQ(layout[i], expected) << "label " << i;
    if (expected) placed.push_back(*expected);
  }
}

TEST(LabelLayoutTest, PreferredPlaceWhenFreeOthersInOrderElseSkipped) {
  EXPECT_EQ(LabelCandidates({{100, 100}, 20, 10}),
            (std::array<DeviceBox, kLabelCandidateCount>{{{103, 87, 123, 97}, {77, 87, 97, 97},
                {103, 103, 123, 113}, {77, 103, 97, 113}, {103, 95, 123, 105}, {77, 95, 97, 105},
                {90, 87, 110, 97}, {90, 103, 110, 113}}}));
  EXPECT_FALSE(BoxesOverlap({0, 0, 10, 10}, {10, 0, 20, 10}));  // touching is not overlapping
  // Five labels on one spot take the four corners in order; the fifth finds nothing free.
  EXPECT_EQ(LayOutLabels(std::vector(5, LabelRequest{{100, 100}, 20, 10}), 200, 200),
            (Layout{DeviceBox{103, 87, 123, 97}, DeviceBox{77, 87, 97, 97},
                    DeviceBox{103, 103, 123, 113}, DeviceBox{77, 103, 97, 113}, std::nullopt}));
  // By the edges, the first candidate in view; a label wider than the view is skipped.
  EXPECT_EQ(LayOutLabels(std::vector<LabelRequest>{{{5, 5}, 20, 10}, {{195, 100}, 20, 10},
                                                   {{100, 195}, 201, 10}},
                         200, 200),
            (Layout{DeviceBox{8, 8, 28, 18}, DeviceBox{172, 87, 192, 97}, std::nullopt}));
  // Labels that cannot be placed, and viewports that hold nothing.
  const std::vector<LabelRequest> unusable{{{kNaN, 50}, 20, 10}, {{50, 50}, 0, 10},
                                           {{50, 50}, 20, -1}, {{50, 50}, kNaN, 10}};
  EXPECT_EQ(LayOutLabels(unusable, 200, 200), Layout(4));
  EXPECT_EQ(LayOutLabels(std::vector(2, LabelRequest{{9, 9}, 2, 2}), 0, kNaN), Layout(2));
}

TEST(LabelLayoutTest, DenseAndSparseLayoutsFollowTheRule) {
  // 2,000 labels on one spot: the first four take the corners, the rest are skipped.
  const std::vector<LabelRequest> pile(2000, LabelRequest{{400, 300}, 14, 9});
  const Layout pileLayout = LayOutLabels(pile, 800, 600);
  EXPECT_EQ(std::count(pileLayout.begin(), pileLayout.end(), std::nullopt), 1996);
  ExpectLaidOutByTheRule(pile, 800, 600);
  // Sparse labels all take their preferred place.
  std::vector<LabelRequest> sparse, lattice, scattered;
  for (int i = 0; i < 30; ++i) sparse.push_back({{i % 6 * 150.0 + 60, i / 6 * 120.0 + 60}, 24, 12});
  const Layout sparseLayout = LayOutLabels(sparse, 1000, 700);
  for (std::size_t i = 0; i < sparse.size(); ++i) {
    EXPECT_EQ(sparseLayout[i], LabelCandidates(sparse[i])[0]);
  }
  // A lattice every 6 pixels; 2,000 labels of mixed sizes at scattered points and one wide
  // one; a viewport so large that the grid cannot follow the labels' size.
  for (int i = 0; i < 3600; ++i) lattice.push_back({{i % 60 * 6.0 + 1, i / 60 * 6.0 + 1}, 12, 8});
  std::uint32_t seed = 12345;
  const auto next = [&seed](std::uint32_t range) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<double>((seed >> 8) % range);
  };
  for (int i = 0; i < 2000; ++i) {
    scattered.push_back({{next(1000) + 0.5, next(700) + 0.25}, 6 + next(30), 8 + next(6)});
  }
  scattered.push_back({{500, 350}, 400, 40});
  ExpectLaidOutByTheRule(sparse, 1000, 700);
  ExpectLaidOutByTheRule(lattice, 360, 360);
  ExpectLaidOutByTheRule(scattered, 1000, 700);
  ExpectLaidOutByTheRule(scattered, 1e9, 1e9);
}

}  // namespace
}  // namespace moji
