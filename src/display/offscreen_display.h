#pragma once
// The drawing area of a display request drawn off the screen: on the command line, and into a
// file the window saves.

#include <functional>
#include <string>

#include "display/display_request.h"

namespace moji {

/// Draws a request onto a surface and keeps its glyph and marks; the report is not kept.
class OffscreenDisplay final : public DisplayTarget {
 public:
  /// Draws on `surface`; `clear` empties it and `drawMarks` (if given) draws marks onto it; the
  /// marks of `overlays` are asked for.
  OffscreenDisplay(DrawingSurface* surface, std::function<void()> clear, OverlaySettings overlays,
                   std::function<void(const OutlineMarks&)> drawMarks = {});

  DeviceContext& DrawingDc() override { return dc_; }
  void ShowReport(std::u16string) override {}
  void ClearDrawing() override { clear_(); }
  void RefreshDrawing() override {}
  // A single request is drawn; the motion never runs here.
  void DrawPulseCircle(float, float, float) override {}
  OverlaySettings Overlays() const override { return overlays_; }
  BlockPalette Palette() const override { return palette_; }
  /// Draws the blocks and their marks in `palette` from the next request on.
  void SetPalette(BlockPalette palette) { palette_ = palette; }
  void ShowGlyph(const DisplayedGlyph& glyph) override { glyph_ = glyph; }
  void DrawMarks(const OutlineMarks& marks) override;

  /// The glyph and the marks of the last request.
  const DisplayedGlyph& Glyph() const { return glyph_; }
  const OutlineMarks& Marks() const { return marks_; }

 private:
  DeviceContext dc_;
  std::function<void()> clear_;
  OverlaySettings overlays_;
  BlockPalette palette_ = BlockPalette::Classic;
  std::function<void(const OutlineMarks&)> drawMarks_;
  DisplayedGlyph glyph_;
  OutlineMarks marks_;
};

}  // namespace moji
