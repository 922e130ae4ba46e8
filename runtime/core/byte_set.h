// Byte sets: a heap block of (dimension count 1, byte count n, n bytes).
// Null is the empty byte set, and so is a count of 0 or less. They carry whole
// files, pictures and sounds; the receiver owns one and frees it with MemFree.
#pragma once

#include <cstdint>
#include <span>

namespace runtime {

struct ByteSetHeader {
  int32_t dimensions;  // always 1
  int32_t count;       // bytes that follow; 0 or less means empty
};
static_assert(sizeof(ByteSetHeader) == 8, "a byte set's bytes start at offset 8");

// A new byte set holding a copy of n bytes; null when n is 0 or less.
void* MakeByteSet(const void* bytes, int32_t n);

// The bytes of a byte set; empty for null or a count of 0 or less.
std::span<const uint8_t> ByteSetBytes(const void* byte_set);

}  // namespace runtime
