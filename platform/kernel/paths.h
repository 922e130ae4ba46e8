// Win32 path text (GBK, either separator) to Linux paths (UTF-8, '/'), and
// the Win32 errors that name what is missing from a path.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32.h"

namespace platform {

// Converts first and replaces '\' after, so a GBK trail byte of 0x5C is never
// mistaken for a separator.
std::string NativePath(LPCSTR name);

// The last component of a native path, ignoring trailing separators.
std::string_view LastComponent(std::string_view path);

// The folder that holds the last component ("." for a bare name, "/" at the
// root).
std::string ParentOf(std::string_view path);

// Win32 tells a missing file (ERROR_FILE_NOT_FOUND) from a missing folder on
// the way to it (ERROR_PATH_NOT_FOUND); POSIX says ENOENT for both. Other
// errno values map as Win32ErrorFromErrno does.
DWORD MissingEntryError(const std::string& path, int error_number);

}  // namespace platform
