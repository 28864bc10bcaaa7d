#pragma once
// Placing the number labels beside points so that no two overlap.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "inspect/view_transform.h"

namespace moji {

/// How far a label keeps from its anchor, in device pixels.
inline constexpr double kLabelGap = 3;
/// How many places beside its anchor a label may take.
inline constexpr std::size_t kLabelCandidateCount = 8;

/// A box in device pixels: origin top left, y down, Left <= Right and Top <= Bottom.
struct DeviceBox {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;
  friend bool operator==(const DeviceBox&, const DeviceBox&) = default;
};

/// One label to place: the point it belongs to and the size of its text, in device pixels.
struct LabelRequest {
  DevicePoint Anchor;
  double Width = 0;
  double Height = 0;
  friend bool operator==(const LabelRequest&, const LabelRequest&) = default;
};

/// True when the boxes share some area; boxes that only touch do not overlap.
bool BoxesOverlap(const DeviceBox& a, const DeviceBox& b);

/// The places tried for a label, best first, kLabelGap from its anchor: upper right, upper
/// left, lower right, lower left, right, left, above, below.
std::array<DeviceBox, kLabelCandidateCount> LabelCandidates(const LabelRequest& label);

/// Where each label goes, in the order given (earlier labels have the first pick): the first
/// candidate that lies wholly inside the `width` x `height` viewport and overlaps no label
/// placed before it, or nothing when no candidate is free. A label with an anchor or size that
/// is not finite, or no size, is skipped. Near-linear in the number of labels.
std::vector<std::optional<DeviceBox>> LayOutLabels(std::span<const LabelRequest> labels,
                                                   double width, double height);

}  // namespace moji
