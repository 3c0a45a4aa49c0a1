#pragma once
// Storage for the big blocks of a sort (the file's bytes, the number list).
// On Linux a large block is aligned to 2 MiB and asked to be backed by
// transparent huge pages: a page fault then maps 2 MiB instead of 4 KiB,
// and page faults are most of the cost of touching a fresh 200 MB buffer.
// Elsewhere it is plain malloc. Never zero-fills.

#include <cstddef>
#include <new>

namespace tavelin {

// `bytes` of storage, or nullptr when it cannot be had.
void* allocateLarge(std::size_t bytes) noexcept;

// Releases what allocateLarge gave (nullptr is fine).
void releaseLarge(void* storage) noexcept;

// A standard allocator over allocateLarge, for containers of many values.
template <class T>
struct LargeAllocator {
  using value_type = T;

  LargeAllocator() = default;
  template <class U>
  LargeAllocator(const LargeAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    void* storage = allocateLarge(n * sizeof(T));
    if (storage == nullptr) throw std::bad_alloc();
    return static_cast<T*>(storage);
  }
  void deallocate(T* storage, std::size_t) noexcept { releaseLarge(storage); }

  template <class U>
  bool operator==(const LargeAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace tavelin
