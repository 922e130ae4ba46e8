#include "platform/kernel/errors.h"

#include <cerrno>

namespace platform {

namespace {
thread_local DWORD t_last_error = ERROR_SUCCESS;
}  // namespace

DWORD Win32ErrorFromErrno(int error_number, bool creating) {
  switch (error_number) {
    case 0:
      return ERROR_SUCCESS;
    case ENOENT:
      return creating ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return ERROR_ACCESS_DENIED;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case ENOTEMPTY:
      return ERROR_DIR_NOT_EMPTY;
    case EWOULDBLOCK:
      return ERROR_SHARING_VIOLATION;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return ERROR_DISK_FULL;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF:
      return ERROR_INVALID_HANDLE;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    case EIO:
      return ERROR_WRITE_FAULT;
    default:
      return ERROR_INVALID_FUNCTION;
  }
}

DWORD SetLastErrorFromErrno(int error_number, bool creating) {
  DWORD code = Win32ErrorFromErrno(error_number, creating);
  ::SetLastError(code);
  return code;
}

}  // namespace platform

DWORD GetLastError() { return platform::t_last_error; }

void SetLastError(DWORD error) { platform::t_last_error = error; }
