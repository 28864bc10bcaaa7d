#include "geometry/cubic_from_quadratic.h"

namespace moji {
namespace {

/// (2 * control) / 3 + other / 3: the cubic control next to `other`.
float ElevatedControl(float control, float other) {
  return static_cast<float>((2.0 * control) / 3.0 + static_cast<double>(other) / 3.0);
}

/// (control + next) / 6 + (2 * control) / 3: the cubic control next to the implied midpoint.
float ControlTowardsMidpoint(float control, float next) {
  return static_cast<float>((static_cast<double>(control) + next) / 6.0 + (2.0 * control) / 3.0);
}

/// (control + next) / 2: the on-curve point implied between two control points.
float Midpoint(float control, float next) {
  return static_cast<float>((static_cast<double>(control) + next) / 2.0);
}

}  // namespace

OutlinePoint ImpliedOnCurvePoint(OutlinePoint control, OutlinePoint next) {
  return {Midpoint(control.X, next.X), Midpoint(control.Y, next.Y)};
}

CubicSegment CubicFromQuadratic(OutlinePoint start, OutlinePoint control, OutlinePoint next,
                                bool nextIsRunEnd) {
  CubicSegment segment;
  segment[0] = start;
  segment[1] = {ElevatedControl(control.X, start.X), ElevatedControl(control.Y, start.Y)};
  if (nextIsRunEnd) {
    segment[2] = {ElevatedControl(control.X, next.X), ElevatedControl(control.Y, next.Y)};
    segment[3] = next;
  } else {
    segment[2] = {ControlTowardsMidpoint(control.X, next.X),
                  ControlTowardsMidpoint(control.Y, next.Y)};
    segment[3] = ImpliedOnCurvePoint(control, next);
  }
  return segment;
}

}  // namespace moji
