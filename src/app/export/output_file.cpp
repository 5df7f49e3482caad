// The results file on disk: written so that nothing but the chosen file changes, and never over a save
// that the same batch reads.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "app/window_model.h"

namespace vsl {
namespace {

std::string SystemReason() {
  return std::strerror(errno);
}

std::optional<struct stat> StatOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return info;
}

// Writes all of `bytes` to `fd`, resuming after signals and short writes.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now, so that a failure of the close (a network file system's late write error) is seen.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// A device or a FIFO: opened and written as it is. A FIFO is opened without waiting, so that one with no
// program reading from it is refused at once instead of blocking the program until a reader comes.
void WriteThrough(const std::string& path, bool fifo, std::string_view bytes) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.Get() < 0) {
    if (errno == ENXIO && fifo) throw ExportError(path, "no program is reading from this FIFO");
    throw ExportError(path, "cannot open the file: " + SystemReason());
  }
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) < 0 || !WriteAll(fd.Get(), bytes) ||
      !fd.Close()) {
    throw ExportError(path, "cannot write the file: " + SystemReason());
  }
}

// A regular file in a folder that may not be written: the file itself is rewritten, as nothing can be
// written beside it.
void WriteInPlace(const std::string& path, std::string_view bytes) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC));
  if (fd.Get() < 0) throw ExportError(path, "cannot create the file: " + SystemReason());
  if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 || !fd.Close()) {
    throw ExportError(path, "cannot write the file: " + SystemReason());
  }
}

mode_t CreationMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Written beside the target and renamed over it when complete, so that a write that fails halfway (a full
// disk) leaves the old file as it was. The new file takes the old one's permissions and, where the
// process may give it, its owner. `target` is the file itself, links resolved.
void WriteBesideAndRename(const std::string& path, const std::string& target,
                          const std::optional<struct stat>& old, std::string_view bytes) {
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temp = folder + "/." + name + ".XXXXXX";
  FileDescriptor fd(::mkstemp(temp.data()));
  if (fd.Get() < 0) {
    const int reason = errno;
    if (old && (reason == EACCES || reason == EPERM || reason == EROFS) &&
        ::access(target.c_str(), W_OK) == 0) {
      WriteInPlace(path, bytes);
      return;
    }
    errno = reason;
    throw ExportError(path, "cannot create the file: " + SystemReason());
  }
  const auto fail = [&](const std::string& what) {
    const std::string reason = SystemReason();
    ::unlink(temp.c_str());
    throw ExportError(path, what + reason);
  };
  if (!WriteAll(fd.Get(), bytes)) fail("cannot write the file: ");
  if (old) {
    // An owner the process may not give (another user's file) leaves the new file the process's own.
    [[maybe_unused]] const int owned = ::fchown(fd.Get(), old->st_uid, old->st_gid);
  }
  if (::fchmod(fd.Get(), old ? old->st_mode & 07777 : CreationMode()) != 0) fail("cannot write the file: ");
  if (::fsync(fd.Get()) != 0 || !fd.Close()) fail("cannot write the file: ");
  if (::rename(temp.c_str(), target.c_str()) != 0) fail("cannot replace the file: ");
}

}  // namespace

void CheckResultsTarget(const std::string& path, const std::vector<std::string>& inputs) {
  const std::optional<struct stat> target = StatOf(path);
  if (!target) return;
  for (const std::string& input : inputs) {
    const std::optional<struct stat> info = StatOf(input);
    if (info && info->st_dev == target->st_dev && info->st_ino == target->st_ino) {
      throw ExportError(path, "the results would replace the save " + input + ", which the batch reads");
    }
  }
}

void WriteResultsFile(const std::string& path, std::string_view bytes) {
  const std::optional<struct stat> old = StatOf(path);
  if (old && S_ISDIR(old->st_mode)) throw ExportError(path, "is a folder");
  if (old && !S_ISREG(old->st_mode)) {
    WriteThrough(path, S_ISFIFO(old->st_mode), bytes);
    return;
  }
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (!old) throw ExportError(path, "is a link to a file that does not exist");
    // The link stays; the file it points to is replaced.
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) throw ExportError(path, "cannot follow the link: " + SystemReason());
    const std::string target = resolved;
    std::free(resolved);
    WriteBesideAndRename(path, target, old, bytes);
    return;
  }
  WriteBesideAndRename(path, path, old, bytes);
}

}  // namespace vsl
