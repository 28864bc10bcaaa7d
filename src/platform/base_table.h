#pragma once
// The ideographic em box a font's BASE table gives.

#include <cstdint>
#include <optional>
#include <span>

namespace moji {

/// The bottom and top of the ideographic em box, in font units.
struct IdeographicBox {
  std::int32_t Bottom = 0;
  std::int32_t Top = 0;
  friend bool operator==(const IdeographicBox&, const IdeographicBox&) = default;
};

/// The horizontal axis's ideographic baselines ("ideo", the box's bottom, and "idtp", its top)
/// for the Han script of the BASE table's bytes (else kana, else the default script, else the
/// first listed). Without "idtp" the top is the bottom plus `unitsPerEm`. Nothing when the
/// table has no such baseline, or is cut short or broken anywhere it is read.
std::optional<IdeographicBox> IdeographicBoxOfBase(std::span<const std::uint8_t> base,
                                                   std::int32_t unitsPerEm);

}  // namespace moji
