#pragma once
// An allocator for the few large blocks of a batch: save images (megabytes each, written once from
// the first byte to the last, then walked) and the tables of rows. The system maps ordinary memory in
// 4 KiB pages, one page fault each on first use and one translation entry each while the block is
// walked; this allocator asks for blocks of 2 MiB and more in 2 MiB pages. Elements are
// default-initialised: a resized byte buffer leaves its new bytes as they are (they are written over at
// once), a class runs its default constructor.

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace vsl {

template <typename T>
class LargePageAllocator {
 public:
  using value_type = T;

  LargePageAllocator() = default;
  template <typename U>
  LargePageAllocator(const LargePageAllocator<U>&) noexcept {}  // NOLINT: converting, as allocators are

  T* allocate(size_t n) {
    if (n > static_cast<size_t>(PTRDIFF_MAX) / sizeof(T)) throw std::bad_alloc();
    const size_t bytes = n * sizeof(T);
    if (bytes < kLargeBlock) return static_cast<T*>(::operator new(bytes));
    const size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* p = std::aligned_alloc(kLargePage, rounded);
    if (p == nullptr) throw std::bad_alloc();
    // Advice only: where large pages are not available the block works in small ones.
    madvise(p, rounded, MADV_HUGEPAGE);
    return static_cast<T*>(p);
  }

  void deallocate(T* p, size_t n) noexcept {
    if (n * sizeof(T) < kLargeBlock) {
      ::operator delete(p);
    } else {
      std::free(p);
    }
  }

  // Default-initialisation: a resize leaves the new bytes as they are.
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }

  friend bool operator==(const LargePageAllocator&, const LargePageAllocator&) { return true; }

 private:
  static constexpr size_t kLargePage = size_t{2} << 20;
  static constexpr size_t kLargeBlock = kLargePage;  // smaller blocks come from the ordinary heap
};

// The byte buffer a save image is unwrapped into.
using ImageBytes = std::vector<uint8_t, LargePageAllocator<uint8_t>>;

}  // namespace vsl
