#include "model/native_outline_walk.h"

#include <cstring>

#include "model/fixed_point.h"
#include "platform/native_outline_records.h"

namespace moji {
namespace {

// Reads one record of type Record at `offset`; the caller has checked that it fits.
template <typename Record>
Record ReadRecord(std::span<const std::uint8_t> buffer, std::size_t offset) {
  Record record;
  std::memcpy(&record, buffer.data() + offset, sizeof(Record));
  return record;
}

float Scaled(const FIXED& fixed, float scale) {
  return static_cast<float>(static_cast<double>(FixedToSingle(fixed)) * scale);
}

struct CurveHead {
  std::int16_t Type;
  std::int16_t Count;
};
static_assert(sizeof(CurveHead) == kCurveHeadSize);

// Reads the curve records from `offset` to `end` into the block and advances `offset` past
// them; false when a malformed record ended the reading. A record that runs past `end`, has no
// points, or is a quadratic run of fewer than two points is malformed. The block's array is
// allocated once, for as many curves as the polygon could hold (every record takes at least a
// head and one point): counting them first would walk the records twice.
bool ReadCurves(std::span<const std::uint8_t> buffer, std::size_t& offset, std::size_t end,
                float scale, OutlineBlock& block, std::int32_t& maxCurvePoints) {
  block.Curves.reserve((end - offset) / (kCurveHeadSize + kPointSize));
  bool whole = true;
  while (offset < end) {
    if (end - offset < kCurveHeadSize) {
      whole = false;
      break;
    }
    const CurveHead head = ReadRecord<CurveHead>(buffer, offset);
    const bool tooFew = head.Count <= 0 || (head.Type == TT_PRIM_QSPLINE && head.Count < 2);
    const auto points = static_cast<std::size_t>(head.Count);
    if (tooFew || points * kPointSize > end - offset - kCurveHeadSize) {
      whole = false;
      break;
    }
    offset += kCurveHeadSize;
    OutlineCurve& curve = block.Curves.emplace_back();
    curve.CurveType = head.Type;
    curve.PointCount = head.Count;
    if (maxCurvePoints < head.Count) maxCurvePoints = head.Count;
    // Allocated once at its exact length and built point by point, without a first fill.
    curve.Points.reserve(points);
    for (std::size_t k = 0; k < points; ++k, offset += kPointSize) {
      const auto fx = ReadRecord<POINTFX>(buffer, offset);
      curve.Points.push_back({Scaled(fx.x, scale), Scaled(fx.y, scale)});
    }
  }
  block.CurveCount = static_cast<std::int32_t>(block.Curves.size());
  return whole;
}

}  // namespace

GlyphOutline WalkNativeOutline(std::span<const std::uint8_t> buffer, float scale,
                               const std::u16string& character) {
  GlyphOutline outline;
  // As many blocks as the buffer could hold, each at least a header: allocated once, without
  // a pass over the polygons to count them.
  outline.Blocks.reserve(buffer.size() / kPolygonHeaderSize);
  std::size_t offset = 0;
  while (offset < buffer.size()) {
    // A header that does not fit, or a polygon length below a header or past the buffer,
    // ends the walk before the block is added.
    if (buffer.size() - offset < kPolygonHeaderSize) break;
    const auto header = ReadRecord<TTPOLYGONHEADER>(buffer, offset);
    if (header.cb < kPolygonHeaderSize || header.cb > buffer.size() - offset) break;
    const std::size_t end = offset + header.cb;
    offset += kPolygonHeaderSize;

    OutlineBlock& block = outline.Blocks.emplace_back();
    ++outline.BlockCount;
    block.StartX = Scaled(header.pfxStart.x, scale);
    block.StartY = Scaled(header.pfxStart.y, scale);
    if (!ReadCurves(buffer, offset, end, scale, block, outline.MaxCurvePoints)) break;
  }
  if (outline.BlockCount == 0) return GlyphOutline{};
  outline.Character = character;
  return outline;
}

}  // namespace moji
