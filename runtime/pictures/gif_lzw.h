// GIF's variable-length LZW, reading codes least-significant bit first from
// an image's data sub-blocks.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/pictures/byte_reader.h"

namespace runtime {

// Receives decoded pixel indices in order, a string at a time.
class GifPixelSink {
 public:
  virtual ~GifPixelSink() = default;
  virtual void Write(const uint8_t* indices, size_t count) = 0;
};

// Decodes the data at `data_offset` (the minimum code size byte, then the
// sub-blocks) into `sink` until the end code or the end of the data. False
// when the minimum code size is above 8 (indices must fit a byte) or missing,
// for a code beyond the next free code, a string code right after a clear
// code, and a table entry whose prefix is not below itself.
bool DecodeGifLzw(Bytes gif, size_t data_offset, GifPixelSink& sink);

}  // namespace runtime
