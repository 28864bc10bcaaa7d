#pragma once
// Finding the point under the cursor, and stepping from point to point with the keyboard.

#include <cstddef>
#include <optional>
#include <span>

#include "inspect/view_transform.h"

namespace moji {

/// The index of the point nearest `cursor` no farther than `radius` device pixels, the earlier
/// on a tie; none when no point is that near, or the cursor or radius is not a usable number.
/// Points that are not finite are never hit.
std::optional<std::size_t> NearestPoint(std::span<const DevicePoint> points, DevicePoint cursor,
                                        double radius);

/// The point after `current` of `count` (Tab), or before it when `backwards` (Shift+Tab),
/// wrapping at either end; from none (or an index past the end) the first, or the last when
/// backwards. None when there are no points.
std::optional<std::size_t> SteppedPoint(std::optional<std::size_t> current, std::size_t count,
                                        bool backwards);

}  // namespace moji
