#include "platform/handle_table.h"

namespace moji {
namespace {

constexpr unsigned kIndexBits = 20;
constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;
constexpr std::uint32_t kGenerationMask = (1u << (32 - kIndexBits)) - 1;
/// The stock font's description: every field zero.
constexpr LOGFONTA kStockFontDescription{};

}  // namespace

HGDIOBJ HandleTable::Store(const LOGFONTA& font) { return StoreObject(font); }

HGDIOBJ HandleTable::Store(const PenDescription& pen) { return StoreObject(pen); }

HGDIOBJ HandleTable::StoreObject(Object object) {
  std::uint32_t index;
  if (!freeSlots_.empty()) {
    index = freeSlots_.back();
    freeSlots_.pop_back();
  } else {
    if (slots_.size() >= kIndexMask) return 0;
    slots_.emplace_back();
    index = static_cast<std::uint32_t>(slots_.size() - 1);
  }
  Slot& slot = slots_[index];
  slot.Held = std::move(object);
  ++live_;
  ++created_;
  return ((slot.Generation & kGenerationMask) << kIndexBits) | (index + 1);
}

const HandleTable::Slot* HandleTable::SlotOf(HGDIOBJ handle) const {
  const std::uint32_t index = handle & kIndexMask;
  if (index == 0 || index > slots_.size()) return nullptr;
  const Slot& slot = slots_[index - 1];
  if ((handle >> kIndexBits) != (slot.Generation & kGenerationMask)) return nullptr;
  return std::holds_alternative<std::monostate>(slot.Held) ? nullptr : &slot;
}

bool HandleTable::Erase(HGDIOBJ handle) {
  if (SlotOf(handle) == nullptr) return false;
  Slot& slot = slots_[(handle & kIndexMask) - 1];
  slot.Held = std::monostate{};
  ++slot.Generation;
  freeSlots_.push_back((handle & kIndexMask) - 1);
  --live_;
  return true;
}

const LOGFONTA* HandleTable::Font(HGDIOBJ handle) const {
  if (handle == kStockFont) return &kStockFontDescription;
  const Slot* slot = SlotOf(handle);
  return slot == nullptr ? nullptr : std::get_if<LOGFONTA>(&slot->Held);
}

const PenDescription* HandleTable::Pen(HGDIOBJ handle) const {
  if (handle == kStockPen) return &kStockPenDescription;
  const Slot* slot = SlotOf(handle);
  return slot == nullptr ? nullptr : std::get_if<PenDescription>(&slot->Held);
}

}  // namespace moji
