#include "display/motion_frame.h"

#include "display/block_palette.h"

namespace moji {

void RunMotionFrame(const MouseState& mouse, RandomSource& random, std::int32_t penWidth,
                    GlyphOutline& currentOutline, DisplayTarget& target) {
  MoveOutline(currentOutline, mouse, random);
  target.ClearDrawing();
  // The circle goes first, so the blocks are drawn over it.
  if (mouse.ButtonDown > 0) {
    target.DrawPulseCircle(mouse.MouseX, mouse.MouseY, PulseRadius(mouse.ButtonDown));
  }
  DrawBlocksInPaletteColors(target.DrawingDc(), currentOutline, penWidth);
  // The marks travel with their points.
  DrawRequestedMarks(currentOutline, target.ShownSources(), target);
  target.RefreshDrawing();
}

}  // namespace moji
