#pragma once
// Reading native outline buffers back into plain polygons, for the platform tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/native_outline_records.h"

namespace moji::testing_support {

/// A point of a native record: 16.16 x and y.
struct Fx {
  std::int32_t X;
  std::int32_t Y;
  bool operator==(const Fx&) const = default;
};

/// One curve record: its type and points.
struct Record {
  std::uint16_t Type;
  std::vector<Fx> Points;
  bool operator==(const Record&) const = default;
};

/// One polygon: its start point and curve records.
struct Polygon {
  Fx Start;
  std::vector<Record> Records;
  bool operator==(const Polygon&) const = default;
};

/// Reads polygons back; a header or record that does not lie where `cb` says fails the test.
inline std::vector<Polygon> ReadPolygons(const std::vector<std::uint8_t>& bytes) {
  const auto word = [&](std::size_t at) {
    std::int32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
  };
  std::vector<Polygon> polygons;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t end = at + static_cast<std::uint32_t>(at + 16 <= bytes.size() ? word(at) : 0);
    if (end < at + 16 || end > bytes.size() || word(at + 4) != TT_POLYGON_TYPE) {
      ADD_FAILURE() << "malformed polygon header at byte " << at;
      break;
    }
    Polygon polygon{{word(at + 8), word(at + 12)}, {}};
    for (at += 16; at < end;) {
      const auto head = static_cast<std::uint32_t>(at + 4 <= end ? word(at) : 0);
      const std::size_t count = head >> 16;
      if (count == 0 || count > 32767 || at + 4 + 8 * count > end) {
        ADD_FAILURE() << "malformed curve record at byte " << at;
        return polygons;
      }
      polygon.Records.push_back({static_cast<std::uint16_t>(head & 0xFFFF), {}});
      for (at += 4; polygon.Records.back().Points.size() < count; at += 8) {
        polygon.Records.back().Points.push_back({word(at), word(at + 4)});
      }
    }
    polygons.push_back(std::move(polygon));
  }
  return polygons;
}

}  // namespace moji::testing_support
