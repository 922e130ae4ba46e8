// What Win32 reports about a file (attributes, size, times), read from Linux
// file status. Shared by GetFileAttributesA and the file search.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/win32.h"

namespace platform {

struct FileFacts {
  DWORD attributes = 0;  // FILE_ATTRIBUTE_* bits
  uint64_t size = 0;     // 0 for folders, as Win32 reports them
  FILETIME creation{};   // birth time when the file system keeps one, else last write
  FILETIME last_access{};
  FILETIME last_write{};
};

// Describes `path` relative to the open folder `dir_fd` (AT_FDCWD for paths
// relative to the current directory). Symbolic links are followed; a dangling
// one is described as itself. `name` decides FILE_ATTRIBUTE_HIDDEN. Returns
// false with errno set when the file cannot be reached.
bool DescribeFile(int dir_fd, const char* path, std::string_view name, FileFacts* facts);

// Unix time to FILETIME; times before 1601 become 0.
FILETIME FileTimeFromUnix(int64_t seconds, uint32_t nanoseconds);

}  // namespace platform
