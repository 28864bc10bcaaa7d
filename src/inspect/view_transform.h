#pragma once
// The transform of the large glyph view from font units (y up, origin at the glyph origin on
// the baseline) to device pixels (origin top left, y down), and how it fits, zooms and pans.
// Every routine returns a finite, usable transform whatever it is given.

#include <limits>

namespace moji {

/// The most device pixels per font unit the view zooms in to.
inline constexpr double kMaxViewScale = 32;
/// The fewest device pixels per font unit any view has: a floor that keeps the scale positive.
inline constexpr double kMinViewScale = 0x1p-40;
/// Font-unit coordinates beyond this magnitude are taken as this far out.
inline constexpr double kUnitLimit = 0x1p36;
/// Device coordinates (of the origin, an anchor, a cursor) beyond this magnitude are taken as
/// this far out.
inline constexpr double kDeviceLimit = 0x1p44;

/// A point in device pixels of the view: origin top left, y down.
struct DevicePoint {
  double X = 0;
  double Y = 0;
  friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

/// A point in font units: y up, origin at the glyph origin on the baseline.
struct UnitPoint {
  double X = 0;
  double Y = 0;
  friend bool operator==(const UnitPoint&, const UnitPoint&) = default;
};

/// A box of font units. The default box is empty: it holds no point and adds nothing to a union.
struct UnitBox {
  double Left = std::numeric_limits<double>::infinity();
  double Bottom = std::numeric_limits<double>::infinity();
  double Right = -std::numeric_limits<double>::infinity();
  double Top = -std::numeric_limits<double>::infinity();
  friend bool operator==(const UnitBox&, const UnitBox&) = default;
};

/// True for a box with finite sides, Left <= Right and Bottom <= Top (a point is usable); false
/// for the empty box and for any box with a NaN or infinite side.
bool IsUsableBox(const UnitBox& box);

/// The smallest box holding both; a box that is not usable adds nothing, two give the empty box.
UnitBox UnionOf(const UnitBox& a, const UnitBox& b);

/// `box` grown to hold the point (x, y); a point that is not finite leaves it as it is.
UnitBox WithPoint(const UnitBox& box, double x, double y);

/// Device pixels per font unit and the device position of the font origin.
struct ViewTransform {
  double Scale = 1;
  double OriginX = 0;
  double OriginY = 0;
  friend bool operator==(const ViewTransform&, const ViewTransform&) = default;

  /// The device position of the font-unit point (x, y); a NaN coordinate is taken as 0.
  DevicePoint ToDevice(double x, double y) const;
  /// The font-unit point at the device position (dx, dy); a NaN coordinate is taken as 0.
  UnitPoint ToFontUnits(double dx, double dy) const;
};

/// The transform with a scale in [kMinViewScale, kMaxViewScale] (1 for a NaN or non-positive
/// scale, before clamping) and an origin within kDeviceLimit (0 for NaN).
ViewTransform UsableView(const ViewTransform& view);

/// The transform that shows all of `content` centred in a viewport of `width` x `height` device
/// pixels, `margin` pixels free on each side where the viewport allows it. The scale is clamped
/// to [kMinViewScale, kMaxViewScale]; a viewport under one pixel counts as one pixel; a content
/// box that is not usable is replaced by one 1000-unit em on the baseline.
ViewTransform FitView(const UnitBox& content, double width, double height, double margin);

/// The scales a view may zoom between.
struct ZoomLimits {
  double MinScale = kMinViewScale;
  double MaxScale = kMaxViewScale;
  friend bool operator==(const ZoomLimits&, const ZoomLimits&) = default;
};

/// Zooming in stops at kMaxViewScale; zooming out stops at the smaller of the scale at which an
/// em square of `unitsPerEm` fits and the scale at which `content` fits, so a glyph lying far
/// outside its em box can still be seen whole. An unusable em or content leaves only the other.
ZoomLimits ZoomLimitsFor(double unitsPerEm, const UnitBox& content, double width, double height,
                         double margin);

/// The view scaled by `factor`, clamped to `limits`, keeping the font point under `anchor` under
/// it. A factor of 0, a negative one or NaN zooms not at all; a NaN anchor coordinate is 0.
ViewTransform ZoomAbout(const ViewTransform& view, double factor, DevicePoint anchor,
                        const ZoomLimits& limits);

/// The view moved by (dx, dy) device pixels; a NaN distance moves nothing.
ViewTransform Pan(const ViewTransform& view, double dx, double dy);

}  // namespace moji
