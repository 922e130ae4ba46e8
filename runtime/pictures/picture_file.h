// Reading a whole picture file into memory through the platform's files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "runtime/pictures/byte_reader.h"

namespace runtime {

// The bytes of a file, held in one malloc'd block.
class PictureFileBytes {
 public:
  PictureFileBytes() = default;
  PictureFileBytes(const PictureFileBytes&) = delete;
  PictureFileBytes& operator=(const PictureFileBytes&) = delete;
  ~PictureFileBytes() { std::free(data_); }

  Bytes bytes() const { return {data_, size_}; }
  // Appends `count` bytes; false (nothing appended) when memory runs out or
  // the whole would no longer fit a byte set's 32-bit count.
  bool Append(const uint8_t* bytes, size_t count);

 private:
  uint8_t* data_ = nullptr;  // the bytes read so far
  size_t size_ = 0;          // how many
  size_t capacity_ = 0;      // bytes allocated at data_
};

// Opens `name` (GBK) for reading, sharing it only with other readers, and
// reads it in blocks of 4096 bytes. False when the name is null or empty, the
// file cannot be opened, or a read fails.
bool ReadPictureFile(const char* name, PictureFileBytes* file);

}  // namespace runtime
