#include "inspect/label_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace moji {
namespace {

/// The most buckets along one side of the grid, and in all.
constexpr std::size_t kMaxBucketsPerSide = 1024;
constexpr std::size_t kMaxBuckets = std::size_t{1} << 16;

/// A label that can be placed at all: finite anchor, a finite size that is not empty.
bool IsPlaceable(const LabelRequest& label) {
  return std::isfinite(label.Anchor.X) && std::isfinite(label.Anchor.Y) &&
         std::isfinite(label.Width) && std::isfinite(label.Height) && label.Width > 0 &&
         label.Height > 0;
}

bool Inside(const DeviceBox& box, double width, double height) {
  return box.Left >= 0 && box.Top >= 0 && box.Right <= width && box.Bottom <= height;
}

/// A uniform grid of buckets over the viewport, each listing the placed boxes that reach into
/// it, so a box is checked only against its neighbours.
class LabelGrid {
 public:
  LabelGrid(double width, double height, double cellSide, std::size_t labelCount)
      : columns_(Cells(width, cellSide)), rows_(Cells(height, cellSide)) {
    const std::size_t most = std::clamp<std::size_t>(4 * labelCount, 64, kMaxBuckets);
    while (columns_ * rows_ > most) {
      std::size_t& longer = columns_ > rows_ ? columns_ : rows_;
      longer = (longer + 1) / 2;
    }
    cellWidth_ = width / static_cast<double>(columns_);
    cellHeight_ = height / static_cast<double>(rows_);
    buckets_.resize(columns_ * rows_);
  }

  bool IsFree(const DeviceBox& box) const {
    const Range range = RangeOf(box);
    for (std::size_t row = range.Top; row <= range.Bottom; ++row) {
      for (std::size_t column = range.Left; column <= range.Right; ++column) {
        for (const std::uint32_t index : buckets_[row * columns_ + column]) {
          if (BoxesOverlap(box, placed_[index])) return false;
        }
      }
    }
    return true;
  }

  void Add(const DeviceBox& box) {
    const auto index = static_cast<std::uint32_t>(placed_.size());
    placed_.push_back(box);
    const Range range = RangeOf(box);
    for (std::size_t row = range.Top; row <= range.Bottom; ++row) {
      for (std::size_t column = range.Left; column <= range.Right; ++column) {
        buckets_[row * columns_ + column].push_back(index);
      }
    }
  }

 private:
  /// The buckets a box reaches into, first and last along each side.
  struct Range {
    std::size_t Left, Right, Top, Bottom;
  };

  static std::size_t Cells(double side, double cellSide) {
    const double wanted = std::ceil(side / cellSide);
    if (!(wanted < static_cast<double>(kMaxBucketsPerSide))) return kMaxBucketsPerSide;
    return std::max<std::size_t>(1, static_cast<std::size_t>(wanted));
  }

  /// The bucket along one side of a coordinate inside the viewport.
  static std::size_t Cell(double at, double cellSide, std::size_t count) {
    const double cell = std::floor(at / cellSide);
    if (!(cell > 0)) return 0;
    return cell >= static_cast<double>(count) ? count - 1 : static_cast<std::size_t>(cell);
  }

  Range RangeOf(const DeviceBox& box) const {
    return {Cell(box.Left, cellWidth_, columns_), Cell(box.Right, cellWidth_, columns_),
            Cell(box.Top, cellHeight_, rows_), Cell(box.Bottom, cellHeight_, rows_)};
  }

  std::size_t columns_;
  std::size_t rows_;
  double cellWidth_ = 1;
  double cellHeight_ = 1;
  std::vector<std::vector<std::uint32_t>> buckets_;
  std::vector<DeviceBox> placed_;
};

/// The bucket side: the mean size of the labels that fit the viewport, at least one pixel.
double MeanLabelSide(std::span<const LabelRequest> labels, double width, double height) {
  double sum = 0;
  std::size_t count = 0;
  for (const LabelRequest& label : labels) {
    if (!IsPlaceable(label) || label.Width > width || label.Height > height) continue;
    sum += std::max(label.Width, label.Height);
    ++count;
  }
  return count == 0 ? 1 : std::max(1.0, sum / static_cast<double>(count));
}

}  // namespace

bool BoxesOverlap(const DeviceBox& a, const DeviceBox& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

std::array<DeviceBox, kLabelCandidateCount> LabelCandidates(const LabelRequest& label) {
  const double x = label.Anchor.X, y = label.Anchor.Y, w = label.Width, h = label.Height;
  const double right = x + kLabelGap, left = x - kLabelGap - w, midX = x - w / 2;
  const double above = y - kLabelGap - h, below = y + kLabelGap, midY = y - h / 2;
  const auto at = [&](double l, double t) { return DeviceBox{l, t, l + w, t + h}; };
  return {at(right, above), at(left, above), at(right, below), at(left, below),
          at(right, midY),  at(left, midY),  at(midX, above),  at(midX, below)};
}

std::vector<std::optional<DeviceBox>> LayOutLabels(std::span<const LabelRequest> labels,
                                                   double width, double height) {
  std::vector<std::optional<DeviceBox>> placed(labels.size());
  if (!(width > 0 && height > 0)) return placed;
  width = std::min(width, kDeviceLimit);
  height = std::min(height, kDeviceLimit);
  LabelGrid grid(width, height, MeanLabelSide(labels, width, height), labels.size());
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (!IsPlaceable(labels[i])) continue;
    for (const DeviceBox& box : LabelCandidates(labels[i])) {
      if (Inside(box, width, height) && grid.IsFree(box)) {
        grid.Add(box);
        placed[i] = box;
        break;
      }
    }
  }
  return placed;
}

}  // namespace moji
