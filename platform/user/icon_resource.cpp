// CreateIconFromResourceEx: icons and cursors from the bytes of one image of
// an .ico or .cur file (a DIB with its AND mask, or a PNG). Every size is
// checked against the bytes given before anything is read.
#include <png.h>

#include <algorithm>
#include <cstring>

#include "platform/user/cursor.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr size_t kHeaderSize = 40;
constexpr BYTE kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

size_t RowBytes(uint32_t width, uint32_t bits) { return ((width * bits + 31) / 32) * 4; }

struct Dib {
  uint32_t width = 0;
  uint32_t height = 0;  // of the picture, half the header's height
  uint32_t bits = 0;
  const BYTE* palette = nullptr;
  size_t colors = 0;  // entries in the palette
  const BYTE* xor_bits = nullptr;
  const BYTE* and_bits = nullptr;
};

// Reads the header and finds the parts; false when the bytes are not a
// complete image of a kind we draw.
bool ParseDib(const BYTE* data, size_t size, Dib* dib) {
  if (size < kHeaderSize) return false;
  BITMAPINFOHEADER header;
  std::memcpy(&header, data, sizeof header);
  if (header.biSize < kHeaderSize || header.biSize > size || header.biWidth <= 0 ||
      header.biHeight <= 0 || header.biWidth > 1024 || header.biHeight > 2048 ||
      header.biCompression != BI_RGB) {
    return false;
  }
  dib->width = static_cast<uint32_t>(header.biWidth);
  dib->height = static_cast<uint32_t>(header.biHeight) / 2;
  dib->bits = header.biBitCount;
  if (dib->height == 0 ||
      (dib->bits != 1 && dib->bits != 4 && dib->bits != 8 && dib->bits != 24 && dib->bits != 32)) {
    return false;
  }
  size_t colors = dib->bits <= 8 ? (header.biClrUsed && header.biClrUsed < (1u << dib->bits)
                                        ? header.biClrUsed
                                        : (1u << dib->bits))
                                 : 0;
  size_t offset = header.biSize;
  size_t xor_size = RowBytes(dib->width, dib->bits) * dib->height;
  size_t and_size = RowBytes(dib->width, 1) * dib->height;
  if (offset + colors * 4 + xor_size > size) return false;
  // 32-bit images carry their transparency in alpha; tools often leave
  // their AND mask out, and nothing is masked then.
  const bool has_mask = offset + colors * 4 + xor_size + and_size <= size;
  if (!has_mask && dib->bits != 32) return false;
  dib->palette = data + offset;
  dib->colors = colors;
  dib->xor_bits = dib->palette + colors * 4;
  dib->and_bits = has_mask ? dib->xor_bits + xor_size : nullptr;
  return true;
}

uint32_t XorPixel(const Dib& dib, uint32_t x, uint32_t row) {
  const BYTE* line = dib.xor_bits + RowBytes(dib.width, dib.bits) * row;
  auto from_palette = [&](uint32_t index) -> uint32_t {
    if (index >= dib.colors) return 0;  // past the table: black, never past the bytes
    const BYTE* q = dib.palette + index * 4;
    return (uint32_t{q[2]} << 16) | (uint32_t{q[1]} << 8) | q[0];
  };
  switch (dib.bits) {
    case 1:
      return from_palette((line[x / 8] >> (7 - x % 8)) & 1);
    case 4:
      return from_palette((line[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F);
    case 8:
      return from_palette(line[x]);
    case 24:
      return (uint32_t{line[x * 3 + 2]} << 16) | (uint32_t{line[x * 3 + 1]} << 8) | line[x * 3];
    default: {
      uint32_t p;
      std::memcpy(&p, line + x * 4, 4);
      return p;
    }
  }
}

bool Masked(const Dib& dib, uint32_t x, uint32_t row) {
  if (dib.and_bits == nullptr) return false;
  const BYTE* line = dib.and_bits + RowBytes(dib.width, 1) * row;
  return (line[x / 8] >> (7 - x % 8)) & 1;
}

std::vector<uint32_t> DibToArgb(const Dib& dib, bool& has_alpha) {
  std::vector<uint32_t> argb(static_cast<size_t>(dib.width) * dib.height);
  has_alpha = false;
  if (dib.bits == 32) {
    for (uint32_t i = 0; i < dib.height && !has_alpha; ++i) {
      for (uint32_t x = 0; x < dib.width; ++x) has_alpha |= (XorPixel(dib, x, i) >> 24) != 0;
    }
  }
  for (uint32_t y = 0; y < dib.height; ++y) {
    uint32_t row = dib.height - 1 - y;  // rows are stored bottom-up
    for (uint32_t x = 0; x < dib.width; ++x) {
      uint32_t p = XorPixel(dib, x, row);
      uint32_t alpha = has_alpha ? (p >> 24) : (Masked(dib, x, row) ? 0u : 255u);
      argb[static_cast<size_t>(y) * dib.width + x] = (alpha << 24) | (p & 0x00FFFFFF);
    }
  }
  return argb;
}

bool DecodePng(const BYTE* data, size_t size, CursorShape* shape) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return false;
  image.format = PNG_FORMAT_BGRA;
  if (image.width == 0 || image.height == 0 || image.width > 1024 || image.height > 1024) {
    png_image_free(&image);
    return false;
  }
  shape->width = static_cast<int>(image.width);
  shape->height = static_cast<int>(image.height);
  shape->alpha = true;
  shape->argb.assign(static_cast<size_t>(image.width) * image.height, 0);
  if (!png_image_finish_read(&image, nullptr, shape->argb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}

// Nearest-pixel scaling to the size asked for.
void ScaleTo(CursorShape* shape, int width, int height) {
  if (width <= 0 || height <= 0 || (width == shape->width && height == shape->height)) return;
  std::vector<uint32_t> scaled(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      scaled[static_cast<size_t>(y) * width + x] =
          shape->argb[static_cast<size_t>(y * shape->height / height) * shape->width +
                      x * shape->width / width];
    }
  }
  shape->hotspot = {shape->hotspot.x * width / shape->width,
                    shape->hotspot.y * height / shape->height};
  shape->width = width;
  shape->height = height;
  shape->argb = std::move(scaled);
}

}  // namespace

}  // namespace platform::user

HICON CreateIconFromResourceEx(BYTE* presbits, DWORD dwResSize, BOOL fIcon, DWORD, int cxDesired,
                               int cyDesired, UINT) {
  using platform::user::CursorShape;
  auto shape = std::make_shared<CursorShape>();
  shape->is_icon = fIcon != FALSE;
  const BYTE* data = presbits;
  size_t size = dwResSize;
  if (data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!fIcon) {  // a cursor's image starts with its hot spot
    if (size < 4) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    shape->hotspot = {data[0] | (data[1] << 8), data[2] | (data[3] << 8)};
    data += 4;
    size -= 4;
  }
  bool decoded = false;
  if (size >= 8 && std::memcmp(data, platform::user::kPngSignature, 8) == 0) {
    decoded = platform::user::DecodePng(data, size, shape.get());
  } else {
    platform::user::Dib dib;
    if (platform::user::ParseDib(data, size, &dib)) {
      shape->width = static_cast<int>(dib.width);
      shape->height = static_cast<int>(dib.height);
      shape->argb = platform::user::DibToArgb(dib, shape->alpha);
      decoded = true;
    }
  }
  if (!decoded) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  platform::user::ScaleTo(shape.get(), cxDesired, cyDesired);
  shape->hotspot.x = std::clamp<LONG>(shape->hotspot.x, 0, shape->width - 1);
  shape->hotspot.y = std::clamp<LONG>(shape->hotspot.y, 0, shape->height - 1);
  return platform::user::AddCursor(std::move(shape));
}
