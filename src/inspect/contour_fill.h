#pragma once
// How the contours of an outline fill: the direction of each, and which are outer contours and
// which are holes under the non-zero winding rule.

#include <cstdint>
#include <vector>

#include "model/glyph_outline.h"

namespace moji {

/// Which way a contour runs, with y pointing up as in the font.
enum class ContourDirection : std::uint8_t {
  CounterClockwise,
  Clockwise,
  /// The contour encloses no area.
  Neither,
  /// A coordinate is not a finite number.
  Unknown,
};

/// The signed area of a block as drawn: its straight segments and the cubic segments the drawing
/// draws for its spline runs (by the exact area of a cubic Bezier), closed back to its start; a
/// run of another type counts as a straight jump to its last point. Positive when the block
/// runs counter-clockwise with y up; NaN when a coordinate is not finite.
double BlockSignedArea(const OutlineBlock& block);

/// The direction of a block from its signed area; an area that is only rounding is none.
ContourDirection BlockDirection(const OutlineBlock& block);

/// What a contour's boundary is in the fill of the whole outline.
enum class FillRole : std::uint8_t {
  /// Filled just inside, empty just outside.
  Outer,
  /// Empty just inside, filled just outside.
  Hole,
  /// Filled on both sides: it lies within the fill of other contours.
  Covered,
  /// It encloses no area.
  Flat,
  /// A coordinate is not finite, or the outline is too large to judge in bounded time.
  Unknown,
};

/// The role of each block, in order. Each contour is flattened (16 chords per cubic segment)
/// and judged at up to 8 sample points spread along it: at each, the winding number of all the
/// contours is taken a hair to its left and to its right. Where exactly one side is filled
/// (non-zero), the contour is Outer if that side is its interior (the left for a
/// counter-clockwise contour) and Hole if not; where both are filled it is Covered there. The
/// samples with one side filled decide by majority (Outer on a tie); Covered when none has.
/// The work is bounded: past a fixed number of edge tests the contours left are Unknown.
std::vector<FillRole> FillRoles(const GlyphOutline& outline);

}  // namespace moji
