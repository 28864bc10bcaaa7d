#include "display/overlay_marks.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "display/block_palette.h"
#include "geometry/cubic_from_quadratic.h"
#include "model/outline_visit.h"

namespace moji {
namespace {

/// The start ring's radius, and how far the arrow reaches beyond it, in pixels.
constexpr double kStartRadius = 5;
constexpr double kArrowLength = 12;

/// Builds the point marks of one outline, taking sources in the outline's order.
class PointMarker {
 public:
  PointMarker(std::span<const PointSource> sources, bool numbers, BlockPalette palette,
              std::vector<PointMark>& marks)
      : sources_(sources), numbers_(numbers), palette_(palette), marks_(marks) {}

  /// The source of the next point of the outline; none past the table's end.
  const PointSource* Next() { return next_ < sources_.size() ? &sources_[next_++] : nullptr; }

  void Mark(MarkKind kind, const OutlinePoint& at, std::int32_t block, std::int32_t curve,
            std::int32_t point, const PointSource* source) {
    const std::int32_t number = source != nullptr ? source->Number : -1;
    // An on-curve point the font does not have lies midway between two controls.
    if (kind == MarkKind::OnCurve && source != nullptr && number < 0) kind = MarkKind::Implied;
    PointMark mark{kind, at.X, at.Y, BlockColor(block, palette_), block, curve, point, number, {}};
    if (numbers_ && number >= 0) mark.Label = std::to_string(number);
    marks_.push_back(std::move(mark));
  }

 private:
  std::span<const PointSource> sources_;
  std::size_t next_ = 0;
  bool numbers_;
  BlockPalette palette_;
  std::vector<PointMark>& marks_;
};

void MarkCurve(const OutlineCurve& curve, std::int32_t block, std::int32_t c, bool closes,
               const PointSource* start, PointMarker& marker) {
  const auto points = Counted(curve.Points, curve.PointCount);
  for (std::size_t p = 0; p < points.size(); ++p) {
    const PointSource* source = marker.Next();
    const bool onCurve = IsOnCurvePoint(curve, p, points.size());
    // The last point of a contour's last run that is its start again is marked as the start.
    const bool repeatsStart = closes && p + 1 == points.size() && source != nullptr &&
                              start != nullptr && *source == *start;
    if (!repeatsStart) {
      marker.Mark(onCurve ? MarkKind::OnCurve : MarkKind::Control, points[p], block, c,
                  static_cast<std::int32_t>(p), source);
    }
    const bool betweenControls = curve.CurveType == CURVE_QSPLINE && p + 2 < points.size();
    if (betweenControls) {
      marker.Mark(MarkKind::Implied, ImpliedOnCurvePoint(points[p], points[p + 1]), block, c,
                  static_cast<std::int32_t>(p), nullptr);
    }
  }
}

/// The unit direction from the start to the first point of the first curve that lies elsewhere:
/// where the contour runs from its start; nothing when every point is at the start.
std::optional<MarkPoint> FirstDirection(const OutlineBlock& block) {
  for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) {
    for (const OutlinePoint& point : Counted(curve.Points, curve.PointCount)) {
      const double dx = double{point.X} - block.StartX, dy = double{point.Y} - block.StartY;
      const double length = std::hypot(dx, dy);
      if (length > 0 && std::isfinite(length)) return MarkPoint{dx / length, dy / length};
    }
  }
  return std::nullopt;
}

/// A ring at the block's start and an arrow from the ring along the first curve's direction.
StartMark StartMarkOf(const OutlineBlock& block, std::int32_t b, BlockPalette palette) {
  StartMark mark{{block.StartX, block.StartY}, kStartRadius, false, {}, BlockColor(b, palette), b};
  if (const std::optional<MarkPoint> d = FirstDirection(block)) {
    const auto along = [&](double distance, double aside) {
      return MarkPoint{mark.At.X + d->X * distance - d->Y * aside,
                       mark.At.Y + d->Y * distance + d->X * aside};
    };
    const double tip = kStartRadius + kArrowLength;
    mark.HasArrow = true;
    mark.Arrow = {along(kStartRadius, 0), along(tip, 0), along(tip - 4, 3), along(tip - 4, -3)};
  }
  return mark;
}

}  // namespace

OutlineMarks MarksOfOutline(const GlyphOutline& placed, std::span<const PointSource> sources,
                            const OverlaySettings& settings, BlockPalette palette) {
  OutlineMarks marks;
  std::vector<PointMark> points;
  PointMarker marker(sources, settings.Numbers, palette, points);
  std::int32_t b = 0;
  for (const OutlineBlock& block : Counted(placed.Blocks, placed.BlockCount)) {
    const PointSource* start = marker.Next();
    marker.Mark(MarkKind::OnCurve, {block.StartX, block.StartY}, b, -1, 0, start);
    const auto curves = Counted(block.Curves, block.CurveCount);
    for (std::size_t c = 0; c < curves.size(); ++c) {
      MarkCurve(curves[c], b, static_cast<std::int32_t>(c), c + 1 == curves.size(), start, marker);
    }
    if (settings.StartAndDirection) marks.Starts.push_back(StartMarkOf(block, b, palette));
    ++b;
  }
  marks.Symbols = settings.Points;
  // Numbers alone leave out the points that have none.
  if (!settings.Points) std::erase_if(points, [](const PointMark& mark) { return mark.Label.empty(); });
  if (settings.Points || settings.Numbers) marks.Points = std::move(points);
  return marks;
}

}  // namespace moji
