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
  const auto count = static_cast<std::size_t>(head.Count);
  const std::size_t first = offset;
  offset += count * kPointSize;
  // Sized once and filled through a plain pointer: a loop the compiler can vectorise.
  curve.Points = std::vector<OutlinePoint>(count);
  OutlinePoint* point = curve.Points.data();
  for (std::size_t k = 0; k < count; ++k) {
    const auto fx = ReadRecord<POINTFX>(buffer, first + k * kPointSize);
    point[k].X = Scaled(fx.x, scale);
    point[k].Y = Scaled(fx.y, scale);
  }
  return true;
}

// The number of curve records from `offset` to `end`, hopping by their point counts. Only a
// capacity hint for the block's curves: a malformed record simply ends the count.
std::size_t CountCurves(std::span<const std::uint8_t> buffer, std::size_t offset, std::size_t end) {
  std::size_t count = 0;
  while (offset < end && end - offset >= kCurveHeadSize) {
    const CurveHead head = ReadRecord<CurveHead>(buffer, offset);
    if (head.Count <= 0) break;
    offset += kCurveHeadSize + static_cast<std::size_t>(head.Count) * kPointSize;
    ++count;
  }
  return count;
}

// The number of polygons of the buffer, hopping by their lengths; a capacity hint like
// CountCurves, ended by the same lengths that end the walk.
std::size_t CountPolygons(std::span<const std::uint8_t> buffer) {
  std::size_t count = 0;
  std::size_t offset = 0;
  while (buffer.size() - offset >= kPolygonHeaderSize) {
    const std::uint32_t length = ReadRecord<TTPOLYGONHEADER>(buffer, offset).cb;
    if (length < kPolygonHeaderSize || length > buffer.size() - offset) break;
    offset += length;
    ++count;
  }
  return count;
}

// Reads the curves of one polygon up to `end`; false when a malformed curve ended the walk.
// The curves are counted first, so that the block's array is allocated once.
bool ReadCurves(std::span<const std::uint8_t> buffer, std::size_t& offset, std::size_t end,
                float scale, OutlineBlock& block, std::int32_t& maxCurvePoints) {
  block.Curves.reserve(CountCurves(buffer, offset, end));
  while (offset < end) {
    OutlineCurve& curve = block.Curves.emplace_back();
    if (!ReadCurve(buffer, offset, end, scale, curve)) {
      block.Curves.pop_back();
      return false;
    }
    if (maxCurvePoints < curve.PointCount) maxCurvePoints = curve.PointCount;
    ++block.CurveCount;
  }
  return true;
}

}  // namespace

GlyphOutline WalkNativeOutline(std::span<const std::uint8_t> buffer, float scale,
                               const std::u16string& character) {
  GlyphOutline outline;
  outline.Blocks.reserve(CountPolygons(buffer));
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
