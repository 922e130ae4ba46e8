#include "runtime/pictures/drawable.h"

#include <cstring>
#include <new>
#include <vector>

namespace runtime {

namespace {

BITMAPINFOHEADER DibHeader(int32_t width, int32_t height, WORD bits) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = bits;
  header.biCompression = BI_RGB;
  return header;
}

HBITMAP BitmapFromDib(HDC target, const void* info, const void* bits) {
  const auto* header = static_cast<const BITMAPINFO*>(info);
  return CreateDIBitmap(target, &header->bmiHeader, CBM_INIT, bits, header, DIB_RGB_COLORS);
}

// Kinds 1 and 2 keep rows without padding; a DIB wants each row padded to a
// multiple of four bytes.
HBITMAP BitmapFromBgr(const Picture& picture, HDC target) {
  const size_t row = size_t(picture.width) * 3;
  const size_t stride = (row + 3) / 4 * 4;
  if (uint64_t{row} * uint64_t(picture.height) > uint64_t(picture.size)) return nullptr;
  const BITMAPINFOHEADER header = DibHeader(picture.width, picture.height, 24);
  // A width that is a multiple of four needs no padding, and no copy.
  if (row == stride) return BitmapFromDib(target, &header, picture.pixels);
  std::vector<uint8_t> padded;
  try {
    padded.resize(stride * size_t(picture.height));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  const auto* source = static_cast<const uint8_t*>(picture.pixels);
  for (int32_t y = 0; y < picture.height; ++y) {
    std::memcpy(padded.data() + size_t(y) * stride, source + size_t(y) * row, row);
  }
  return BitmapFromDib(target, &header, padded.data());
}

// A GIF's frame may be smaller than its logical screen: the frame goes to the
// top-left corner of a bitmap of the screen's size, the rest stays black.
HBITMAP BitmapFromGifFrame(const Picture& picture, HDC target) {
  HBITMAP frame = BitmapFromDib(target, picture.pixels,
                                static_cast<const uint8_t*>(picture.pixels) + kDibPixelsOffset);
  if (!frame) return nullptr;
  BITMAP frame_info{};
  GetObjectA(frame, sizeof frame_info, &frame_info);
  HBITMAP whole = CreateCompatibleBitmap(target, picture.width, picture.height);
  HDC from = CreateCompatibleDC(target);
  HDC to = CreateCompatibleDC(target);
  if (whole && from && to) {
    HGDIOBJ old_from = SelectObject(from, frame);
    HGDIOBJ old_to = SelectObject(to, whole);
    BitBlt(to, 0, 0, frame_info.bmWidth, frame_info.bmHeight, from, 0, 0, SRCCOPY);
    SelectObject(from, old_from);
    SelectObject(to, old_to);
  }
  if (from) DeleteDC(from);
  if (to) DeleteDC(to);
  DeleteObject(frame);
  return whole;
}

HBITMAP BitmapFromBgra(const Picture& picture, HDC target, COLORREF background) {
  const size_t count = size_t(picture.width) * size_t(picture.height);
  if (uint64_t{count} * 4 > uint64_t(picture.size)) return nullptr;
  std::vector<uint8_t> blended;
  try {
    blended.assign(static_cast<const uint8_t*>(picture.pixels),
                   static_cast<const uint8_t*>(picture.pixels) + count * 4);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  const uint8_t back[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
  for (size_t i = 0; i < count; ++i) {
    uint8_t* pixel = &blended[i * 4];
    const uint8_t alpha = pixel[3];
    if (alpha == 255) continue;
    for (int c = 0; c < 3; ++c) pixel[c] = BlendChannel(pixel[c], back[c], alpha);
  }
  const BITMAPINFOHEADER header = DibHeader(picture.width, -picture.height, 32);
  return BitmapFromDib(target, &header, blended.data());
}

HBITMAP BitmapOf(const Picture& picture, HDC target, COLORREF alpha_background) {
  switch (picture.kind) {
    case PictureKind::kJpeg:
    case PictureKind::kBmp:
      return BitmapFromBgr(picture, target);
    case PictureKind::kGif:
      return BitmapFromGifFrame(picture, target);
    case PictureKind::kPcx8:
      return BitmapFromDib(target, picture.pixels,
                           static_cast<const uint8_t*>(picture.pixels) + kDibPixelsOffset);
    case PictureKind::kPcx1:
      return CreateBitmap(picture.width, picture.height, 1, 1, picture.pixels);
    case PictureKind::kPng:
      return BitmapFromBgra(picture, target, alpha_background);
    default:
      return nullptr;
  }
}

}  // namespace

Drawable::~Drawable() {
  if (bitmap_) DeleteObject(bitmap_);
}

std::unique_ptr<Drawable> MakeDrawable(const Picture& picture, HDC target,
                                       COLORREF alpha_background) {
  if (picture.width <= 0 || picture.height <= 0) return nullptr;
  if (picture.kind == PictureKind::kIcon || picture.kind == PictureKind::kCursor) {
    if (!picture.icon) return nullptr;
    return std::make_unique<Drawable>(nullptr, picture.icon, picture.width, picture.height);
  }
  if (!picture.pixels) return nullptr;
  HBITMAP bitmap = BitmapOf(picture, target, alpha_background);
  if (!bitmap) return nullptr;
  return std::make_unique<Drawable>(bitmap, nullptr, picture.width, picture.height);
}

}  // namespace runtime
