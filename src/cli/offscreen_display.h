#pragma once
// The drawing area and report box of a display request run without a window.

#include <functional>
#include <span>
#include <string>

#include "display/display_request.h"

namespace moji {

/// Keeps the report, the glyph and the marks of a request, and draws onto a surface if given one.
class OffscreenDisplay final : public DisplayTarget {
 public:
  /// Draws on `surface` (nothing is drawn without one); `clear` empties it and `drawMarks`
  /// draws marks onto it; the marks of `overlays` are asked for.
  explicit OffscreenDisplay(DrawingSurface* surface = nullptr, std::function<void()> clear = {},
                            OverlaySettings overlays = {},
                            std::function<void(const OutlineMarks&)> drawMarks = {});

  DeviceContext& DrawingDc() override { return dc_; }
  void ShowReport(std::u16string report) override;
  void ClearDrawing() override;
  void RefreshDrawing() override {}
  // The command line draws single requests; the motion never runs here.
  void DrawPulseCircle(float, float, float) override {}
  OverlaySettings Overlays() const override { return overlays_; }
  void ShowGlyph(const DisplayedGlyph& glyph) override { glyph_ = glyph; }
  void DrawMarks(const OutlineMarks& marks) override;

  /// The report, the glyph and the marks of the last request.
  const std::u16string& Report() const { return report_; }
  const DisplayedGlyph& Glyph() const { return glyph_; }
  const OutlineMarks& Marks() const { return marks_; }

 private:
  DeviceContext dc_;
  std::function<void()> clear_;
  OverlaySettings overlays_;
  std::function<void(const OutlineMarks&)> drawMarks_;
  std::u16string report_;
  DisplayedGlyph glyph_;
  OutlineMarks marks_;
};

}  // namespace moji
