#include "platform/device_context.h"

namespace moji {

bool Polyline(DeviceContext& hdc, const POINT* points, std::int32_t count) {
  if (points == nullptr || count < 2) return false;
  if (hdc.Surface != nullptr) hdc.Surface->Polyline({points, static_cast<std::size_t>(count)});
  return true;
}

bool PolyBezier(DeviceContext& hdc, const POINT* points, std::int32_t count) {
  if (points == nullptr || count != 4) return false;
  if (hdc.Surface != nullptr) hdc.Surface->PolyBezier({points, 4});
  return true;
}

}  // namespace moji
