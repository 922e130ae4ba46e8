// The colour dialog's pictures: the hue/saturation spectrum, the luminance
// bar and the sample. Each shows the dialog's ColourModel; the spectrum and
// the bar change it when clicked, dragged over (the mouse is captured) or
// moved with the arrow keys.
//
// Index: mapping - pixels - spectrum - luminance bar - sample - the shared
// window procedure - registration.
#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/dialogs/choose_color.h"

namespace platform::dialogs {

// ---------------------------------------------------------------------------
// Mapping. A picture of n <= 240 pixels gives each pixel a range of values
// at least one wide; a pixel stands for the least value of its range, a
// value for the pixel whose range holds it.
// ---------------------------------------------------------------------------

namespace {

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

}  // namespace

int SpectrumX(int hue, int width) { return std::clamp(hue, 0, kHueMax) * width / kHlsMax; }

int HueAtX(int x, int width) {
  if (width <= 0) return 0;
  return std::min(kHueMax, CeilDiv(std::clamp(x, 0, width - 1) * kHlsMax, width));
}

int SpectrumY(int sat, int height) {
  if (height <= 1) return 0;
  return (kHlsMax - std::clamp(sat, 0, kHlsMax)) * (height - 1) / kHlsMax;
}

int SatAtY(int y, int height) {
  if (height <= 1) return kHlsMax;
  return kHlsMax - CeilDiv(std::clamp(y, 0, height - 1) * kHlsMax, height - 1);
}

namespace {

ColourModel* ModelOf(HWND picture) {
  return reinterpret_cast<ColourModel*>(GetWindowLongPtrA(picture, 0));
}

void Notify(HWND picture) {
  SendMessageA(GetParent(picture), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(picture), kPictureChanged),
               reinterpret_cast<LPARAM>(picture));
}

// The picture's pixels, inside its sunken edge.
RECT PictureArea(HWND picture, int width) {
  RECT client;
  GetClientRect(picture, &client);
  if (width > 0) client.right = std::min<LONG>(client.right, width);
  return RECT{client.left + kPictureEdge, client.top + kPictureEdge, client.right - kPictureEdge,
              client.bottom - kPictureEdge};
}

// ---------------------------------------------------------------------------
// Pixels
// ---------------------------------------------------------------------------

uint32_t Pixel(COLORREF c) {
  return (static_cast<uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// Draws `area` pixel by pixel: colour_at(x, y, width, height) in picture
// coordinates.
template <typename ColourAt>
void PaintPixels(HDC dc, const RECT& area, ColourAt colour_at) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels[static_cast<size_t>(y) * width + x] = Pixel(colour_at(x, y, width, height));
    }
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, area.left, area.top, static_cast<DWORD>(width), static_cast<DWORD>(height),
                    0, 0, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void PaintEdge(HDC dc, const RECT& area) {
  RECT edge{area.left - kPictureEdge, area.top - kPictureEdge, area.right + kPictureEdge,
            area.bottom + kPictureEdge};
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
}

// ---------------------------------------------------------------------------
// Spectrum: hue across, saturation up, at the middle luminance
// ---------------------------------------------------------------------------

// The cross hair: four arms around the point, the point itself left free.
void PaintCrossHair(HDC dc, const RECT& area, POINT at) {
  constexpr int kGap = 3, kArm = 6;
  const RECT arms[] = {
      {at.x - kGap - kArm, at.y - 1, at.x - kGap, at.y + 2},
      {at.x + kGap + 1, at.y - 1, at.x + kGap + 1 + kArm, at.y + 2},
      {at.x - 1, at.y - kGap - kArm, at.x + 2, at.y - kGap},
      {at.x - 1, at.y + kGap + 1, at.x + 2, at.y + kGap + 1 + kArm},
  };
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  for (const RECT& arm : arms) FillRect(dc, &arm, GetSysColorBrush(COLOR_WINDOWTEXT));
  RestoreDC(dc, saved);
}

void PaintSpectrum(HWND spectrum, HDC dc, const ColourModel& m) {
  const RECT area = PictureArea(spectrum, 0);
  PaintEdge(dc, area);
  PaintPixels(dc, area, [](int x, int y, int w, int h) {
    return HlsToRgb(Hls{HueAtX(x, w), kHlsMax / 2, SatAtY(y, h)});
  });
  const int w = area.right - area.left, h = area.bottom - area.top;
  PaintCrossHair(dc, area,
                 POINT{area.left + SpectrumX(m.hls.hue, w), area.top + SpectrumY(m.hls.sat, h)});
}

void SpectrumFromPoint(HWND spectrum, ColourModel& m, POINT p) {
  const RECT area = PictureArea(spectrum, 0);
  const int hue = HueAtX(p.x - area.left, area.right - area.left);
  const int sat = SatAtY(p.y - area.top, area.bottom - area.top);
  if (hue == m.hls.hue && sat == m.hls.sat) return;
  m.hls.hue = hue;
  m.hls.sat = sat;
  Notify(spectrum);
}

bool SpectrumKey(ColourModel& m, WPARAM key) {
  switch (key) {
    case VK_LEFT:
      m.hls.hue = std::max(m.hls.hue - 1, 0);
      return true;
    case VK_RIGHT:
      m.hls.hue = std::min(m.hls.hue + 1, kHueMax);
      return true;
    case VK_UP:
      m.hls.sat = std::min(m.hls.sat + 1, kHlsMax);
      return true;
    case VK_DOWN:
      m.hls.sat = std::max(m.hls.sat - 1, 0);
      return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------------------
// Luminance bar: the current hue and saturation from white (top) to black,
// with an arrow at the current luminance to its right
// ---------------------------------------------------------------------------

void PaintArrow(HDC dc, int left, int y) {
  const POINT tip[] = {{left + 1, y}, {left + 7, y - 5}, {left + 7, y + 5}};
  HGDIOBJ old_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ old_brush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Polygon(dc, tip, 3);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
}

void PaintLuminance(HWND bar, HDC dc, const ColourModel& m) {
  const RECT area = PictureArea(bar, kLumBarWidth);
  PaintEdge(dc, area);
  PaintPixels(dc, area, [&m](int, int y, int, int h) {
    return HlsToRgb(Hls{m.hls.hue, LumAtY(y, h), m.hls.sat});
  });
  RECT client;
  GetClientRect(bar, &client);
  const RECT beside{kLumBarWidth, 0, client.right, client.bottom};
  FillRect(dc, &beside, GetSysColorBrush(COLOR_3DFACE));
  PaintArrow(dc, kLumBarWidth, area.top + LumBarY(m.hls.lum, area.bottom - area.top));
}

void LuminanceFromPoint(HWND bar, ColourModel& m, POINT p) {
  const RECT area = PictureArea(bar, kLumBarWidth);
  const int lum = LumAtY(p.y - area.top, area.bottom - area.top);
  if (lum == m.hls.lum) return;
  m.hls.lum = lum;
  Notify(bar);
}

bool LuminanceKey(ColourModel& m, WPARAM key) {
  if (key == VK_UP) {
    m.hls.lum = std::min(m.hls.lum + 1, kHlsMax);
  } else if (key == VK_DOWN) {
    m.hls.lum = std::max(m.hls.lum - 1, 0);
  } else {
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Sample: "colour" on the left, its nearest solid colour on the right. On a
// 32-bit screen every colour is solid, so both halves are the same.
// ---------------------------------------------------------------------------

void PaintSample(HWND sample, HDC dc, const ColourModel& m) {
  const RECT area = PictureArea(sample, 0);
  PaintEdge(dc, area);
  const int middle = (area.left + area.right) / 2;
  FillSolid(dc, RECT{area.left, area.top, middle, area.bottom}, m.rgb);
  FillSolid(dc, RECT{middle, area.top, area.right, area.bottom}, m.rgb);
}

// ---------------------------------------------------------------------------
// One window procedure for the three: they differ in what they paint and
// which input they take.
// ---------------------------------------------------------------------------

enum class Kind { kSpectrum, kLuminance, kSample };

// The focus shows as a dotted frame around the picture.
void PaintFocus(HWND picture, HDC dc, Kind kind) {
  if (GetFocus() != picture) return;
  RECT client;
  GetClientRect(picture, &client);
  if (kind == Kind::kLuminance) client.right = kLumBarWidth;
  DrawFocusRect(dc, &client);
}

LRESULT OnPaint(HWND picture, Kind kind, const ColourModel& m) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(picture, &ps);
  switch (kind) {
    case Kind::kSpectrum:
      PaintSpectrum(picture, dc, m);
      break;
    case Kind::kLuminance:
      PaintLuminance(picture, dc, m);
      break;
    case Kind::kSample:
      PaintSample(picture, dc, m);
      break;
  }
  PaintFocus(picture, dc, kind);
  EndPaint(picture, &ps);
  return 0;
}

void FollowPoint(HWND picture, Kind kind, ColourModel& m, LPARAM lparam) {
  const POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  if (kind == Kind::kSpectrum) {
    SpectrumFromPoint(picture, m, p);
  } else {
    LuminanceFromPoint(picture, m, p);
  }
}

LRESULT OnLButtonDown(HWND picture, Kind kind, ColourModel& m, LPARAM lparam) {
  SetFocus(picture);
  SetCapture(picture);
  FollowPoint(picture, kind, m, lparam);
  return 0;
}

LRESULT OnMouseMove(HWND picture, Kind kind, ColourModel& m, LPARAM lparam) {
  if (GetCapture() == picture) FollowPoint(picture, kind, m, lparam);
  return 0;
}

LRESULT OnKeyDown(HWND picture, Kind kind, ColourModel& m, WPARAM key) {
  const bool changed = kind == Kind::kSpectrum ? SpectrumKey(m, key) : LuminanceKey(m, key);
  if (changed) Notify(picture);
  return 0;
}

LRESULT OnNcCreate(HWND picture, LPARAM lparam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
  SetWindowLongPtrA(picture, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  return create->lpCreateParams != nullptr;
}

// The input the spectrum and the bar take; the sample takes none.
LRESULT OnInput(HWND picture, Kind kind, ColourModel& m, UINT message, WPARAM wparam,
                LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnLButtonDown(picture, kind, m, lparam);
    case WM_MOUSEMOVE:
      return OnMouseMove(picture, kind, m, lparam);
    case WM_LBUTTONUP:
      if (GetCapture() == picture) ReleaseCapture();
      return 0;
    case WM_KEYDOWN:
      return OnKeyDown(picture, kind, m, wparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(picture, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    default:
      return DefWindowProcA(picture, message, wparam, lparam);
  }
}

template <Kind kKind>
LRESULT PictureProc(HWND picture, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) return OnNcCreate(picture, lparam);
  ColourModel* m = ModelOf(picture);
  if (m == nullptr) return DefWindowProcA(picture, message, wparam, lparam);
  if (message == WM_PAINT) return OnPaint(picture, kKind, *m);
  if constexpr (kKind == Kind::kSample) return DefWindowProcA(picture, message, wparam, lparam);
  return OnInput(picture, kKind, *m, message, wparam, lparam);
}

void RegisterPictureClass(const char* name, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

}  // namespace

void RegisterColourPictureClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterPictureClass(kSpectrumClass, PictureProc<Kind::kSpectrum>);
    RegisterPictureClass(kLuminanceClass, PictureProc<Kind::kLuminance>);
    RegisterPictureClass(kSampleClass, PictureProc<Kind::kSample>);
  });
}

}  // namespace platform::dialogs
