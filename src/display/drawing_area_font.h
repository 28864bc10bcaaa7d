#pragma once
// The drawing area's font: a face name and an italic flag, kept selected into a device context.

#include <string_view>

#include "platform/device_context.h"
#include "platform/gdi_objects.h"

namespace moji {

/// Whether the drawing area's font is italic when the window starts.
inline constexpr bool kDrawingAreaStartsItalic = true;

/// Owns the font selected into a device context, which carries the drawing area's face name and
/// italic flag (nothing draws text with it). The device context must outlive it.
class DrawingAreaFont {
 public:
  /// Nothing selected yet: the device context keeps its current font.
  explicit DrawingAreaFont(DeviceContext& hdc) : hdc_(hdc) {}
  /// Puts the stock font back and deletes the owned one.
  ~DrawingAreaFont();
  DrawingAreaFont(const DrawingAreaFont&) = delete;
  DrawingAreaFont& operator=(const DrawingAreaFont&) = delete;

  /// Creates the font for the UTF-8 face name and style, selects it and deletes the previous one.
  void Select(std::string_view faceName, bool italic);
  /// The device context the font is selected into.
  DeviceContext& Dc() { return hdc_; }

 private:
  DeviceContext& hdc_;
  HGDIOBJ font_ = 0;
};

}  // namespace moji
