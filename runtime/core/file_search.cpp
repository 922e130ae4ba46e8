#include "runtime/core/file_search.h"

#include <cstring>

#include "runtime/core/text_value.h"

namespace runtime {

namespace {

constexpr DWORD kMaskBits = 0x37;
constexpr DWORD kSelectedBits =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

bool IsDotEntry(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

bool Matches(const WIN32_FIND_DATAA& found, DWORD mask, bool directories_only) {
  if (IsDotEntry(found.cFileName)) return false;
  const DWORD attributes = found.dwFileAttributes;
  if (directories_only) {
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    mask |= FILE_ATTRIBUTE_DIRECTORY;
  }
  return (attributes & kSelectedBits & ~mask) == 0;
}

bool IsOpen(HANDLE search) { return search != nullptr && search != INVALID_HANDLE_VALUE; }

}  // namespace

char* FindNextFileName(const char* pattern, int32_t attribute_mask, int32_t directories_only,
                       HANDLE* search) {
  if (search == nullptr) return nullptr;
  const DWORD mask = static_cast<DWORD>(attribute_mask) & kMaskBits;
  WIN32_FIND_DATAA found{};
  bool have = false;
  if (pattern != nullptr && *pattern != '\0') {
    CloseFileSearch(*search);
    *search = FindFirstFileA(pattern, &found);
    have = IsOpen(*search);
  } else if (IsOpen(*search)) {
    have = FindNextFileA(*search, &found) != FALSE;
  }
  while (have && !Matches(found, mask, directories_only != 0)) {
    have = FindNextFileA(*search, &found) != FALSE;
  }
  if (!have) {
    CloseFileSearch(*search);
    *search = nullptr;
    return nullptr;
  }
  return MakeText(found.cFileName);
}

void CloseFileSearch(HANDLE search) {
  if (IsOpen(search)) FindClose(search);
}

}  // namespace runtime
