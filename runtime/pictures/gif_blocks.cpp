// The GIF screen descriptor and the block walker.
#include <cstring>

#include "runtime/pictures/gif.h"

namespace runtime {

namespace {

constexpr size_t kShortestGif = 14;
constexpr size_t kScreenEnd = 13;            // signature, screen descriptor
constexpr size_t kImageDescriptorBytes = 9;  // after the 0x2C introducer
constexpr uint8_t kExtension = 0x21;
constexpr uint8_t kImage = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kGraphicControl = 0xF9;
constexpr uint8_t kPlainText = 0x01;
constexpr uint8_t kComment = 0xFE;
constexpr uint8_t kApplication = 0xFF;

// Bytes of the colour table that flags announce with bit 7: 2^(n+1) entries.
size_t TableBytes(uint8_t flags) {
  if ((flags & 0x80) == 0) return 0;
  return (size_t{1} << ((flags & 7) + 1)) * kGifColourEntryBytes;
}

// An extension from its label on; `*pos` ends after its last sub-block.
// False for an unknown label or data running past the input.
bool WalkExtension(Bytes gif, size_t* pos, GifBlockVisitor& visitor) {
  uint8_t label = 0;
  if (!ReadU8(gif, *pos, &label)) return false;
  size_t chain = *pos + 1;  // every extension's data is a sub-block chain
  switch (label) {
    case kGraphicControl:
      // Size byte, then flags, delay and transparent index when it holds them.
      if (Fits(gif, chain, 5) && gif[chain] >= 4) {
        uint8_t flags = gif[chain + 1];
        visitor.OnGraphicControl({static_cast<uint8_t>(flags & 0x1C), (flags & 1) != 0,
                                  U16At(gif.data() + chain + 2), gif[chain + 4]});
      }
      break;
    case kPlainText:  // its 12-byte header is the first sub-block
    case kComment:
    case kApplication:  // its 11-byte identifier is the first sub-block
      break;
    default:
      return false;
  }
  return SkipGifSubBlocks(gif, chain, pos);
}

// The image descriptor after the 0x2C at `at`, with its local colour table.
bool ReadImageDescriptor(Bytes gif, size_t at, GifImageDescriptor* image) {
  size_t fields = at + 1;
  if (!Fits(gif, fields, kImageDescriptorBytes)) return false;
  const uint8_t* p = gif.data() + fields;
  uint8_t flags = p[8];
  *image = {U16At(p), U16At(p + 2), U16At(p + 4), U16At(p + 6), (flags & 0x40) != 0, {}, 0};
  size_t table = fields + kImageDescriptorBytes;
  size_t table_bytes = TableBytes(flags);
  if (!Fits(gif, table, table_bytes)) return false;
  image->local_table = gif.subspan(table, table_bytes);
  image->data_offset = table + table_bytes;
  return true;
}

}  // namespace

bool ReadGifScreen(Bytes gif, GifScreen* screen) {
  if (gif.size() < kShortestGif) return false;
  if (std::memcmp(gif.data(), "GIF87a", 6) != 0 && std::memcmp(gif.data(), "GIF89a", 6) != 0) {
    return false;
  }
  uint8_t flags = gif[10];
  size_t table_bytes = TableBytes(flags);
  if (gif.size() <= kScreenEnd + table_bytes) return false;
  *screen = {U16At(gif.data() + 6), U16At(gif.data() + 8), gif[11],
             gif.subspan(kScreenEnd, table_bytes), kScreenEnd + table_bytes};
  return true;
}

bool SkipGifSubBlocks(Bytes gif, size_t offset, size_t* end) {
  while (offset < gif.size()) {
    size_t length = gif[offset++];
    if (length == 0) {
      *end = offset;
      return true;
    }
    offset += length;  // at most size + 255: no overflow
  }
  return false;
}

GifWalkEnd WalkGifBlocks(Bytes gif, size_t offset, GifBlockVisitor& visitor) {
  size_t pos = offset;
  for (;;) {
    if (pos >= gif.size()) return GifWalkEnd::kTruncated;
    uint8_t introducer = gif[pos];
    if (introducer == kTrailer || introducer == 0) return GifWalkEnd::kTrailer;
    if (introducer == kExtension) {
      ++pos;
      if (!WalkExtension(gif, &pos, visitor)) return GifWalkEnd::kMalformed;
      continue;
    }
    if (introducer != kImage) return GifWalkEnd::kMalformed;
    GifImageDescriptor image;
    if (!ReadImageDescriptor(gif, pos, &image)) return GifWalkEnd::kMalformed;
    if (!visitor.OnImage(image)) return GifWalkEnd::kStopped;
    // The minimum code size byte, then the data chain.
    if (image.data_offset >= gif.size() || !SkipGifSubBlocks(gif, image.data_offset + 1, &pos)) {
      return GifWalkEnd::kMalformed;
    }
  }
}

}  // namespace runtime
