#pragma once
// The 16-colour palette and the rule that gives every block of an outline its own colour.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

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

/// The palette index that stands for bright white, the drawing area's own background.
inline constexpr std::int32_t kBackgroundIndex = 15;
/// Light grey: what a block that would be drawn in the background's colour is drawn in instead.
inline constexpr std::int32_t kBackgroundStandIn = 7;

/// Palette index of block `blockIndex`: blockIndex mod 15, counting past 7, so block 15 starts
/// the cycle again at black. That count gives block 14 (and 29, 44, ...) bright white, which
/// would vanish on the white drawing area: those blocks take light grey, the one index the count
/// never reaches otherwise.
constexpr std::int32_t BlockColorIndex(std::int32_t blockIndex) {
  const std::int32_t cycle = ((blockIndex % 15) + 15) % 15;
  const std::int32_t index = cycle >= 7 ? cycle + 1 : cycle;
  return index == kBackgroundIndex ? kBackgroundStandIn : index;
}

/// The colours blocks are drawn in.
enum class BlockPalette : std::uint8_t {
  /// The 16-colour palette by the block colour rule.
  Classic,
  /// 15 colours that read well on white at a pen of one pixel, neighbours distinct also for
  /// protanopia, deuteranopia and tritanopia: the colour-blind-safe set of Okabe and Ito (all
  /// but its yellow) with darker variants.
  Readable,
};

/// The readable palette, block k taking colour k mod 15.
inline constexpr std::array<COLORREF, 15> kReadablePalette = {
    PaletteRgb(0x00, 0x00, 0x00), PaletteRgb(0x46, 0x92, 0xBE), PaletteRgb(0x65, 0x3C, 0x53),
    PaletteRgb(0xBA, 0x80, 0x00), PaletteRgb(0x25, 0x4D, 0x64), PaletteRgb(0x62, 0x43, 0x00),
    PaletteRgb(0x00, 0x6D, 0xAB), PaletteRgb(0x79, 0x35, 0x00), PaletteRgb(0x64, 0x64, 0x64),
    PaletteRgb(0xAD, 0x4C, 0x00), PaletteRgb(0x00, 0x53, 0x3D), PaletteRgb(0xD5, 0x5E, 0x00),
    PaletteRgb(0x00, 0x9E, 0x73), PaletteRgb(0x8C, 0x60, 0x00), PaletteRgb(0x00, 0x77, 0x57)};

/// Colour of block `blockIndex` in the palette.
constexpr COLORREF BlockColor(std::int32_t blockIndex, BlockPalette palette = BlockPalette::Classic) {
  if (palette == BlockPalette::Readable) {
    return kReadablePalette[static_cast<std::size_t>(((blockIndex % 15) + 15) % 15)];
  }
  return kBlockPalette[static_cast<std::size_t>(BlockColorIndex(blockIndex))];
}

/// Draws every block of an already placed outline in its colour of the palette with a solid pen
/// `penWidth` wide, one block per call; `BlockCount` is read once. With a part, only that part
/// of the drawing (DrawnPart). Throws what `DrawOutlineBlocks` throws for an outline that breaks
/// its invariants.
inline void DrawBlocksInPaletteColors(DeviceContext& hdc, const GlyphOutline& outline,
                                      std::int32_t penWidth,
                                      BlockPalette palette = BlockPalette::Classic,
                                      const std::optional<DrawnPart>& part = std::nullopt) {
  const std::int32_t blockCount = part ? std::min(part->Block + 1, outline.BlockCount) : outline.BlockCount;
  for (std::int32_t block = 0; block < blockCount; ++block) {
    const COLORREF color = BlockColor(block, palette);
    if (part && block == part->Block) {
      DrawOutlineBlockSegments(hdc, outline, 0.0f, 0.0f, 1.0f, false, color, penWidth, PS_SOLID,
                               block, part->Segments);
    } else {
      DrawOutlineBlocks(hdc, outline, 0.0f, 0.0f, 1.0f, false, color, penWidth, PS_SOLID, block);
    }
  }
}

}  // namespace moji
