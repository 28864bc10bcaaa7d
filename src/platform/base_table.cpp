#include "platform/base_table.h"

#include <array>
#include <string_view>

namespace moji {
namespace {

/// Reads big-endian values of the table, every read checked against its end.
class TableReader {
 public:
  explicit TableReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::optional<std::uint16_t> U16(std::size_t at) const {
    if (at > bytes_.size() || bytes_.size() - at < 2) return std::nullopt;
    return static_cast<std::uint16_t>(bytes_[at] << 8 | bytes_[at + 1]);
  }
  std::optional<std::int16_t> S16(std::size_t at) const {
    const std::optional<std::uint16_t> value = U16(at);
    return value ? std::optional(static_cast<std::int16_t>(*value)) : std::nullopt;
  }
  /// The four letters of a tag at `at`; empty where the table ends.
  std::string_view Tag(std::size_t at) const {
    if (at > bytes_.size() || bytes_.size() - at < 4) return {};
    return {reinterpret_cast<const char*>(bytes_.data() + at), 4};
  }
  /// The place `offset` (read at `at`) points to from `base`; nothing for a null offset.
  std::optional<std::size_t> Offset(std::size_t base, std::size_t at) const {
    const std::optional<std::uint16_t> offset = U16(at);
    if (!offset || *offset == 0) return std::nullopt;
    return base + *offset;
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

/// The index of the baseline tag in the axis's tag list.
std::optional<std::size_t> BaselineIndex(const TableReader& table, std::size_t tagList,
                                         std::string_view tag) {
  const std::optional<std::uint16_t> count = table.U16(tagList);
  for (std::size_t i = 0; count && i < *count; ++i) {
    if (table.Tag(tagList + 2 + 4 * i) == tag) return i;
  }
  return std::nullopt;
}

/// The base values of the preferred script of the axis's script list.
std::optional<std::size_t> ScriptValues(const TableReader& table, std::size_t scriptList) {
  const std::optional<std::uint16_t> count = table.U16(scriptList);
  if (!count || *count == 0) return std::nullopt;
  std::optional<std::size_t> chosen;
  int rank = 4;
  for (std::size_t i = 0; i < *count; ++i) {
    const std::size_t record = scriptList + 2 + 6 * i;
    constexpr std::array<std::string_view, 3> kPreferred = {"hani", "kana", "DFLT"};
    int recordRank = 3;
    for (int r = 0; r < 3; ++r) {
      if (table.Tag(record) == kPreferred[static_cast<std::size_t>(r)]) recordRank = r;
    }
    if (recordRank >= rank) continue;
    if (const std::optional<std::size_t> script = table.Offset(scriptList, record + 4)) {
      chosen = script;
      rank = recordRank;
    }
  }
  return chosen ? table.Offset(*chosen, *chosen) : std::nullopt;
}

/// Coordinate `index` of the base values.
std::optional<std::int16_t> Coordinate(const TableReader& table, std::size_t values,
                                       std::size_t index) {
  const std::optional<std::uint16_t> count = table.U16(values + 2);
  if (!count || index >= *count) return std::nullopt;
  const std::optional<std::size_t> coordinate = table.Offset(values, values + 4 + 2 * index);
  if (!coordinate) return std::nullopt;
  const std::optional<std::uint16_t> format = table.U16(*coordinate);
  if (!format || *format < 1 || *format > 3) return std::nullopt;
  return table.S16(*coordinate + 2);
}

}  // namespace

std::optional<IdeographicBox> IdeographicBoxOfBase(std::span<const std::uint8_t> base,
                                                   std::int32_t unitsPerEm) {
  const TableReader table(base);
  const std::optional<std::size_t> axis = table.Offset(0, 4);
  if (!axis) return std::nullopt;
  const std::optional<std::size_t> tagList = table.Offset(*axis, *axis);
  const std::optional<std::size_t> scriptList = table.Offset(*axis, *axis + 2);
  if (!tagList || !scriptList) return std::nullopt;
  const std::optional<std::size_t> values = ScriptValues(table, *scriptList);
  const std::optional<std::size_t> ideo = BaselineIndex(table, *tagList, "ideo");
  if (!values || !ideo) return std::nullopt;
  const std::optional<std::int16_t> bottom = Coordinate(table, *values, *ideo);
  if (!bottom) return std::nullopt;
  const std::optional<std::size_t> idtp = BaselineIndex(table, *tagList, "idtp");
  const std::optional<std::int16_t> top = idtp ? Coordinate(table, *values, *idtp) : std::nullopt;
  return IdeographicBox{*bottom, top ? std::int32_t{*top} : *bottom + unitsPerEm};
}

}  // namespace moji
