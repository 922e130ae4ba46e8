// Module paths: the running program's (Linux knows it as /proc/self/exe) and
// those of libraries from LoadLibraryA.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/base/gbk.h"
#include "platform/kernel/errors.h"
#include "platform/kernel/libraries.h"

namespace platform {

namespace {

std::string ProgramPathUtf8() {
  std::string buffer(256, '\0');
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buffer.size()) {
      buffer.resize(static_cast<size_t>(n));
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

// The module's path in UTF-8; empty with the last error set on failure.
std::string ModulePathUtf8(HMODULE module) {
  std::string path;
  if (module == nullptr || module == ProgramModule()) {
    path = ProgramPathUtf8();
    if (path.empty()) SetLastErrorFromErrno(errno);
  } else if (!LibraryPath(module, &path) || path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    path.clear();
  }
  return path;
}

}  // namespace

}  // namespace platform

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  std::string utf8 = platform::ModulePathUtf8(hModule);
  if (utf8.empty()) return 0;
  std::string path = platform::gbk::FromUtf8(utf8);
  if (nSize == 0 || lpFilename == nullptr) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // As on current Windows: a path that does not fit is cut, terminated, and
  // reported with the buffer size and ERROR_INSUFFICIENT_BUFFER.
  if (path.size() >= nSize) {
    std::memcpy(lpFilename, path.data(), nSize - 1);
    lpFilename[nSize - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  std::memcpy(lpFilename, path.c_str(), path.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(path.size());
}
