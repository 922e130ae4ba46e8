// CreateFileA and friends over POSIX file descriptors.
//
// Win32 share modes have no POSIX equivalent; they are modelled with flock():
// a handle opened with share mode 0 takes an exclusive lock, any other share
// mode a shared one, both non-blocking. So a second writer that asks for
// exclusive access fails with ERROR_SHARING_VIOLATION while the first handle
// is open, in this process or another one of ours, and - as on Windows - a
// create-always open that fails for sharing leaves the existing file intact:
// the truncation happens only after the lock is held.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/kernel/errors.h"
#include "platform/kernel/kernel_object.h"
#include "platform/kernel/paths.h"

namespace platform {

namespace {

class File final : public KernelObject {
 public:
  explicit File(int fd) : fd_(fd) {}
  ~File() override {
    if (fd_ >= 0) ::close(fd_);
  }
  DWORD Close() override {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? ERROR_SUCCESS : Win32ErrorFromErrno(errno);
  }
  int fd() const { return fd_; }

 private:
  int fd_;
};

int OpenFlagsFor(DWORD access) {
  bool read = (access & GENERIC_READ) != 0;
  bool write = (access & GENERIC_WRITE) != 0;
  if (read && write) return O_RDWR;
  return write ? O_WRONLY : O_RDONLY;
}

struct Opened {
  int fd = -1;
  bool existed = false;
};

// Opens according to the disposition but never truncates: that waits for the
// share lock.
Opened OpenForDisposition(const std::string& path, int flags, DWORD disposition) {
  Opened result;
  flags |= O_CLOEXEC;
  const mode_t mode = 0666;
  switch (disposition) {
    case CREATE_NEW:
      result.fd = ::open(path.c_str(), flags | O_CREAT | O_EXCL, mode);
      return result;
    case OPEN_EXISTING:
    case TRUNCATE_EXISTING:
      result.fd = ::open(path.c_str(), flags);
      result.existed = result.fd >= 0;
      return result;
    default:  // CREATE_ALWAYS, OPEN_ALWAYS
      for (int attempt = 0; attempt < 8; ++attempt) {
        result.fd = ::open(path.c_str(), flags | O_CREAT | O_EXCL, mode);
        if (result.fd >= 0 || errno != EEXIST) return result;
        result.fd = ::open(path.c_str(), flags);
        if (result.fd >= 0 || errno != ENOENT) {
          result.existed = true;
          return result;
        }
      }
      return result;
  }
}

bool IsValidDisposition(DWORD disposition) {
  return disposition >= CREATE_NEW && disposition <= TRUNCATE_EXISTING;
}

HANDLE Fail(int fd, int error_number, bool creating) {
  if (fd >= 0) ::close(fd);
  SetLastErrorFromErrno(error_number, creating);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

}  // namespace platform

using platform::File;

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition, DWORD, HANDLE) {
  if (!platform::IsValidDisposition(dwCreationDisposition) ||
      (dwCreationDisposition == TRUNCATE_EXISTING && !(dwDesiredAccess & GENERIC_WRITE))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  if (lpFileName == nullptr || *lpFileName == '\0') {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  const bool creating = dwCreationDisposition == CREATE_ALWAYS ||
                        dwCreationDisposition == CREATE_NEW || dwCreationDisposition == OPEN_ALWAYS;
  std::string path = platform::NativePath(lpFileName);
  platform::Opened opened = platform::OpenForDisposition(
      path, platform::OpenFlagsFor(dwDesiredAccess), dwCreationDisposition);
  if (opened.fd < 0) return platform::Fail(-1, errno, creating);

  struct stat info {};
  if (::fstat(opened.fd, &info) != 0) return platform::Fail(opened.fd, errno, creating);
  // Windows refuses to open a folder as a file.
  if (S_ISDIR(info.st_mode)) return platform::Fail(opened.fd, EISDIR, creating);
  // Devices (/dev/null, /dev/full) are shared by everything on the machine;
  // only files take part in sharing.
  int lock = (dwShareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB;
  if (S_ISREG(info.st_mode) && ::flock(opened.fd, lock) != 0) {
    return platform::Fail(opened.fd, errno, creating);
  }
  const bool truncate =
      dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING;
  if (truncate && S_ISREG(info.st_mode) && ::ftruncate(opened.fd, 0) != 0) {
    return platform::Fail(opened.fd, errno, creating);
  }

  auto value = platform::KernelHandles().Insert(std::make_shared<File>(opened.fd));
  const bool reports_existing =
      dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
  SetLastError(reports_existing && opened.existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return platform::ToHandle(value);
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED) {
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
  auto file = platform::FindKernelObject<File>(hFile);
  if (!file) return FALSE;
  if (nNumberOfBytesToWrite > 0 && lpBuffer == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const char* bytes = static_cast<const char*>(lpBuffer);
  DWORD done = 0;
  while (done < nNumberOfBytesToWrite) {
    ssize_t n = ::write(file->fd(), bytes + done, nNumberOfBytesToWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
      platform::SetLastErrorFromErrno(n < 0 ? errno : ENOSPC);
      return FALSE;
    }
    done += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
  return TRUE;
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  auto file = platform::FindKernelObject<File>(hFile);
  if (!file) return FALSE;
  if (nNumberOfBytesToRead > 0 && lpBuffer == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  char* bytes = static_cast<char*>(lpBuffer);
  DWORD done = 0;
  while (done < nNumberOfBytesToRead) {
    ssize_t n = ::read(file->fd(), bytes + done, nNumberOfBytesToRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (lpNumberOfBytesRead) *lpNumberOfBytesRead = done;
      SetLastError(errno == EIO ? ERROR_READ_FAULT : platform::Win32ErrorFromErrno(errno));
      return FALSE;
    }
    if (n == 0) break;  // end of file: success with fewer bytes
    done += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = done;
  return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  auto file = platform::FindKernelObject<File>(hFile);
  struct stat info {};
  if (!file || ::fstat(file->fd(), &info) != 0) {
    if (file) platform::SetLastErrorFromErrno(errno);
    return INVALID_FILE_SIZE;
  }
  uint64_t size = static_cast<uint64_t>(info.st_size);
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size);
}

DWORD GetFileType(HANDLE hFile) {
  auto file = platform::FindKernelObject<File>(hFile);
  if (!file) return FILE_TYPE_UNKNOWN;
  struct stat info {};
  if (::fstat(file->fd(), &info) != 0) {
    platform::SetLastErrorFromErrno(errno);
    return FILE_TYPE_UNKNOWN;
  }
  SetLastError(ERROR_SUCCESS);
  if (S_ISREG(info.st_mode)) return FILE_TYPE_DISK;
  if (S_ISCHR(info.st_mode)) return FILE_TYPE_CHAR;
  if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) return FILE_TYPE_PIPE;
  return FILE_TYPE_UNKNOWN;
}

BOOL CloseHandle(HANDLE hObject) {
  auto& handles = platform::KernelHandles();
  auto found = handles.Find(platform::FromHandle(hObject));
  auto object = found && found->ClosesWithCloseHandle()
                    ? handles.Remove(platform::FromHandle(hObject))
                    : nullptr;
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD error = object->Close();
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

BOOL DeleteFileA(LPCSTR lpFileName) {
  if (lpFileName == nullptr || *lpFileName == '\0') {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  std::string path = platform::NativePath(lpFileName);
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    SetLastError(platform::MissingEntryError(path, errno));
    return FALSE;
  }
  // Linux lets whoever may write the folder unlink a read-only file; Windows
  // does not.
  const bool read_only = S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0;
  if (S_ISDIR(info.st_mode) || read_only) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (::unlink(path.c_str()) != 0) {
    SetLastError(platform::MissingEntryError(path, errno));
    return FALSE;
  }
  return TRUE;
}

namespace platform {
HandleTable<KernelObject>& KernelHandles() {
  // Never destroyed: detached threads may still close handles while the
  // process runs its exit handlers.
  static auto* table = new HandleTable<KernelObject>;
  return *table;
}
}  // namespace platform
