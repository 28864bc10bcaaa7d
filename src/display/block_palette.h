#pragma once
// The 16-colour palette and the rule that gives every block of an outline its own colour.

#include <array>
#include <cstdint>

#include "geometry/block_rendering.h"
#include "model/glyph_outline.h"
#include "platform/device_context.h"
#include "platform/gdi_objects.h"

namespace moji {

/// A colour 0x00BBGGRR from its red, green and blue parts.
constexpr COLORREF PaletteRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) |
         (static_cast<COLORREF>(blue) << 16);
}

/// The 16-colour palette, black (0) to bright white (15).
inline constexpr std::array<COLORREF, 16> kBlockPalette = {
    PaletteRgb(0, 0, 0),      PaletteRgb(0, 0, 128),     PaletteRgb(0, 128, 0),
    PaletteRgb(0, 128, 128),  PaletteRgb(128, 0, 0),     PaletteRgb(128, 0, 128),
    PaletteRgb(128, 128, 0),  PaletteRgb(192, 192, 192), PaletteRgb(128, 128, 128),
    PaletteRgb(0, 0, 255),    PaletteRgb(0, 255, 0),     PaletteRgb(0, 255, 255),
    PaletteRgb(255, 0, 0),    PaletteRgb(255, 0, 255),   PaletteRgb(255, 255, 0),
    PaletteRgb(255, 255, 255)};

/// Palette index of block `blockIndex`: blockIndex mod 15, counting past 7, so light grey
/// (index 7) is never used and block 15 starts the cycle again at black.
constexpr std::int32_t BlockColorIndex(std::int32_t blockIndex) {
  const std::int32_t cycle = ((blockIndex % 15) + 15) % 15;
  return cycle >= 7 ? cycle + 1 : cycle;
}

/// Palette colour of block `blockIndex`.
constexpr COLORREF BlockColor(std::int32_t blockIndex) {
  return kBlockPalette[static_cast<std::size_t>(BlockColorIndex(blockIndex))];
}

/// Draws every block of an already placed outline in its palette colour with a solid pen
/// `penWidth` wide, one block per call; `BlockCount` is read once. Throws what
/// `DrawOutlineBlocks` throws for an outline that breaks its invariants.
inline void DrawBlocksInPaletteColors(DeviceContext& hdc, const GlyphOutline& outline,
                                      std::int32_t penWidth) {
  const std::int32_t blockCount = outline.BlockCount;
  for (std::int32_t block = 0; block < blockCount; ++block) {
    DrawOutlineBlocks(hdc, outline, 0.0f, 0.0f, 1.0f, false, BlockColor(block), penWidth, PS_SOLID,
                      block);
  }
}

}  // namespace moji
