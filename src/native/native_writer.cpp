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

/// A point to write: point `A` of the contour, or the midpoint of points `A` and `B`.
struct PointRef {
  std::size_t A = 0;
  std::size_t B = 0;
};

/// Writes the polygon of one contour: its start point, then its runs as curve records.
class PolygonWriter {
 public:
  /// The contour's points are the font's points from number `firstNumber` on.
  PolygonWriter(std::span<const FontUnitPoint> points, std::span<const PointKind> kinds,
                std::size_t firstNumber, const HeightScale& scale, std::vector<std::uint8_t>& out,
                std::vector<PointSource>* sources)
      : points_(points), kinds_(kinds), firstNumber_(firstNumber), scale_(scale), out_(out),
        sources_(sources) {}

  /// False when the contour's controls do not make whole runs.
  bool Write() {
    const std::size_t headerAt = out_.size();
    out_.resize(headerAt + kPolygonHeaderSize);
    std::size_t first = 0;
    end_ = points_.size();
    if (points_.size() == 1 || IsOn(0)) {
      start_ = Scaled(0);
      first = 1;
    } else if (IsOn(end_ - 1)) {
      // The contour begins off the curve: its last point starts the polygon and is not visited
      // again, so the points run on in their own order.
      start_ = Scaled(end_ - 1);
      end_ -= 1;
    } else if (kinds_[0] == PointKind::QuadraticControl &&
               kinds_[end_ - 1] == PointKind::QuadraticControl) {
      // No on-curve point at either end: the polygon starts at the implied on-curve point
      // between the last and the first point.
      start_ = Midpoint(end_ - 1, 0);
    } else {
      return false;  // a cubic segment needs an on-curve point to start from
    }
    if (sources_ != nullptr) sources_->push_back(Source(start_));
    for (std::size_t at = first; at < end_;) {
      switch (kinds_[at]) {
        case PointKind::OnCurve: at = WriteLineRun(at); break;
        case PointKind::QuadraticControl: at = WriteSplineRun(at); break;
        case PointKind::CubicControl: at = WriteCubicRun(at); break;
      }
      if (at == kMalformed) return false;
    }

    const auto byteCount = static_cast<std::uint32_t>(out_.size() - headerAt);
    const std::uint32_t type = TT_POLYGON_TYPE;
    std::memcpy(out_.data() + headerAt, &byteCount, 4);
    std::memcpy(out_.data() + headerAt + 4, &type, 4);
    const FixedPoint start = Fixed(start_);
    std::memcpy(out_.data() + headerAt + 8, &start, kPointSize);
    return true;
  }

 private:
  /// What a run writer returns for controls that make no whole run.
  static constexpr std::size_t kMalformed = static_cast<std::size_t>(-1);

  bool IsOn(std::size_t index) const { return kinds_[index] == PointKind::OnCurve; }

  static PointRef Scaled(std::size_t index) { return {index, index}; }
  static PointRef Midpoint(std::size_t a, std::size_t b) { return {a, b}; }

  /// The end point of a run whose controls end before `index`: that point, or the polygon's
  /// start when the run ends the contour.
  PointRef RunEnd(std::size_t index) const { return index < end_ ? Scaled(index) : start_; }

  FixedPoint Fixed(const PointRef& ref) const {
    const FontUnitPoint &a = points_[ref.A], &b = points_[ref.B];
    if (ref.A == ref.B) return {ScaleToFixed(a.X, scale_), ScaleToFixed(a.Y, scale_)};
    return {ScaleMidpointToFixed(a.X, b.X, scale_), ScaleMidpointToFixed(a.Y, b.Y, scale_)};
  }

  PointSource Source(const PointRef& ref) const {
    const FontUnitPoint &a = points_[ref.A], &b = points_[ref.B];
    if (ref.A == ref.B) {
      return {static_cast<std::int32_t>(firstNumber_ + ref.A), double(a.X), double(a.Y)};
    }
    return {-1, (double(a.X) + double(b.X)) / 2, (double(a.Y) + double(b.Y)) / 2};
  }

  /// Where the run of points of `kind` from `at` ends.
  std::size_t RunOf(PointKind kind, std::size_t at) const {
    while (at < end_ && kinds_[at] == kind) ++at;
    return at;
  }

  /// A maximal run of on-curve points from `at`: line records of at most 32767 points each.
  /// Returns where the run ends.
  std::size_t WriteLineRun(std::size_t at) {
    const std::size_t runEnd = RunOf(PointKind::OnCurve, at);
    while (at < runEnd) {
      const std::size_t count = std::min<std::size_t>(runEnd - at, kMaxRecordPoints);
      std::uint8_t* cursor = AddRecord(TT_PRIM_LINE, count);
      for (std::size_t k = at; k < at + count; ++k) cursor = Put(cursor, Scaled(k));
      at += count;
    }
    return runEnd;
  }

  /// A maximal run of quadratic controls from `at` and the on-curve point after it, or the
  /// polygon's start when the run ends the contour. A record holds at most 32766 controls and
  /// its end point: a longer run is cut at the implied on-curve point between two controls,
  /// which lies on the curve, so the records draw the same shape. Returns the index after the
  /// run's end point.
  std::size_t WriteSplineRun(std::size_t at) {
    const std::size_t controlsEnd = RunOf(PointKind::QuadraticControl, at);
    if (controlsEnd < end_ && !IsOn(controlsEnd)) return kMalformed;
    constexpr std::size_t kControlsPerRecord = kMaxRecordPoints - 1;
    while (controlsEnd - at > kControlsPerRecord) {
      std::uint8_t* cursor = AddRecord(TT_PRIM_QSPLINE, kMaxRecordPoints);
      for (std::size_t k = at; k < at + kControlsPerRecord; ++k) cursor = Put(cursor, Scaled(k));
      at += kControlsPerRecord;
      Put(cursor, Midpoint(at - 1, at));
    }
    std::uint8_t* cursor = AddRecord(TT_PRIM_QSPLINE, controlsEnd - at + 1);
    for (std::size_t k = at; k < controlsEnd; ++k) cursor = Put(cursor, Scaled(k));
    Put(cursor, RunEnd(controlsEnd));
    return controlsEnd + 1;
  }

  /// A maximal run of cubic segments from `at`, each two controls and the on-curve point after
  /// them (the polygon's start for a segment that ends the contour). A record holds at most
  /// 10922 whole segments (32766 points): a longer run goes on in a new record. Returns the
  /// index after the run's last end point.
  std::size_t WriteCubicRun(std::size_t at) {
    std::size_t segments = 0;
    std::size_t next = at;
    while (next < end_ && kinds_[next] == PointKind::CubicControl) {
      if (next + 1 >= end_ || kinds_[next + 1] != PointKind::CubicControl) return kMalformed;
      if (next + 2 < end_ && !IsOn(next + 2)) return kMalformed;
      ++segments;
      next += 3;
    }
    constexpr std::size_t kSegmentsPerRecord = kMaxRecordPoints / 3;
    while (segments > 0) {
      const std::size_t count = std::min(segments, kSegmentsPerRecord);
      std::uint8_t* cursor = AddRecord(TT_PRIM_CSPLINE, 3 * count);
      for (std::size_t segment = 0; segment < count; ++segment, at += 3) {
        cursor = Put(cursor, Scaled(at));
        cursor = Put(cursor, Scaled(at + 1));
        cursor = Put(cursor, RunEnd(at + 2));
      }
      segments -= count;
    }
    return std::min(next, end_);
  }

  /// Adds a record of `count` points to the buffer and returns where its points go.
  std::uint8_t* AddRecord(std::uint16_t type, std::size_t count) {
    const std::uint16_t head[2] = {type, static_cast<std::uint16_t>(count)};
    const std::size_t at = out_.size();
    out_.resize(at + kCurveHeadSize + count * kPointSize);
    std::memcpy(out_.data() + at, head, kCurveHeadSize);
    return out_.data() + at + kCurveHeadSize;
  }

  std::uint8_t* Put(std::uint8_t* cursor, const PointRef& point) {
    const FixedPoint fixed = Fixed(point);
    std::memcpy(cursor, &fixed, kPointSize);
    if (sources_ != nullptr) sources_->push_back(Source(point));
    return cursor + kPointSize;
  }

  std::span<const FontUnitPoint> points_;
  std::span<const PointKind> kinds_;
  std::size_t firstNumber_;
  const HeightScale& scale_;
  std::vector<std::uint8_t>& out_;
  std::vector<PointSource>* sources_;
  PointRef start_{};
  /// The end of the points the runs visit: the last point starts the polygon in some contours.
  std::size_t end_ = 0;
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
                         std::vector<std::uint8_t>& out, std::vector<PointSource>* sources) {
  if (!AreContours(contours)) return false;
  // Room for the usual case: a header and a closing point per contour, a point and some
  // record heads per point.
  out.reserve(out.size() + contours.Ends.size() * 24 + contours.Points.size() * 10);
  const std::size_t oldSize = out.size();
  const std::size_t oldSources = sources != nullptr ? sources->size() : 0;
  std::size_t first = 0;
  for (const std::size_t end : contours.Ends) {
    const std::size_t count = end - first + 1;
    PolygonWriter polygon(contours.Points.subspan(first, count),
                          contours.Kinds.subspan(first, count), first, scale, out, sources);
    if (!polygon.Write()) {
      out.resize(oldSize);
      if (sources != nullptr) sources->resize(oldSources);
      return false;
    }
    first = end + 1;
  }
  return true;
}

}  // namespace moji
