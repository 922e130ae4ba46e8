#include "platform/kernel/paths.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/base/gbk.h"
#include "platform/kernel/errors.h"

namespace platform {

std::string NativePath(LPCSTR name) {
  std::string path = gbk::ToUtf8(name);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

namespace {
std::string_view WithoutTrailingSeparators(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return path;
}
}  // namespace

std::string_view LastComponent(std::string_view path) {
  path = WithoutTrailingSeparators(path);
  size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string ParentOf(std::string_view path) {
  path = WithoutTrailingSeparators(path);
  size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return ".";
  if (slash == 0) return "/";
  return std::string(path.substr(0, slash));
}

DWORD MissingEntryError(const std::string& path, int error_number) {
  if (error_number != ENOENT) return Win32ErrorFromErrno(error_number);
  struct stat parent {};
  const bool parent_is_folder =
      ::stat(ParentOf(path).c_str(), &parent) == 0 && S_ISDIR(parent.st_mode);
  return parent_is_folder ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

}  // namespace platform
