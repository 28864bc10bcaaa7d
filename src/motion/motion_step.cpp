#include "motion/motion_step.h"

#include <cmath>

#include "model/outline_visit.h"

namespace moji {
namespace {

/// Growth of a pushed point's distance from the mouse per step.
constexpr double kPushFactor = 1.02;

/// One coordinate's random step: (value + 0.5) - r, so it moves by more than -0.5 and at most +0.5.
float RandomStep(float value, RandomSource& random) {
  const double r = random.NextUniform();
  return static_cast<float>((static_cast<double>(value) + 0.5) - r);
}

/// One coordinate pushed away from the mouse's coordinate `centre`.
float Pushed(float value, float centre) {
  const double c = centre;
  return static_cast<float>((static_cast<double>(value) - c) * kPushFactor + c);
}

}  // namespace

void MovePoint(float& x, float& y, const MouseState& mouse, RandomSource& random) {
  x = RandomStep(x, random);
  y = RandomStep(y, random);
  if (mouse.ButtonDown == 0) return;

  const double dx = static_cast<double>(x) - static_cast<double>(mouse.MouseX);
  const double dy = static_cast<double>(y) - static_cast<double>(mouse.MouseY);
  const float distance = static_cast<float>(std::sqrt(dx * dx + dy * dy));
  // Strictly inside the radius only; a point on the mouse has distance 0 and so stays put.
  if (distance < kPushRadius) {
    x = Pushed(x, mouse.MouseX);
    y = Pushed(y, mouse.MouseY);
  }
}

void MoveOutline(GlyphOutline& outline, const MouseState& mouse, RandomSource& random) {
  ForEachOutlinePoint(outline, [&](float& x, float& y) { MovePoint(x, y, mouse, random); });
}

float PulseRadius(std::int32_t buttonDown) {
  // A held button counts up from 1; a negative counter means no press, so no circle.
  if (buttonDown < 0) return 0.0f;
  return static_cast<float>((static_cast<double>(kPushRadius) / 10.0) * (buttonDown % 10));
}

}  // namespace moji
