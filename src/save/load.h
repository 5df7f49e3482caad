#pragma once
// Loading one save file: read it, unwrap the container, name and date it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "save/container.h"
#include "save/large_pages.h"

namespace vsl {

struct LoadedSave {
  std::string FileName;     // base name: from baseNameStart up to the last '.', empty without one
  double FileDate = 0;      // last write time, local, two-second resolution, as a date-time value
  ImageBytes Image;         // header + "BODY" + inflated body + trailer
  int32_t BodyOffset = -1;  // where the body starts in the file and in the image
  std::optional<uint32_t> PendingChecksum;  // as in UnwrappedSave
};

// Reads and unwraps the file at `path`. Throws FileError naming the file and the reason.
LoadedSave LoadSaveFile(const std::string& path, size_t baseNameStart);

// The same into `save`, reusing its image buffer and `fileBytes` (the file as read) from the previous
// file: a batch worker loads file after file without allocating per file. After a failure `save` holds
// no usable image.
void LoadSaveFile(const std::string& path, size_t baseNameStart, LoadedSave& save,
                  std::vector<uint8_t>& fileBytes, BodyCheck check = BodyCheck::Now);

}  // namespace vsl
