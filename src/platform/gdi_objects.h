#pragma once
// Fonts and pens as small handles in a process-wide handle table.

#include <cstddef>
#include <cstdint>

#include "platform/font_records.h"

namespace moji {

struct DeviceContext;

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

/// Creates a font from its description; the handle lives until `DeleteObject`.
HGDIOBJ CreateFontIndirectA(const LOGFONTA& description);
/// Creates a pen; the handle lives until `DeleteObject`.
HGDIOBJ CreatePen(std::int32_t style, std::int32_t width, COLORREF color);
/// Makes a font or pen current in the device context; returns the one of that kind selected before (0 on a bad handle).
HGDIOBJ SelectObject(DeviceContext& hdc, HGDIOBJ object);
/// Releases a font or pen; false for an unknown handle. Stock objects are not released.
bool DeleteObject(HGDIOBJ object);

/// Number of fonts and pens created and not yet deleted (stock objects excluded).
std::size_t LiveHandleCount();
/// Number of fonts and pens created since the process started (a font that was never
/// created leaves it unchanged, so tests can tell).
std::uint64_t CreatedHandleCount();
/// The description of a live font (the stock font included), or nullptr.
const LOGFONTA* FontDescriptionOf(HGDIOBJ font);
/// The description of a live pen (the stock pen included), or nullptr.
const PenDescription* PenDescriptionOf(HGDIOBJ pen);

/// Told of pen creation and of every deletion, so a recording surface can list them in order.
class GdiObjectObserver {
 public:
  virtual ~GdiObjectObserver() = default;
  virtual void PenCreated(HGDIOBJ pen, const PenDescription& description) = 0;
  virtual void ObjectDeleted(HGDIOBJ object) = 0;
};

/// Registers an observer for as long as it lives; unregister before destroying it.
void AddGdiObjectObserver(GdiObjectObserver* observer);
void RemoveGdiObjectObserver(GdiObjectObserver* observer);

}  // namespace moji
