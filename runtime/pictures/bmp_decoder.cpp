// Uncompressed BMP: 1, 4 and 8 bits through a colour table, 24 and 32 bits
// direct, rows bottom-up or (negative height) top-down.
#include <limits>

#include "runtime/pictures/decoders.h"

namespace runtime {

namespace {

constexpr size_t kHeadersBytes = 54;  // file header and information header
constexpr size_t kColourEntryBytes = 4;

struct BmpLayout {
  uint64_t data_offset;  // first byte of the first row in the file
  uint32_t width;        // absolute value of the header's width
  uint32_t height;       // absolute value of the header's height
  bool top_down;         // negative height: the first row in the file is the top row
  uint16_t bits;         // 1, 4, 8, 24 or 32 bits per pixel
  Bytes colour_table;    // 4 bytes an entry (blue, green, red, reserved); empty for 24 and 32
  uint64_t row_bytes;    // bytes of pixel data in one row
  uint64_t stride;       // row_bytes padded to a multiple of 4
};

// The absolute value of a signed header field; the most negative value has
// none and is refused.
bool Magnitude(uint32_t field, uint32_t* out, bool* negative) {
  auto value = static_cast<int32_t>(field);
  if (value == std::numeric_limits<int32_t>::min()) return false;
  *negative = value < 0;
  *out = static_cast<uint32_t>(value < 0 ? -value : value);
  return true;
}

// The colour table and where the rows start. The table is read as many
// entries as the header says, right after the 54 header bytes.
bool ReadTableAndOffset(Bytes bytes, uint32_t colours_used, BmpLayout* layout) {
  uint64_t position = kHeadersBytes;
  if (layout->bits <= 8) {
    uint64_t colours = colours_used != 0 ? colours_used : uint64_t{1} << layout->bits;
    if (!Fits(bytes, position, colours * kColourEntryBytes)) return false;
    layout->colour_table = bytes.subspan(position, colours * kColourEntryBytes);
    position += colours * kColourEntryBytes;
  }
  // Rows may start later than the table ends, never earlier.
  return layout->data_offset >= position;
}

bool ReadLayout(Bytes bytes, BmpLayout* layout) {
  if (bytes.size() < kHeadersBytes) return false;
  const uint8_t* header = bytes.data();
  layout->data_offset = U32At(header + 10);
  bool width_negative = false;
  if (!Magnitude(U32At(header + 18), &layout->width, &width_negative) ||
      !Magnitude(U32At(header + 22), &layout->height, &layout->top_down)) {
    return false;
  }
  layout->bits = U16At(header + 28);
  if (U32At(header + 30) != 0) return false;  // compressed or bit fields
  if (layout->bits != 1 && layout->bits != 4 && layout->bits != 8 && layout->bits != 24 &&
      layout->bits != 32) {
    return false;
  }
  if (!ReadTableAndOffset(bytes, U32At(header + 46), layout)) return false;
  layout->row_bytes = (uint64_t{layout->width} * layout->bits + 7) / 8;
  layout->stride = (layout->row_bytes + 3) / 4 * 4;
  // Every row must be there; the last one needs no padding after it.
  if (layout->height == 0) return true;
  return Fits(bytes, layout->data_offset,
              (layout->height - 1) * layout->stride + layout->row_bytes);
}

uint32_t IndexAt(const uint8_t* row, uint32_t x, uint16_t bits) {
  switch (bits) {
    case 1:
      return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
      return (row[x / 2] >> (x % 2 != 0 ? 0 : 4)) & 0x0F;
    default:
      return row[x];
  }
}

// One file row into one picture row (blue, green, red). Indices beyond the
// colour table leave the pixel black.
void ConvertRow(const BmpLayout& layout, const uint8_t* in, uint8_t* out) {
  if (layout.bits >= 24) {
    size_t step = layout.bits / 8;
    for (uint32_t x = 0; x < layout.width; ++x, in += step, out += 3) {
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
    }
    return;
  }
  size_t colours = layout.colour_table.size() / kColourEntryBytes;
  for (uint32_t x = 0; x < layout.width; ++x, out += 3) {
    uint32_t index = IndexAt(in, x, layout.bits);
    if (index >= colours) continue;
    const uint8_t* entry = layout.colour_table.data() + index * kColourEntryBytes;
    out[0] = entry[0];
    out[1] = entry[1];
    out[2] = entry[2];
  }
}

}  // namespace

Picture* DecodeBmp(Bytes bytes) {
  BmpLayout layout{};
  if (!ReadLayout(bytes, &layout)) return nullptr;
  uint64_t picture_stride = uint64_t{layout.width} * 3;
  Picture* picture =
      NewPicture(PictureKind::kBmp, static_cast<int32_t>(layout.width),
                 static_cast<int32_t>(layout.height), picture_stride * layout.height);
  if (picture == nullptr) return nullptr;
  // A picture without columns has no pixels: its rows, however many the
  // header announces, take no time.
  if (picture_stride == 0) return picture;
  auto* pixels = static_cast<uint8_t*>(picture->pixels);
  for (uint32_t r = 0; r < layout.height; ++r) {
    // The picture is bottom-up, as a bottom-up file already is.
    uint32_t picture_row = layout.top_down ? layout.height - 1 - r : r;
    ConvertRow(layout, bytes.data() + layout.data_offset + r * layout.stride,
               pixels + picture_row * picture_stride);
  }
  return picture;
}

}  // namespace runtime
