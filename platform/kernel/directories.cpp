// Folders and the process's current directory over mkdir, rmdir, getcwd and
// chdir.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/base/gbk.h"
#include "platform/kernel/errors.h"
#include "platform/kernel/paths.h"

namespace platform {

namespace {

bool IsMissing(LPCSTR path) {
  if (path != nullptr && *path != '\0') return false;
  SetLastError(ERROR_PATH_NOT_FOUND);
  return true;
}

// Win32's answer for a failed rmdir, which POSIX words differently.
DWORD RemoveDirectoryError(const std::string& path, int error_number) {
  switch (error_number) {
    case EEXIST:
    case ENOTEMPTY:
      return ERROR_DIR_NOT_EMPTY;
    case ENOTDIR: {
      struct stat info {};
      const bool is_file = ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
      return is_file ? ERROR_DIRECTORY : ERROR_PATH_NOT_FOUND;
    }
    default:
      return MissingEntryError(path, error_number);
  }
}

}  // namespace

}  // namespace platform

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
  if (platform::IsMissing(lpPathName)) return FALSE;
  std::string path = platform::NativePath(lpPathName);
  if (::mkdir(path.c_str(), 0777) != 0) {
    SetLastError(errno == EEXIST ? ERROR_ALREADY_EXISTS
                                 : platform::Win32ErrorFromErrno(errno, /*creating=*/true));
    return FALSE;
  }
  return TRUE;
}

BOOL RemoveDirectoryA(LPCSTR lpPathName) {
  if (platform::IsMissing(lpPathName)) return FALSE;
  std::string path = platform::NativePath(lpPathName);
  struct stat info {};
  // Linux ignores a folder's own write permission here; Windows refuses to
  // remove a read-only folder.
  if (::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && !(info.st_mode & S_IWUSR)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (::rmdir(path.c_str()) != 0) {
    SetLastError(platform::RemoveDirectoryError(path, errno));
    return FALSE;
  }
  return TRUE;
}

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
  std::unique_ptr<char, decltype(&std::free)> utf8(::getcwd(nullptr, 0), &std::free);
  if (!utf8) {
    platform::SetLastErrorFromErrno(errno);
    return 0;
  }
  std::string path = platform::gbk::FromUtf8(utf8.get());
  const DWORD needed = static_cast<DWORD>(path.size() + 1);
  if (lpBuffer == nullptr || nBufferLength < needed) return needed;
  std::memcpy(lpBuffer, path.c_str(), needed);
  return needed - 1;
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName) {
  if (platform::IsMissing(lpPathName)) return FALSE;
  std::string path = platform::NativePath(lpPathName);
  if (::chdir(path.c_str()) != 0) {
    const int error = errno;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
      SetLastError(ERROR_DIRECTORY);
    } else if (error == ENOENT || error == ENOTDIR) {
      SetLastError(ERROR_PATH_NOT_FOUND);
    } else {
      platform::SetLastErrorFromErrno(error);
    }
    return FALSE;
  }
  return TRUE;
}
