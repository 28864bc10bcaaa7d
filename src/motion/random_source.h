#pragma once
// Uniform random numbers in [0, 1) for the motion of the outline.

#include <cstdint>
#include <random>

namespace moji {

/// A source of independent uniform single-precision numbers in [0, 1).
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  /// The next number; never 1.0.
  virtual float NextUniform() = 0;
};

/// The program's generator, seeded once from the clock at start-up.
class ClockSeededRandom final : public RandomSource {
 public:
  /// Seeds from the system clock.
  void SeedFromClock();
  /// Seeds with a fixed value (tests, benchmarks).
  void Seed(std::uint64_t seed);
  float NextUniform() override;

 private:
  std::mt19937_64 engine_{};
};

}  // namespace moji
