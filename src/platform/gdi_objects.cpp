#include "platform/gdi_objects.h"

#include <algorithm>
#include <variant>
#include <vector>

#include "platform/device_context.h"

namespace moji {
namespace {

// A handle is (generation << kIndexBits) | (slot index + 1), so a stale handle whose slot was
// reused for another object is recognised and refused.
constexpr unsigned kIndexBits = 20;
constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;

struct Slot {
  std::variant<std::monostate, LOGFONTA, PenDescription> Object;
  std::uint32_t Generation = 1;
};

struct HandleTable {
  std::vector<Slot> Slots;
  std::vector<std::uint32_t> FreeSlots;
  std::size_t Live = 0;
  std::uint64_t Created = 0;
  std::vector<GdiObjectObserver*> Observers;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

const LOGFONTA& StockFont() {
  static const LOGFONTA font{};
  return font;
}

const PenDescription& StockPen() {
  static const PenDescription pen{PS_SOLID, 1, 0};
  return pen;
}

Slot* SlotOf(HGDIOBJ handle) {
  HandleTable& table = Table();
  const std::uint32_t index = (handle & kIndexMask);
  if (index == 0 || index > table.Slots.size()) return nullptr;
  Slot& slot = table.Slots[index - 1];
  if ((handle >> kIndexBits) != (slot.Generation & ((1u << (32 - kIndexBits)) - 1))) return nullptr;
  if (std::holds_alternative<std::monostate>(slot.Object)) return nullptr;
  return &slot;
}

template <typename Object>
HGDIOBJ Store(const Object& object) {
  HandleTable& table = Table();
  std::uint32_t index;
  if (!table.FreeSlots.empty()) {
    index = table.FreeSlots.back();
    table.FreeSlots.pop_back();
  } else {
    if (table.Slots.size() >= kIndexMask) return 0;
    table.Slots.emplace_back();
    index = static_cast<std::uint32_t>(table.Slots.size() - 1);
  }
  Slot& slot = table.Slots[index];
  slot.Object = object;
  ++table.Live;
  ++table.Created;
  const std::uint32_t generation = slot.Generation & ((1u << (32 - kIndexBits)) - 1);
  return (generation << kIndexBits) | (index + 1);
}

}  // namespace

HGDIOBJ CreateFontIndirectA(const LOGFONTA& description) { return Store(description); }

HGDIOBJ CreatePen(std::int32_t style, std::int32_t width, COLORREF color) {
  const PenDescription pen{style, width, color};
  const HGDIOBJ handle = Store(pen);
  if (handle != 0) {
    for (GdiObjectObserver* observer : Table().Observers) observer->PenCreated(handle, pen);
  }
  return handle;
}

HGDIOBJ SelectObject(DeviceContext& hdc, HGDIOBJ object) {
  if (object == kStockFont || FontDescriptionOf(object) != nullptr) {
    const HGDIOBJ previous = hdc.CurrentFont;
    hdc.CurrentFont = object;
    return previous;
  }
  const PenDescription* pen = PenDescriptionOf(object);
  if (pen == nullptr) return 0;
  const HGDIOBJ previous = hdc.CurrentPen;
  hdc.CurrentPen = object;
  if (hdc.Surface != nullptr) hdc.Surface->SelectPen(object, *pen);
  return previous;
}

bool DeleteObject(HGDIOBJ object) {
  if (object == kStockFont || object == kStockPen) return true;
  Slot* slot = SlotOf(object);
  if (slot == nullptr) return false;
  HandleTable& table = Table();
  slot->Object = std::monostate{};
  ++slot->Generation;
  table.FreeSlots.push_back((object & kIndexMask) - 1);
  --table.Live;
  for (GdiObjectObserver* observer : table.Observers) observer->ObjectDeleted(object);
  return true;
}

std::size_t LiveHandleCount() { return Table().Live; }

std::uint64_t CreatedHandleCount() { return Table().Created; }

const LOGFONTA* FontDescriptionOf(HGDIOBJ font) {
  if (font == kStockFont) return &StockFont();
  Slot* slot = SlotOf(font);
  return slot == nullptr ? nullptr : std::get_if<LOGFONTA>(&slot->Object);
}

const PenDescription* PenDescriptionOf(HGDIOBJ pen) {
  if (pen == kStockPen) return &StockPen();
  Slot* slot = SlotOf(pen);
  return slot == nullptr ? nullptr : std::get_if<PenDescription>(&slot->Object);
}

void AddGdiObjectObserver(GdiObjectObserver* observer) { Table().Observers.push_back(observer); }

void RemoveGdiObjectObserver(GdiObjectObserver* observer) {
  auto& observers = Table().Observers;
  observers.erase(std::remove(observers.begin(), observers.end(), observer), observers.end());
}

}  // namespace moji
