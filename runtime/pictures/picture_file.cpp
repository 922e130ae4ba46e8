#include "runtime/pictures/picture_file.h"

#include <cstring>
#include <limits>

#include "platform/win32.h"

namespace runtime {

namespace {

constexpr DWORD kBlockBytes = 4096;
// A picture travels as a byte set, whose count is a signed 32-bit integer.
constexpr size_t kLargestFile = std::numeric_limits<int32_t>::max();

}  // namespace

bool PictureFileBytes::Append(const uint8_t* bytes, size_t count) {
  if (count > kLargestFile - size_) return false;
  if (size_ + count > capacity_) {
    size_t capacity = capacity_ == 0 ? kBlockBytes : capacity_;
    while (capacity < size_ + count) {
      capacity = capacity > kLargestFile / 2 ? kLargestFile : capacity * 2;
    }
    void* grown = std::realloc(data_, capacity);
    if (grown == nullptr) return false;
    data_ = static_cast<uint8_t*>(grown);
    capacity_ = capacity;
  }
  std::memcpy(data_ + size_, bytes, count);
  size_ += count;
  return true;
}

bool ReadPictureFile(const char* name, PictureFileBytes* file) {
  if (name == nullptr || *name == '\0') return false;
  HANDLE handle = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  uint8_t block[kBlockBytes];
  bool read = true;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(handle, block, kBlockBytes, &got, nullptr) || got > kBlockBytes) {
      read = false;
      break;
    }
    if (got == 0) break;  // end of file
    if (!file->Append(block, got)) {
      read = false;
      break;
    }
  }
  CloseHandle(handle);
  return read;
}

}  // namespace runtime
