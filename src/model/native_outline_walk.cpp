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

/// The sound curve records at the start of a polygon's body.
struct SoundCurves {
  std::size_t Count = 0;
  /// Whether they fill the body; if not, a malformed record follows them.
  bool Whole = true;
};

// Checks the curve records from `offset` to `end`. A record that runs past `end`, has no points,
// or is a quadratic run of fewer than two points is malformed and ends the count.
SoundCurves CheckCurves(std::span<const std::uint8_t> buffer, std::size_t offset,
                        std::size_t end) {
  SoundCurves sound;
  while (offset < end) {
    if (end - offset < kCurveHeadSize) return {sound.Count, false};
    const CurveHead head = ReadRecord<CurveHead>(buffer, offset);
    offset += kCurveHeadSize;
    const bool tooFew = head.Count <= 0 || (head.Type == TT_PRIM_QSPLINE && head.Count < 2);
    if (tooFew || static_cast<std::size_t>(head.Count) * kPointSize > end - offset) {
      return {sound.Count, false};
    }
    offset += static_cast<std::size_t>(head.Count) * kPointSize;
    ++sound.Count;
  }
  return sound;
}

// Reads `count` curve records at `offset`, which CheckCurves has found sound, into the block,
// and advances `offset` past them.
void ReadCurves(std::span<const std::uint8_t> buffer, std::size_t& offset, std::size_t count,
                float scale, OutlineBlock& block, std::int32_t& maxCurvePoints) {
  block.Curves.resize(count);
  block.CurveCount = static_cast<std::int32_t>(count);
  for (OutlineCurve& curve : block.Curves) {
    const CurveHead head = ReadRecord<CurveHead>(buffer, offset);
    offset += kCurveHeadSize;
    curve.CurveType = head.Type;
    curve.PointCount = head.Count;
    if (maxCurvePoints < head.Count) maxCurvePoints = head.Count;
    const auto points = static_cast<std::size_t>(head.Count);
    // Allocated once at its exact length and built point by point, without a first fill.
    curve.Points.reserve(points);
    for (std::size_t k = 0; k < points; ++k, offset += kPointSize) {
      const auto fx = ReadRecord<POINTFX>(buffer, offset);
      curve.Points.push_back({Scaled(fx.x, scale), Scaled(fx.y, scale)});
    }
  }
}

// The number of polygons of the buffer, hopping by their lengths: a capacity hint, ended by
// the same lengths that end the walk.
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
    // The curves are checked before any is read, so that the block's array is allocated once
    // at its length.
    const SoundCurves sound = CheckCurves(buffer, offset, end);
    ReadCurves(buffer, offset, sound.Count, scale, block, outline.MaxCurvePoints);
    if (!sound.Whole) break;
  }
  if (outline.BlockCount == 0) return GlyphOutline{};
  outline.Character = character;
  return outline;
}

}  // namespace moji
