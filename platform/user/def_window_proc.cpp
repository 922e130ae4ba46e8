// DefWindowProc: the default behaviour of every window, one small handler
// per message.
#include <algorithm>
#include <cstring>

#include "platform/display/display.h"
#include "platform/user/focus.h"
#include "platform/user/menu.h"
#include "platform/user/nonclient.h"
#include "platform/user/painting.h"
#include "platform/user/scroll_bar.h"
#include "platform/user/system_menu.h"
#include "platform/user/window.h"
#include "platform/user/window_class.h"
#include "platform/win32.h"

namespace platform::user {

// The move loop of a caption drag (window_move.cpp).
void TrackCaptionDrag(HWND hwnd, POINT start);
// Presses a caption button until the mouse is released; true when released on it.
bool TrackCaptionButton(HWND hwnd, LRESULT button);

namespace {

LRESULT OnNcCreate(Window* w, LPARAM lparam) {
  auto* cs = reinterpret_cast<CREATESTRUCTA*>(lparam);
  if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
  return TRUE;
}

LRESULT OnNcCalcSize(Window* w, WPARAM wparam, LPARAM lparam) {
  RECT* r = wparam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0]
                   : reinterpret_cast<RECT*>(lparam);
  if (r == nullptr) return 0;
  RECT insets = NonClientInsets(w->style, w->ex_style);
  const int menu_bar = LayOutMenuBar(w, r->right - r->left);
  r->left += insets.left;
  r->top += insets.top + menu_bar;
  r->right = std::max(r->left, r->right - insets.right);
  r->bottom = std::max(r->top, r->bottom - insets.bottom);
  return 0;
}

LRESULT OnNcHitTest(Window* w, LPARAM lparam) {
  POINT origin = ScreenOrigin(w);
  POINT p{GET_X_LPARAM(lparam) - origin.x, GET_Y_LPARAM(lparam) - origin.y};
  return NonClientHitTest(w->hwnd, p);
}

LRESULT OnEraseBackground(Window* w, WPARAM wparam) {
  HBRUSH brush = w->window_class->background;
  if (brush == nullptr) return 0;
  RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  FillRect(reinterpret_cast<HDC>(wparam), &client, brush);
  return 1;
}

LRESULT OnGetText(Window* w, WPARAM size, LPARAM lparam) {
  auto* out = reinterpret_cast<char*>(lparam);
  if (out == nullptr || size == 0) return 0;
  size_t n = std::min(w->text.size(), static_cast<size_t>(size - 1));
  std::memcpy(out, w->text.data(), n);
  out[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT OnSetText(Window* w, LPARAM lparam) {
  const char* text = reinterpret_cast<const char*>(lparam);
  w->text = text ? text : "";
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    RedrawWindow(w->hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
  }
  if (w->IsTopLevel()) {
    if (Display* display = CurrentDisplay()) display->TopLevelChanged(w->hwnd);
  }
  return TRUE;
}

LRESULT OnSysCommand(Window* w, WPARAM wparam, LPARAM lparam) {
  switch (wparam & 0xFFF0) {
    case SC_CLOSE:
      SendMessageA(w->hwnd, WM_CLOSE, 0, 0);
      break;
    case SC_MINIMIZE:
      ShowWindow(w->hwnd, SW_MINIMIZE);
      break;
    case SC_MAXIMIZE:
      ShowWindow(w->hwnd, SW_MAXIMIZE);
      break;
    case SC_RESTORE:
      ShowWindow(w->hwnd, SW_RESTORE);
      break;
    case SC_MOVE:
      // A window whose window menu lost Move cannot be dragged.
      if (!SystemCommandAllowed(w, SC_MOVE)) break;
      TrackCaptionDrag(w->hwnd, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      break;
    case SC_MOUSEMENU:
      TrackMenuBarWithMouse(w->hwnd, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      break;
    case SC_KEYMENU:
      TrackMenuBarWithKey(w->hwnd, static_cast<WPARAM>(lparam));
      break;
    case SC_VSCROLL:
    case SC_HSCROLL:
      TrackScrollBar(w->hwnd, (wparam & 0xFFF0) == SC_VSCROLL ? SB_VERT : SB_HORZ,
                     {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      break;
    default:
      break;
  }
  return 0;
}

LRESULT OnNcLButtonDown(Window* w, WPARAM hit, LPARAM lparam) {
  Window* root = RootOf(w);
  if (Focus().active != root->hwnd) Activate(root, WA_CLICKACTIVE);
  switch (hit) {
    case HTCAPTION:
      SendMessageA(w->hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lparam);
      break;
    case HTMENU:
      SendMessageA(w->hwnd, WM_SYSCOMMAND, SC_MOUSEMENU | HTMENU, lparam);
      break;
    case HTVSCROLL:
      SendMessageA(w->hwnd, WM_SYSCOMMAND, SC_VSCROLL | HTVSCROLL, lparam);
      break;
    case HTHSCROLL:
      SendMessageA(w->hwnd, WM_SYSCOMMAND, SC_HSCROLL | HTHSCROLL, lparam);
      break;
    case HTCLOSE:
      if (TrackCaptionButton(w->hwnd, HTCLOSE))
        SendMessageA(w->hwnd, WM_SYSCOMMAND, SC_CLOSE, lparam);
      break;
    case HTMINBUTTON:
      if (TrackCaptionButton(w->hwnd, HTMINBUTTON)) {
        SendMessageA(w->hwnd, WM_SYSCOMMAND, SC_MINIMIZE, lparam);
      }
      break;
    case HTMAXBUTTON:
      if (TrackCaptionButton(w->hwnd, HTMAXBUTTON)) {
        SendMessageA(w->hwnd, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE,
                     lparam);
      }
      break;
    default:
      break;
  }
  return 0;
}

// Alt with a character asks for the menu item it is the mnemonic of.
LRESULT OnSysChar(Window* w, WPARAM wparam, LPARAM lparam) {
  const bool alt = (lparam & (1 << 29)) != 0;
  if (alt && wparam != 0 && wparam != '\t' && wparam != 0x1B && wparam != ' ') {
    SendMessageA(w->hwnd, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wparam));
  }
  return 0;
}

LRESULT OnSetCursor(Window* w, WPARAM wparam, LPARAM lparam) {
  if (w->parent && (w->style & WS_CHILD)) {
    if (SendMessageA(w->parent->hwnd, WM_SETCURSOR, wparam, lparam)) return TRUE;
  }
  int hit = static_cast<int16_t>(LOWORD(lparam));
  switch (hit) {
    case HTCLIENT:
      if (w->window_class->cursor) {
        SetCursor(w->window_class->cursor);
        return TRUE;
      }
      return FALSE;
    case HTLEFT:
    case HTRIGHT:
      SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
      return TRUE;
    case HTTOP:
    case HTBOTTOM:
      SetCursor(LoadCursorA(nullptr, IDC_SIZENS));
      return TRUE;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      SetCursor(LoadCursorA(nullptr, IDC_SIZENWSE));
      return TRUE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      SetCursor(LoadCursorA(nullptr, IDC_SIZENESW));
      return TRUE;
    default:
      SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      return FALSE;
  }
}

LRESULT OnWindowPosChanged(Window* w, LPARAM lparam) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
  if (!(pos->flags & SWP_NOCLIENTMOVE)) {
    SendMessageA(w->hwnd, WM_MOVE, 0,
                 MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
  }
  if (!(pos->flags & SWP_NOCLIENTSIZE)) {
    WPARAM state = (w->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                   : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                              : SIZE_RESTORED;
    SendMessageA(w->hwnd, WM_SIZE, state,
                 MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  }
  return 0;
}

LRESULT OnCtlColor(UINT message, WPARAM wparam) {
  HDC dc = reinterpret_cast<HDC>(wparam);
  bool window_like = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(window_like ? COLOR_WINDOW : COLOR_3DFACE));
  if (message == WM_CTLCOLORSCROLLBAR) {
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(window_like ? COLOR_WINDOW : COLOR_3DFACE));
}

// The window keeps the icons it is given (the caller keeps owning them) and
// answers the one it had.
LRESULT OnSetIcon(Window* w, WPARAM which, LPARAM icon) {
  if (which != ICON_SMALL && which != ICON_BIG) return 0;
  HICON previous = w->icons[which];
  w->icons[which] = reinterpret_cast<HICON>(icon);
  return reinterpret_cast<LRESULT>(previous);
}

LRESULT ToParent(Window* w, UINT message, WPARAM wparam, LPARAM lparam) {
  if (w->parent && (w->style & WS_CHILD))
    return SendMessageA(w->parent->hwnd, message, wparam, lparam);
  return 0;
}

}  // namespace

LRESULT DefaultProc(Window* w, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      return OnNcCreate(w, lparam);
    case WM_NCCALCSIZE:
      return OnNcCalcSize(w, wparam, lparam);
    case WM_NCHITTEST:
      return OnNcHitTest(w, lparam);
    case WM_NCPAINT:
      PaintNonClient(w);
      return 0;
    case WM_NCACTIVATE:
      w->caption_active = wparam != FALSE;
      PaintNonClient(w);
      return TRUE;
    case WM_ERASEBKGND:
      return OnEraseBackground(w, wparam);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(w->hwnd, &ps)) EndPaint(w->hwnd, &ps);
      return 0;
    }
    case WM_GETTEXT:
      return OnGetText(w, wparam, lparam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_SETTEXT:
      return OnSetText(w, lparam);
    case WM_CLOSE:
      DestroyWindow(w->hwnd);
      return 0;
    case WM_SYSCOMMAND:
      return OnSysCommand(w, wparam, lparam);
    case WM_NCLBUTTONDOWN:
      return OnNcLButtonDown(w, wparam, lparam);
    case WM_NCLBUTTONDBLCLK:
      // A quick second click on a scroll bar scrolls again.
      if (wparam == HTVSCROLL || wparam == HTHSCROLL) return OnNcLButtonDown(w, wparam, lparam);
      if (wparam == HTCAPTION && (w->style & WS_MAXIMIZEBOX)) {
        SendMessageA(w->hwnd, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE,
                     lparam);
      }
      return 0;
    case WM_MOUSEACTIVATE: {
      LRESULT parent = ToParent(w, message, wparam, lparam);
      return parent ? parent : MA_ACTIVATE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && !(w->style & WS_MINIMIZE) &&
          !IsChild(w->hwnd, GetFocus()) && GetFocus() != w->hwnd) {
        SetFocus(w->hwnd);
      }
      return 0;
    case WM_SETCURSOR:
      return OnSetCursor(w, wparam, lparam);
    case WM_SYSKEYDOWN:
      MenuKeyCompleted(message, wparam, lparam);
      if (wparam == VK_F4 && (lparam & (1 << 29))) {
        SendMessageA(RootOf(w)->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (MenuKeyCompleted(message, wparam, lparam)) {
        SendMessageA(w->hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
      }
      return 0;
    case WM_SYSCHAR:
      return OnSysChar(w, wparam, lparam);
    case WM_WINDOWPOSCHANGED:
      return OnWindowPosChanged(w, lparam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return OnCtlColor(message, wparam);
    case WM_CANCELMODE:
      if (GetCapture() == w->hwnd) ReleaseCapture();
      return 0;
    case WM_SETICON:
      return OnSetIcon(w, wparam, lparam);
    case WM_GETICON:
      return wparam == ICON_SMALL || wparam == ICON_BIG
                 ? reinterpret_cast<LRESULT>(w->icons[wparam])
                 : 0;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
    case WM_HELP:
      return ToParent(w, message, wparam, lparam);
    default:
      return 0;
  }
}

}  // namespace platform::user

LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  platform::user::Window* w = platform::user::FindWindowQuiet(hWnd);
  if (w == nullptr) return 0;
  return platform::user::DefaultProc(w, Msg, wParam, lParam);
}
