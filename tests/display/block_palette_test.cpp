#include "display/block_palette.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace moji {
namespace {

constexpr COLORREF kWhite = PaletteRgb(255, 255, 255);

TEST(BlockPalette, ClassicRuleNeverDrawsInTheBackgroundsColour) {
  // Block 14 of each cycle of 15 would be bright white: it is light grey, the one index the
  // count never reaches otherwise.
  const std::pair<std::int32_t, std::int32_t> indices[] = {
      {0, 0}, {6, 6}, {7, 8}, {13, 14}, {14, 7}, {15, 0}, {22, 8}, {29, 7}, {44, 7}, {-1, 7}};
  for (const auto& [block, index] : indices) EXPECT_EQ(BlockColorIndex(block), index) << block;
  for (std::int32_t block = 0; block < 45; ++block) EXPECT_NE(BlockColor(block), kWhite) << block;
  EXPECT_EQ(BlockColor(14), PaletteRgb(192, 192, 192));
}

// sRGB to linear light, and the relative luminance of a colour.
double Linear(std::uint32_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

using Rgb = std::array<double, 3>;

Rgb LinearRgb(COLORREF color) {
  return {Linear(color & 0xFF), Linear((color >> 8) & 0xFF), Linear((color >> 16) & 0xFF)};
}

double ContrastOnWhite(COLORREF color) {
  const Rgb c = LinearRgb(color);
  return 1.05 / (0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2] + 0.05);
}

/// What a viewer with the deficiency sees (Machado, Oliveira and Fernandes 2009, severity 1),
/// in CIE L*a*b*.
Rgb SeenLab(COLORREF color, const std::array<Rgb, 3>& deficiency) {
  const Rgb c = LinearRgb(color);
  Rgb seen{};
  for (int i = 0; i < 3; ++i) {
    const double v = deficiency[i][0] * c[0] + deficiency[i][1] * c[1] + deficiency[i][2] * c[2];
    seen[i] = std::clamp(v, 0.0, 1.0);
  }
  const double x = (0.4124 * seen[0] + 0.3576 * seen[1] + 0.1805 * seen[2]) / 0.95047;
  const double y = 0.2126 * seen[0] + 0.7152 * seen[1] + 0.0722 * seen[2];
  const double z = (0.0193 * seen[0] + 0.1192 * seen[1] + 0.9505 * seen[2]) / 1.08883;
  const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

TEST(BlockPalette, ReadableColoursShowOnWhiteAndNeighboursStayApart) {
  const std::array<Rgb, 3> deficiencies[] = {
      {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
      {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}},
      {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}},
      {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}}};
  for (std::int32_t block = 0; block < 30; ++block) {
    const COLORREF color = BlockColor(block, BlockPalette::Readable);
    EXPECT_EQ(color, kReadablePalette[static_cast<std::size_t>(block % 15)]);
    // 3:1, what a thin line needs against its background to be seen.
    EXPECT_GE(ContrastOnWhite(color), 3.0) << block;
    const COLORREF next = BlockColor(block + 1, BlockPalette::Readable);
    for (const auto& deficiency : deficiencies) {
      const Rgb a = SeenLab(color, deficiency), b = SeenLab(next, deficiency);
      EXPECT_GE(std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]), 30.0) << block;
    }
  }
}

}  // namespace
}  // namespace moji
