// GIF structure shared by the picture decoder and the picture box's
// animation: the screen descriptor, a walker over the blocks that reports
// graphic-control data and image descriptors, and frame decoding into 8-bit
// indices (LZW in gif_lzw.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/pictures/byte_reader.h"
#include "runtime/pictures/picture.h"

namespace runtime {

inline constexpr size_t kGifColourEntryBytes = 3;  // red, green, blue

struct GifScreen {
  uint16_t width;        // logical screen width
  uint16_t height;       // logical screen height
  uint8_t background;    // background colour index
  Bytes global_table;    // 3 bytes an entry; empty without a global table
  size_t blocks_offset;  // first block after the header and the global table
};

// Reads "GIF87a"/"GIF89a", the screen descriptor and the global table. False
// when the input is shorter than 14 bytes, has another signature, or does
// not hold the whole table with at least one byte after it.
bool ReadGifScreen(Bytes gif, GifScreen* screen);

struct GifGraphicControl {
  uint8_t disposal;           // flags AND 0x1C, unshifted
  bool transparent;           // flags AND 1
  uint16_t delay;             // hundredths of a second
  uint8_t transparent_index;  // meaningful when transparent
};

struct GifImageDescriptor {
  uint16_t left;
  uint16_t top;
  uint16_t width;
  uint16_t height;
  bool interlaced;     // rows in four passes
  Bytes local_table;   // 3 bytes an entry; empty when the global table applies
  size_t data_offset;  // the LZW minimum code size byte, then the data sub-blocks
};

class GifBlockVisitor {
 public:
  virtual ~GifBlockVisitor() = default;
  virtual void OnGraphicControl(const GifGraphicControl& control) = 0;
  // Return false to stop the walk at this image; true to skip its data and go on.
  virtual bool OnImage(const GifImageDescriptor& image) = 0;
};

enum class GifWalkEnd {
  kTrailer,    // 0x3B, or a zero byte where a block should start
  kStopped,    // the visitor stopped at an image
  kTruncated,  // the input ended between blocks
  kMalformed,  // an unknown block or extension, or a block running past the input
};

// Walks the blocks from `offset` (GifScreen::blocks_offset) to the end.
GifWalkEnd WalkGifBlocks(Bytes gif, size_t offset, GifBlockVisitor& visitor);

// Where a sub-block chain starting at `offset` ends (after its zero length),
// or false when the chain runs past the input.
bool SkipGifSubBlocks(Bytes gif, size_t offset, size_t* end);

// Decodes an image's LZW data into indices, one byte a pixel, rows of
// `stride` bytes, the image's rows in order (interlacing undone). Pixels the
// data does not reach are left as they are. False for an invalid code or
// minimum code size; a chain that ends early simply ends the frame.
bool DecodeGifImage(Bytes gif, const GifImageDescriptor& image, uint8_t* indices, size_t stride);

// One image as a kind 5 picture: its DIB record is the frame's size, coloured
// from the local table or else `screen`'s global one; the picture's width and
// height are the logical screen's. Null for an invalid code or no memory.
Picture* DecodeGifFrame(Bytes gif, const GifScreen& screen, const GifImageDescriptor& image);

}  // namespace runtime
