// The window manager's own record of a window, and the tree they form.
//
// Coordinates: `rect` is the window rectangle in its parent's client
// coordinates (screen coordinates for top-level windows); `client` is the
// client area in window coordinates (origin at the window's top-left). Update
// regions are kept in window coordinates so they can cover the frame too.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/handle_table.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/win32/user.h"

namespace platform::user {

struct WindowClass;
struct ScrollBars;

struct Window {
  HWND hwnd = nullptr;
  std::shared_ptr<WindowClass> window_class;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  DWORD thread_id = 0;  // the thread whose queue gets this window's messages

  Window* parent = nullptr;       // null for top-level windows
  HWND owner = nullptr;           // top-level windows only
  std::vector<Window*> children;  // z-order, topmost first
  DWORD style = 0;
  DWORD ex_style = 0;
  LONG_PTR id = 0;                   // GWLP_ID (child windows)
  LONG_PTR user_data = 0;            // GWLP_USERDATA
  std::vector<unsigned char> extra;  // cbWndExtra bytes
  std::map<std::string, HANDLE> props;
  std::string text;  // GBK

  RECT rect{};    // parent client coordinates
  RECT client{};  // window coordinates

  gdi::Region update;           // window coordinates; what still needs painting
  bool erase_pending = false;   // WM_ERASEBKGND due at the next BeginPaint
  bool frame_pending = false;   // WM_NCPAINT due at the next BeginPaint
  bool internal_paint = false;  // RDW_INTERNALPAINT: WM_PAINT even with no update region
  bool has_window_region = false;
  gdi::Region window_region;  // SetWindowRgn shape, window coordinates

  std::shared_ptr<gdi::Surface> surface;    // top-level windows only
  std::shared_ptr<ScrollBars> scroll_bars;  // made when first shown or set (scroll_bar.h)
  HMENU menu = nullptr;                     // the bar of a window that is no child (menu.h)
  HMENU system_menu = nullptr;              // its own copy of the window menu (GetSystemMenu)
  HICON icons[2] = {};                      // WM_SETICON's ICON_SMALL and ICON_BIG
  int menu_height = 0;                      // the room WM_NCCALCSIZE gave the bar

  bool caption_active = false;  // as the last WM_NCACTIVATE said
  bool creating = true;         // between WM_NCCREATE and the end of CreateWindowEx
  bool destroying = false;
  // Position before minimise or maximise, for SW_RESTORE.
  RECT restore_rect{};

  bool IsTopLevel() const { return parent == nullptr; }
  bool IsVisibleFlag() const { return (style & WS_VISIBLE) != 0; }
  int Width() const { return rect.right - rect.left; }
  int Height() const { return rect.bottom - rect.top; }
};

// Every live window, by handle. Lookups from any thread; the tree itself is
// changed only on the thread that owns the windows concerned.
HandleTable<Window>& Windows();

// The window behind a handle; null (and ERROR_INVALID_WINDOW_HANDLE) when
// there is none.
Window* FindWindow(HWND hwnd);
Window* FindWindowQuiet(HWND hwnd);  // no last error

// Top-level windows in z-order, topmost first.
std::vector<Window*>& TopLevels();

// Siblings list that holds `w` (its parent's children or the top levels).
std::vector<Window*>& SiblingsOf(Window* w);
Window* RootOf(Window* w);              // the top-level ancestor (itself when top-level)
bool IsReallyVisible(const Window* w);  // it and every ancestor visible

// Window coordinates of `w` -> coordinates in its top-level window (the
// surface), and screen.
POINT OffsetInRoot(const Window* w);
POINT ScreenOrigin(const Window* w);  // the window's top-left on screen

}  // namespace platform::user
