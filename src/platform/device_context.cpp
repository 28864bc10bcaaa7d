#include "platform/device_context.h"

namespace moji {

HGDIOBJ SelectObject(DeviceContext& hdc, HGDIOBJ object) {
  if (hdc.Services.FontDescriptionOf(object) != nullptr) {
    const HGDIOBJ previous = hdc.CurrentFont;
    hdc.CurrentFont = object;
    return previous;
  }
  const PenDescription* pen = hdc.Services.PenDescriptionOf(object);
  if (pen == nullptr) return 0;
  const HGDIOBJ previous = hdc.CurrentPen;
  hdc.CurrentPen = object;
  if (hdc.Surface != nullptr) hdc.Surface->SelectPen(object, *pen);
  return previous;
}

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
