#include "inspect/view_transform.h"

#include <algorithm>
#include <cmath>

namespace moji {
namespace {

/// The box fitted when the content gives none: one 1000-unit em on the baseline.
constexpr UnitBox kFallbackContent{0, 0, 1000, 1000};
/// A viewport side is taken as at least one and at most this many device pixels.
constexpr double kMaxViewportSide = 0x1p24;

/// `value` clamped to [-limit, limit]; NaN becomes 0.
double Bounded(double value, double limit) {
  return std::isnan(value) ? 0 : std::clamp(value, -limit, limit);
}

/// A viewport side in [1, kMaxViewportSide]; NaN and anything under one pixel count as one.
double ViewportSide(double side) {
  return std::isnan(side) ? 1 : std::clamp(side, 1.0, kMaxViewportSide);
}

/// A scale in [kMinViewScale, kMaxViewScale]; NaN and non-positive scales count as 1 first.
double UsableScale(double scale) {
  if (!(scale > 0)) scale = 1;
  return std::clamp(scale, kMinViewScale, kMaxViewScale);
}

/// The sides of a usable box within kUnitLimit; the fallback for any other box.
UnitBox BoundedContent(const UnitBox& box) {
  if (!IsUsableBox(box)) return kFallbackContent;
  return {Bounded(box.Left, kUnitLimit), Bounded(box.Bottom, kUnitLimit),
          Bounded(box.Right, kUnitLimit), Bounded(box.Top, kUnitLimit)};
}

/// The room a viewport side leaves inside its margins: never under half the side, so margins
/// too wide for a small viewport shrink.
double Room(double side, double margin) {
  const double free = std::isnan(margin) ? 0 : std::clamp(margin, 0.0, kMaxViewportSide);
  return std::max(ViewportSide(side) - 2 * free, ViewportSide(side) / 2);
}

/// The scale at which a `boxWidth` x `boxHeight` box fills the room of the viewport, before
/// clamping (infinite for a box of no size).
double FittingScale(double boxWidth, double boxHeight, double width, double height, double margin) {
  return std::min(Room(width, margin) / boxWidth, Room(height, margin) / boxHeight);
}

}  // namespace

bool IsUsableBox(const UnitBox& box) {
  return std::isfinite(box.Left) && std::isfinite(box.Bottom) && std::isfinite(box.Right) &&
         std::isfinite(box.Top) && box.Left <= box.Right && box.Bottom <= box.Top;
}

UnitBox UnionOf(const UnitBox& a, const UnitBox& b) {
  if (!IsUsableBox(a)) return IsUsableBox(b) ? b : UnitBox{};
  if (!IsUsableBox(b)) return a;
  return {std::min(a.Left, b.Left), std::min(a.Bottom, b.Bottom), std::max(a.Right, b.Right),
          std::max(a.Top, b.Top)};
}

UnitBox WithPoint(const UnitBox& box, double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return box;
  return UnionOf(box, UnitBox{x, y, x, y});
}

DevicePoint ViewTransform::ToDevice(double x, double y) const {
  const ViewTransform view = UsableView(*this);
  return {view.OriginX + Bounded(x, kUnitLimit) * view.Scale,
          view.OriginY - Bounded(y, kUnitLimit) * view.Scale};
}

UnitPoint ViewTransform::ToFontUnits(double dx, double dy) const {
  const ViewTransform view = UsableView(*this);
  return {(Bounded(dx, kDeviceLimit) - view.OriginX) / view.Scale,
          (view.OriginY - Bounded(dy, kDeviceLimit)) / view.Scale};
}

ViewTransform UsableView(const ViewTransform& view) {
  return {UsableScale(view.Scale), Bounded(view.OriginX, kDeviceLimit),
          Bounded(view.OriginY, kDeviceLimit)};
}

ViewTransform FitView(const UnitBox& content, double width, double height, double margin) {
  const UnitBox box = BoundedContent(content);
  const double scale =
      UsableScale(FittingScale(box.Right - box.Left, box.Top - box.Bottom, width, height, margin));
  const double centreX = box.Left / 2 + box.Right / 2;
  const double centreY = box.Bottom / 2 + box.Top / 2;
  return UsableView({scale, ViewportSide(width) / 2 - centreX * scale,
                     ViewportSide(height) / 2 + centreY * scale});
}

ZoomLimits ZoomLimitsFor(double unitsPerEm, const UnitBox& content, double width, double height,
                         double margin) {
  const bool emUsable = std::isfinite(unitsPerEm) && unitsPerEm > 0;
  double smallest = kMaxViewScale;
  if (emUsable) smallest = FitView({0, 0, unitsPerEm, unitsPerEm}, width, height, margin).Scale;
  if (IsUsableBox(content) || !emUsable) {
    smallest = std::min(smallest, FitView(content, width, height, margin).Scale);
  }
  return {smallest, kMaxViewScale};
}

ViewTransform ZoomAbout(const ViewTransform& view, double factor, DevicePoint anchor,
                        const ZoomLimits& limits) {
  const ViewTransform from = UsableView(view);
  const double low = UsableScale(limits.MinScale);
  const double high = std::max(low, UsableScale(limits.MaxScale));
  const double wanted = std::isfinite(factor) && factor > 0 ? from.Scale * factor : from.Scale;
  const double scale = std::clamp(UsableScale(wanted), low, high);
  const double ax = Bounded(anchor.X, kDeviceLimit), ay = Bounded(anchor.Y, kDeviceLimit);
  const UnitPoint fixed = from.ToFontUnits(ax, ay);
  return UsableView({scale, ax - fixed.X * scale, ay + fixed.Y * scale});
}

ViewTransform Pan(const ViewTransform& view, double dx, double dy) {
  const ViewTransform from = UsableView(view);
  return UsableView({from.Scale, from.OriginX + Bounded(dx, kDeviceLimit),
                     from.OriginY + Bounded(dy, kDeviceLimit)});
}

}  // namespace moji
