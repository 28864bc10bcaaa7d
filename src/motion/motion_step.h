#pragma once
// One step of the motion mode: every point drifts, points near a held mouse flee it.

#include <cstdint>

#include "model/glyph_outline.h"
#include "motion/random_source.h"

namespace moji {

/// The mouse state the motion reads: `ButtonDown` 0 while no button is held.
struct MouseState {
  std::int32_t ButtonDown = 0;
  float MouseX = 0.0f;
  float MouseY = 0.0f;
};

/// Radius of the pushing zone around a held mouse, in pixels.
inline constexpr float kPushRadius = 80.0f;

/// The point rule: a random step (two draws, x first), then the push while a button is held.
void MovePoint(float& x, float& y, const MouseState& mouse, RandomSource& random);

/// Applies the point rule to every start point and curve point, block by block, in order.
void MoveOutline(GlyphOutline& outline, const MouseState& mouse, RandomSource& random);

/// Radius of the pulsing circle: (80 / 10) * (buttonDown mod 10).
float PulseRadius(std::int32_t buttonDown);

}  // namespace moji
