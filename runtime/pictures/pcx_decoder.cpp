// PCX, run-length coded: 8 bits per pixel (kind 6, a DIB record with the
// 256-colour palette from the end of the file) or 1 bit per pixel in one
// plane (kind 7, monochrome rows).
#include <algorithm>
#include <cstring>

#include "runtime/pictures/decoders.h"

namespace runtime {

namespace {

constexpr size_t kHeaderBytes = 128;  // image data starts here
constexpr uint8_t kRunMarker = 192;   // a byte above this starts a run
constexpr uint8_t kPaletteMarker = 12;
constexpr size_t kPaletteBytes = 256 * 3;

struct PcxHeader {
  uint8_t bits;             // bits per pixel in a plane
  uint8_t planes;           // colour planes
  uint32_t bytes_per_line;  // decoded bytes of one plane's row
  uint32_t width;           // x-max - x-min + 1
  uint32_t height;          // y-max - y-min + 1
};

bool ReadHeader(Bytes bytes, PcxHeader* header) {
  if (bytes.size() <= kHeaderBytes) return false;
  const uint8_t* p = bytes.data();
  if (p[0] != 10 || p[1] > 5 || p[2] != 1) return false;
  auto x_min = static_cast<int16_t>(U16At(p + 4));
  auto y_min = static_cast<int16_t>(U16At(p + 6));
  auto x_max = static_cast<int16_t>(U16At(p + 8));
  auto y_max = static_cast<int16_t>(U16At(p + 10));
  if (x_max < x_min || y_max < y_min) return false;
  *header = {p[3], p[65], U16At(p + 66), static_cast<uint32_t>(x_max - x_min + 1),
             static_cast<uint32_t>(y_max - y_min + 1)};
  return true;
}

// Runs of the image data: a byte up to 192 is itself, a byte above it is a
// count (byte - 192) for the byte after it.
class RunReader {
 public:
  explicit RunReader(Bytes bytes) : bytes_(bytes) {}

  // False once the input has ended.
  bool Next(uint8_t* value, uint32_t* count, bool* literal) {
    if (pos_ >= bytes_.size()) return false;
    uint8_t byte = bytes_[pos_++];
    *literal = byte <= kRunMarker;
    if (*literal) {
      *value = byte;
      *count = 1;
      return true;
    }
    if (pos_ >= bytes_.size()) return false;
    *value = bytes_[pos_++];
    *count = byte - kRunMarker;
    return true;
  }
  size_t position() const { return pos_; }

 private:
  Bytes bytes_;
  size_t pos_ = kHeaderBytes;
};

// Kind 7: each row decoded until it holds its bytes-per-line bytes (at
// least the `needed` bytes that hold `width` bits), of which the first
// `needed` are kept. Rows are padded to an even byte count in the file, so a
// row of 21 pixels takes 4 bytes there though 3 hold its bits: reading only
// the 3 would start every later row on the previous row's padding. False
// once the input has ended.
bool DecodeMonochromeRow(RunReader& runs, uint8_t* row, uint32_t needed, uint32_t row_bytes) {
  uint32_t produced = 0;
  while (produced < row_bytes) {
    uint8_t value = 0;
    uint32_t count = 0;
    bool literal = false;
    if (!runs.Next(&value, &count, &literal)) return false;
    if (produced < needed) std::memset(row + produced, value, std::min(count, needed - produced));
    produced += count;
  }
  return true;
}

// Kind 6: each row decoded until it holds bytes-per-line bytes. Literals are
// kept while within the width, runs that start at or before the width; both
// are cut at the row's end. False once the input has ended.
bool DecodeIndexedRow(RunReader& runs, uint8_t* row, const PcxHeader& header, uint32_t stride) {
  uint32_t produced = 0;
  while (produced < header.bytes_per_line) {
    uint8_t value = 0;
    uint32_t count = 0;
    bool literal = false;
    if (!runs.Next(&value, &count, &literal)) return false;
    bool kept = literal ? produced < header.width : produced <= header.width;
    if (kept && produced < stride)
      std::memset(row + produced, value, std::min(count, stride - produced));
    produced += count;
  }
  return true;
}

Picture* DecodeMonochrome(Bytes bytes, const PcxHeader& header) {
  uint32_t needed = (header.width + 7) / 8;
  uint32_t stride = (needed + 1) / 2 * 2;
  Picture* picture =
      NewPicture(PictureKind::kPcx1, static_cast<int32_t>(header.width),
                 static_cast<int32_t>(header.height), uint64_t{stride} * header.height);
  if (picture == nullptr) return nullptr;
  RunReader runs(bytes);
  auto* rows = static_cast<uint8_t*>(picture->pixels);
  // Rows the data does not reach stay 0.
  for (uint32_t y = 0; y < header.height; ++y) {
    if (!DecodeMonochromeRow(runs, rows + size_t{y} * stride, needed,
                             std::max(needed, header.bytes_per_line))) {
      break;
    }
  }
  return picture;
}

// The palette that follows the last row: red, green, blue entries after the
// marker. Without it every entry stays black.
void ReadPalette(Bytes bytes, size_t pos, void* dib) {
  if (pos >= bytes.size() || bytes[pos] != kPaletteMarker || !Fits(bytes, pos + 1, kPaletteBytes)) {
    return;
  }
  const uint8_t* rgb = bytes.data() + pos + 1;
  for (size_t i = 0; i < 256; ++i, rgb += 3) {
    uint8_t* entry = DibColourEntry(dib, i);
    entry[0] = rgb[2];
    entry[1] = rgb[1];
    entry[2] = rgb[0];
  }
}

Picture* DecodeIndexed(Bytes bytes, const PcxHeader& header) {
  // The rows hold bytes-per-line x planes bytes; a header whose rows cannot
  // hold its width would describe pixels the record does not have.
  uint64_t row_bytes = uint64_t{header.bytes_per_line} * header.planes;
  if (row_bytes < header.width) return nullptr;
  uint64_t stride = (row_bytes + 3) / 4 * 4;
  Picture* picture =
      NewPicture(PictureKind::kPcx8, static_cast<int32_t>(header.width),
                 static_cast<int32_t>(header.height), kDibPixelsOffset + stride * header.height);
  if (picture == nullptr) return nullptr;
  WriteDibHeader(picture->pixels, {static_cast<int32_t>(header.width),
                                   -static_cast<int32_t>(header.height), header.planes, 0, 0});
  RunReader runs(bytes);
  auto* rows = static_cast<uint8_t*>(picture->pixels) + kDibPixelsOffset;
  for (uint32_t y = 0; y < header.height; ++y) {
    if (!DecodeIndexedRow(runs, rows + y * stride, header, static_cast<uint32_t>(stride))) {
      return picture;  // the data ended: the rest, and the palette, stay black
    }
  }
  ReadPalette(bytes, runs.position(), picture->pixels);
  return picture;
}

}  // namespace

Picture* DecodePcx(Bytes bytes) {
  PcxHeader header;
  if (!ReadHeader(bytes, &header)) return nullptr;
  if (header.bits == 1 && header.planes == 1) return DecodeMonochrome(bytes, header);
  if (header.bits == 8) return DecodeIndexed(bytes, header);
  return nullptr;
}

}  // namespace runtime
