#pragma once
// Loading one save file: read it, unwrap the container, name and date it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "save/container.h"

namespace vsl {

// The image and body offset of the unwrapped file, with its name and date.
struct LoadedSave : UnwrappedSave {
  std::string FileName;  // base name: from baseNameStart up to the last '.', empty without one
  double FileDate = 0;   // last write time, local, two-second resolution, as a date-time value
};

// Reads the whole regular file at `path` into `bytes`, whose buffer is reused. Throws SaveError with
// the reason (a file that cannot be opened or read, is not a regular file or is too large to be a save).
void ReadSaveFile(const std::string& path, ByteBuffer& bytes);

// Asked before the file buffer and before the image buffer may grow, with the capacities both will
// have then (a buffer that grows is replaced by one with room to spare, see WithRoomToSpare): true to go
// on; false once it has emptied both buffers to wait for memory, and the load starts over. It may
// throw to give the load up.
using LoadAdmission = std::function<bool(size_t fileCapacity, size_t imageCapacity)>;

// Reads and unwraps the file at `path` into `save`, reusing its image buffer and `fileBytes` (the
// file as read) from the previous file, then names and dates it. Throws FileError naming the file and
// the reason, or OutOfMemoryError (the reason alone) when a buffer cannot be allocated, so that a
// caller may free memory and load the file again. After a failure `save` holds no usable image.
void LoadSaveFile(const std::string& path, size_t baseNameStart, LoadedSave& save,
                  ByteBuffer& fileBytes, const LoadAdmission& admit = nullptr);

}  // namespace vsl
