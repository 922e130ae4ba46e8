#include "runtime/core/byte_set.h"

#include <cstring>

#include "runtime/core/heap.h"

namespace runtime {

void* MakeByteSet(const void* bytes, int32_t n) {
  if (n <= 0) return nullptr;
  auto size = static_cast<uint32_t>(n);  // n + 8 fits: n is at most 2^31 - 1
  void* block = MemAlloc(size + sizeof(ByteSetHeader));
  ByteSetHeader header{1, n};
  std::memcpy(block, &header, sizeof header);
  if (bytes != nullptr) {
    std::memcpy(static_cast<char*>(block) + sizeof header, bytes, size);
  } else {
    std::memset(static_cast<char*>(block) + sizeof header, 0, size);
  }
  return block;
}

std::span<const uint8_t> ByteSetBytes(const void* byte_set) {
  if (byte_set == nullptr) return {};
  ByteSetHeader header;
  std::memcpy(&header, byte_set, sizeof header);
  if (header.count <= 0) return {};
  return {static_cast<const uint8_t*>(byte_set) + sizeof header, static_cast<size_t>(header.count)};
}

}  // namespace runtime
