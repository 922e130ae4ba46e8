// Picture objects: what every decoder makes and what drawing reads.
//
// The record keeps its fields in this order and each kind keeps its pixel
// layout exactly, because drawing hands the pixels straight to the DIB calls
// (kinds 1 and 2 are already bottom-up BGR) and units keep the record as is.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

namespace runtime {

enum class PictureKind : int32_t {
  kNone = 0,    // only while the object is being released
  kJpeg = 1,    // width x height x 3: blue, green, red; bottom-up, no row padding
  kBmp = 2,     // as kJpeg
  kIcon = 3,    // icon handle, no pixels
  kCursor = 4,  // icon handle, no pixels
  kGif = 5,     // DIB record of the first frame, 8-bit indices, top-down
  kPcx8 = 6,    // DIB record, 8-bit indices, top-down
  kPcx1 = 7,    // monochrome rows, top-down, even byte count per row
  kPng = 8,     // width x height x 4: blue, green, red, alpha; top-down, no padding
};

struct Picture {
  PictureKind kind;  // what the pixels hold
  int32_t width;     // in pixels (a GIF's logical screen width)
  int32_t height;    // in pixels (a GIF's logical screen height)
  HICON icon;        // kinds 3 and 4 only; destroyed with the picture
  void* pixels;      // owned block, layout by kind; null for kinds 3 and 4
  int32_t size;      // byte length of pixels
};

// A new picture with a zero-filled pixel block of `pixel_bytes` bytes, so
// whatever a decoder does not reach reads as black (index 0, or 0 in BGR).
// Null when the picture is beyond the picture byte limit or memory runs
// out: decoders report that as an ordinary failure, never as a run-time error.
Picture* NewPicture(PictureKind kind, int32_t width, int32_t height, uint64_t pixel_bytes);

// A new picture for an icon or cursor; it takes over `icon`. Null (and the
// icon destroyed) when memory runs out.
Picture* NewIconPicture(PictureKind kind, int32_t width, int32_t height, HICON icon);

// Frees the pixels, destroys the icon and frees the object. Null is ignored.
void ReleasePicture(Picture* picture);

// The memory one picture may take. It bounds the decoded pixel block and also
// the 32-bit bitmap (4 bytes a pixel) the picture is drawn through, which for
// a GIF has its logical screen's size and for a 1-bit PCX is 32 times the
// block. Without the second bound a few hundred bytes claiming a huge picture
// would take gigabytes and seconds to draw. The default, 512 MiB, still takes
// a 100-megapixel photograph; a setting never exceeds what the 32-bit size
// field holds. Decoders that can tell the size from the header check it
// before the library or the input is read any further.
inline constexpr uint64_t kDefaultPictureByteLimit = uint64_t{512} << 20;
inline constexpr uint64_t kDrawnBytesPerPixel = 4;
uint64_t PictureByteLimit();
void SetPictureByteLimit(uint64_t bytes);

// Whether a picture of this size, with a pixel block of `pixel_bytes`,
// stays within the limit. Pass 0 for a bitmap's own bound alone.
bool PictureWithinLimit(uint64_t width, uint64_t height, uint64_t pixel_bytes);

// Kinds 5 and 6 start with a 40-byte bitmap header and 256 colour entries.
inline constexpr size_t kDibHeaderBytes = 40;
inline constexpr size_t kDibColourBytes = 256 * 4;
inline constexpr size_t kDibPixelsOffset = kDibHeaderBytes + kDibColourBytes;

// Writes the bitmap header of a kind 5 or 6 record at `dib`.
struct DibHeaderFields {
  int32_t width;
  int32_t height;  // negative: rows run top-down
  uint16_t planes;
  uint32_t colours_used;
  uint32_t colours_important;
};
void WriteDibHeader(void* dib, const DibHeaderFields& fields);

// The colour entry `index` (blue, green, red, 0) of a kind 5 or 6 record.
inline uint8_t* DibColourEntry(void* dib, size_t index) {
  return static_cast<uint8_t*>(dib) + kDibHeaderBytes + index * 4;
}

}  // namespace runtime
