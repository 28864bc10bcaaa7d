#include "display/motion_frame.h"

namespace moji {

void RunMotionFrame(const MouseState& mouse, RandomSource& random, const DrawingStyle& style,
                    GlyphOutline& currentOutline, std::span<const PointSource> sources,
                    DisplayTarget& target) {
  MoveOutline(currentOutline, mouse, random);
  // The circle goes under the blocks; the marks travel with their points.
  std::optional<DrawnCircle> pulse;
  if (mouse.ButtonDown > 0) {
    pulse = DrawnCircle{mouse.MouseX, mouse.MouseY, PulseRadius(mouse.ButtonDown)};
  }
  DrawOutlineFrame(currentOutline, sources, style, target, pulse);
}

}  // namespace moji
