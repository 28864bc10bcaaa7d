#pragma once
// The allocator of the outline records' arrays. A glyph holds one array per curve and per
// block, some fifty small arrays for a typical ideograph, all made and dropped together; each
// thread keeps the blocks of dropped arrays in lists by size and hands them out again, so that
// fetching and dropping outlines one after another does not go through the general heap.

#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace moji {

namespace outline_memory {

/// Blocks are kept in classes of 16 bytes up to kLargestKept; larger ones go to the heap.
inline constexpr std::size_t kGranule = 16;
inline constexpr std::size_t kLargestKept = 4096;
inline constexpr std::size_t kClassCount = kLargestKept / kGranule;
/// The most bytes a thread keeps: the arrays of many large glyphs, a bounded amount of memory.
inline constexpr std::size_t kKeptBytes = std::size_t{1} << 20;
static_assert(alignof(std::max_align_t) <= kGranule);

struct Node {
  Node* Next;
};

/// A thread's kept blocks: one singly linked list per class, threaded through the blocks.
/// Trivially destructible, so that it can still be reached while the thread's other objects
/// are destroyed, after its blocks have been freed.
struct KeptBlocks {
  std::array<Node*, kClassCount> Heads;
  /// The bytes of all kept blocks.
  std::size_t Bytes;
  /// Set once the thread has freed its blocks: from then on every block goes to the heap.
  bool Closed;
};

/// Whether blocks are kept at all: not under AddressSanitizer, which must see every array
/// freed to find a use after free.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kKeeping = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kKeeping = false;
#else
inline constexpr bool kKeeping = true;
#endif
#else
inline constexpr bool kKeeping = true;
#endif

inline constinit thread_local KeptBlocks kept{};

inline std::size_t ClassOf(std::size_t bytes) { return bytes == 0 ? 0 : (bytes - 1) / kGranule; }
inline std::size_t BytesOfClass(std::size_t sizeClass) { return (sizeClass + 1) * kGranule; }

/// A fresh block of the class, from the heap.
void* TakeFromHeap(std::size_t sizeClass);
/// Keeps the block when the thread still keeps blocks and has room for it, else frees it.
void Keep(void* block, std::size_t sizeClass) noexcept;

}  // namespace outline_memory

/// A block of at least `bytes` bytes, aligned for any outline record.
inline void* TakeOutlineMemory(std::size_t bytes) {
  using namespace outline_memory;
  if (!kKeeping || bytes > kLargestKept) return ::operator new(bytes);
  const std::size_t sizeClass = ClassOf(bytes);
  Node* head = kept.Heads[sizeClass];
  if (head == nullptr) return TakeFromHeap(sizeClass);
  kept.Heads[sizeClass] = head->Next;
  kept.Bytes -= BytesOfClass(sizeClass);
  return head;
}

/// Gives back a block from TakeOutlineMemory with the same `bytes`; any thread may give it.
inline void GiveOutlineMemory(void* block, std::size_t bytes) noexcept {
  using namespace outline_memory;
  if (block == nullptr) return;
  if (!kKeeping || bytes > kLargestKept) {
    ::operator delete(block);
    return;
  }
  const std::size_t sizeClass = ClassOf(bytes);
  Node* head = kept.Heads[sizeClass];
  if (head == nullptr || kept.Bytes + BytesOfClass(sizeClass) > kKeptBytes) {
    Keep(block, sizeClass);  // an empty class, or no room: the slow path decides
    return;
  }
  kept.Heads[sizeClass] = ::new (block) Node{head};
  kept.Bytes += BytesOfClass(sizeClass);
}

/// A stateless allocator over TakeOutlineMemory: every instance equals every other, so arrays
/// copy, move and swap exactly as with the standard allocator.
template <typename T>
struct OutlineAllocator {
  using value_type = T;

  OutlineAllocator() noexcept = default;
  template <typename U>
  OutlineAllocator(const OutlineAllocator<U>&) noexcept {}  // NOLINT: rebinding is implicit

  T* allocate(std::size_t count) {
    if (count > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(TakeOutlineMemory(count * sizeof(T)));
  }
  void deallocate(T* block, std::size_t count) noexcept {
    GiveOutlineMemory(block, count * sizeof(T));
  }

  template <typename U>
  bool operator==(const OutlineAllocator<U>&) const noexcept {
    return true;
  }
};

/// The dynamic array of the outline records.
template <typename T>
using OutlineArray = std::vector<T, OutlineAllocator<T>>;

}  // namespace moji
