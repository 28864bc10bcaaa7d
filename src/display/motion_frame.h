#pragma once
// One frame of the motion mode: move every point, then redraw the drawing area.
// Plain C++: the window's timer runs it, and so does the motion benchmark.

#include <cstdint>
#include <span>

#include "model/glyph_outline.h"
#include "motion/motion_step.h"
#include "motion/random_source.h"
#include "display/display_request.h"

namespace moji {

/// Moves every point of the placed `currentOutline`, clears the drawing, draws the pulse circle
/// around the mouse while a button is held, then the outline in the style (its marks numbered
/// by `sources`), and refreshes. Throws what the block drawing throws for a broken outline.
void RunMotionFrame(const MouseState& mouse, RandomSource& random, const DrawingStyle& style,
                    GlyphOutline& currentOutline, std::span<const PointSource> sources,
                    DisplayTarget& target);

}  // namespace moji
