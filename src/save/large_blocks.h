#pragma once
// An allocator for the few large blocks of a batch: the buffers a save is loaded into (a file as read
// and its unwrapped image, megabytes each, kept from file to file) and the tables of rows. A block of
// 2 MiB or more starts on a 2 MiB boundary and is advised to use 2 MiB pages where the system allows:
// filling a 13 MB image then costs a few page faults instead of some three thousand. Elements are
// default-initialised: a byte buffer, written from its first byte to its last before it is read, grows
// without zeroing its new bytes first; a class runs its default constructor.

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace vsl {

template <typename T>
class LargeBlockAllocator {
 public:
  using value_type = T;

  LargeBlockAllocator() = default;
  template <typename U>
  LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}  // NOLINT: converting, as allocators are

  T* allocate(size_t n) {
    if (n > static_cast<size_t>(PTRDIFF_MAX) / sizeof(T)) throw std::bad_alloc();
    const size_t bytes = n * sizeof(T);
    if (bytes < kLargePage) return static_cast<T*>(::operator new(bytes));
    void* p = nullptr;
    if (posix_memalign(&p, kLargePage, bytes) != 0) throw std::bad_alloc();
    madvise(p, bytes, MADV_HUGEPAGE);  // advice only: without large pages the block works in small ones
    return static_cast<T*>(p);
  }

  void deallocate(T* p, size_t n) noexcept {
    if (n * sizeof(T) < kLargePage) {
      ::operator delete(p);
    } else {
      std::free(p);
    }
  }

  // Default-initialisation: a resize leaves the new elements unwritten.
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }

  friend bool operator==(const LargeBlockAllocator&, const LargeBlockAllocator&) { return true; }

 private:
  static constexpr size_t kLargePage = size_t{2} << 20;
};

// The buffer a save file is read into, and its image unwrapped into.
using ByteBuffer = std::vector<uint8_t, LargeBlockAllocator<uint8_t>>;

}  // namespace vsl
