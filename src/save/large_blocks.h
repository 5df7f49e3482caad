#pragma once
// An allocator for the few large blocks of a batch: the buffers a save is loaded into (a file as read
// and its unwrapped image, megabytes each, kept from file to file) and the tables of rows. A block of
// 2 MiB or more starts on a 2 MiB boundary and is advised to use 2 MiB pages where the system allows:
// filling a 13 MB image then costs a few page faults instead of some three thousand. A byte buffer,
// written from its first byte to its last before it is read, grows without zeroing its new bytes first.

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace vsl {

inline constexpr size_t kLargePage = size_t{2} << 20;

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer watches the ordinary heap only: there every block comes from it, so that a read
// past the end of a buffer is caught.
inline constexpr bool kMapLargeBlocks = false;
#else
inline constexpr bool kMapLargeBlocks = true;
#endif

// The bytes a block of `bytes` reserves: whole 2 MiB pages from 2 MiB on, so that its last page is a
// large one too.
constexpr size_t LargeBlockBytes(size_t bytes) {
  return bytes < kLargePage ? bytes : (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

// A block of LargeBlockBytes(bytes) on a 2 MiB boundary, mapped from the system for itself alone, so
// that it takes no more address space than it reserves and goes back to the system when it is freed.
// Throws std::bad_alloc.
void* MapLargeBlock(size_t bytes);
void UnmapLargeBlock(void* block, size_t bytes) noexcept;

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
    return static_cast<T*>(Mapped(bytes) ? MapLargeBlock(bytes) : ::operator new(bytes));
  }

  void deallocate(T* p, size_t n) noexcept {
    if (Mapped(n * sizeof(T))) {
      UnmapLargeBlock(p, n * sizeof(T));
    } else {
      ::operator delete(p);
    }
  }

  // A resize leaves new bytes (and other plain values) unwritten; a class is value-initialised, as in
  // any vector, so that a member without an initialiser still starts at zero.
  template <typename U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
    if constexpr (std::is_trivially_default_constructible_v<U>) {
      ::new (static_cast<void*>(p)) U;
    } else {
      ::new (static_cast<void*>(p)) U();
    }
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }

  friend bool operator==(const LargeBlockAllocator&, const LargeBlockAllocator&) { return true; }

 private:
  // Smaller blocks come from the ordinary heap.
  static bool Mapped(size_t bytes) { return kMapLargeBlocks && bytes >= kLargePage; }
};

// The buffer a save file is read into, and its image unwrapped into.
using ByteBuffer = std::vector<uint8_t, LargeBlockAllocator<uint8_t>>;

}  // namespace vsl
