// Translation of POSIX errno values into the Win32 error codes callers of the
// facade expect from GetLastError.
#pragma once

#include "platform/win32.h"

namespace platform {

// What the failure of a file operation means in Win32 terms. `creating` says
// whether the call may create the file: then a missing component is a missing
// folder (ERROR_PATH_NOT_FOUND) rather than a missing file.
DWORD Win32ErrorFromErrno(int error_number, bool creating = false);

// SetLastError(Win32ErrorFromErrno(errno)) in one step; returns the code.
DWORD SetLastErrorFromErrno(int error_number, bool creating = false);

}  // namespace platform
