// Window rectangles, coordinate mapping, hit finding, window regions,
// re-parenting and the SetWindowLong family.
#include <algorithm>
#include <cstring>

#include "platform/display/display.h"
#include "platform/user/nonclient.h"
#include "platform/user/painting.h"
#include "platform/user/region_handles.h"
#include "platform/user/window.h"
#include "platform/user/window_internal.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

// The desktop has no record of its own: it is the screen.
const HWND kDesktop = reinterpret_cast<HWND>(0x10010);

RECT ScreenRect() {
  ScreenSettings s = CurrentScreen();
  return {0, 0, s.width, s.height};
}

bool InWindowArea(const Window* w, POINT in_parent_client) {
  POINT p{in_parent_client.x - w->rect.left, in_parent_client.y - w->rect.top};
  return WindowArea(w).Contains(p);
}

// The deepest visible window under `p` (parent client coordinates) among
// `windows`, skipping `skip`; children count only inside their parent's
// client area.
Window* Deepest(const std::vector<Window*>& windows, POINT p, const std::vector<HWND>& skip,
                UINT flags) {
  for (Window* w : windows) {
    if (!w->IsVisibleFlag() || !InWindowArea(w, p)) continue;
    if (std::find(skip.begin(), skip.end(), w->hwnd) != skip.end()) continue;
    if ((flags & CWP_SKIPDISABLED) && (w->style & WS_DISABLED)) continue;
    POINT in_client{p.x - w->rect.left - w->client.left, p.y - w->rect.top - w->client.top};
    RECT client_size{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    if (!(w->style & WS_DISABLED) && in_client.x >= 0 && in_client.y >= 0 &&
        in_client.x < client_size.right && in_client.y < client_size.bottom) {
      if (Window* child = Deepest(w->children, in_client, skip, flags | CWP_SKIPDISABLED)) {
        return child;
      }
    }
    return w;
  }
  return nullptr;
}

}  // namespace

HWND DesktopWindow() { return kDesktop; }

// The window under a screen point as the mouse sees it: hidden and disabled
// children are passed over, and a window answering HTTRANSPARENT lets the
// point through to what lies beneath.
HWND WindowAtScreenPoint(POINT screen) {
  std::vector<HWND> transparent;
  for (int guard = 0; guard < 64; ++guard) {
    Window* w = Deepest(TopLevels(), screen, transparent, CWP_SKIPINVISIBLE);
    if (w == nullptr) return nullptr;
    POINT origin = ScreenOrigin(w);
    (void)origin;
    LRESULT hit = SendMessageA(w->hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit != HTTRANSPARENT) return w->hwnd;
    transparent.push_back(w->hwnd);
  }
  return nullptr;
}

}  // namespace platform::user

using platform::user::FindWindow;
using platform::user::Window;

HWND GetDesktopWindow() { return platform::user::DesktopWindow(); }

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
  if (lpRect == nullptr) return FALSE;
  if (hWnd == platform::user::DesktopWindow()) {
    *lpRect = platform::user::ScreenRect();
    return TRUE;
  }
  Window* w = FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  POINT at = platform::user::ScreenOrigin(w);
  *lpRect = {at.x, at.y, at.x + w->Width(), at.y + w->Height()};
  return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
  if (lpRect == nullptr) return FALSE;
  if (hWnd == platform::user::DesktopWindow()) {
    *lpRect = platform::user::ScreenRect();
    return TRUE;
  }
  Window* w = FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  *lpRect = {0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

namespace {
// The screen position of a window's client origin; (0,0) for the desktop.
bool ClientOrigin(HWND hwnd, POINT* origin) {
  if (hwnd == nullptr || hwnd == platform::user::DesktopWindow()) {
    *origin = {0, 0};
    return true;
  }
  Window* w = FindWindow(hwnd);
  if (w == nullptr) return false;
  POINT at = platform::user::ScreenOrigin(w);
  *origin = {at.x + w->client.left, at.y + w->client.top};
  return true;
}
}  // namespace

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  POINT origin;
  if (lpPoint == nullptr || !ClientOrigin(hWnd, &origin) || hWnd == nullptr) return FALSE;
  lpPoint->x += origin.x;
  lpPoint->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  POINT origin;
  if (lpPoint == nullptr || !ClientOrigin(hWnd, &origin) || hWnd == nullptr) return FALSE;
  lpPoint->x -= origin.x;
  lpPoint->y -= origin.y;
  return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
  POINT from, to;
  if (!ClientOrigin(hWndFrom, &from) || !ClientOrigin(hWndTo, &to)) return 0;
  int dx = from.x - to.x, dy = from.y - to.y;
  for (UINT i = 0; i < cPoints && lpPoints; ++i) {
    lpPoints[i].x += dx;
    lpPoints[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND WindowFromPoint(POINT Point) { return platform::user::WindowAtScreenPoint(Point); }

HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags) {
  Window* w = FindWindow(hwnd);
  if (w == nullptr) return nullptr;
  RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  if (pt.x < client.left || pt.y < client.top || pt.x >= client.right || pt.y >= client.bottom) {
    return nullptr;
  }
  for (Window* c : w->children) {
    if ((flags & CWP_SKIPINVISIBLE) && !c->IsVisibleFlag()) continue;
    if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (c->ex_style & WS_EX_TRANSPARENT)) continue;
    POINT in_child{pt.x - c->rect.left, pt.y - c->rect.top};
    if (platform::user::WindowArea(c).Contains(in_child)) return c->hwnd;
  }
  return hwnd;
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT Point) {
  return ChildWindowFromPointEx(hWndParent, Point, CWP_ALL);
}

BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
  if (lpRect == nullptr) return FALSE;
  if ((dwStyle & WS_CAPTION) == WS_CAPTION) dwExStyle |= WS_EX_WINDOWEDGE;
  // As on Windows, scroll bars are not counted: they come and go with the range.
  dwStyle &= ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL);
  RECT insets = platform::user::NonClientInsets(dwStyle, dwExStyle);
  lpRect->left -= insets.left;
  // One row of menu bar, as on Windows, however many rows it would wrap into.
  lpRect->top -= insets.top + (bMenu && !(dwStyle & WS_CHILD) ? GetSystemMetrics(SM_CYMENU) : 0);
  lpRect->right += insets.right;
  lpRect->bottom += insets.bottom;
  return TRUE;
}

int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw) {
  Window* w = FindWindow(hWnd);
  if (w == nullptr) return 0;
  platform::gdi::Region shape;
  if (hRgn != nullptr && !platform::user::RegionOfHandle(hRgn, &shape)) return 0;
  RECT old_rect = w->rect;
  w->has_window_region = hRgn != nullptr;
  w->window_region = shape;
  // The system owns the region from now on.
  if (hRgn != nullptr) DeleteObject(hRgn);
  if (bRedraw) platform::user::ExposeAfterMove(w, old_rect, true);
  if (w->IsTopLevel()) {
    if (auto* display = platform::CurrentDisplay()) display->TopLevelChanged(hWnd);
  }
  return 1;
}

int GetWindowRgn(HWND hWnd, HRGN hRgn) {
  Window* w = FindWindow(hWnd);
  if (w == nullptr || !w->has_window_region || hRgn == nullptr) return 0;  // ERROR
  if (!platform::user::SetHandleRegion(hRgn, w->window_region)) return 0;
  return platform::gdi::RegionType(w->window_region);
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent) {
  Window* w = FindWindow(hWndChild);
  if (w == nullptr) return nullptr;
  Window* parent = hWndNewParent ? FindWindow(hWndNewParent) : nullptr;
  if (hWndNewParent && parent == nullptr) return nullptr;
  for (Window* p = parent; p; p = p->parent) {
    if (p == w) {
      SetLastError(ERROR_INVALID_PARAMETER);  // a window cannot go inside itself
      return nullptr;
    }
  }
  Window* old = w->parent;
  HWND old_hwnd = old ? old->hwnd : platform::user::DesktopWindow();
  bool visible = w->IsVisibleFlag();
  if (visible) ShowWindow(hWndChild, SW_HIDE);
  std::erase(platform::user::SiblingsOf(w), w);
  w->parent = parent;
  if (parent == nullptr && !w->surface) {
    w->surface =
        std::make_shared<platform::gdi::Surface>(std::max(1, w->Width()), std::max(1, w->Height()));
  }
  platform::user::SiblingsOf(w).insert(platform::user::SiblingsOf(w).begin(), w);
  if (visible) ShowWindow(hWndChild, SW_SHOWNA);
  return old_hwnd;
}

LONG_PTR SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  Window* w = FindWindow(hWnd);
  if (w == nullptr) return 0;
  LONG_PTR old = GetWindowLongPtrA(hWnd, nIndex);
  if (nIndex >= 0) {
    if (static_cast<size_t>(nIndex) + sizeof(LONG_PTR) > w->extra.size()) return 0;
    std::memcpy(w->extra.data() + nIndex, &dwNewLong, sizeof dwNewLong);
    return old;
  }
  switch (nIndex) {
    case GWLP_WNDPROC:
      w->proc = reinterpret_cast<WNDPROC>(dwNewLong);
      break;
    case GWLP_HINSTANCE:
      w->instance = reinterpret_cast<HINSTANCE>(dwNewLong);
      break;
    case GWLP_USERDATA:
      w->user_data = dwNewLong;
      break;
    case GWLP_ID:
      w->id = dwNewLong;
      break;
    case GWLP_HWNDPARENT:
      if (w->IsTopLevel()) w->owner = reinterpret_cast<HWND>(dwNewLong);
      break;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      // Visibility changes only through ShowWindow and SetWindowPos.
      STYLESTRUCT change{static_cast<DWORD>(old), static_cast<DWORD>(dwNewLong)};
      WPARAM which = static_cast<WPARAM>(nIndex);
      SendMessageA(hWnd, WM_STYLECHANGING, which, reinterpret_cast<LPARAM>(&change));
      if (!IsWindow(hWnd)) return 0;
      if (nIndex == GWL_STYLE) {
        w->style = (change.styleNew & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
      } else {
        w->ex_style = change.styleNew;
      }
      SendMessageA(hWnd, WM_STYLECHANGED, which, reinterpret_cast<LPARAM>(&change));
      break;
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
  return old;
}

LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
  return static_cast<LONG>(SetWindowLongPtrA(hWnd, nIndex, dwNewLong));
}
