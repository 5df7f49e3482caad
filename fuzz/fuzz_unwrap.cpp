// Unwrapping arbitrary file bytes: either an image or a SaveError, never a crash or a stray access. The
// batch unwraps file after file into one reused buffer; that path must give exactly what a fresh buffer
// gives, whatever the file before left in the buffer.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "save/container.h"
#include "save/save_error.h"

namespace {

struct Outcome {
  std::optional<vsl::UnwrappedSave> save;
  std::string error;
};

Outcome Fresh(std::span<const uint8_t> file) {
  try {
    vsl::UnwrappedSave save;
    vsl::Unwrap(file, save);
    return {std::move(save), {}};
  } catch (const vsl::SaveError& e) {
    return {std::nullopt, e.what()};
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  const Outcome fresh = Fresh(file);
  if (fresh.save) {
    const vsl::UnwrappedSave& s = *fresh.save;
    if (s.BodyOffset < 8 || static_cast<size_t>(s.BodyOffset) > s.Image.size()) __builtin_trap();
  }

  static vsl::UnwrappedSave reused;  // holds the previous input's image
  std::string error;
  try {
    vsl::Unwrap(file, reused);
  } catch (const vsl::SaveError& e) {
    error = e.what();
  }
  if (error != fresh.error) __builtin_trap();
  if (fresh.save && (reused.BodyOffset != fresh.save->BodyOffset || reused.Image != fresh.save->Image)) {
    __builtin_trap();
  }
  return 0;
}
