#include "model/outline_allocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "model/glyph_outline.h"

namespace moji {
namespace {

/// Arrays of every kept size and beyond, each filled with its own pattern while all are alive:
/// a block handed out twice or too small for its array shows as a broken pattern.
std::vector<OutlineArray<std::uint32_t>> PatternedArrays(std::uint32_t seed) {
  std::vector<OutlineArray<std::uint32_t>> arrays;
  for (std::uint32_t length = 0; length <= 300; length += 1 + length / 8) {
    OutlineArray<std::uint32_t>& array = arrays.emplace_back();
    for (std::uint32_t k = 0; k < length; ++k) array.push_back(seed * 1000003u + length * 7u + k);
  }
  return arrays;
}

bool PatternsHold(const std::vector<OutlineArray<std::uint32_t>>& arrays, std::uint32_t seed) {
  for (const auto& array : arrays) {
    const auto length = static_cast<std::uint32_t>(array.size());
    for (std::uint32_t k = 0; k < length; ++k) {
      if (array[k] != seed * 1000003u + length * 7u + k) return false;
    }
  }
  return true;
}

TEST(OutlineAllocator, ReusedBlocksNeverOverlapLiveArrays) {
  for (std::uint32_t round = 0; round < 20; ++round) {
    const auto first = PatternedArrays(round);
    auto second = PatternedArrays(round + 100);  // made from the blocks of the last round
    second.erase(second.begin(), second.begin() + static_cast<std::ptrdiff_t>(second.size() / 2));
    const auto third = PatternedArrays(round + 200);
    ASSERT_TRUE(PatternsHold(first, round));
    ASSERT_TRUE(PatternsHold(second, round + 100));
    ASSERT_TRUE(PatternsHold(third, round + 200));
  }
}

// Outlines move between threads (a fetch on one, the drop on another) and threads end while
// they keep blocks; blocks kept by an ended thread must not be handed out again.
TEST(OutlineAllocator, OutlinesOutliveAndCrossTheirThreads) {
  GlyphOutline made;
  std::thread maker([&made] {
    OutlineCurve curve{CURVE_POLYLINE, 2, {{1, 2}, {3, 4}}};
    made = GlyphOutline{u"A", 1, {OutlineBlock{0, 0, 1, {curve}}}, 2};
    GlyphOutline dropped = made;  // its blocks are kept by this thread, then freed at its end
  });
  maker.join();
  ASSERT_EQ(made.Blocks.at(0).Curves.at(0).Points.at(1).Y, 4.0f);

  std::thread dropper([moved = std::move(made)]() mutable { moved = GlyphOutline{}; });
  dropper.join();
  const auto arrays = PatternedArrays(7);
  EXPECT_TRUE(PatternsHold(arrays, 7));
}

}  // namespace
}  // namespace moji
