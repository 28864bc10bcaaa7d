#pragma once
// The table behind font and pen handles.

#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "platform/font_records.h"
#include "platform/gdi_objects.h"

namespace moji {

/// Holds the fonts and pens created and not yet deleted, each under a handle of its own. A
/// handle is (generation << 20) | (slot index + 1), so a stale handle whose slot was reused for
/// another object is recognised and refused.
class HandleTable {
 public:
  /// Stores an object under a new handle; 0 when the table is full.
  HGDIOBJ Store(const LOGFONTA& font);
  HGDIOBJ Store(const PenDescription& pen);
  /// Releases the object of a live handle; false for any other handle.
  bool Erase(HGDIOBJ handle);
  /// The description of a live font or pen (the stock ones included), or nullptr.
  const LOGFONTA* Font(HGDIOBJ handle) const;
  const PenDescription* Pen(HGDIOBJ handle) const;
  /// Objects stored and not yet erased; objects stored since the table was made.
  std::size_t LiveCount() const { return live_; }
  std::uint64_t CreatedCount() const { return created_; }

 private:
  using Object = std::variant<std::monostate, LOGFONTA, PenDescription>;
  struct Slot {
    Object Held;
    std::uint32_t Generation = 1;
  };
  HGDIOBJ StoreObject(Object object);
  const Slot* SlotOf(HGDIOBJ handle) const;

  std::vector<Slot> slots_;
  std::vector<std::uint32_t> freeSlots_;
  std::size_t live_ = 0;
  std::uint64_t created_ = 0;
};

}  // namespace moji
