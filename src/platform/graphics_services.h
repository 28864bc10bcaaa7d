#pragma once
// The graphics and font services of one application: its fonts and pens, and the font engine.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/font_engine.h"
#include "platform/font_records.h"
#include "platform/gdi_objects.h"
#include "platform/handle_table.h"

namespace moji {

/// What a device context reaches for fonts, pens and glyphs. The application makes one and
/// hands it down (every device context holds it); a test makes its own. Nothing of it is
/// process-wide.
class GraphicsServices {
 public:
  GraphicsServices() = default;
  GraphicsServices(const GraphicsServices&) = delete;
  GraphicsServices& operator=(const GraphicsServices&) = delete;

  /// Creates a font from its description; the handle lives until `DeleteObject`.
  HGDIOBJ CreateFontIndirectA(const LOGFONTA& description);
  /// Creates a pen; the handle lives until `DeleteObject`.
  HGDIOBJ CreatePen(std::int32_t style, std::int32_t width, COLORREF color);
  /// Releases a font or pen; false for an unknown handle. Stock objects are not released.
  bool DeleteObject(HGDIOBJ object);
  /// The description of a live font or pen (the stock ones included), or nullptr.
  const LOGFONTA* FontDescriptionOf(HGDIOBJ font) const { return handles_.Font(font); }
  const PenDescription* PenDescriptionOf(HGDIOBJ pen) const { return handles_.Pen(pen); }
  /// Fonts and pens created and not yet deleted (stock objects excluded), and created in all.
  std::size_t LiveHandleCount() const { return handles_.LiveCount(); }
  std::uint64_t CreatedHandleCount() const { return handles_.CreatedCount(); }
  /// Tells `observer` of every pen created and object deleted until it is removed.
  void AddObserver(GdiObjectObserver* observer) { observers_.push_back(observer); }
  void RemoveObserver(GdiObjectObserver* observer);
  /// The font engine: installed faces, face names, glyph outlines.
  FontEngine& Fonts() { return fonts_; }

 private:
  HandleTable handles_;
  FontEngine fonts_;
  std::vector<GdiObjectObserver*> observers_;
};

}  // namespace moji
