#include "display/offscreen_display.h"

namespace moji {
namespace {

/// Foreground colour and line width of the pulse circle: the drawing area's defaults.
constexpr COLORREF kForeColor = 0x000000;
constexpr int kCircleWidth = 1;

}  // namespace

OffscreenDisplay::OffscreenDisplay(GraphicsServices& services, PictureSurface& surface)
    : surface_(surface), dc_{services} {
  dc_.Surface = &surface;
}

void OffscreenDisplay::DrawPulseCircle(float centerX, float centerY, float radius) {
  surface_.DrawCircle(centerX, centerY, radius, kForeColor, kCircleWidth);
}

void OffscreenDisplay::DrawMarks(const OutlineMarks& marks) {
  surface_.DrawMarks(marks.Points, marks.Symbols, marks.Starts);
}

}  // namespace moji
