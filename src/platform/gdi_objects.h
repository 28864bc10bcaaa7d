#pragma once
// Fonts and pens as small handles: their types, the stock objects, and who is told of them.

#include <cstdint>

namespace moji {

/// A handle of a font or pen; 0 is no object.
using HGDIOBJ = std::uint32_t;
/// A colour 0x00BBGGRR.
using COLORREF = std::uint32_t;

inline constexpr std::int32_t PS_SOLID = 0;

/// What a pen draws with.
struct PenDescription {
  std::int32_t Style = PS_SOLID;
  std::int32_t Width = 1;
  COLORREF Color = 0;
  friend bool operator==(const PenDescription&, const PenDescription&) = default;
};

/// The font every device context starts with: face name empty, height 0. Never counted, never deleted.
inline constexpr HGDIOBJ kStockFont = 0xFFFFFFF1u;
/// The pen every device context starts with: solid, width 1, black. Never counted, never deleted.
inline constexpr HGDIOBJ kStockPen = 0xFFFFFFF2u;
/// The stock pen's description.
inline constexpr PenDescription kStockPenDescription{PS_SOLID, 1, 0};

/// Told of pen creation and of every deletion, so a recording surface can list them in order.
class GdiObjectObserver {
 public:
  virtual ~GdiObjectObserver() = default;
  virtual void PenCreated(HGDIOBJ pen, const PenDescription& description) = 0;
  virtual void ObjectDeleted(HGDIOBJ object) = 0;
};

}  // namespace moji
