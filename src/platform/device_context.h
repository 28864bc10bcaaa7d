#pragma once
// A device context: the current font and pen, and the surface its drawing lands on.

#include <cstdint>

#include "platform/drawing_surface.h"
#include "platform/gdi_objects.h"
#include "platform/gdi_records.h"

namespace moji {

/// Holds the current font and pen; drawing goes to `Surface` (nothing is drawn without one).
struct DeviceContext {
  HGDIOBJ CurrentFont = kStockFont;
  HGDIOBJ CurrentPen = kStockPen;
  DrawingSurface* Surface = nullptr;
};

/// Straight segments through `count` points with the current pen; false for a bad count.
bool Polyline(DeviceContext& hdc, const POINT* points, std::int32_t count);
/// One cubic Bezier segment per call: `count` must be 4.
bool PolyBezier(DeviceContext& hdc, const POINT* points, std::int32_t count);

}  // namespace moji
