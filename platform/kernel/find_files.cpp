// FindFirstFileA / FindNextFileA / FindClose over a folder listing.
//
// The matching names are listed once, when the search starts, in a fixed
// order ("." and "..", then by name ignoring ASCII case, as NTFS returns
// them); each entry's status is read when it is handed out, from the folder
// the search opened, so a later change of the current directory does not
// move the search. Entries that vanish in between are skipped.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/kernel/errors.h"
#include "platform/kernel/file_info.h"
#include "platform/kernel/kernel_object.h"
#include "platform/kernel/paths.h"
#include "platform/kernel/wildcard.h"

// Programs read the structure by Windows' layout.
static_assert(sizeof(WIN32_FIND_DATAA) == 320);

namespace platform {

namespace {

struct Entry {
  std::string native;  // the name as Linux has it (UTF-8)
  std::string gbk;     // the name as the application sees it
  std::u32string key;  // what matching and ordering compare
};

class Search final : public KernelObject {
 public:
  Search(int dir_fd, std::vector<Entry> entries) : dir_fd_(dir_fd), entries_(std::move(entries)) {}
  ~Search() override { ::close(dir_fd_); }
  bool ClosesWithCloseHandle() const override { return false; }

  // Fills `data` with the next entry that still exists; false at the end.
  bool Next(WIN32_FIND_DATAA* data) {
    std::lock_guard lock(mutex_);
    while (next_ < entries_.size()) {
      const Entry& entry = entries_[next_++];
      FileFacts facts;
      if (DescribeFile(dir_fd_, entry.native.c_str(), entry.native, &facts)) {
        Fill(entry, facts, data);
        return true;
      }
    }
    return false;
  }

 private:
  static void Fill(const Entry& entry, const FileFacts& facts, WIN32_FIND_DATAA* data) {
    *data = WIN32_FIND_DATAA{};
    data->dwFileAttributes = facts.attributes;
    data->ftCreationTime = facts.creation;
    data->ftLastAccessTime = facts.last_access;
    data->ftLastWriteTime = facts.last_write;
    data->nFileSizeHigh = static_cast<DWORD>(facts.size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(facts.size);
    // A Linux name has at most 255 UTF-8 bytes, and GBK never takes more
    // bytes than UTF-8 for a character, so the name always fits.
    size_t length = std::min(entry.gbk.size(), sizeof data->cFileName - 1);
    std::memcpy(data->cFileName, entry.gbk.data(), length);
  }

  std::mutex mutex_;
  int dir_fd_;
  std::vector<Entry> entries_;
  size_t next_ = 0;
};

std::u32string Key(std::u32string text) {
  for (char32_t& c : text) {
    if (c >= U'a' && c <= U'z') c -= U'a' - U'A';
  }
  return text;
}

bool ComesFirst(const Entry& a, const Entry& b) {
  auto rank = [](const Entry& e) { return e.native == "." ? 0 : e.native == ".." ? 1 : 2; };
  if (rank(a) != rank(b)) return rank(a) < rank(b);
  return a.key != b.key ? a.key < b.key : a.native < b.native;
}

// Lists the names in the open folder that match; false with errno set when
// the folder cannot be read.
bool ListMatches(int dir_fd, const std::u32string& pattern, std::vector<Entry>* entries) {
  int list_fd = ::dup(dir_fd);
  DIR* dir = list_fd < 0 ? nullptr : ::fdopendir(list_fd);
  if (dir == nullptr) {
    if (list_fd >= 0) ::close(list_fd);
    return false;
  }
  errno = 0;
  while (const dirent* item = ::readdir(dir)) {
    // Matched as the application will see the name, in GBK.
    std::string name = gbk::FromUtf8(item->d_name);
    std::u32string characters = gbk::ToUtf32(name);
    if (MatchesSearchPattern(pattern, characters)) {
      entries->push_back(Entry{item->d_name, std::move(name), Key(std::move(characters))});
    }
  }
  const int error = errno;
  ::closedir(dir);
  errno = error;
  if (error != 0) return false;
  std::sort(entries->begin(), entries->end(), ComesFirst);
  return true;
}

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

}  // namespace platform

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
  if (lpFileName == nullptr || lpFindFileData == nullptr) {
    return platform::Fail(ERROR_INVALID_PARAMETER);
  }
  std::string path = platform::NativePath(lpFileName);
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : path.substr(0, slash);
  const std::u32string pattern = platform::gbk::ToUtf32(
      platform::gbk::FromUtf8(slash == std::string::npos ? path : path.substr(slash + 1)));
  // Windows refuses a search that ends in a separator or is empty.
  if (pattern.empty()) return platform::Fail(ERROR_FILE_NOT_FOUND);
  // UTF-8 never hides an ASCII byte inside a longer character.
  if (folder.find_first_of("*?") != std::string::npos) {
    return platform::Fail(ERROR_INVALID_NAME);
  }
  const int dir_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd < 0) {
    return platform::Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND
                                          : platform::Win32ErrorFromErrno(errno));
  }
  std::vector<platform::Entry> entries;
  if (!platform::ListMatches(dir_fd, pattern, &entries)) {
    const int error = errno;
    ::close(dir_fd);
    return platform::Fail(platform::Win32ErrorFromErrno(error));
  }
  auto search = std::make_shared<platform::Search>(dir_fd, std::move(entries));
  if (!search->Next(lpFindFileData)) return platform::Fail(ERROR_FILE_NOT_FOUND);
  return platform::ToHandle(platform::KernelHandles().Insert(std::move(search)));
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
  auto search = platform::FindKernelObject<platform::Search>(hFindFile);
  if (!search) return FALSE;
  if (lpFindFileData == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!search->Next(lpFindFileData)) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  return TRUE;
}

BOOL FindClose(HANDLE hFindFile) {
  if (!platform::FindKernelObject<platform::Search>(hFindFile)) return FALSE;
  if (!platform::KernelHandles().Remove(platform::FromHandle(hFindFile))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
