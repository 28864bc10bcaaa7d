#pragma once
// The window's side of a display request or motion frame without its widgets: a 200 x 200
// raster surface at a device pixel ratio (1 unless given), and a refresh that reads the
// finished image, as the paint that follows it would.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "platform/raster_surface.h"
#include "display/display_request.h"

namespace moji::bench {

class RasterTarget final : public DisplayTarget {
 public:
  explicit RasterTarget(GraphicsServices& services, double ratio = 1.0)
      : surface_(200, 200, 0x00FFFFFF, ratio), dc_{services} {
    dc_.Surface = &surface_;
  }

  DeviceContext& DrawingDc() override { return dc_; }
  void ClearDrawing() override { surface_.Clear(); }
  void RefreshDrawing() override { benchmark::DoNotOptimize(surface_.Image().constBits()); }
  /// Black and one pixel wide, the drawing area's own colour and width.
  void DrawPulseCircle(float x, float y, float radius) override {
    surface_.DrawCircle(x, y, radius, 0x000000, 1);
  }
  void DrawMarks(const OutlineMarks& marks) override {
    surface_.DrawMarks(marks.Points, marks.Symbols, marks.Starts);
  }

 private:
  RasterSurface surface_;
  DeviceContext dc_;
};

}  // namespace moji::bench
