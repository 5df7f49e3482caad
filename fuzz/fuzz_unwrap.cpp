// Unwrapping arbitrary file bytes: either an image or a SaveError, never a crash or a stray access. The
// batch unwraps file after file into one reused buffer and leaves the body's checksum to the parse walk;
// that path must give exactly what a fresh buffer and an immediate comparison give, whatever the file
// before left in the buffer: the same image, and a failure of its own only where the stated checksum
// does not match the body.
#include <cstddef>
#include <cstdint>
#include <cstring>
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
    return {vsl::Unwrap(file), {}};
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
    vsl::Unwrap(file, reused, vsl::BodyCheck::Deferred);
  } catch (const vsl::SaveError& e) {
    error = e.what();
  }
  if (error.empty() && reused.PendingChecksum) {
    // What the walk compares: the body, whose size the image keeps in front of the marker.
    const size_t body = static_cast<size_t>(reused.BodyOffset);
    uint32_t inflated = 0;
    std::memcpy(&inflated, reused.Image.data() + body - 8, 4);
    const auto bytes = std::span<const uint8_t>(reused.Image).subspan(body, inflated);
    if (vsl::BodyChecksum(bytes) != *reused.PendingChecksum) error = "data error";
  }
  if (error != fresh.error) __builtin_trap();
  if (fresh.save && (reused.BodyOffset != fresh.save->BodyOffset || reused.Image != fresh.save->Image)) {
    __builtin_trap();
  }
  return 0;
}
