#include "native/native_writer.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "native/native_records.h"

namespace moji {
namespace {

static_assert(std::endian::native == std::endian::little,
              "native records are little-endian and are written in host byte order");

/// A point in 16.16 pixels, laid out as a POINTFX.
struct FixedPoint {
  std::int32_t X;
  std::int32_t Y;
};
static_assert(sizeof(FixedPoint) == kPointSize);

/// Writes the polygon of one contour: its start point, then its runs as curve records.
class PolygonWriter {
 public:
  PolygonWriter(std::span<const FontUnitPoint> points, std::span<const PointKind> kinds,
                const HeightScale& scale, std::vector<std::uint8_t>& out)
      : points_(points), kinds_(kinds), scale_(scale), out_(out) {}

  void Write() {
    const std::size_t headerAt = out_.size();
    out_.resize(headerAt + kPolygonHeaderSize);
    std::size_t first = 0;
    std::size_t end = points_.size();
    if (points_.size() == 1 || IsOn(0)) {
      start_ = Scaled(0);
      first = 1;
    } else if (IsOn(end - 1)) {
      // The contour begins off the curve: its last point starts the polygon and is not visited
      // again, so the points run on in their own order.
      start_ = Scaled(end - 1);
      end -= 1;
    } else {
      // No on-curve point at either end: the polygon starts at the implied on-curve point
      // between the last and the first point.
      start_ = Midpoint(end - 1, 0);
    }
    for (std::size_t at = first; at < end;) {
      at = IsOn(at) ? WriteLineRun(at, end) : WriteSplineRun(at, end);
    }

    const auto byteCount = static_cast<std::uint32_t>(out_.size() - headerAt);
    const std::uint32_t type = TT_POLYGON_TYPE;
    std::memcpy(out_.data() + headerAt, &byteCount, 4);
    std::memcpy(out_.data() + headerAt + 4, &type, 4);
    std::memcpy(out_.data() + headerAt + 8, &start_, kPointSize);
  }

 private:
  bool IsOn(std::size_t index) const { return kinds_[index] == PointKind::OnCurve; }

  FixedPoint Scaled(std::size_t index) const {
    return {ScaleToFixed(points_[index].X, scale_), ScaleToFixed(points_[index].Y, scale_)};
  }

  FixedPoint Midpoint(std::size_t a, std::size_t b) const {
    return {ScaleMidpointToFixed(points_[a].X, points_[b].X, scale_),
            ScaleMidpointToFixed(points_[a].Y, points_[b].Y, scale_)};
  }

  /// A maximal run of on-curve points from `at`: line records of at most 32767 points each.
  /// Returns where the run ends.
  std::size_t WriteLineRun(std::size_t at, std::size_t end) {
    std::size_t runEnd = at;
    while (runEnd < end && IsOn(runEnd)) ++runEnd;
    while (at < runEnd) {
      const std::size_t count = std::min<std::size_t>(runEnd - at, kMaxRecordPoints);
      std::uint8_t* cursor = AddRecord(TT_PRIM_LINE, count);
      for (std::size_t k = at; k < at + count; ++k) cursor = Put(cursor, Scaled(k));
      at += count;
    }
    return runEnd;
  }

  /// A maximal run of control points from `at` and the on-curve point after it, or the
  /// polygon's start when the run ends the contour. A record holds at most 32766 controls and
  /// its end point: a longer run is cut at the implied on-curve point between two controls,
  /// which lies on the curve, so the records draw the same shape. Returns the index after the
  /// run's end point.
  std::size_t WriteSplineRun(std::size_t at, std::size_t end) {
    std::size_t controlsEnd = at;
    while (controlsEnd < end && !IsOn(controlsEnd)) ++controlsEnd;
    constexpr std::size_t kControlsPerRecord = kMaxRecordPoints - 1;
    while (controlsEnd - at > kControlsPerRecord) {
      std::uint8_t* cursor = AddRecord(TT_PRIM_QSPLINE, kMaxRecordPoints);
      for (std::size_t k = at; k < at + kControlsPerRecord; ++k) cursor = Put(cursor, Scaled(k));
      at += kControlsPerRecord;
      Put(cursor, Midpoint(at - 1, at));
    }
    std::uint8_t* cursor = AddRecord(TT_PRIM_QSPLINE, controlsEnd - at + 1);
    for (std::size_t k = at; k < controlsEnd; ++k) cursor = Put(cursor, Scaled(k));
    Put(cursor, controlsEnd < end ? Scaled(controlsEnd) : start_);
    return controlsEnd + 1;
  }

  /// Adds a record of `count` points to the buffer and returns where its points go.
  std::uint8_t* AddRecord(std::uint16_t type, std::size_t count) {
    const std::uint16_t head[2] = {type, static_cast<std::uint16_t>(count)};
    const std::size_t at = out_.size();
    out_.resize(at + kCurveHeadSize + count * kPointSize);
    std::memcpy(out_.data() + at, head, kCurveHeadSize);
    return out_.data() + at + kCurveHeadSize;
  }

  static std::uint8_t* Put(std::uint8_t* cursor, FixedPoint point) {
    std::memcpy(cursor, &point, kPointSize);
    return cursor + kPointSize;
  }

  std::span<const FontUnitPoint> points_;
  std::span<const PointKind> kinds_;
  const HeightScale& scale_;
  std::vector<std::uint8_t>& out_;
  FixedPoint start_{};
};

bool AreContours(const ContourSpans& contours) {
  if (contours.Kinds.size() != contours.Points.size()) return false;
  std::size_t next = 0;  // the first point of the next contour
  for (const std::size_t end : contours.Ends) {
    if (end < next || end >= contours.Points.size()) return false;
    next = end + 1;
  }
  return true;
}

}  // namespace

bool AppendNativeOutline(const ContourSpans& contours, const HeightScale& scale,
                         std::vector<std::uint8_t>& out) {
  if (!AreContours(contours)) return false;
  // Room for the usual case: a header and a closing point per contour, a point and some
  // record heads per point.
  out.reserve(out.size() + contours.Ends.size() * 24 + contours.Points.size() * 10);
  std::size_t first = 0;
  for (const std::size_t end : contours.Ends) {
    const std::size_t count = end - first + 1;
    PolygonWriter(contours.Points.subspan(first, count), contours.Kinds.subspan(first, count),
                  scale, out)
        .Write();
    first = end + 1;
  }
  return true;
}

}  // namespace moji
