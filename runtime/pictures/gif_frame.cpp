// Placing a frame's decoded indices into rows, undoing interlacing.
#include <algorithm>
#include <cstring>

#include "runtime/pictures/gif.h"
#include "runtime/pictures/gif_lzw.h"

namespace runtime {

namespace {

// Interlaced rows come in four passes: every 8th row from 0, every 8th from
// 4, every 4th from 2, every 2nd from 1.
constexpr uint32_t kPassStart[4] = {0, 4, 2, 1};
constexpr uint32_t kPassStep[4] = {8, 8, 4, 2};

class FrameWriter : public GifPixelSink {
 public:
  FrameWriter(const GifImageDescriptor& image, uint8_t* indices, size_t stride)
      : indices_(indices),
        stride_(stride),
        width_(image.width),
        height_(image.height),
        interlaced_(image.interlaced) {}

  // A run is copied a row's piece at a time, not index by index: half the
  // decoding time went to per-index bookkeeping (bench/pictures_bench).
  void Write(const uint8_t* run, size_t count) override {
    while (count > 0) {
      if (row_ >= height_ || width_ == 0) return;  // past the last row: dropped
      const uint32_t piece = static_cast<uint32_t>(std::min<size_t>(count, width_ - x_));
      std::memcpy(indices_ + row_ * stride_ + x_, run, piece);
      run += piece;
      count -= piece;
      x_ += piece;
      if (x_ == width_) {
        x_ = 0;
        NextRow();
      }
    }
  }

 private:
  void NextRow() {
    if (!interlaced_) {
      ++row_;
      return;
    }
    row_ += kPassStep[pass_];
    while (row_ >= height_ && pass_ < 3) row_ = kPassStart[++pass_];
  }

  uint8_t* indices_;  // row 0 of the frame
  size_t stride_;     // bytes from one row to the next
  uint32_t width_;    // frame width
  uint32_t height_;   // frame height
  bool interlaced_;   // rows in four passes
  uint32_t x_ = 0;    // next column
  uint32_t row_ = 0;  // row being filled; height_ or more once every row is done
  int pass_ = 0;      // interlace pass, 0 to 3
};

}  // namespace

bool DecodeGifImage(Bytes gif, const GifImageDescriptor& image, uint8_t* indices, size_t stride) {
  FrameWriter writer(image, indices, stride);
  return DecodeGifLzw(gif, image.data_offset, writer);
}

}  // namespace runtime
