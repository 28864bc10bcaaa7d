#pragma once
// A device context: the current font and pen, the services it reaches them through, and the
// surface its drawing lands on.

#include <cstdint>

#include "platform/drawing_surface.h"
#include "platform/gdi_objects.h"
#include "platform/gdi_records.h"
#include "platform/graphics_services.h"

namespace moji {

/// Holds the current font and pen; drawing goes to `Surface` (nothing is drawn without one).
struct DeviceContext {
  GraphicsServices& Services;
  HGDIOBJ CurrentFont = kStockFont;
  HGDIOBJ CurrentPen = kStockPen;
  DrawingSurface* Surface = nullptr;
};

/// Makes a font or pen current in the device context; returns the one of that kind selected
/// before (0 on a bad handle, which changes nothing).
HGDIOBJ SelectObject(DeviceContext& hdc, HGDIOBJ object);
/// Straight segments through `count` points with the current pen; false for a bad count.
bool Polyline(DeviceContext& hdc, const POINT* points, std::int32_t count);
/// One cubic Bezier segment per call: `count` must be 4.
bool PolyBezier(DeviceContext& hdc, const POINT* points, std::int32_t count);

}  // namespace moji
