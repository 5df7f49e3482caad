// Unwrapping arbitrary file bytes: either an image or a SaveError, never a crash or a stray access.
#include <cstddef>
#include <cstdint>
#include <span>

#include "save/container.h"
#include "save/save_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const vsl::UnwrappedSave save = vsl::Unwrap(std::span<const uint8_t>(data, size));
    if (save.BodyOffset < 8 || static_cast<size_t>(save.BodyOffset) > save.Image.size()) __builtin_trap();
  } catch (const vsl::SaveError&) {
  }
  return 0;
}
