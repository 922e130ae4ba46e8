// The running program's own path. Linux knows it as /proc/self/exe.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/base/gbk.h"
#include "platform/kernel/errors.h"

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

}  // namespace

}  // namespace platform

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  if (hModule != nullptr) {  // only the program itself is a module here
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  std::string utf8 = platform::ProgramPathUtf8();
  if (utf8.empty()) {
    platform::SetLastErrorFromErrno(errno);
    return 0;
  }
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
