#pragma once
// Drawing the blocks of an outline with one pen: polylines, quadratic runs converted to cubic
// Bezier segments, cubic runs as they are.

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/glyph_outline.h"
#include "platform/device_context.h"
#include "platform/gdi_objects.h"
#include "platform/gdi_records.h"

namespace moji {

/// `blockIndex` value that draws every block.
inline constexpr std::int32_t ALL_BLOCKS = -1;

/// Receives the drawing calls of blocks, with their device points, in the order they are made.
class BlockCallSink {
 public:
  virtual ~BlockCallSink() = default;
  /// Connected straight segments through the points (at least 2).
  virtual void Polyline(std::span<const POINT> points) = 0;
  /// One cubic Bezier segment: its start, two controls and end.
  virtual void PolyBezier(std::span<const POINT> points) = 0;
};

/// How much of an outline's drawing is drawn, as its construction goes: every block before
/// `Block` whole, then the first `Segments` segments of block `Block`'s drawing calls (a
/// Polyline through n points holds n - 1, a PolyBezier one), none of the blocks after it.
struct DrawnPart {
  std::int32_t Block = 0;
  std::size_t Segments = 0;
  friend bool operator==(const DrawnPart&, const DrawnPart&) = default;
};

/// Passes the calls of a drawing on to `next` until `segments` segments have gone through: the
/// call that reaches the limit is cut there (a Polyline through its first points), the calls
/// after it are dropped. The calls that pass are exactly the first ones of the whole drawing.
class SegmentLimitSink final : public BlockCallSink {
 public:
  SegmentLimitSink(BlockCallSink& next, std::size_t segments) : next_(next), left_(segments) {}
  void Polyline(std::span<const POINT> points) override;
  void PolyBezier(std::span<const POINT> points) override;

 private:
  BlockCallSink& next_;
  std::size_t left_;
};

/// The drawing calls `DrawOutlineBlocks` makes for the blocks, without a pen, for a writer that
/// draws them itself (an SVG path). Throws as DrawOutlineBlocks does for a broken outline.
void TraceOutlineBlocks(const GlyphOutline& outline, float offsetX, float offsetY, float scale,
                        bool flipY, std::int32_t blockIndex, BlockCallSink& sink);

/// Draws block `blockIndex` (or every block for `ALL_BLOCKS`) with a pen of the given style,
/// width and colour; every point goes through the placement transform and is rounded half to
/// even. Throws std::out_of_range or std::overflow_error for an outline that breaks its
/// invariants, after the previous pen is selected again and this call's pen deleted.
void DrawOutlineBlocks(DeviceContext& hdc, const GlyphOutline& outline, float offsetX,
                       float offsetY, float scale, bool flipY, COLORREF penColor,
                       std::int32_t penWidth, std::int32_t penStyle, std::int32_t blockIndex);

/// Draws block `blockIndex` as DrawOutlineBlocks does, with only the first `segments` segments
/// of its drawing calls (SegmentLimitSink); the pen is made and deleted all the same.
void DrawOutlineBlockSegments(DeviceContext& hdc, const GlyphOutline& outline, float offsetX,
                              float offsetY, float scale, bool flipY, COLORREF penColor,
                              std::int32_t penWidth, std::int32_t penStyle,
                              std::int32_t blockIndex, std::size_t segments);

}  // namespace moji
