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

// Reads the curve record at `offset` into `curve` and advances `offset` past it. A record
// that runs past `end`, has no points, or is a quadratic run of fewer than two points is
// malformed: false, and neither `curve` nor `offset` is to be trusted.
bool ReadCurve(std::span<const std::uint8_t> buffer, std::size_t& offset, std::size_t end,
               float scale, OutlineCurve& curve) {
  if (end - offset < kCurveHeadSize) return false;
  const CurveHead head = ReadRecord<CurveHead>(buffer, offset);
  offset += kCurveHeadSize;
  if (head.Count <= 0) return false;
  if (head.Type == TT_PRIM_QSPLINE && head.Count < 2) return false;
  if (static_cast<std::size_t>(head.Count) * kPointSize > end - offset) return false;
  curve.CurveType = head.Type;
  curve.PointCount = head.Count;
  curve.Points.resize(static_cast<std::size_t>(head.Count));
  for (OutlinePoint& point : curve.Points) {
    const POINTFX fx = ReadRecord<POINTFX>(buffer, offset);
    offset += kPointSize;
    point.X = Scaled(fx.x, scale);
    point.Y = Scaled(fx.y, scale);
  }
  return true;
}

// Reads the curves of one polygon up to `end`; false when a malformed curve ended the walk.
bool ReadCurves(std::span<const std::uint8_t> buffer, std::size_t& offset, std::size_t end,
                float scale, OutlineBlock& block, std::int32_t& maxCurvePoints) {
  while (offset < end) {
    OutlineCurve curve;
    if (!ReadCurve(buffer, offset, end, scale, curve)) return false;
    if (maxCurvePoints < curve.PointCount) maxCurvePoints = curve.PointCount;
    block.Curves.push_back(std::move(curve));
    ++block.CurveCount;
  }
  return true;
}

}  // namespace

GlyphOutline WalkNativeOutline(std::span<const std::uint8_t> buffer, float scale,
                               const std::u16string& character) {
  GlyphOutline outline;
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
