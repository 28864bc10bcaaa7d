#include "geometry/cubic_from_quadratic.h"

#include <gtest/gtest.h>

namespace moji {
namespace {

struct ElevationCase {
  OutlinePoint start, control, next;
  bool nextIsRunEnd;
  CubicSegment expected;
};

// Inputs chosen so that single-precision arithmetic, or another algebraic form of the same
// formula ((2c + s) / 3, (5c + n) / 6), gives a different float; 3e38 overflows a float sum.
TEST(CubicFromQuadraticTest, ComputesEachCoordinateInDoubleInTheWrittenForm) {
  const ElevationCase cases[] = {
      {{-12.4375f, 1.7f},
       {-12.5f, -12.5f},
       {-12.375f, 0.0f},
       false,
       {{{-12.4375f, 1.7f},
         {-12.479166984558105f, -7.766666889190674f},
         {-12.479166984558105f, -10.416666984558105f},
         {-12.4375f, -6.25f}}}},
      {{0.0f, 0.0f},
       {-12.5f, 3e38f},
       {-12.4375f, 3e38f},
       true,
       {{{0.0f, 0.0f},
         {-8.333333015441895f, 1.9999999360571385e+38f},
         {-12.479166984558105f, 3.0000000054977558e+38f},
         {-12.4375f, 3e38f}}}},
      {{0.0f, 0.0f},
       {3e38f, -0.8f},
       {3e38f, 7.0625f},
       false,
       {{{0.0f, 0.0f},
         {1.9999999360571385e+38f, -0.5333333611488342f},
         {3.0000000054977558e+38f, 0.5104166865348816f},
         {3.0000000054977558e+38f, 3.1312499046325684f}}}},
  };
  for (const ElevationCase& c : cases) {
    const CubicSegment segment = CubicFromQuadratic(c.start, c.control, c.next, c.nextIsRunEnd);
    for (std::size_t k = 0; k < 4; ++k) {
      EXPECT_EQ(segment[k].X, c.expected[k].X) << "point " << k;
      EXPECT_EQ(segment[k].Y, c.expected[k].Y) << "point " << k;
    }
  }
}

}  // namespace
}  // namespace moji
