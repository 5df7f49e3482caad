#include "save/large_blocks.h"

#include <sys/mman.h>

namespace vsl {

namespace {

void* Map(size_t bytes) {
  void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return p == MAP_FAILED ? nullptr : p;
}

uintptr_t Address(const void* p) {
  return reinterpret_cast<uintptr_t>(p);
}

}  // namespace

void* MapLargeBlock(size_t bytes) {
  const size_t reserved = LargeBlockBytes(bytes);
  // The system places a mapping of whole large pages on a large-page boundary where it can; otherwise
  // the block is mapped again with a large page to spare and trimmed to the boundary at both ends.
  void* block = Map(reserved);
  if (block == nullptr) throw std::bad_alloc();
  if (Address(block) % kLargePage != 0) {
    munmap(block, reserved);
    void* wide = Map(reserved + kLargePage);
    if (wide == nullptr) throw std::bad_alloc();
    const uintptr_t start = Address(wide);
    const uintptr_t wideEnd = start + reserved + kLargePage;
    const uintptr_t aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
    const uintptr_t end = aligned + reserved;
    if (aligned > start) munmap(wide, aligned - start);
    if (wideEnd > end) munmap(reinterpret_cast<void*>(end), wideEnd - end);
    block = reinterpret_cast<void*>(aligned);
  }
  madvise(block, reserved, MADV_HUGEPAGE);  // advice only: without large pages the block works in small ones
  return block;
}

void UnmapLargeBlock(void* block, size_t bytes) noexcept {
  munmap(block, LargeBlockBytes(bytes));
}

}  // namespace vsl
