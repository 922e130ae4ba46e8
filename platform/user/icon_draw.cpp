// DrawIconEx and DrawIcon: an icon's mask and image onto a DC, stretched to
// the size asked for by taking the nearest icon pixel.
//
// An icon made from a DIB with an AND mask draws as Windows draws it:
// the mask ANDed onto the destination, then the image XORed, so mask pixels
// with a black image show what is under them and mask pixels with colour
// invert it. An icon with its own alpha (PNG, 32-bit with alpha) is blended.
#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/gdi/drawing.h"
#include "platform/gdi/mapping.h"
#include "platform/user/cursor.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr uint32_t kColorBits = 0x00FFFFFF;

// Straight (not premultiplied) alpha over the destination.
uint32_t Blend(uint32_t under, uint32_t argb) {
  const uint32_t alpha = argb >> 24;
  if (alpha == 255) return argb & kColorBits;
  if (alpha == 0) return under;
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t top = (argb >> shift) & 0xFF;
    const uint32_t bottom = (under >> shift) & 0xFF;
    result |= ((top * alpha + bottom * (255 - alpha) + 127) / 255) << shift;
  }
  return result;
}

// What one destination pixel becomes. The mask is white where the icon is
// transparent (alpha 0) and black elsewhere; DI_MASK or DI_IMAGE alone copy
// that half.
uint32_t Combine(const CursorShape& shape, uint32_t under, uint32_t argb, UINT flags) {
  const uint32_t mask = (argb >> 24) == 0 ? kColorBits : 0;
  const uint32_t image = argb & kColorBits;
  if ((flags & DI_NORMAL) == DI_NORMAL) {
    return shape.alpha ? Blend(under, argb) : ((under & mask) ^ image);
  }
  return (flags & DI_MASK) ? mask : image;
}

struct Placement {
  RECT area;   // pixel coordinates of the canvas
  LONG width;  // what the icon is stretched to
  LONG height;
};

// `background` is the flicker-free brush's pattern, laid under the icon
// first as the offscreen picture Windows would compose it on.
void Compose(const gdi::Canvas& canvas, const CursorShape& shape, const Placement& place,
             const std::optional<gdi::Pattern>& background, UINT flags) {
  gdi::Region area(place.area);
  area.Intersect(canvas.clip);
  std::lock_guard lock(canvas.mutex());
  const gdi::PixelView view = canvas.View();
  area.Intersect(view.Bounds());
  const std::vector<RECT> rects = area.Rects();
  std::vector<uint32_t> row;
  std::vector<uint32_t> before;
  for (const RECT& r : rects) {
    const int count = r.right - r.left;
    row.resize(static_cast<size_t>(count));
    before.resize(static_cast<size_t>(count));
    for (LONG y = r.top; y < r.bottom; ++y) {
      gdi::ReadSpan(view, r.left, y, count, row.data());
      if (background) {
        before = row;
        background->Fill(r.left, y, count, row.data());
        background->KeepGaps(r.left, y, count, before.data(), row.data());
      }
      const int64_t sy = int64_t{y - place.area.top} * shape.height / place.height;
      const uint32_t* source = shape.argb.data() + sy * shape.width;
      for (int i = 0; i < count; ++i) {
        const int64_t sx = int64_t{r.left + i - place.area.left} * shape.width / place.width;
        row[static_cast<size_t>(i)] =
            Combine(shape, row[static_cast<size_t>(i)], source[sx], flags);
      }
      gdi::WriteSpan(view, r.left, y, count, row.data());
    }
  }
  canvas.MarkDirty(rects);
}

// The size drawn: as asked, or the icon's own, or with DI_DEFAULTSIZE the
// system's icon (or cursor) size.
SIZE LogicalSize(const CursorShape& shape, int cx, int cy, UINT flags) {
  const bool standard = flags & DI_DEFAULTSIZE;
  const int default_cx = GetSystemMetrics(shape.is_icon ? SM_CXICON : SM_CXCURSOR);
  const int default_cy = GetSystemMetrics(shape.is_icon ? SM_CYICON : SM_CYCURSOR);
  return SIZE{cx != 0 ? cx : (standard ? default_cx : shape.width),
              cy != 0 ? cy : (standard ? default_cy : shape.height)};
}

LONG DeviceLength(int64_t device) {
  return static_cast<LONG>(std::min<int64_t>(std::abs(device), gdi::kMaxCoordinate));
}

BOOL Fail(DWORD error) {
  ::SetLastError(error);
  return FALSE;
}

}  // namespace

}  // namespace platform::user

using namespace platform::user;

// The animation step is ignored: icons here have one frame.
BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
  if (!(diFlags & DI_NORMAL) || cxWidth < 0 || cyWidth < 0) return Fail(ERROR_INVALID_PARAMETER);
  auto shape = FindCursor(hIcon);
  if (!shape) return Fail(ERROR_INVALID_HANDLE);
  if (shape->argb.empty() || shape->width <= 0 || shape->height <= 0) {
    return Fail(ERROR_INVALID_PARAMETER);  // a system shape: no picture to draw
  }
  auto dc = platform::gdi::Snapshot(hdc);
  if (!dc) return FALSE;
  std::optional<platform::gdi::Pattern> background;
  if (hbrFlickerFreeDraw) {
    auto brush = platform::gdi::BrushFromHandle(hbrFlickerFreeDraw);
    if (!brush) return FALSE;
    background = platform::gdi::PatternFor(brush.get(), *dc);
  }
  const SIZE size = LogicalSize(*shape, cxWidth, cyWidth, diFlags);
  const POINT at = platform::gdi::ToDevice(dc->mapping, POINT{xLeft, yTop});
  Placement place;
  place.width = DeviceLength(platform::gdi::WidthToDevice(dc->mapping, size.cx));
  place.height = DeviceLength(platform::gdi::HeightToDevice(dc->mapping, size.cy));
  if (place.width == 0 || place.height == 0) return TRUE;
  const int64_t left = int64_t{at.x} + dc->canvas.origin.x;
  const int64_t top = int64_t{at.y} + dc->canvas.origin.y;
  place.area = platform::gdi::ClampedRect(left, top, left + place.width, top + place.height);
  Compose(dc->canvas, *shape, place, background, diFlags);
  return TRUE;
}

// At the system's icon size, as Windows draws it.
BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
  return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
