#include "platform/graphics_services.h"

#include <algorithm>

namespace moji {

HGDIOBJ GraphicsServices::CreateFontIndirectA(const LOGFONTA& description) {
  return handles_.Store(description);
}

HGDIOBJ GraphicsServices::CreatePen(std::int32_t style, std::int32_t width, COLORREF color) {
  const PenDescription pen{style, width, color};
  const HGDIOBJ handle = handles_.Store(pen);
  if (handle != 0) {
    for (GdiObjectObserver* observer : observers_) observer->PenCreated(handle, pen);
  }
  return handle;
}

bool GraphicsServices::DeleteObject(HGDIOBJ object) {
  if (object == kStockFont || object == kStockPen) return true;
  if (!handles_.Erase(object)) return false;
  for (GdiObjectObserver* observer : observers_) observer->ObjectDeleted(object);
  return true;
}

void GraphicsServices::RemoveObserver(GdiObjectObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace moji
