#include "platform/user/menu_popup.h"

#include <algorithm>
#include <mutex>

#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr char kClassName[] = "#32768";  // the class Windows gives its menu windows
constexpr int kOverlap = 3;              // a sub-menu covers its parent's edge

LRESULT OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc == nullptr) return 0;
  const auto handle = reinterpret_cast<HMENU>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (std::shared_ptr<Menu> menu = FindMenuQuiet(handle)) {
    PaintPopupMenu(dc, *menu);
  } else {
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
  }
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT MenuWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      return OnPaint(hwnd);
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

void RegisterMenuClass() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSA wc{};
    wc.style = CS_SAVEBITS | CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = MenuWindowProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
  });
}

RECT Screen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// Moves `r` horizontally back onto the screen (its left edge wins).
RECT KeepAcross(RECT r) {
  const RECT screen = Screen();
  if (r.right > screen.right) OffsetRect(&r, screen.right - r.right, 0);
  if (r.left < screen.left) OffsetRect(&r, screen.left - r.left, 0);
  return r;
}

RECT KeepDown(RECT r) {
  const RECT screen = Screen();
  if (r.bottom > screen.bottom) OffsetRect(&r, 0, screen.bottom - r.bottom);
  if (r.top < screen.top) OffsetRect(&r, 0, screen.top - r.top);
  return r;
}

}  // namespace

HWND ShowMenuWindow(HWND owner, HMENU menu, const RECT& screen) {
  RegisterMenuClass();
  HWND hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "",
                              WS_POPUP | WS_CLIPSIBLINGS, screen.left, screen.top,
                              screen.right - screen.left, screen.bottom - screen.top, owner,
                              nullptr, nullptr, nullptr);
  if (hwnd == nullptr) return nullptr;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(menu));
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return IsWindow(hwnd) ? hwnd : nullptr;
}

RECT PlaceAtPoint(SIZE size, POINT at, UINT flags) {
  int left = at.x, top = at.y;
  if (flags & TPM_RIGHTALIGN) {
    left -= size.cx;
  } else if (flags & TPM_CENTERALIGN) {
    left -= size.cx / 2;
  }
  if (flags & TPM_BOTTOMALIGN) {
    top -= size.cy;
  } else if (flags & TPM_VCENTERALIGN) {
    top -= size.cy / 2;
  }
  RECT r{left, top, left + size.cx, top + size.cy};
  // Past the right or bottom edge it opens the other way from the point.
  const RECT screen = Screen();
  if (r.right > screen.right && at.x - size.cx >= screen.left)
    r = {at.x - size.cx, r.top, at.x, r.bottom};
  if (r.bottom > screen.bottom && at.y - size.cy >= screen.top)
    r = {r.left, at.y - size.cy, r.right, at.y};
  return KeepDown(KeepAcross(r));
}

RECT PlaceBelow(SIZE size, const RECT& item) {
  RECT r{item.left, item.bottom, item.left + size.cx, item.bottom + size.cy};
  const RECT screen = Screen();
  if (r.bottom > screen.bottom && item.top - size.cy >= screen.top) {
    r = {item.left, item.top - size.cy, item.left + size.cx, item.top};
  }
  return KeepDown(KeepAcross(r));
}

RECT PlaceBeside(SIZE size, const RECT& item, const RECT& parent) {
  const int top = item.top - kOverlap;
  RECT r{parent.right - kOverlap, top, parent.right - kOverlap + size.cx, top + size.cy};
  const RECT screen = Screen();
  if (r.right > screen.right && parent.left + kOverlap - size.cx >= screen.left) {
    r = {parent.left + kOverlap - size.cx, top, parent.left + kOverlap, top + size.cy};
  }
  return KeepDown(KeepAcross(r));
}

}  // namespace platform::user
