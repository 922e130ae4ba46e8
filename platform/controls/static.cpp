// The STATIC control: text (left, centred or right, wrapped at words unless
// SS_LEFTNOWORDWRAP or SS_SIMPLE), an icon (SS_ICON) or a bitmap
// (SS_BITMAP). Everything is drawn on the parent's WM_CTLCOLORSTATIC brush
// and colours, so a parent that answers with a hollow brush and a
// transparent background lets its own picture show through. The mouse
// passes through to the parent unless SS_NOTIFY.
#include "platform/controls/static.h"

#include <algorithm>
#include <memory>
#include <string>

#include "platform/controls/control_paint.h"
#include "platform/controls/repaint.h"
#include "platform/win32.h"

namespace platform::controls {

namespace {

constexpr char kClassName[] = "Static";

// Kept behind the window (its first extra bytes).
struct StaticState {
  HFONT font = nullptr;    // WM_SETFONT; null keeps the DC's own font
  HANDLE image = nullptr;  // STM_SETICON / STM_SETIMAGE; the caller keeps ownership
};

StaticState* StateOf(HWND hwnd) {
  return reinterpret_cast<StaticState*>(GetWindowLongPtrA(hwnd, 0));
}

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

DWORD TypeOf(HWND hwnd) { return StyleOf(hwnd) & SS_TYPEMASK; }

void Notify(HWND hwnd, WORD code) {
  if (!(StyleOf(hwnd) & SS_NOTIFY)) return;
  HWND parent = GetParent(hwnd);
  if (parent == nullptr) return;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
               reinterpret_cast<LPARAM>(hwnd));
}

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

// The parent's brush and colours; its default answer when it gives none.
HBRUSH ColorsFromParent(HWND hwnd, HDC dc) {
  HWND parent = GetParent(hwnd);
  HWND asked = parent ? parent : hwnd;
  auto dc_param = reinterpret_cast<WPARAM>(dc);
  auto self = reinterpret_cast<LPARAM>(hwnd);
  LRESULT brush = SendMessageA(asked, WM_CTLCOLORSTATIC, dc_param, self);
  if (brush == 0) brush = DefWindowProcA(asked, WM_CTLCOLORSTATIC, dc_param, self);
  return reinterpret_cast<HBRUSH>(brush);
}

UINT TextFormat(DWORD style) {
  UINT format = DT_EXPANDTABS;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER:
      format |= DT_CENTER | DT_WORDBREAK;
      break;
    case SS_RIGHT:
      format |= DT_RIGHT | DT_WORDBREAK;
      break;
    case SS_LEFTNOWORDWRAP:
      format |= DT_LEFT;
      break;
    case SS_SIMPLE:
      format = DT_LEFT | DT_SINGLELINE;
      break;
    default:
      format |= DT_LEFT | DT_WORDBREAK;
      break;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  if (style & SS_ENDELLIPSIS) format |= DT_END_ELLIPSIS;
  return format;
}

void PaintText(HWND hwnd, HDC dc, const RECT& client) {
  const std::string text = ControlText(hwnd);
  if (text.empty()) return;
  if (!IsWindowEnabled(hwnd)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  RECT area = client;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, TextFormat(StyleOf(hwnd)));
}

// Icons and bitmaps sit at the top-left, or in the middle with SS_CENTERIMAGE.
POINT ImageOrigin(HWND hwnd, const RECT& client, SIZE size) {
  if (!(StyleOf(hwnd) & SS_CENTERIMAGE)) return POINT{0, 0};
  return POINT{(client.right - size.cx) / 2, (client.bottom - size.cy) / 2};
}

SIZE SizeOfImage(HANDLE image, DWORD type) {
  SIZE size{0, 0};
  if (image == nullptr) return size;
  if (type == SS_BITMAP) {
    BITMAP bm{};
    if (GetObjectA(image, sizeof bm, &bm) == sizeof bm) size = {bm.bmWidth, std::abs(bm.bmHeight)};
    return size;
  }
  ICONINFO info{};
  if (!GetIconInfo(static_cast<HICON>(image), &info)) return size;
  BITMAP bm{};
  if (GetObjectA(info.hbmColor, sizeof bm, &bm) == sizeof bm) {
    size = {bm.bmWidth, std::abs(bm.bmHeight)};
  }
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return size;
}

void PaintImage(HWND hwnd, HDC dc, const RECT& client, HANDLE image) {
  const DWORD type = TypeOf(hwnd);
  const SIZE size = SizeOfImage(image, type);
  if (size.cx <= 0 || size.cy <= 0) return;
  const POINT at = ImageOrigin(hwnd, client, size);
  if (type == SS_ICON) {
    DrawIconEx(dc, at.x, at.y, static_cast<HICON>(image), 0, 0, 0, nullptr, DI_NORMAL);
    return;
  }
  DrawBitmapAt(dc, static_cast<HBITMAP>(image), at, size);
}

void Paint(HWND hwnd, HDC dc) {
  const StaticState* s = StateOf(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  HBRUSH brush = ColorsFromParent(hwnd, dc);
  if (brush) FillRect(dc, &client, brush);
  const DWORD type = TypeOf(hwnd);
  if (type == SS_ICON || type == SS_BITMAP) {
    PaintImage(hwnd, dc, client, s->image);
    return;
  }
  HGDIOBJ old_font = s->font ? SelectObject(dc, s->font) : nullptr;
  PaintText(hwnd, dc, client);
  if (old_font) SelectObject(dc, old_font);
}

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------

bool ImageFitsType(DWORD type, WPARAM kind) {
  if (type == SS_ICON) return kind == IMAGE_ICON || kind == IMAGE_CURSOR;
  return type == SS_BITMAP && kind == IMAGE_BITMAP;
}

// A new image replaces the old one, and the control takes its size unless
// it centres the image in a size of its own.
LRESULT SetImage(HWND hwnd, HANDLE image) {
  StaticState* s = StateOf(hwnd);
  HANDLE old = s->image;
  s->image = image;
  const SIZE size = SizeOfImage(image, TypeOf(hwnd));
  if (!(StyleOf(hwnd) & SS_CENTERIMAGE) && size.cx > 0 && size.cy > 0) {
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RepaintControl(hwnd, true);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT OnSetImage(HWND hwnd, WPARAM kind, LPARAM image) {
  if (!ImageFitsType(TypeOf(hwnd), kind)) return 0;
  return SetImage(hwnd, reinterpret_cast<HANDLE>(image));
}

LRESULT OnGetImage(HWND hwnd, WPARAM kind) {
  if (!ImageFitsType(TypeOf(hwnd), kind)) return 0;
  return reinterpret_cast<LRESULT>(StateOf(hwnd)->image);
}

LRESULT OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc != nullptr) Paint(hwnd, dc);
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnNcCreate(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto state = std::make_unique<StaticState>();
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(state.release()));
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT OnNcDestroy(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  delete StateOf(hwnd);
  SetWindowLongPtrA(hwnd, 0, 0);
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT OnSetText(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
  RepaintControl(hwnd, true);
  return result;
}

LRESULT OnEnable(HWND hwnd, WPARAM enabled) {
  RepaintControl(hwnd, true);
  Notify(hwnd, enabled ? STN_ENABLE : STN_DISABLE);
  return 0;
}

LRESULT OnSetFont(HWND hwnd, WPARAM font, LPARAM redraw) {
  StateOf(hwnd)->font = reinterpret_cast<HFONT>(font);
  if (LOWORD(redraw)) RepaintControl(hwnd, true);
  return 0;
}

LRESULT ImageMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case STM_SETICON:
      return TypeOf(hwnd) == SS_ICON ? SetImage(hwnd, reinterpret_cast<HANDLE>(wparam)) : 0;
    case STM_GETICON:
      return TypeOf(hwnd) == SS_ICON ? reinterpret_cast<LRESULT>(StateOf(hwnd)->image) : 0;
    case STM_SETIMAGE:
      return OnSetImage(hwnd, wparam, lparam);
    case STM_GETIMAGE:
      return OnGetImage(hwnd, wparam);
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

LRESULT StaticProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) return OnNcCreate(hwnd, message, wparam, lparam);
  if (StateOf(hwnd) == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  switch (message) {
    case WM_NCDESTROY:
      return OnNcDestroy(hwnd, message, wparam, lparam);
    case WM_PAINT:
      return OnPaint(hwnd);
    case WM_PRINTCLIENT:
      Paint(hwnd, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting fills the background with the parent's brush
    case WM_NCHITTEST:
      if (!(StyleOf(hwnd) & SS_NOTIFY)) return HTTRANSPARENT;
      return DefWindowProcA(hwnd, message, wparam, lparam);
    case WM_LBUTTONDOWN:
      Notify(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      Notify(hwnd, STN_DBLCLK);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_SETTEXT:
      return OnSetText(hwnd, message, wparam, lparam);
    case WM_ENABLE:
      return OnEnable(hwnd, wparam);
    case WM_SETFONT:
      return OnSetFont(hwnd, wparam, lparam);
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(StateOf(hwnd)->font);
    default:
      return ImageMessage(hwnd, message, wparam, lparam);
  }
}

}  // namespace

void RegisterStaticClass() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  wc.lpfnWndProc = StaticProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
}

}  // namespace platform::controls
