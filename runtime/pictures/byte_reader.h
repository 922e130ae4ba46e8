// Bounds-checked reads of little-endian fields from a picture's bytes.
//
// Every decoder reads through these, so no field is ever taken from beyond
// the input: a read that does not fit answers false and leaves the output
// untouched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace runtime {

using Bytes = std::span<const uint8_t>;

// True when `count` bytes starting at `offset` lie inside `bytes`.
inline bool Fits(Bytes bytes, uint64_t offset, uint64_t count) {
  return offset <= bytes.size() && count <= bytes.size() - offset;
}

inline uint16_t U16At(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t U32At(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline bool ReadU8(Bytes bytes, uint64_t offset, uint8_t* out) {
  if (!Fits(bytes, offset, 1)) return false;
  *out = bytes[static_cast<size_t>(offset)];
  return true;
}

inline bool ReadU16(Bytes bytes, uint64_t offset, uint16_t* out) {
  if (!Fits(bytes, offset, 2)) return false;
  *out = U16At(bytes.data() + offset);
  return true;
}

inline bool ReadU32(Bytes bytes, uint64_t offset, uint32_t* out) {
  if (!Fits(bytes, offset, 4)) return false;
  *out = U32At(bytes.data() + offset);
  return true;
}

}  // namespace runtime
