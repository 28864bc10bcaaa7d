#pragma once
// What a device context draws onto: a raster image or a recording of the calls.

#include <span>

#include "platform/gdi_objects.h"
#include "platform/gdi_records.h"

namespace moji {

/// The narrow drawing protocol behind a device context.
class DrawingSurface {
 public:
  DrawingSurface() = default;
  virtual ~DrawingSurface() = default;
  /// A surface is where one drawing lands: it is not copied.
  DrawingSurface(const DrawingSurface&) = delete;
  DrawingSurface& operator=(const DrawingSurface&) = delete;
  /// The pen with this handle and description has become the current pen.
  virtual void SelectPen(HGDIOBJ pen, const PenDescription& description) = 0;
  /// Connected straight segments through the points with the current pen.
  virtual void Polyline(std::span<const POINT> points) = 0;
  /// One cubic Bezier segment: points 0 and 3 are the ends, 1 and 2 the controls.
  virtual void PolyBezier(std::span<const POINT> points) = 0;
};

}  // namespace moji
