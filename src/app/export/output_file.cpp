// The one door for every file the programs write: nothing but the chosen file changes, a file the run
// read is never replaced, and a write that fails leaves the old content.

#include "app/export/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>

#include "save/file_descriptor.h"

namespace vsl {
namespace {

std::string SystemReason(int error = errno) {
  return std::strerror(error);
}

std::optional<struct stat> StatOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return info;
}

// Writes all of `bytes` to `fd` from `offset`, resuming after signals and short writes.
bool WriteAll(int fd, std::string_view bytes, off_t offset = 0) {
  while (!bytes.empty()) {
    const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
    offset += n;
  }
  return true;
}

bool ReadAll(int fd, std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
  return true;
}

std::string Noun(OutputKind kind) {
  switch (kind) {
    case OutputKind::Chart:
      return "the chart";
    case OutputKind::Picture:
      return "the picture";
    case OutputKind::TournamentSettings:
      return "the tournament settings";
    case OutputKind::Results:
      break;
  }
  return "the results";
}

bool SameFile(const struct stat& a, const std::string& path) {
  const std::optional<struct stat> b = StatOf(path);
  return b && b->st_dev == a.st_dev && b->st_ino == a.st_ino;
}

// A device or a FIFO: opened and written as it is. A FIFO is opened without waiting, so that one with no
// program reading from it is refused at once instead of blocking the program until a reader comes.
void WriteThrough(const std::string& path, bool fifo, std::string_view bytes) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.Get() < 0) {
    if (errno == ENXIO && fifo) throw ExportError(path, "no program is reading from this FIFO");
    throw ExportError(path, "cannot open the file: " + SystemReason());
  }
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  bool written = flags >= 0 && ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) == 0;
  for (std::string_view rest = bytes; written && !rest.empty();) {
    const ssize_t n = ::write(fd.Get(), rest.data(), rest.size());
    if (n < 0 && errno == EINTR) continue;
    written = n > 0;
    if (written) rest.remove_prefix(static_cast<size_t>(n));
  }
  if (!written || !fd.Close()) throw ExportError(path, "cannot write the file: " + SystemReason());
}

// A regular file that cannot be replaced by another: rewritten in place. The room for the new content is
// reserved first, and the old bytes the new ones cover are kept, so that a failure on the way (a full
// disk, a file size limit, an input/output error) puts the old content back.
void WriteInPlace(const std::string& path, std::string_view bytes) {
  FileDescriptor fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (fd.Get() < 0) throw ExportError(path, "cannot write the file: " + SystemReason());
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) throw ExportError(path, "cannot read the file: " + SystemReason());
  const auto newSize = static_cast<off_t>(bytes.size());
  std::string old(static_cast<size_t>(std::min(info.st_size, newSize)), '\0');
  if (!ReadAll(fd.Get(), old)) throw ExportError(path, "cannot read the file: " + SystemReason());
  if (newSize > info.st_size) {
    const int reserved = ::posix_fallocate(fd.Get(), 0, newSize);
    // A file system that cannot reserve is written without; the old bytes still go back on a failure.
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
      [[maybe_unused]] const int restored = ::ftruncate(fd.Get(), info.st_size);
      throw ExportError(path, "cannot write the file: " + SystemReason(reserved));
    }
  }
  if (!WriteAll(fd.Get(), bytes) || (newSize < info.st_size && ::ftruncate(fd.Get(), newSize) != 0) ||
      ::fsync(fd.Get()) != 0) {
    const int reason = errno;
    WriteAll(fd.Get(), old);
    [[maybe_unused]] const int restored = ::ftruncate(fd.Get(), info.st_size);
    throw ExportError(path, "cannot write the file: " + SystemReason(reason));
  }
  if (!fd.Close()) throw ExportError(path, "cannot write the file: " + SystemReason());
}

// A new file beside `folder`'s target under a short name (so that a target whose name is as long as the
// file system allows still has one beside it), created with `mode`, which the process's umask trims as
// for any new file.
int CreateBeside(const std::string& folder, mode_t mode, std::string& temp) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = folder + "/.vsl-";
    for (int i = 0; i < 8; ++i) temp += kLetters[random() % (sizeof kLetters - 1)];
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Written beside the target and renamed over it when complete, so that a write that fails halfway (a full
// disk) leaves the old file as it was. The new file takes the old one's permissions, owner and group;
// where the process may not give them (another user's file) or may not create a file beside it (a
// folder it may not write), the old file is rewritten in place. `target` is the file itself, links
// resolved.
void WriteBesideAndRename(const std::string& path, const std::string& target,
                          const std::optional<struct stat>& old, std::string_view bytes) {
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
  std::string temp;
  FileDescriptor fd(CreateBeside(folder, old ? old->st_mode & 0777 : 0666, temp));
  if (fd.Get() < 0) {
    const int reason = errno;
    if (old && (reason == EACCES || reason == EPERM || reason == EROFS)) return WriteInPlace(path, bytes);
    throw ExportError(path, "cannot create the file: " + SystemReason(reason));
  }
  if (old && ::fchown(fd.Get(), old->st_uid, old->st_gid) != 0) {
    ::unlink(temp.c_str());
    return WriteInPlace(path, bytes);
  }
  const auto fail = [&](const std::string& what) {
    const std::string reason = SystemReason();
    ::unlink(temp.c_str());
    throw ExportError(path, what + reason);
  };
  if (!WriteAll(fd.Get(), bytes)) fail("cannot write the file: ");
  if (old && ::fchmod(fd.Get(), old->st_mode & 07777) != 0) fail("cannot write the file: ");
  if (::fsync(fd.Get()) != 0 || !fd.Close()) fail("cannot write the file: ");
  if (::rename(temp.c_str(), target.c_str()) != 0) fail("cannot replace the file: ");
}

}  // namespace

void FilesRead::AddSettingsFile(const std::string& path) {
  if (std::find(settingsFiles_.begin(), settingsFiles_.end(), path) == settingsFiles_.end())
    settingsFiles_.push_back(path);
}

void CheckOutputTarget(const std::string& path, const FilesRead& read, OutputKind kind) {
  const std::optional<struct stat> target = StatOf(path);
  if (!target) return;
  for (const std::string& save : read.Saves()) {
    if (SameFile(*target, save))
      throw ExportError(path, Noun(kind) + " would replace the save " + save + ", which the batch reads");
  }
  if (kind == OutputKind::TournamentSettings) return;
  for (const std::string& settings : read.SettingsFiles()) {
    if (SameFile(*target, settings)) {
      throw ExportError(path, Noun(kind) + " would replace the tournament settings file " + settings +
                                  ", which this run read");
    }
  }
}

void WriteOutputFile(const std::string& path, std::string_view bytes, const FilesRead& read,
                     OutputKind kind) {
  CheckOutputTarget(path, read, kind);
  const std::optional<struct stat> old = StatOf(path);
  if (old && S_ISDIR(old->st_mode)) throw ExportError(path, "is a folder");
  if (old && !S_ISREG(old->st_mode)) return WriteThrough(path, S_ISFIFO(old->st_mode), bytes);
  // Only what the user could have written in place is replaced.
  if (old && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
    throw ExportError(path, "cannot write the file: " + SystemReason());
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (!old) throw ExportError(path, "is a link to a file that does not exist");
    // The link stays; the file it points to is replaced.
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) throw ExportError(path, "cannot follow the link: " + SystemReason());
    const std::string target = resolved;
    std::free(resolved);
    return WriteBesideAndRename(path, target, old, bytes);
  }
  WriteBesideAndRename(path, path, old, bytes);
}

}  // namespace vsl
