#include "runtime/units/label/gradient.h"

#include <algorithm>

namespace runtime::units::label {

namespace {

constexpr int32_t kTile = 50;
constexpr uint32_t kNoColour = 0xFF000000;

uint8_t Mix(uint8_t from, uint8_t to, int32_t part, int32_t whole) {
  return static_cast<uint8_t>(from + (static_cast<int32_t>(to) - from) * part / whole);
}

// One tile as a 32-bit DIB copied to the DC.
void DrawTile(HDC dc, const RECT& area, int32_t left, int32_t top, int32_t width, int32_t height,
              int32_t mode, const std::vector<COLORREF>& stops) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  const int32_t area_width = area.right - area.left;
  const int32_t area_height = area.bottom - area.top;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const COLORREF colour = GradientPixel(stops, mode, left - area.left + x, top - area.top + y,
                                            area_width, area_height);
      pixels[static_cast<size_t>(y * width + x)] = (uint32_t{GetRValue(colour)} << 16) |
                                                   (uint32_t{GetGValue(colour)} << 8) |
                                                   GetBValue(colour);
    }
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HBITMAP bitmap =
      CreateDIBitmap(dc, &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS);
  if (bitmap == nullptr) return;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(dc, left, top, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

}  // namespace

std::vector<COLORREF> GradientStops(std::initializer_list<uint32_t> colours) {
  std::vector<COLORREF> stops;
  for (uint32_t colour : colours) {
    if (colour != kNoColour) stops.push_back(colour & 0xFFFFFF);
  }
  return stops;
}

COLORREF GradientColour(const std::vector<COLORREF>& stops, int32_t p, int32_t length) {
  if (stops.empty()) return 0;
  const auto segments = static_cast<int32_t>(stops.size()) - 1;
  const int32_t segment = segments > 0 ? length / segments : 0;
  if (segment <= 0 || p < 0) return segment <= 0 ? stops.back() : stops.front();
  const int32_t i = p / segment;
  if (i >= segments) return stops.back();
  const COLORREF from = stops[static_cast<size_t>(i)];
  const COLORREF to = stops[static_cast<size_t>(i) + 1];
  const int32_t part = p % segment;
  return RGB(Mix(GetRValue(from), GetRValue(to), part, segment),
             Mix(GetGValue(from), GetGValue(to), part, segment),
             Mix(GetBValue(from), GetBValue(to), part, segment));
}

COLORREF GradientPixel(const std::vector<COLORREF>& stops, int32_t mode, int32_t x, int32_t y,
                       int32_t width, int32_t height) {
  const int32_t diagonal = 2 * std::min(width, height);
  const int32_t rx = width - 1 - x;
  const int32_t ry = height - 1 - y;
  switch (mode) {
    case 1:
      return GradientColour(stops, y, height);
    case 2:
      return GradientColour(stops, x, width);
    case 3:
      return GradientColour(stops, x + y, diagonal);
    case 4:
      return GradientColour(stops, rx + y, diagonal);
    case 5:
      return GradientColour(stops, ry, height);
    case 6:
      return GradientColour(stops, rx, width);
    case 7:
      return GradientColour(stops, rx + ry, diagonal);
    case 8:
      return GradientColour(stops, x + ry, diagonal);
    default:
      return stops.empty() ? 0 : stops.front();
  }
}

void FillGradient(HDC dc, const RECT& rect, int32_t mode, const std::vector<COLORREF>& stops) {
  if (stops.size() < 2 || mode < 1 || mode > kLastGradientMode) return;
  for (int32_t top = rect.top; top < rect.bottom; top += kTile) {
    for (int32_t left = rect.left; left < rect.right; left += kTile) {
      DrawTile(dc, rect, left, top, std::min(kTile, static_cast<int32_t>(rect.right) - left),
               std::min(kTile, static_cast<int32_t>(rect.bottom) - top), mode, stops);
    }
  }
}

}  // namespace runtime::units::label
