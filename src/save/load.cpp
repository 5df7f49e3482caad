#include "save/load.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "save/container.h"
#include "save/file_descriptor.h"
#include "save/file_info.h"
#include "save/save_error.h"

namespace vsl {

namespace {

std::string Reason(const char* what, int error) {
  return std::string(what) + ": " + std::strerror(error);
}

// The capacity `buffer` has once it holds `bytes`: replaced with room to spare when it is too small.
size_t CapacityFor(const ByteBuffer& buffer, size_t bytes) {
  return bytes > buffer.capacity() ? WithRoomToSpare(bytes) : buffer.capacity();
}

// The size the file system states for `path`; 0 when it cannot tell or the file is too large to read.
size_t StatedSize(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || st.st_size < 0 || st.st_size > kMaxSaveFileBytes) return 0;
  return static_cast<size_t>(st.st_size);
}

}  // namespace

// The whole file, read once into a buffer of its size. The file is opened read-only: a save that the
// referee may only read loads like any other. Opening does not wait: a named pipe without a writer is
// refused below like every other file that is not a regular one, instead of blocking the batch.
void ReadSaveFile(const std::string& path, ByteBuffer& bytes) {
  const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) throw SaveError(Reason("cannot open the file", errno));
  struct stat st {};
  if (fstat(file.Get(), &st) != 0) throw SaveError(Reason("cannot read the file", errno));
  if (S_ISDIR(st.st_mode)) throw SaveError(Reason("cannot read the file", EISDIR));
  if (!S_ISREG(st.st_mode)) throw SaveError("cannot read the file: not a regular file");
  if (st.st_size > kMaxSaveFileBytes) {
    throw SaveError("the file is too large: " + std::to_string(st.st_size) + " bytes, a save has at most " +
                    std::to_string(kMaxSaveFileBytes));
  }

  // A reused buffer that is too small is replaced rather than grown: nothing in it is kept.
  const auto size = static_cast<size_t>(st.st_size);
  try {
    if (size > bytes.capacity()) ReplaceBuffer(bytes, size);
    bytes.resize(size);
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError("there is not enough memory to read the file");
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = read(file.Get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw SaveError(Reason("cannot read the file", errno));
    if (n == 0) break;  // the file shrank since fstat: keep what is there
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
}

void LoadSaveFile(const std::string& path, size_t baseNameStart, LoadedSave& save,
                  ByteBuffer& fileBytes, const LoadAdmission& admit) {
  try {
    for (;;) {
      if (admit && !admit(CapacityFor(fileBytes, StatedSize(path)), save.Image.capacity())) continue;
      ReadSaveFile(path, fileBytes);
      const size_t image = ReadLayout(fileBytes).ImageBytes();
      if (admit && !admit(fileBytes.capacity(), CapacityFor(save.Image, image))) continue;
      Unwrap(fileBytes, save);
      break;
    }
  } catch (const OutOfMemoryError&) {
    throw;
  } catch (const SaveError& e) {
    throw FileError(path, e.what());
  }
  save.FileName = BaseName(path, baseNameStart);
  save.FileDate = FileDate(path);  // throws FileError itself
}

}  // namespace vsl
