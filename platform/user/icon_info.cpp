// GetIconInfo: an icon's picture and mask as bitmaps, which is how a
// program learns an icon's size.
#include <cstring>
#include <vector>

#include "platform/user/cursor.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

// A 32-bit top-down DIB section holding the picture with its alpha.
HBITMAP ColorBitmap(const CursorShape& shape) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = shape.width;
  info.bmiHeader.biHeight = -shape.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) return nullptr;
  std::memcpy(bits, shape.argb.data(), shape.argb.size() * sizeof(uint32_t));
  return bitmap;
}

// Monochrome rows padded to 16 bits, as CreateBitmap takes them; a set bit
// is a transparent pixel.
HBITMAP MaskBitmap(const CursorShape& shape) {
  const size_t stride = (static_cast<size_t>(shape.width) + 15) / 16 * 2;
  std::vector<BYTE> rows(stride * static_cast<size_t>(shape.height), 0);
  for (int y = 0; y < shape.height; ++y) {
    for (int x = 0; x < shape.width; ++x) {
      const uint32_t argb = shape.argb[static_cast<size_t>(y) * shape.width + x];
      if ((argb >> 24) == 0) rows[y * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
  return CreateBitmap(shape.width, shape.height, 1, 1, rows.data());
}

}  // namespace

}  // namespace platform::user

BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
  if (piconinfo == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto shape = platform::user::FindCursor(hIcon);
  if (!shape) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (shape->argb.empty() || shape->width <= 0 || shape->height <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  HBITMAP color = platform::user::ColorBitmap(*shape);
  HBITMAP mask = color ? platform::user::MaskBitmap(*shape) : nullptr;
  if (mask == nullptr) {
    if (color) DeleteObject(color);
    return FALSE;
  }
  piconinfo->fIcon = shape->is_icon ? TRUE : FALSE;
  piconinfo->xHotspot =
      shape->is_icon ? static_cast<DWORD>(shape->width / 2) : static_cast<DWORD>(shape->hotspot.x);
  piconinfo->yHotspot =
      shape->is_icon ? static_cast<DWORD>(shape->height / 2) : static_cast<DWORD>(shape->hotspot.y);
  piconinfo->hbmMask = mask;
  piconinfo->hbmColor = color;
  return TRUE;
}
