#include "display/offscreen_display.h"

#include <utility>

namespace moji {

OffscreenDisplay::OffscreenDisplay(DrawingSurface* surface, std::function<void()> clear,
                                   OverlaySettings overlays,
                                   std::function<void(const OutlineMarks&)> drawMarks)
    : clear_(std::move(clear)), overlays_(overlays), drawMarks_(std::move(drawMarks)) {
  dc_.Surface = surface;
}

void OffscreenDisplay::DrawMarks(const OutlineMarks& marks) {
  marks_ = marks;
  if (drawMarks_) drawMarks_(marks);
}

}  // namespace moji
