#include "native/native_reader.h"

#include <algorithm>
#include <cstring>

namespace moji {
namespace {

/// Reads one record of type Record at `offset`; the caller has checked that it fits.
template <typename Record>
Record ReadRecord(std::span<const std::uint8_t> buffer, std::size_t offset) {
  Record record;
  std::memcpy(&record, buffer.data() + offset, sizeof(Record));
  return record;
}

/// value + fract / 65536, computed exactly and rounded once to single precision. The fraction
/// word is unsigned: 0xFFFF is 65535/65536, never a negative value.
float FixedToSingle(const FIXED& fixed) {
  const double fraction = static_cast<double>(fixed.fract) / 65536.0;
  return static_cast<float>(static_cast<double>(fixed.value) + fraction);
}

float Scaled(const FIXED& fixed, float scale) {
  return static_cast<float>(static_cast<double>(FixedToSingle(fixed)) * scale);
}

/// The head of a curve record, its type and count read as signed 16-bit values.
struct CurveHead {
  std::int16_t Type;
  std::int16_t Count;
};
static_assert(sizeof(CurveHead) == kCurveHeadSize);

/// The size of the whole, well-formed record at `offset` before `end`; 0 for a record that runs
/// past `end`, has no points, is a quadratic run of one point or a cubic run of a partial
/// segment.
std::size_t WholeRecordSize(std::span<const std::uint8_t> buffer, std::size_t offset,
                            std::size_t end) {
  if (end - offset < kCurveHeadSize) return 0;
  const CurveHead head = ReadRecord<CurveHead>(buffer, offset);
  const bool tooFew = head.Count <= 0 || (head.Type == TT_PRIM_QSPLINE && head.Count < 2) ||
                      (head.Type == TT_PRIM_CSPLINE && head.Count % 3 != 0);
  if (tooFew || std::size_t(head.Count) * kPointSize > end - offset - kCurveHeadSize) return 0;
  return kCurveHeadSize + std::size_t(head.Count) * kPointSize;
}

/// How many whole records lie from `offset` to `end`, before the first that is not whole.
std::size_t RecordsBetween(std::span<const std::uint8_t> buffer, std::size_t offset, std::size_t end) {
  std::size_t records = 0;
  for (std::size_t size = 0; offset < end && (size = WholeRecordSize(buffer, offset, end)) != 0;
       offset += size) {
    ++records;
  }
  return records;
}

/// How many polygons lie one after another from the buffer's start, before the first whose
/// header does not fit or whose length is below a header or past the buffer.
std::size_t PolygonsIn(std::span<const std::uint8_t> buffer) {
  std::size_t polygons = 0;
  for (std::size_t offset = 0; buffer.size() - offset >= kPolygonHeaderSize; ++polygons) {
    const auto header = ReadRecord<TTPOLYGONHEADER>(buffer, offset);
    if (header.cb < kPolygonHeaderSize || header.cb > buffer.size() - offset) break;
    offset += header.cb;
  }
  return polygons;
}

/// Reads the whole curve records from `offset` to `end` into the block, advancing `offset` past
/// them; false when a record that is not whole ended the reading before `end`.
bool ReadCurves(std::span<const std::uint8_t> buffer, std::size_t& offset, std::size_t end,
                float scale, OutlineBlock& block, std::int32_t& maxCurvePoints) {
  const std::size_t records = RecordsBetween(buffer, offset, end);
  block.Curves.reserve(records);
  for (std::size_t record = 0; record < records; ++record) {
    const CurveHead head = ReadRecord<CurveHead>(buffer, offset);
    offset += kCurveHeadSize;
    OutlineCurve& curve = block.Curves.emplace_back();
    ++block.CurveCount;
    curve.CurveType = head.Type;
    curve.PointCount = head.Count;
    maxCurvePoints = std::max<std::int32_t>(maxCurvePoints, head.Count);
    curve.Points.reserve(static_cast<std::size_t>(head.Count));
    for (std::int16_t k = 0; k < head.Count; ++k, offset += kPointSize) {
      const auto fx = ReadRecord<POINTFX>(buffer, offset);
      curve.Points.push_back({Scaled(fx.x, scale), Scaled(fx.y, scale)});
    }
  }
  return offset == end;
}

}  // namespace

GlyphOutline WalkNativeOutline(std::span<const std::uint8_t> buffer, float scale,
                               const std::u16string& character) {
  GlyphOutline outline;
  const std::size_t polygons = PolygonsIn(buffer);
  outline.Blocks.reserve(polygons);
  std::size_t offset = 0;
  for (std::size_t polygon = 0; polygon < polygons; ++polygon) {
    const auto header = ReadRecord<TTPOLYGONHEADER>(buffer, offset);
    const std::size_t end = offset + header.cb;
    offset += kPolygonHeaderSize;
    OutlineBlock& block = outline.Blocks.emplace_back();
    ++outline.BlockCount;
    block.StartX = Scaled(header.pfxStart.x, scale);
    block.StartY = Scaled(header.pfxStart.y, scale);
    // A record that is not whole ends the walk: the block keeps the records before it.
    if (!ReadCurves(buffer, offset, end, scale, block, outline.MaxCurvePoints)) break;
  }
  if (outline.BlockCount == 0) return GlyphOutline{};
  outline.Character = character;
  return outline;
}

}  // namespace moji
