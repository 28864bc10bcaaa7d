#include "model/outline_allocator.h"

namespace moji::outline_memory {
namespace {

/// Frees the thread's kept blocks when the thread ends.
struct KeptBlocksDrain {
  KeptBlocksDrain() = default;
  KeptBlocksDrain(const KeptBlocksDrain&) = delete;
  KeptBlocksDrain& operator=(const KeptBlocksDrain&) = delete;
  ~KeptBlocksDrain() {
    kept.Closed = true;
    kept.Bytes = 0;
    for (Node*& head : kept.Heads) {
      while (head != nullptr) {
        Node* next = head->Next;
        ::operator delete(head);
        head = next;
      }
    }
  }
};

}  // namespace

void* TakeFromHeap(std::size_t sizeClass) { return ::operator new(BytesOfClass(sizeClass)); }

void Keep(void* block, std::size_t sizeClass) noexcept {
  // An empty class always comes here, so the drain is armed before the thread keeps anything.
  thread_local KeptBlocksDrain drain;
  static_cast<void>(drain);
  if (kept.Closed || kept.Bytes + BytesOfClass(sizeClass) > kKeptBytes) {
    ::operator delete(block);
    return;
  }
  kept.Heads[sizeClass] = ::new (block) Node{kept.Heads[sizeClass]};
  kept.Bytes += BytesOfClass(sizeClass);
}

}  // namespace moji::outline_memory
