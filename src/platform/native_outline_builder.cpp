#include "platform/native_outline_builder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

#include "platform/native_outline_records.h"

namespace moji {
namespace {

static_assert(std::endian::native == std::endian::little,
              "native records are little-endian and are written in host byte order");

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
/// Unit counts beyond this are no real font's; refusing them keeps every product in range.
constexpr std::int64_t kMaxUnitsPerHeight = std::int64_t{1} << 40;

__extension__ using UInt128 = unsigned __int128;

/// round(units * numerator / denominator), halves away from zero, when the product and half the
/// denominator fit in 63 bits.
std::int32_t RoundedQuotient(std::int64_t units, std::int64_t numerator, std::int64_t denominator) {
  const bool negative = units < 0;
  const std::int64_t quotient =
      ((negative ? -units : units) * numerator + denominator / 2) / denominator;
  if (negative) {
    return quotient > -std::int64_t{kInt32Min} ? kInt32Min : static_cast<std::int32_t>(-quotient);
  }
  return quotient > kInt32Max ? kInt32Max : static_cast<std::int32_t>(quotient);
}

/// The same quotient for |units| <= SafeUnits, with the division done as a multiplication by the
/// scale's magic number: a division per coordinate would be the slowest step of a conversion.
std::int32_t FastRoundedQuotient(std::int64_t units, const NativeScale& scale) {
  const bool negative = units < 0;
  const std::uint64_t dividend = static_cast<std::uint64_t>(negative ? -units : units) *
                                     static_cast<std::uint64_t>(scale.Numerator) +
                                 static_cast<std::uint64_t>(scale.Denominator / 2);
  const auto high = static_cast<std::uint64_t>((UInt128{dividend} * scale.Magic) >> 64);
  const auto quotient = static_cast<std::int32_t>(high >> scale.HighShift);
  return negative ? -quotient : quotient;
}

/// The same quotient for coordinates too large for the exact path; only clamping can follow.
std::int32_t ApproximateQuotient(double units, std::int64_t numerator, std::int64_t denominator) {
  const double value =
      std::round(units * static_cast<double>(numerator) / static_cast<double>(denominator));
  if (value >= static_cast<double>(kInt32Max)) return kInt32Max;
  if (value <= static_cast<double>(kInt32Min)) return kInt32Min;
  return static_cast<std::int32_t>(value);
}

/// One coordinate by the ratio, for |units| <= SafeUnits of a scale whose ratio is exact: a
/// multiplication and one rounding, without a branch. With no exact halves (see
/// NativeScaleForHeight) rounding to nearest is rounding halves away from zero; the shift by
/// 2^31 makes every sum positive, so that truncation rounds it down, and adds at most 2^-21 of
/// error to the 2^-21 of the product.
std::int32_t ScaleByRatio(std::int64_t units, double ratio) {
  constexpr double kShiftAndHalf = 2147483648.5;
  const double shifted = static_cast<double>(units) * ratio + kShiftAndHalf;
  return static_cast<std::int32_t>(static_cast<std::int64_t>(shifted) - (std::int64_t{1} << 31));
}

bool WithinSafeUnits(std::int64_t units, const NativeScale& scale) {
  const auto safe = static_cast<std::uint64_t>(scale.SafeUnits);
  return static_cast<std::uint64_t>(units) + safe <= 2 * safe;  // -SafeUnits <= units <= SafeUnits
}

std::int32_t ScaleCoordinate(std::int64_t units, const NativeScale& scale) {
  if (WithinSafeUnits(units, scale)) {
    return scale.RatioIsExact ? ScaleByRatio(units, scale.Ratio) : FastRoundedQuotient(units, scale);
  }
  if (units <= scale.UnitLimit && units >= -scale.UnitLimit) {
    return RoundedQuotient(units, scale.Numerator, scale.Denominator);
  }
  return ApproximateQuotient(static_cast<double>(units), scale.Numerator, scale.Denominator);
}

/// Whether every coordinate of the points can be scaled by the ratio. It checks a window of
/// [-2^k, 2^k) within +-SafeUnits: shifted by 2^k, every coordinate in it lies below 2^(k+1),
/// negative ones wrap far above, and so the OR of them all tells, in one pass of additions and
/// ORs that vectorises. A coordinate between the window and SafeUnits merely takes the slower
/// way.
bool RatioScales(std::span<const FT_Vector> points, const NativeScale& scale) {
  if (!scale.RatioIsExact || scale.SafeUnits < 1) return false;
  const auto safe = static_cast<std::uint64_t>(scale.SafeUnits);
  const std::uint64_t shift = std::uint64_t{1} << (std::bit_width(safe) - 1);
  std::uint64_t all = 0;
  for (const FT_Vector& point : points) {
    all |= (static_cast<std::uint64_t>(point.x) + shift) | (static_cast<std::uint64_t>(point.y) + shift);
  }
  return all < 2 * shift;
}

/// The scaling of a contour whose coordinates RatioScales has cleared.
struct ByRatio {
  double Ratio;
  std::int32_t operator()(std::int64_t units) const { return ScaleByRatio(units, Ratio); }
};

/// The scaling of any coordinate.
struct ByScale {
  NativeScale Scale;
  std::int32_t operator()(std::int64_t units) const { return ScaleCoordinate(units, Scale); }
};

/// A point in 16.16 device units, laid out as a POINTFX.
struct FixedPoint {
  std::int32_t X;
  std::int32_t Y;
};
static_assert(sizeof(FixedPoint) == kPointSize);

/// Groups one contour's points into a polygon, scaling each point with a Scaler as it is
/// written.
template <typename Scaler>
class ContourWriter {
 public:
  ContourWriter(const FT_Vector* points, const unsigned char* tags, const NativeScale& scale,
                Scaler scaler)
      : points_(points), tags_(tags), scale_(scale), scaler_(scaler) {}

  /// Writes the polygon of `count` points at `out`; returns its byte length.
  std::size_t Write(std::size_t count, std::uint8_t* out) const {
    std::size_t begin = 0;
    std::size_t end = count;
    FixedPoint start;
    if (count == 1 || IsOn(0)) {
      start = Scaled(0);
      begin = 1;
    } else if (IsOn(count - 1)) {
      // The contour begins off the curve: its last point starts the polygon and is not visited
      // again, so the points run on in their own order.
      start = Scaled(count - 1);
      end = count - 1;
    } else {
      // No on-curve point at either end: the polygon starts at the implied on-curve point
      // between the last and the first point.
      start = Midpoint(count - 1, 0);
    }

    const std::uint8_t* written = WriteRecords(begin, end, start, out + kPolygonHeaderSize);
    const auto byteCount = static_cast<std::uint32_t>(written - out);
    const std::uint32_t type = TT_POLYGON_TYPE;
    std::memcpy(out, &byteCount, 4);
    std::memcpy(out + 4, &type, 4);
    std::memcpy(out + 8, &start, kPointSize);
    return byteCount;
  }

 private:
  bool IsOn(std::size_t index) const { return (tags_[index] & FT_CURVE_TAG_ON) != 0; }

  FixedPoint Scaled(std::size_t index) const {
    return {scaler_(points_[index].x), scaler_(points_[index].y)};
  }

  FixedPoint Midpoint(std::size_t a, std::size_t b) const {
    return {ScaleMidpointToFixed(points_[a].x, points_[b].x, scale_),
            ScaleMidpointToFixed(points_[a].y, points_[b].y, scale_)};
  }

  /// The records of points [begin, end) at `cursor`, in one pass; returns their end. A line
  /// record is a run of on-curve points; a spline record a run of off-curve points with the
  /// on-curve point after it, or the polygon's start when the run ends the contour. The pass
  /// decides per point whether it opens a record without a branch: where a record opens, the
  /// runs end at points the processor cannot foresee. Only a record that is full (32767 points)
  /// takes a branch: a line run goes on in a new record, and a spline run is cut at the implied
  /// on-curve point between two control points, which lies on the curve, so the two records
  /// draw the same shape.
  std::uint8_t* WriteRecords(std::size_t begin, std::size_t end, FixedPoint start,
                             std::uint8_t* cursor) const {
    enum Open : unsigned { kNone = 0, kLine = 1, kSpline = 2 };
    constexpr std::size_t kControlsPerCut = kMaxRecordPoints - 1;
    // Local copies: the byte stores below could alias the members, which would be reloaded.
    const Scaler scaled = scaler_;
    const FT_Vector* const points = points_;
    const unsigned char* const tags = tags_;
    std::uint8_t* head = cursor;
    std::uint16_t count = 0;
    unsigned open = kNone;
    for (std::size_t index = begin; index < end; ++index) {
      const bool on = (tags[index] & FT_CURVE_TAG_ON) != 0;
      if (count >= kControlsPerCut) [[unlikely]] {
        if (open == kSpline && !on) {
          const FixedPoint cut = Midpoint(index - 1, index);
          std::memcpy(cursor, &cut, kPointSize);
          cursor += kPointSize;
          ++count;
          std::memcpy(head + 2, &count, 2);
          open = kNone;
        } else if (open == kLine && on && count == kMaxRecordPoints) {
          open = kNone;
        }
      }
      const bool opens = on ? open == kNone : open != kSpline;
      // The head is written where the point would go and kept only when a record opens.
      const std::uint32_t newHead = (on ? TT_PRIM_LINE : TT_PRIM_QSPLINE) | (1u << 16);
      std::memcpy(cursor, &newHead, kCurveHeadSize);
      head = opens ? cursor : head;
      count = opens ? std::uint16_t{1} : static_cast<std::uint16_t>(count + 1);
      cursor += opens ? kCurveHeadSize : 0;
      const FixedPoint point = {scaled(points[index].x), scaled(points[index].y)};
      std::memcpy(cursor, &point, kPointSize);
      cursor += kPointSize;
      std::memcpy(head + 2, &count, 2);
      open = on ? (open == kSpline ? kNone : kLine) : kSpline;
    }
    if (open == kSpline) {  // the last run closes at the polygon's start
      std::memcpy(cursor, &start, kPointSize);
      cursor += kPointSize;
      ++count;
      std::memcpy(head + 2, &count, 2);
    }
    return cursor;
  }

  const FT_Vector* points_;
  const unsigned char* tags_;
  const NativeScale& scale_;
  const Scaler scaler_;
};

/// Writes the polygons of the contours ending at `ends` at `out`, the coordinates scaled by
/// `scaled`; returns the end of what was written.
template <typename Scaler, typename End>
std::uint8_t* WriteContours(const FT_Vector* points, const unsigned char* tags,
                            std::span<const End> ends, const NativeScale& scale, Scaler scaled,
                            std::uint8_t* out) {
  std::size_t first = 0;
  for (const End end : ends) {
    const auto last = static_cast<std::size_t>(end);
    const ContourWriter<Scaler> contour(points + first, tags + first, scale, scaled);
    out += contour.Write(last - first + 1, out);
    first = last + 1;
  }
  return out;
}

/// WriteContours by the ratio when every coordinate can take it, else coordinate by coordinate.
template <typename End>
std::uint8_t* WriteScaledContours(const FT_Vector* points, const unsigned char* tags,
                                  std::size_t pointCount, std::span<const End> ends,
                                  const NativeScale& scale, std::uint8_t* out) {
  if (RatioScales({points, pointCount}, scale)) {
    return WriteContours(points, tags, ends, scale, ByRatio{scale.Ratio}, out);
  }
  return WriteContours(points, tags, ends, scale, ByScale{scale}, out);
}

}  // namespace

std::optional<NativeScale> NativeScaleForHeight(std::int32_t height, std::int64_t cellUnits,
                                                std::int64_t emUnits) {
  std::int64_t pixels = height;
  std::int64_t units = cellUnits;
  if (height == 0) {
    pixels = kDefaultCellHeight;
  } else if (height < 0) {
    pixels = -pixels;
    units = emUnits;
  }
  if (units <= 0 || units > kMaxUnitsPerHeight) return std::nullopt;
  // A denominator of 1 is doubled with the numerator, so that the magic shift below is >= 64.
  const std::int64_t twice = units == 1 ? 2 : 1;
  NativeScale scale;
  scale.Numerator = pixels * 65536 * twice;
  scale.Denominator = units * twice;
  scale.UnitLimit = (kInt64Max - 2 * scale.Denominator) / scale.Numerator;
  const auto safe = static_cast<std::int64_t>(UInt128{static_cast<std::uint64_t>(kInt32Max)} *
                                              static_cast<std::uint64_t>(scale.Denominator) /
                                              static_cast<std::uint64_t>(scale.Numerator));
  scale.SafeUnits = std::min(safe, scale.UnitLimit);
  // Granlund and Montgomery: with l = ceil(log2 d) and m = ceil(2^(63 + l) / d), which fits in
  // 64 bits, floor(n / d) = floor(n * m / 2^(63 + l)) for every n < 2^63.
  const auto divisor = static_cast<std::uint64_t>(scale.Denominator);
  const unsigned shift = 63 + static_cast<unsigned>(std::bit_width(divisor - 1));
  scale.Magic = static_cast<std::uint64_t>(((UInt128{1} << shift) + divisor - 1) / divisor);
  scale.HighShift = shift - 64;
  // The exact quotient q = units * Numerator / Denominator is a half-integer only when
  // 2 * units * Numerator = odd * Denominator; Numerator carries the factor 65536, so that needs
  // 2^17 to divide Denominator. Below 2^17 there are no halves, and every other q lies at least
  // 1 / (2 * Denominator) >= 2^-18 from a half. Multiplying by the rounded ratio is off by at
  // most |q| * 2^-52 <= 2^-21 for |q| < 2^31, so it rounds to the same integer as q.
  scale.Ratio = static_cast<double>(scale.Numerator) / static_cast<double>(scale.Denominator);
  scale.RatioIsExact = scale.Denominator < (std::int64_t{1} << 17);
  return scale;
}

std::int32_t ScaleToFixed(std::int64_t units, const NativeScale& scale) {
  return ScaleCoordinate(units, scale);
}

std::int32_t ScaleMidpointToFixed(std::int64_t unitsA, std::int64_t unitsB,
                                  const NativeScale& scale) {
  const std::int64_t half = scale.UnitLimit / 2;
  if (unitsA > half || unitsA < -half || unitsB > half || unitsB < -half) {
    const double sum = static_cast<double>(unitsA) + static_cast<double>(unitsB);
    return ApproximateQuotient(sum, scale.Numerator, 2 * scale.Denominator);
  }
  return RoundedQuotient(unitsA + unitsB, scale.Numerator, 2 * scale.Denominator);
}

std::size_t NativeOutlineByteBound(std::size_t pointCount, std::size_t contourCount) {
  // Per contour: a header, at most one extra end point (the start again); per visited point at
  // most a record head and the point; per cut of a long spline run one more point.
  return contourCount * (kPolygonHeaderSize + kPointSize + 8) + pointCount * 13;
}

void AppendNativeContour(std::span<const FT_Vector> points, std::span<const unsigned char> tags,
                         const NativeScale& scale, std::vector<std::uint8_t>& out) {
  if (points.empty() || tags.size() != points.size()) return;
  const std::size_t oldSize = out.size();
  out.resize(oldSize + NativeOutlineByteBound(points.size(), 1));
  const std::size_t end[] = {points.size() - 1};
  const std::uint8_t* written = WriteScaledContours(points.data(), tags.data(), points.size(),
                                                    std::span<const std::size_t>(end), scale,
                                                    out.data() + oldSize);
  out.resize(static_cast<std::size_t>(written - out.data()));
}

bool AppendNativeOutline(const FT_Outline& outline, const NativeScale& scale,
                         std::vector<std::uint8_t>& out) {
  // The contour ends are short in older FreeType releases and unsigned short in newer ones.
  using ContourEnd = std::remove_cv_t<std::remove_pointer_t<decltype(outline.contours)>>;
  const long contourCount = outline.n_contours;
  const long pointCount = outline.n_points;
  if (contourCount <= 0) return contourCount == 0;
  if (pointCount <= 0 || outline.points == nullptr || outline.tags == nullptr ||
      outline.contours == nullptr) {
    return false;
  }
  long previousEnd = -1;
  for (long c = 0; c < contourCount; ++c) {
    const long contourEnd = outline.contours[c];
    if (contourEnd <= previousEnd || contourEnd >= pointCount) return false;
    previousEnd = contourEnd;
  }

  const std::size_t oldSize = out.size();
  out.resize(oldSize + NativeOutlineByteBound(static_cast<std::size_t>(pointCount),
                                              static_cast<std::size_t>(contourCount)));
  const auto* tags = reinterpret_cast<const unsigned char*>(outline.tags);
  const std::uint8_t* written = WriteScaledContours(
      outline.points, tags, static_cast<std::size_t>(pointCount),
      std::span<const ContourEnd>(outline.contours, static_cast<std::size_t>(contourCount)), scale,
      out.data() + oldSize);
  out.resize(static_cast<std::size_t>(written - out.data()));
  return true;
}

}  // namespace moji
