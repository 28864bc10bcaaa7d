#include "inspect/pixel_outline.h"

#include <cstddef>
#include <cstdint>

#include "native/native_reader.h"

namespace moji {

GlyphOutline PixelOutlineOf(const ScaledOutline& outline, const std::u16string& character,
                            std::vector<PointSource>* sources) {
  std::vector<FontUnitPoint> points;
  points.reserve(outline.Points.size());
  for (const PixelPoint& point : outline.Points) points.push_back({point.X, point.Y});
  // 64 units of 26.6 make a pixel: the records hold the 16.16 pixels exactly.
  constexpr HeightScale kPixelsOf26Dot6{1, 64};
  std::vector<std::uint8_t> bytes;
  std::vector<PointSource> written;
  if (!AppendNativeOutline({points, outline.Kinds, outline.Ends}, kPixelsOf26Dot6, bytes,
                           sources != nullptr ? &written : nullptr)) {
    return {};
  }
  for (PointSource& source : written) {
    const auto index = static_cast<std::size_t>(source.Number);
    source.Number = source.Number >= 0 && index < outline.Numbers.size() ? outline.Numbers[index] : -1;
    source.X /= 64;
    source.Y /= 64;
  }
  if (sources != nullptr) sources->insert(sources->end(), written.begin(), written.end());
  return WalkNativeOutline(bytes, 1.0f, character);
}

}  // namespace moji
