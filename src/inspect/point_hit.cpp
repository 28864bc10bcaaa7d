#include "inspect/point_hit.h"

#include <cmath>

namespace moji {
namespace {

bool IsFinite(DevicePoint point) { return std::isfinite(point.X) && std::isfinite(point.Y); }

}  // namespace

std::optional<std::size_t> NearestPoint(std::span<const DevicePoint> points, DevicePoint cursor,
                                        double radius) {
  if (!IsFinite(cursor) || !std::isfinite(radius) || radius < 0) return std::nullopt;
  std::optional<std::size_t> nearest;
  double nearestDistance = radius;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (!IsFinite(points[i])) continue;
    const double distance = std::hypot(points[i].X - cursor.X, points[i].Y - cursor.Y);
    if (nearest ? distance < nearestDistance : distance <= nearestDistance) {
      nearest = i;
      nearestDistance = distance;
    }
  }
  return nearest;
}

std::optional<std::size_t> SteppedPoint(std::optional<std::size_t> current, std::size_t count,
                                        bool backwards) {
  if (count == 0) return std::nullopt;
  if (!current || *current >= count) return backwards ? count - 1 : 0;
  if (backwards) return *current == 0 ? count - 1 : *current - 1;
  return *current + 1 == count ? 0 : *current + 1;
}

}  // namespace moji
