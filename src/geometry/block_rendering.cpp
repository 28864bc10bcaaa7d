#include "geometry/block_rendering.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <vector>

#include "geometry/cubic_from_quadratic.h"
#include "geometry/device_transform.h"
#include "model/outline_invariants.h"
#include "model/outline_visit.h"

namespace moji {
namespace {

/// Selects a pen for the life of a drawing call; on every way out, the previous pen is selected
/// again and this pen deleted.
class PenSelection {
 public:
  PenSelection(DeviceContext& hdc, HGDIOBJ pen)
      : hdc_(hdc), pen_(pen), previous_(SelectObject(hdc, pen)) {}
  ~PenSelection() {
    SelectObject(hdc_, previous_);
    hdc_.Services.DeleteObject(pen_);
  }
  PenSelection(const PenSelection&) = delete;
  PenSelection& operator=(const PenSelection&) = delete;

 private:
  DeviceContext& hdc_;
  HGDIOBJ pen_;
  HGDIOBJ previous_;
};

/// A count that must equal the length of its array; anything else is a broken outline.
template <typename Element>
void RequireCountMatches(std::int32_t count, const std::vector<Element>& elements,
                         const char* what) {
  if (count < 0 || static_cast<std::size_t>(count) != elements.size()) {
    throw std::out_of_range(what);
  }
}

/// The invariants a curve must keep before any of its points is read.
void RequireDrawableCurve(const OutlineCurve& curve, std::int32_t maxCurvePoints) {
  if (const char* problem = CurveProblem(curve)) throw std::out_of_range(problem);
  if (curve.PointCount > maxCurvePoints) {
    throw std::out_of_range("curve longer than the outline's largest point count");
  }
}

/// Points the device buffer must hold: the longest run plus its start and closing points, and
/// at least one Bezier segment. Bounded by the longest run actually drawn, so a broken
/// `MaxCurvePoints` cannot ask for a huge buffer.
std::size_t DeviceBufferSize(const GlyphOutline& outline, std::int32_t blockIndex) {
  std::size_t longest = 0;
  const auto blocks = Counted(outline.Blocks, outline.BlockCount);
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    if (blockIndex != ALL_BLOCKS && static_cast<std::size_t>(blockIndex) != b) continue;
    for (const OutlineCurve& curve : blocks[b].Curves) {
      longest = std::max(longest, curve.Points.size());
    }
  }
  const auto maxCurvePoints = static_cast<std::size_t>(std::max(outline.MaxCurvePoints, 0));
  return std::max<std::size_t>(std::min(longest, maxCurvePoints) + 2, 4);
}

/// A point count as the drawing calls take it.
std::int32_t DeviceCount(std::size_t count) {
  if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw std::overflow_error("point count outside the 32-bit range");
  }
  return static_cast<std::int32_t>(count);
}

/// Sends drawing calls to a device context.
class DeviceSink final : public BlockCallSink {
 public:
  explicit DeviceSink(DeviceContext& hdc) : hdc_(hdc) {}
  void Polyline(std::span<const POINT> points) override {
    moji::Polyline(hdc_, points.data(), DeviceCount(points.size()));
  }
  void PolyBezier(std::span<const POINT> points) override {
    moji::PolyBezier(hdc_, points.data(), DeviceCount(points.size()));
  }

 private:
  DeviceContext& hdc_;
};

/// Makes the drawing calls of blocks from one device point buffer, reused for every call.
class BlockPainter {
 public:
  BlockPainter(BlockCallSink& sink, const DeviceTransform& transform, std::size_t bufferSize,
               std::int32_t maxCurvePoints)
      : sink_(sink), transform_(transform), buffer_(bufferSize), maxCurvePoints_(maxCurvePoints) {}

  void DrawBlock(const OutlineBlock& block) {
    RequireCountMatches(block.CurveCount, block.Curves,
                        "block curve count differs from its curves");
    const OutlinePoint start{block.StartX, block.StartY};
    OutlinePoint current = start;
    for (std::int32_t i = 0; i < block.CurveCount; ++i) {
      const OutlineCurve& curve = block.Curves[static_cast<std::size_t>(i)];
      RequireDrawableCurve(curve, maxCurvePoints_);
      const bool last = i == block.CurveCount - 1;
      if (curve.CurveType == CURVE_POLYLINE) {
        DrawPolylineRun(current, curve.Points, last, start);
      } else if (curve.CurveType == CURVE_QSPLINE || curve.CurveType == CURVE_CSPLINE) {
        if (curve.CurveType == CURVE_QSPLINE) DrawSplineRun(current, curve.Points);
        if (curve.CurveType == CURVE_CSPLINE) DrawCubicRun(current, curve.Points);
        if (last) DrawClosingLine(curve.Points.back(), start);
      }
      // A run of any other type draws nothing, leaves the block open, and still moves the
      // current point: the next run starts where this one ends.
      current = curve.Points.back();
    }
  }

 private:
  /// One Polyline from the current point through the run, closed back to the block's start
  /// when the run is the block's last.
  void DrawPolylineRun(OutlinePoint current, const std::vector<OutlinePoint>& points, bool last,
                       OutlinePoint start) {
    std::size_t count = 0;
    buffer_[count++] = ToDevice(current);
    for (const OutlinePoint& point : points) buffer_[count++] = ToDevice(point);
    if (last) buffer_[count++] = ToDevice(start);
    sink_.Polyline(std::span(buffer_).first(count));
  }

  /// One PolyBezier per quadratic piece: a run of n points gives n - 1 cubic segments.
  void DrawSplineRun(OutlinePoint current, const std::vector<OutlinePoint>& points) {
    OutlinePoint segmentStart = current;
    for (std::size_t s = 0; s + 1 < points.size(); ++s) {
      const bool lastPiece = s + 2 == points.size();
      scratch_ = CubicFromQuadratic(segmentStart, points[s], points[s + 1], lastPiece);
      for (std::size_t k = 0; k < scratch_.size(); ++k) buffer_[k] = ToDevice(scratch_[k]);
      sink_.PolyBezier(std::span(buffer_).first(4));
      segmentStart = scratch_[3];
    }
  }

  /// One PolyBezier per cubic segment: the current point, two controls and the segment's end.
  void DrawCubicRun(OutlinePoint current, const std::vector<OutlinePoint>& points) {
    for (std::size_t s = 0; s + 2 < points.size(); s += 3) {
      buffer_[0] = ToDevice(current);
      for (std::size_t k = 0; k < 3; ++k) buffer_[k + 1] = ToDevice(points[s + k]);
      sink_.PolyBezier(std::span(buffer_).first(4));
      current = points[s + 2];
    }
  }

  /// The straight line that closes a block whose last run is a spline, even when it has no length.
  void DrawClosingLine(OutlinePoint end, OutlinePoint start) {
    buffer_[0] = ToDevice(end);
    buffer_[1] = ToDevice(start);
    sink_.Polyline(std::span(buffer_).first(2));
  }

  POINT ToDevice(OutlinePoint point) const { return transform_.ToDevice(point.X, point.Y); }

  BlockCallSink& sink_;
  DeviceTransform transform_;
  std::vector<POINT> buffer_;
  CubicSegment scratch_{};
  std::int32_t maxCurvePoints_;
};

}  // namespace

void DrawOutlineBlocks(DeviceContext& hdc, const GlyphOutline& outline, float offsetX,
                       float offsetY, float scale, bool flipY, COLORREF penColor,
                       std::int32_t penWidth, std::int32_t penStyle, std::int32_t blockIndex) {
  const PenSelection selection(hdc, hdc.Services.CreatePen(penStyle, penWidth, penColor));
  DeviceSink sink(hdc);
  TraceOutlineBlocks(outline, offsetX, offsetY, scale, flipY, blockIndex, sink);
}

void SegmentLimitSink::Polyline(std::span<const POINT> points) {
  if (left_ == 0 || points.size() < 2) return;
  const std::size_t segments = std::min(points.size() - 1, left_);
  left_ -= segments;
  next_.Polyline(points.first(segments + 1));
}

void SegmentLimitSink::PolyBezier(std::span<const POINT> points) {
  if (left_ == 0) return;
  --left_;
  next_.PolyBezier(points);
}

void DrawOutlineBlockSegments(DeviceContext& hdc, const GlyphOutline& outline, float offsetX,
                              float offsetY, float scale, bool flipY, COLORREF penColor,
                              std::int32_t penWidth, std::int32_t penStyle,
                              std::int32_t blockIndex, std::size_t segments) {
  const PenSelection selection(hdc, hdc.Services.CreatePen(penStyle, penWidth, penColor));
  DeviceSink device(hdc);
  SegmentLimitSink limited(device, segments);
  TraceOutlineBlocks(outline, offsetX, offsetY, scale, flipY, blockIndex, limited);
}

void TraceOutlineBlocks(const GlyphOutline& outline, float offsetX, float offsetY, float scale,
                        bool flipY, std::int32_t blockIndex, BlockCallSink& sink) {
  BlockPainter painter(sink, DeviceTransform{offsetX, offsetY, scale, flipY},
                       DeviceBufferSize(outline, blockIndex), outline.MaxCurvePoints);
  RequireCountMatches(outline.BlockCount, outline.Blocks, "block count differs from the blocks");
  for (std::int32_t c = 0; c < outline.BlockCount; ++c) {
    if (blockIndex == ALL_BLOCKS || blockIndex == c) {
      painter.DrawBlock(outline.Blocks[static_cast<std::size_t>(c)]);
    }
  }
}

}  // namespace moji
