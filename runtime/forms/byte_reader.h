// Little-endian reads and writes over byte blocks whose length is trusted by
// no one: every read says whether it fitted, so a damaged block is reported
// and never read past.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace runtime::forms {

inline uint32_t LoadWord(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
         (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

inline void StoreWord(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
  at[2] = static_cast<uint8_t>(value >> 16);
  at[3] = static_cast<uint8_t>(value >> 24);
}

inline void AppendWord(std::string& out, uint32_t value) {
  uint8_t bytes[4];
  StoreWord(bytes, value);
  out.append(reinterpret_cast<const char*>(bytes), 4);
}

// A cursor over [data, data + size). Once a read fails the reader stays
// failed, so a sequence of reads can be checked once at its end.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  size_t position() const { return position_; }
  size_t remaining() const { return ok_ ? bytes_.size() - position_ : 0; }
  bool AtEnd() const { return ok_ && position_ == bytes_.size(); }

  uint32_t Word() {
    if (!Has(4)) return 0;
    uint32_t value = LoadWord(bytes_.data() + position_);
    position_ += 4;
    return value;
  }
  int32_t SignedWord() { return static_cast<int32_t>(Word()); }

  // `count` bytes in place; empty (and failed) when they are not all there.
  std::span<const uint8_t> Bytes(size_t count) {
    if (!Has(count)) return {};
    auto bytes = bytes_.subspan(position_, count);
    position_ += count;
    return bytes;
  }

  // A 32-bit byte count, then that many bytes.
  std::span<const uint8_t> CountedBytes() {
    uint32_t count = Word();
    return Bytes(count);
  }

  // A NUL-terminated text; the length returned counts the terminator.
  size_t SkipText() {
    if (!ok_) return 0;
    const void* end = std::memchr(bytes_.data() + position_, 0, bytes_.size() - position_);
    if (end == nullptr) {
      ok_ = false;
      return 0;
    }
    size_t length = static_cast<const uint8_t*>(end) - (bytes_.data() + position_) + 1;
    position_ += length;
    return length;
  }

  void Skip(size_t count) { Bytes(count); }

 private:
  bool Has(size_t count) {
    if (ok_ && count <= bytes_.size() - position_) return true;
    ok_ = false;
    return false;
  }

  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
  bool ok_ = true;
};

}  // namespace runtime::forms
