#include "large_allocation.h"

#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace tavelin {

#ifdef __linux__

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
}

void* allocateLarge(std::size_t bytes) noexcept {
  if (bytes < kHugePage) return std::malloc(bytes == 0 ? 1 : bytes);
  if (bytes > static_cast<std::size_t>(-1) - kHugePage) return nullptr;
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* storage = std::aligned_alloc(kHugePage, rounded);
  // Only advice: without huge pages the block works the same, just slower.
  if (storage != nullptr) madvise(storage, rounded, MADV_HUGEPAGE);
  return storage;
}

#else

void* allocateLarge(std::size_t bytes) noexcept { return std::malloc(bytes == 0 ? 1 : bytes); }

#endif

// aligned_alloc and malloc blocks are both released by free.
void releaseLarge(void* storage) noexcept { std::free(storage); }

}  // namespace tavelin
