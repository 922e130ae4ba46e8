// ReplaceFileA: a finished file takes the place of an old one in one rename.
//
// Writers that must not lose the old file when the new one cannot be written
// completely (a full disk) write the new one beside it and replace the old
// one only once it is whole. rename() gives exactly that on one file system:
// the name holds the old file or the new one, never a mixture.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/kernel/errors.h"
#include "platform/kernel/paths.h"

namespace platform {

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// Windows will not remove a file that is open without delete sharing; here a
// handle from CreateFileA holds a lock on it, shared or exclusive. The lock
// taken to find out is kept by `probe` until the rename is done.
bool HeldOpen(const Descriptor& probe) {
  return probe.get() >= 0 && ::flock(probe.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

// The replacement takes the old file's permissions and, where the caller may
// hand it over, its owner. The owner goes first: chown clears set-id bits.
void TakeIdentity(int replacement, const struct stat& old) {
  struct stat now {};
  if (::fstat(replacement, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
    (void)::fchown(replacement, old.st_uid, old.st_gid);
  }
  (void)::fchmod(replacement, old.st_mode & 07777);
}

}  // namespace

}  // namespace platform

BOOL ReplaceFileA(LPCSTR lpReplacedFileName, LPCSTR lpReplacementFileName, LPCSTR lpBackupFileName,
                  DWORD, LPVOID lpExclude, LPVOID lpReserved) {
  using platform::Fail;
  if (lpReplacedFileName == nullptr || *lpReplacedFileName == '\0' ||
      lpReplacementFileName == nullptr || *lpReplacementFileName == '\0' ||
      lpBackupFileName != nullptr || lpExclude != nullptr || lpReserved != nullptr) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const std::string replaced = platform::NativePath(lpReplacedFileName);
  const std::string replacement = platform::NativePath(lpReplacementFileName);

  struct stat old {};
  if (::stat(replaced.c_str(), &old) != 0) {
    return Fail(platform::MissingEntryError(replaced, errno));
  }
  if (!S_ISREG(old.st_mode)) return Fail(ERROR_ACCESS_DENIED);
  platform::Descriptor from(::open(replacement.c_str(), O_RDONLY | O_CLOEXEC));
  if (from.get() < 0) return Fail(platform::MissingEntryError(replacement, errno));
  struct stat fresh {};
  if (::fstat(from.get(), &fresh) != 0 || !S_ISREG(fresh.st_mode)) {
    return Fail(ERROR_ACCESS_DENIED);
  }

  // As DeleteFileA: Linux would let a read-only file be replaced; Windows not.
  const bool read_only = (old.st_mode & S_IWUSR) == 0;
  platform::Descriptor probe(::open(replaced.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (read_only || platform::HeldOpen(probe)) return Fail(ERROR_UNABLE_TO_REMOVE_REPLACED);

  platform::TakeIdentity(from.get(), old);
  if (::rename(replacement.c_str(), replaced.c_str()) != 0) {
    return Fail(errno == EXDEV ? ERROR_NOT_SAME_DEVICE : ERROR_UNABLE_TO_MOVE_REPLACEMENT);
  }
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}
