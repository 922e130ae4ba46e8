#include "runtime/units/drawpanel/panel_bitmap.h"

#include <algorithm>
#include <cmath>

#include "runtime/pictures/decode.h"
#include "runtime/pictures/paint_picture.h"
#include "runtime/units/drawpanel/panel_dc.h"

namespace runtime::units::drawpanel {

namespace {

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  if (brush == nullptr) return;
  HGDIOBJ previous = SelectObject(dc, brush);
  PatBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, PATCOPY);
  SelectObject(dc, previous);
  DeleteObject(brush);
}

void FillRegion(HDC dc, HRGN region, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  if (brush == nullptr) return;
  FillRgn(dc, region, brush);
  DeleteObject(brush);
}

// The first tile position at or before `from` on a grid starting at
// `origin` with steps of `step`.
int32_t FirstTile(int32_t origin, int32_t from, int32_t step) {
  return from <= origin ? origin : origin + (from - origin) / step * step;
}

// Tiles the picture over `client` from its top-left, drawing only tiles
// that meet `area`. The picture is drawn once into a tile bitmap over the
// background colour, so transparent icon parts show the background and
// each further tile is a plain copy.
void PaintTiles(const Picture& picture, HDC dc, const RECT& area, const RECT& client,
                COLORREF back) {
  const int32_t width = picture.width, height = picture.height;
  if (width <= 0 || height <= 0) return;
  HBITMAP tile = CreateCompatibleBitmap(dc, width, height);
  if (tile == nullptr) return;
  {
    BitmapDc tile_dc(tile);
    if (tile_dc.dc() != nullptr) {
      FillSolid(tile_dc.dc(), RECT{0, 0, width, height}, back);
      PaintPicture(picture, tile_dc.dc(), 0, 0, -1, -1, SRCCOPY, back);
      const int32_t right = std::min(area.right, client.right);
      const int32_t bottom = std::min(area.bottom, client.bottom);
      for (int32_t y = FirstTile(client.top, area.top, height); y < bottom; y += height) {
        for (int32_t x = FirstTile(client.left, area.left, width); x < right; x += width) {
          BitBlt(dc, x, y, width, height, tile_dc.dc(), 0, 0, SRCCOPY);
        }
      }
    }
  }
  DeleteObject(tile);
}

// Where mode 2 puts the picture: centred, shrunk to fit, never enlarged.
RECT CentredFit(const Picture& picture, const RECT& client) {
  const int32_t client_width = client.right - client.left;
  const int32_t client_height = client.bottom - client.top;
  int32_t width = picture.width, height = picture.height;
  if (width > client_width || height > client_height) {
    const double scale = std::min(static_cast<double>(client_width) / picture.width,
                                  static_cast<double>(client_height) / picture.height);
    width = static_cast<int32_t>(std::trunc(picture.width * scale));
    height = static_cast<int32_t>(std::trunc(picture.height * scale));
  }
  const int32_t left = client.left + (client_width - width) / 2;
  const int32_t top = client.top + (client_height - height) / 2;
  return RECT{left, top, left + width, top + height};
}

// Draws the picture by mode and takes what it covered out of `rest`.
void PaintPictureByMode(Panel& panel, const Picture& picture, HDC dc, const RECT& area,
                        const RECT& client, HRGN rest) {
  const COLORREF back = ResolvedBackColor(panel);
  RECT drawn{};
  switch (panel.Int(kBackPictureMode)) {
    case kPictureTiled:
      PaintTiles(picture, dc, area, client, back);
      SetRectRgn(rest, 0, 0, 0, 0);
      return;
    case kPictureCentredFit:
      drawn = CentredFit(picture, client);
      break;
    default:
      drawn =
          RECT{client.left, client.top, client.left + picture.width, client.top + picture.height};
      break;
  }
  if (drawn.right <= drawn.left || drawn.bottom <= drawn.top) return;
  PaintPicture(picture, dc, drawn.left, drawn.top, drawn.right - drawn.left,
               drawn.bottom - drawn.top, SRCCOPY, back);
  HRGN covered = CreateRectRgnIndirect(&drawn);
  if (covered == nullptr) return;
  CombineRgn(rest, rest, covered, RGN_DIFF);
  DeleteObject(covered);
}

bool CentredPicture(Panel& panel) {
  return BackgroundPicture(panel) != nullptr && panel.Int(kBackPictureMode) == kPictureCentredFit;
}

}  // namespace

Picture* BackgroundPicture(Panel& panel) {
  if (panel.background != nullptr) return panel.background;
  const std::span<const uint8_t> bytes = panel.record.Bytes(kBackPicture);
  if (bytes.empty()) return nullptr;
  panel.background = DecodePictureBytes(bytes);
  if (panel.background == nullptr) panel.record.SetText(kBackPicture, {});
  return panel.background;
}

void DropBackgroundPicture(Panel& panel) {
  ReleasePicture(panel.background);
  panel.background = nullptr;
}

void PaintBackground(Panel& panel, HDC dc, const RECT& area, const RECT& client) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  const Picture* picture = BackgroundPicture(panel);
  if (picture == nullptr) {
    FillSolid(dc, area, ResolvedBackColor(panel));
    return;
  }
  HRGN rest = CreateRectRgnIndirect(&area);
  if (rest == nullptr) return;
  SelectClipRgn(dc, rest);
  PaintPictureByMode(panel, *picture, dc, area, client, rest);
  FillRegion(dc, rest, ResolvedBackColor(panel));
  SelectClipRgn(dc, nullptr);
  DeleteObject(rest);
}

void BuildBitmap(Panel& panel, HWND window, KeepDrawing keep) {
  if (panel.Int(kAutoRedraw) == 0) return;
  RECT client{};
  GetClientRect(window, &client);
  const SIZE size{std::max<LONG>(1, client.right - client.left),
                  std::max<LONG>(1, client.bottom - client.top)};
  HDC screen = GetDC(nullptr);
  HBITMAP fresh = screen != nullptr ? CreateCompatibleBitmap(screen, size.cx, size.cy) : nullptr;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  if (fresh == nullptr) return;
  {
    BitmapDc target(fresh);
    if (target.dc() != nullptr) {
      const RECT whole{0, 0, size.cx, size.cy};
      PaintBackground(panel, target.dc(), whole, whole);
      if (keep == KeepDrawing::kYes && panel.bitmap != nullptr && !CentredPicture(panel)) {
        BitmapDc previous(panel.bitmap);
        BitBlt(target.dc(), 0, 0, std::min(size.cx, panel.bitmap_size.cx),
               std::min(size.cy, panel.bitmap_size.cy), previous.dc(), 0, 0, SRCCOPY);
      }
    }
  }
  DeleteBitmap(panel);
  panel.bitmap = fresh;
  panel.bitmap_size = size;
}

void DeleteBitmap(Panel& panel) {
  if (panel.bitmap != nullptr) DeleteObject(panel.bitmap);
  panel.bitmap = nullptr;
  panel.bitmap_size = SIZE{0, 0};
}

}  // namespace runtime::units::drawpanel
