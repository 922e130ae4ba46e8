// The background of a window unit: BackPicture placed by BackPictureMode,
// BackColor wherever the picture does not reach, painted for WM_PAINT and
// for units that ask for it in their own DC.
#include <algorithm>
#include <memory>
#include <span>

#include "runtime/pictures/decode.h"
#include "runtime/pictures/drawable.h"
#include "runtime/pictures/paint_picture.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units::window {

namespace {

constexpr uint32_t kSystemColourMarker = 0xFF000000;

COLORREF BackColourOf(const WindowUnit& unit) {
  const auto colour = static_cast<uint32_t>(unit.record.Int(kBackColor));
  return colour == kSystemColourMarker ? GetSysColor(COLOR_BTNFACE) : colour & 0x00FFFFFF;
}

// The decoded BackPicture, decoded on first use; null when there is none or
// its bytes do not decode.
const Picture* PictureOf(WindowUnit& unit) {
  if (unit.picture != nullptr || unit.picture_failed) return unit.picture;
  const std::span<const uint8_t> bytes = unit.record.Bytes(kBackPicture);
  if (bytes.empty()) return nullptr;
  unit.picture = DecodePictureBytes(bytes);
  unit.picture_failed = unit.picture == nullptr;
  return unit.picture;
}

// Where mode 2 puts a picture: centred, shrunk to fit with its aspect ratio
// kept when it is wider or taller than the client area.
RECT CentredPlace(int32_t picture_width, int32_t picture_height, const RECT& client) {
  const int64_t client_width = client.right - client.left;
  const int64_t client_height = client.bottom - client.top;
  int64_t width = picture_width;
  int64_t height = picture_height;
  if (width > client_width || height > client_height) {
    if (width * client_height > height * client_width) {
      height = std::max<int64_t>(1, height * client_width / width);
      width = client_width;
    } else {
      width = std::max<int64_t>(1, width * client_height / height);
      height = client_height;
    }
  }
  const auto left = static_cast<LONG>((client_width - width) / 2);
  const auto top = static_cast<LONG>((client_height - height) / 2);
  return {left, top, left + static_cast<LONG>(width), top + static_cast<LONG>(height)};
}

// Draws one copy of the drawable into `place`.
void DrawAt(HDC dc, HDC source, const Drawable& drawable, const RECT& place) {
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  if (drawable.icon() != nullptr) {
    DrawIconEx(dc, place.left, place.top, drawable.icon(), width, height, 0, nullptr, DI_NORMAL);
  } else if (width == drawable.width() && height == drawable.height()) {
    BitBlt(dc, place.left, place.top, width, height, source, 0, 0, SRCCOPY);
  } else {
    StretchBlt(dc, place.left, place.top, width, height, source, 0, 0, drawable.width(),
               drawable.height(), SRCCOPY);
  }
}

// Tiles from the client's origin, only those that meet `clip`.
void DrawTiles(HDC dc, HDC source, const Drawable& drawable, const RECT& clip) {
  const int width = drawable.width();
  const int height = drawable.height();
  if (width <= 0 || height <= 0) return;
  const int first_x = std::max(0, clip.left) / width * width;
  const int first_y = std::max(0, clip.top) / height * height;
  for (int y = first_y; y < clip.bottom; y += height) {
    for (int x = first_x; x < clip.right; x += width) {
      DrawAt(dc, source, drawable, {x, y, x + width, y + height});
    }
  }
}

// Draws the picture by its mode and returns the part of the client area it
// covers.
RECT DrawPicture(HDC dc, const Picture& picture, int32_t mode, const RECT& client, const RECT& clip,
                 COLORREF back_colour) {
  std::unique_ptr<Drawable> drawable = MakeDrawable(picture, dc, back_colour);
  if (!drawable) return {};
  HDC source = drawable->bitmap() != nullptr ? CreateCompatibleDC(dc) : nullptr;
  HGDIOBJ previous = source != nullptr ? SelectObject(source, drawable->bitmap()) : nullptr;
  if (drawable->bitmap() != nullptr && previous == nullptr) {
    if (source != nullptr) DeleteDC(source);
    return {};
  }
  const int old_mode = SetStretchBltMode(dc, StretchModeFor(dc));
  RECT covered = client;
  switch (mode) {
    case kTopLeft:
      covered = {0, 0, drawable->width(), drawable->height()};
      DrawAt(dc, source, *drawable, covered);
      break;
    case kTiled:
      DrawTiles(dc, source, *drawable, clip);
      break;
    case kCentredFit:
      covered = CentredPlace(drawable->width(), drawable->height(), client);
      DrawAt(dc, source, *drawable, covered);
      break;
    default:
      DrawAt(dc, source, *drawable, client);
      break;
  }
  SetStretchBltMode(dc, old_mode);
  if (source != nullptr) {
    SelectObject(source, previous);
    DeleteDC(source);
  }
  return covered;
}

// Fills `clip` less `covered` with the background colour.
void FillOutside(HDC dc, const RECT& clip, const RECT& covered, COLORREF colour) {
  HRGN rest = CreateRectRgnIndirect(&clip);
  HRGN picture = CreateRectRgnIndirect(&covered);
  HBRUSH brush = CreateSolidBrush(colour);
  if (rest != nullptr && picture != nullptr && brush != nullptr &&
      CombineRgn(rest, rest, picture, RGN_DIFF) != ERROR) {
    FillRgn(dc, rest, brush);
  }
  if (brush != nullptr) DeleteObject(brush);
  if (picture != nullptr) DeleteObject(picture);
  if (rest != nullptr) DeleteObject(rest);
}

}  // namespace

void PaintBackground(WindowUnit& unit, HDC dc, const RECT& clip) {
  RECT client{};
  GetClientRect(unit.window, &client);
  const COLORREF colour = BackColourOf(unit);
  RECT covered{};
  if (const Picture* picture = PictureOf(unit)) {
    const int32_t mode = Clamp(unit.record.Int(kBackPictureMode), kTopLeft, kStretched);
    covered = DrawPicture(dc, *picture, mode, client, clip, colour);
  }
  FillOutside(dc, clip, covered, colour);
}

LRESULT AnswerBackgroundRequest(WindowUnit& unit, HDC dc, const RECT* rect) {
  if (dc == nullptr || rect == nullptr) return 0;
  // A DC of a window inside this one is lined up with this one's client area.
  POINT origin{0, 0};
  HWND owner = WindowFromDC(dc);
  if (owner != nullptr && owner != unit.window && IsChild(unit.window, owner)) {
    MapWindowPoints(owner, unit.window, &origin, 1);
  }
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
  const RECT clip{rect->left + origin.x, rect->top + origin.y, rect->right + origin.x,
                  rect->bottom + origin.y};
  PaintBackground(unit, dc, clip);
  RestoreDC(dc, saved);
  return kBackgroundPainted;
}

void DropBackgroundPicture(WindowUnit& unit) {
  ReleasePicture(unit.picture);
  unit.picture = nullptr;
  unit.picture_failed = false;
}

void RepaintBackground(const WindowUnit& unit) {
  InvalidateRect(unit.window, nullptr, TRUE);
  for (HWND child = GetWindow(unit.window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child) && (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0) {
      InvalidateRect(child, nullptr, TRUE);
    }
  }
}

}  // namespace runtime::units::window
