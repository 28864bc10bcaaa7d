#pragma once
// The drawing area drawn off the screen: on the command line, into a file the window saves, in
// the benchmarks.

#include "display/display_request.h"
#include "platform/device_context.h"
#include "platform/picture_surface.h"

namespace moji {

/// Draws onto a picture surface through a device context of its own; the pulse circle and the
/// marks go onto the surface too.
class OffscreenDisplay final : public DisplayTarget {
 public:
  /// Draws on `surface` (which must outlive it) through `services`.
  OffscreenDisplay(GraphicsServices& services, PictureSurface& surface);

  DeviceContext& DrawingDc() override { return dc_; }
  void ClearDrawing() override { surface_.Clear(); }
  void RefreshDrawing() override {}
  void DrawPulseCircle(float centerX, float centerY, float radius) override;
  void DrawMarks(const OutlineMarks& marks) override;

 private:
  PictureSurface& surface_;
  DeviceContext dc_;
};

}  // namespace moji
