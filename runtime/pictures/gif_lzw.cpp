#include "runtime/pictures/gif_lzw.h"

#include <memory>

namespace runtime {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kTableSize = 1 << kMaxCodeBits;  // no entry is added once full
constexpr uint8_t kMaxMinimumCodeSize = 8;

// Codes from the sub-block chain, least-significant bit first.
class CodeReader {
 public:
  CodeReader(Bytes gif, size_t chain) : gif_(gif), pos_(chain) {}

  // The next code of `width` bits, or -1 once the data has ended (a zero
  // length, or the end of the input, with fewer bits left than a code).
  int Next(int width) {
    while (bit_count_ < width) {
      int byte = NextByte();
      if (byte < 0) return -1;
      bits_ |= static_cast<uint32_t>(byte) << bit_count_;
      bit_count_ += 8;
    }
    int code = static_cast<int>(bits_ & ((1u << width) - 1));
    bits_ >>= width;
    bit_count_ -= width;
    return code;
  }

 private:
  int NextByte() {
    if (left_in_block_ == 0) {
      if (ended_ || pos_ >= gif_.size() || gif_[pos_] == 0) {
        ended_ = true;
        return -1;
      }
      left_in_block_ = gif_[pos_++];
    }
    if (pos_ >= gif_.size()) {
      ended_ = true;
      return -1;
    }
    --left_in_block_;
    return gif_[pos_++];
  }

  Bytes gif_;
  size_t pos_;                // next byte of the chain (a length byte between blocks)
  size_t left_in_block_ = 0;  // data bytes left in the current sub-block
  bool ended_ = false;        // the chain has ended; no more bytes
  uint32_t bits_ = 0;         // bits read but not yet used, lowest first
  int bit_count_ = 0;         // how many of them
};

class LzwDecoder {
 public:
  LzwDecoder(int minimum_code_size, GifPixelSink& sink)
      : minimum_(minimum_code_size), clear_(1 << minimum_code_size), sink_(sink) {
    Reset();
  }

  bool Run(CodeReader& reader) {
    for (;;) {
      int code = reader.Next(width_);
      if (code < 0 || code == clear_ + 1) return true;  // end of data, end code
      if (code == clear_) {
        Reset();
        continue;
      }
      if (code > next_) return false;
      if (!Step(code)) return false;
    }
  }

 private:
  void Reset() {
    width_ = minimum_ + 1;
    next_ = clear_ + 2;
    previous_ = -1;
  }

  int FirstOf(int code) const { return code < clear_ ? code : first_[code]; }

  // One code after the clear code and end code are handled.
  bool Step(int code) {
    if (previous_ < 0) {  // right after a clear: a root code, output as it is
      if (code >= clear_) return false;
      auto index = static_cast<uint8_t>(code);
      sink_.Write(&index, 1);
      previous_ = code;
      return true;
    }
    if (code == next_) {  // not in the table yet: previous string + its first index
      Add(FirstOf(previous_));
      if (!Emit(code)) return false;
    } else {
      if (!Emit(code)) return false;
      if (next_ < kTableSize) Add(FirstOf(code));
    }
    previous_ = code;
    return true;
  }

  void Add(int suffix) {
    prefix_[next_] = static_cast<uint16_t>(previous_);
    suffix_[next_] = static_cast<uint8_t>(suffix);
    first_[next_] = static_cast<uint8_t>(FirstOf(previous_));
    ++next_;
    if (next_ == (1 << width_) && width_ < kMaxCodeBits) ++width_;
  }

  // Writes the string of `code`, built backwards along its prefixes.
  bool Emit(int code) {
    size_t length = 0;
    uint8_t* end = stack_ + kTableSize;
    while (code >= clear_ + 2) {
      if (prefix_[code] >= code || length == kTableSize - 1) return false;
      *(end - ++length) = suffix_[code];
      code = prefix_[code];
    }
    if (code >= clear_) return false;  // a prefix is never the clear or end code
    *(end - ++length) = static_cast<uint8_t>(code);
    sink_.Write(end - length, length);
    return true;
  }

  int minimum_;  // minimum code size from the data
  int clear_;    // clear code; clear + 1 is the end code
  GifPixelSink& sink_;
  int width_ = 0;                     // bits in the next code
  int next_ = 0;                      // next free table entry
  int previous_ = -1;                 // previous code; -1 right after a clear
  uint16_t prefix_[kTableSize] = {};  // entry: its string without the last index
  uint8_t suffix_[kTableSize] = {};   // entry: the last index of its string
  uint8_t first_[kTableSize] = {};    // entry: the first index of its string
  uint8_t stack_[kTableSize] = {};    // a string being written, back to front
};

}  // namespace

bool DecodeGifLzw(Bytes gif, size_t data_offset, GifPixelSink& sink) {
  uint8_t minimum = 0;
  if (!ReadU8(gif, data_offset, &minimum) || minimum > kMaxMinimumCodeSize) return false;
  CodeReader reader(gif, data_offset + 1);
  auto decoder = std::make_unique<LzwDecoder>(minimum, sink);
  return decoder->Run(reader);
}

}  // namespace runtime
