#include "motion/random_source.h"

#include <chrono>

namespace moji {

void ClockSeededRandom::SeedFromClock() {
  const auto wall = static_cast<std::uint64_t>(
      std::chrono::system_clock::now().time_since_epoch().count());
  const auto steady = static_cast<std::uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  // seed_seq keeps only 32 bits of each value, so each clock goes in as two halves.
  std::seed_seq sequence{static_cast<std::uint32_t>(wall), static_cast<std::uint32_t>(wall >> 32),
                         static_cast<std::uint32_t>(steady),
                         static_cast<std::uint32_t>(steady >> 32)};
  engine_.seed(sequence);
}

void ClockSeededRandom::Seed(std::uint64_t seed) { engine_.seed(seed); }

float ClockSeededRandom::NextUniform() {
  // The top 24 bits scaled by 2^-24 are exact in a float, so the largest value is 1 - 2^-24;
  // converting a wider fraction to float could round up to 1.0.
  constexpr float kScale = 1.0f / 16777216.0f;
  return static_cast<float>(engine_() >> 40) * kScale;
}

}  // namespace moji
