#include "platform/kernel/file_info.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "platform/kernel/paths.h"

namespace platform {

namespace {

constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr uint64_t kTicksPerSecond = 10'000'000;

FILETIME FileTimeFrom(const struct statx_timestamp& stamp) {
  return FileTimeFromUnix(stamp.tv_sec, stamp.tv_nsec);
}

bool IsHiddenName(std::string_view name) {
  return !name.empty() && name.front() == '.' && name != "." && name != "..";
}

DWORD AttributesOf(const struct statx& status, std::string_view name) {
  DWORD attributes = 0;
  if (S_ISDIR(status.stx_mode)) {
    attributes |= FILE_ATTRIBUTE_DIRECTORY;
  } else if (S_ISREG(status.stx_mode) || S_ISLNK(status.stx_mode)) {
    attributes |= FILE_ATTRIBUTE_ARCHIVE;
  }
  if ((status.stx_mode & S_IWUSR) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  if (IsHiddenName(name)) attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

}  // namespace

FILETIME FileTimeFromUnix(int64_t seconds, uint32_t nanoseconds) {
  if (seconds < -kSecondsFrom1601To1970) return FILETIME{0, 0};
  uint64_t ticks =
      static_cast<uint64_t>(seconds + kSecondsFrom1601To1970) * kTicksPerSecond + nanoseconds / 100;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

bool DescribeFile(int dir_fd, const char* path, std::string_view name, FileFacts* facts) {
  struct statx status {};
  const unsigned mask = STATX_BASIC_STATS | STATX_BTIME;
  if (::statx(dir_fd, path, AT_STATX_SYNC_AS_STAT, mask, &status) != 0) {
    int error = errno;
    if (::statx(dir_fd, path, AT_SYMLINK_NOFOLLOW | AT_STATX_SYNC_AS_STAT, mask, &status) != 0) {
      errno = error;
      return false;
    }
  }
  facts->attributes = AttributesOf(status, name);
  facts->size = S_ISDIR(status.stx_mode) ? 0 : status.stx_size;
  facts->last_access = FileTimeFrom(status.stx_atime);
  facts->last_write = FileTimeFrom(status.stx_mtime);
  facts->creation =
      (status.stx_mask & STATX_BTIME) ? FileTimeFrom(status.stx_btime) : facts->last_write;
  return true;
}

}  // namespace platform

DWORD GetFileAttributesA(LPCSTR lpFileName) {
  if (lpFileName == nullptr || *lpFileName == '\0') {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  std::string path = platform::NativePath(lpFileName);
  platform::FileFacts facts;
  if (!platform::DescribeFile(AT_FDCWD, path.c_str(), platform::LastComponent(path), &facts)) {
    SetLastError(platform::MissingEntryError(path, errno));
    return INVALID_FILE_ATTRIBUTES;
  }
  return facts.attributes;
}
