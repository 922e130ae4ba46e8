// The menu loop: showing and closing popups, the mouse, and the loop itself.
//
// As on Windows the loop sends WM_ENTERMENULOOP and WM_INITMENU when it
// starts, WM_INITMENUPOPUP before each popup shows (WM_UNINITMENUPOPUP when
// it goes), WM_MENUSELECT as items are focused, WM_ENTERIDLE (MSGF_MENU)
// whenever its queue runs dry, and WM_MENUSELECT (0xFFFF, 0) and
// WM_EXITMENULOOP at the end. A chosen command is posted as WM_COMMAND, so
// it arrives once the loop is over. The loop ends on a choice, a cancel, a
// press outside the menus, a WM_QUIT (posted again for the loop outside),
// the window going away or losing the capture - and on the headless
// display when the queue is empty after WM_ENTERIDLE, since nobody is there
// to finish the gesture.
//
// Sections: levels - the mouse - the loop - entry points.
#include "platform/user/menu_track.h"

#include <utility>

#include "platform/display/headless.h"
#include "platform/user/menu_layout.h"
#include "platform/user/menu_popup.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

thread_local MenuTracker* t_active = nullptr;

void SendToOwner(const MenuTracker& t, UINT message, WPARAM wparam, LPARAM lparam) {
  if (t.Notifies() && IsWindow(t.owner)) SendMessageA(t.owner, message, wparam, lparam);
}

void NotifySelect(const MenuTracker& t, HMENU handle, int index) {
  std::shared_ptr<Menu> menu = FindMenuQuiet(handle);
  if (menu == nullptr || index < 0 || static_cast<size_t>(index) >= menu->items.size()) return;
  const MenuItem& item = menu->items[static_cast<size_t>(index)];
  const bool popup = (item.type & MF_POPUP) != 0;
  const UINT flags = (item.type & ~static_cast<UINT>(MF_RIGHTJUSTIFY)) | item.state | MF_HILITE;
  SendToOwner(t, WM_MENUSELECT, MAKEWPARAM(popup ? index : static_cast<int>(item.id), flags),
              reinterpret_cast<LPARAM>(handle));
}

bool HasMenuItem(const std::shared_ptr<Menu>& menu, int index) {
  return menu != nullptr && index >= 0 && static_cast<size_t>(index) < menu->items.size();
}

// Shows `handle` as the next level, placed by `place` once its size is
// known; false when it could not be shown.
template <typename Place>
bool ShowLevel(MenuTracker& t, HMENU handle, int parent_index, Place place) {
  SendToOwner(t, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(handle),
              MAKELPARAM(parent_index, FALSE));
  std::shared_ptr<Menu> menu = FindMenuQuiet(handle);
  if (t.done || menu == nullptr || !IsWindow(t.owner)) return false;
  menu->focused = -1;
  LayOutPopup(*menu);
  HWND window = ShowMenuWindow(t.owner, handle, place(menu->size));
  if (window == nullptr) return false;
  t.popups.push_back({handle, window});
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// Levels
// ---------------------------------------------------------------------------

HMENU LevelMenu(const MenuTracker& t, int level) {
  if (level == kBarLevel) return t.bar;
  if (level < 0 || static_cast<size_t>(level) >= t.popups.size()) return nullptr;
  return t.popups[static_cast<size_t>(level)].menu;
}

int FocusedItem(HMENU handle) {
  std::shared_ptr<Menu> menu = FindMenuQuiet(handle);
  return menu ? menu->focused : -1;
}

int NextItem(HMENU handle, int from, int step) {
  std::shared_ptr<Menu> menu = FindMenuQuiet(handle);
  if (menu == nullptr || menu->items.empty()) return -1;
  const int count = static_cast<int>(menu->items.size());
  int i = from;
  for (int n = 0; n < count; ++n) {
    i = i < 0 || i >= count ? (step > 0 ? 0 : count - 1) : (i + step + count) % count;
    if (!IsSeparator(menu->items[static_cast<size_t>(i)])) return i;
  }
  return -1;
}

void CloseFrom(MenuTracker& t, size_t level) {
  while (t.popups.size() > level) {
    const MenuLevel shown = t.popups.back();
    t.popups.pop_back();
    if (std::shared_ptr<Menu> menu = FindMenuQuiet(shown.menu)) menu->focused = -1;
    if (IsWindow(shown.window)) DestroyWindow(shown.window);
    SendToOwner(t, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(shown.menu), 0);
  }
  std::shared_ptr<Menu> bar = FindMenuQuiet(t.bar);
  if (level == 0 && bar != nullptr && bar->dropped) {
    bar->dropped = false;
    RedrawMenuBar(t.owner);
  }
}

void SelectPopupItem(MenuTracker& t, size_t level, int index) {
  if (level >= t.popups.size()) return;
  const MenuLevel shown = t.popups[level];
  std::shared_ptr<Menu> menu = FindMenuQuiet(shown.menu);
  if (menu == nullptr) return;
  if (!HasMenuItem(menu, index) || IsSeparator(menu->items[static_cast<size_t>(index)])) index = -1;
  if (menu->focused == index) return;
  menu->focused = index;
  InvalidateRect(shown.window, nullptr, FALSE);
  NotifySelect(t, shown.menu, index);
}

void SelectBarItem(MenuTracker& t, int index, Open open) {
  CloseFrom(t, 0);
  std::shared_ptr<Menu> bar = FindMenuQuiet(t.bar);
  if (bar == nullptr) return;
  bar->focused = HasMenuItem(bar, index) ? index : -1;
  bar->dropped = false;
  RedrawMenuBar(t.owner);
  if (bar->focused < 0) return;
  NotifySelect(t, t.bar, index);
  bar = FindMenuQuiet(t.bar);
  if (open == Open::kNo || !HasMenuItem(bar, index)) return;
  const MenuItem item = bar->items[static_cast<size_t>(index)];
  if (!(item.type & MF_POPUP) || !IsEnabledItem(item)) return;
  const RECT anchor = MenuBarItemScreenRect(FindWindowQuiet(t.owner), index);
  if (!ShowLevel(t, item.submenu, index, [&](SIZE size) { return PlaceBelow(size, anchor); })) {
    return;
  }
  if ((bar = FindMenuQuiet(t.bar))) bar->dropped = true;
  RedrawMenuBar(t.owner);
  if (open == Open::kSelectFirst) SelectPopupItem(t, 0, NextItem(item.submenu, -1, 1));
}

bool OpenSubMenu(MenuTracker& t, size_t level, int index, bool select_first) {
  if (level >= t.popups.size()) return false;
  const MenuLevel parent = t.popups[level];
  std::shared_ptr<Menu> menu = FindMenuQuiet(parent.menu);
  if (!HasMenuItem(menu, index)) return false;
  const MenuItem item = menu->items[static_cast<size_t>(index)];
  if (!(item.type & MF_POPUP) || !IsEnabledItem(item)) return false;
  CloseFrom(t, level + 1);
  RECT frame{};
  GetWindowRect(parent.window, &frame);
  RECT anchor = item.rect;
  OffsetRect(&anchor, frame.left, frame.top);
  auto place = [&](SIZE size) { return PlaceBeside(size, anchor, frame); };
  if (!ShowLevel(t, item.submenu, index, place)) return false;
  if (select_first) SelectPopupItem(t, level + 1, NextItem(item.submenu, -1, 1));
  return true;
}

void Cancel(MenuTracker& t) { t.done = true; }

namespace {

void Choose(MenuTracker& t, UINT id) {
  t.done = true;
  t.chosen = id;
  if (!(t.flags & TPM_RETURNCMD) && IsWindow(t.owner)) {
    PostMessageA(t.owner, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }
}

}  // namespace

void ExecuteItem(MenuTracker& t, int level, int index) {
  std::shared_ptr<Menu> menu = FindMenuQuiet(LevelMenu(t, level));
  if (!HasMenuItem(menu, index)) {
    Cancel(t);
    return;
  }
  const MenuItem item = menu->items[static_cast<size_t>(index)];
  if (item.type & MF_POPUP) {
    if (level == kBarLevel) {
      SelectBarItem(t, index, Open::kSelectFirst);
    } else {
      SelectPopupItem(t, static_cast<size_t>(level), index);
      OpenSubMenu(t, static_cast<size_t>(level), index, true);
    }
    return;
  }
  if (IsEnabledItem(item)) {
    Choose(t, item.id);
  } else {
    Cancel(t);
  }
}

// ---------------------------------------------------------------------------
// The mouse
// ---------------------------------------------------------------------------

namespace {

constexpr int kNowhere = -2;

// What is under the pointer: a level (kNowhere outside the menus) and its
// item (-1 for none).
struct Spot {
  int level = kNowhere;
  int item = -1;
};

Spot Locate(const MenuTracker& t, POINT screen) {
  for (size_t i = t.popups.size(); i-- > 0;) {
    RECT r{};
    if (!GetWindowRect(t.popups[i].window, &r) || !PtInRect(&r, screen)) continue;
    std::shared_ptr<Menu> menu = FindMenuQuiet(t.popups[i].menu);
    const int item = menu ? MenuItemAt(*menu, {screen.x - r.left, screen.y - r.top}) : -1;
    return {static_cast<int>(i), item};
  }
  const Window* w = FindWindowQuiet(t.owner);
  if (t.bar == nullptr || w == nullptr) return {};
  RECT bar = MenuBarRect(w);
  const POINT origin = ScreenOrigin(w);
  OffsetRect(&bar, origin.x, origin.y);
  if (!PtInRect(&bar, screen)) return {};
  return {kBarLevel, MenuBarItemAt(w, screen)};
}

const MenuItem* ItemAt(const MenuTracker& t, const Spot& spot, std::shared_ptr<Menu>* keep) {
  *keep = FindMenuQuiet(LevelMenu(t, spot.level));
  return HasMenuItem(*keep, spot.item) ? &(*keep)->items[static_cast<size_t>(spot.item)] : nullptr;
}

void PointerMoved(MenuTracker& t, const Spot& spot) {
  if (spot.level >= 0) {
    const auto level = static_cast<size_t>(spot.level);
    // The item whose sub-menu is open keeps it open.
    const bool keeps_child =
        t.popups.size() > level + 1 && FocusedItem(t.popups[level].menu) == spot.item;
    if (keeps_child) return;
    CloseFrom(t, level + 1);
    SelectPopupItem(t, level, spot.item);
    if (spot.item >= 0) OpenSubMenu(t, level, spot.item, false);
    return;
  }
  if (spot.level == kBarLevel) {
    if (spot.item < 0 || spot.item == FocusedItem(t.bar)) return;
    const bool open = t.drop_on_hover || !t.popups.empty();
    SelectBarItem(t, spot.item, open ? Open::kYes : Open::kNo);
    return;
  }
  if (!t.popups.empty()) SelectPopupItem(t, t.popups.size() - 1, -1);
}

void Pressed(MenuTracker& t, const Spot& spot) {
  if (spot.level == kNowhere || (spot.level == kBarLevel && spot.item < 0)) {
    Cancel(t);  // the press goes no further
    return;
  }
  if (spot.level == kBarLevel) {
    if (spot.item == FocusedItem(t.bar) && !t.popups.empty()) {
      t.release_closes = true;
      return;
    }
    t.drop_on_hover = true;
    SelectBarItem(t, spot.item, Open::kYes);
    return;
  }
  PointerMoved(t, spot);
}

void Released(MenuTracker& t, const Spot& spot) {
  const bool closes = std::exchange(t.release_closes, false);
  std::shared_ptr<Menu> keep;
  const MenuItem* item = ItemAt(t, spot, &keep);
  if (item == nullptr || spot.item != FocusedItem(LevelMenu(t, spot.level))) return;
  if (closes && spot.level == kBarLevel) {
    Cancel(t);
  } else if (!(item->type & MF_POPUP) && IsEnabledItem(*item)) {
    Choose(t, item->id);
  }
}

bool IsMouseMessage(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
         (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

// The client message for a non-client one, a press for a double click.
UINT PlainMouseMessage(UINT m) {
  if (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK) m = m - WM_NCMOUSEMOVE + WM_MOUSEMOVE;
  if (m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK) {
    m -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
  }
  return m;
}

void OnMouse(MenuTracker& t, const MSG& msg) {
  const Spot spot = Locate(t, msg.pt);
  const bool right_counts = (t.flags & TPM_RIGHTBUTTON) != 0;
  switch (PlainMouseMessage(msg.message)) {
    case WM_MOUSEMOVE:
      PointerMoved(t, spot);
      break;
    case WM_LBUTTONDOWN:
      Pressed(t, spot);
      break;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (spot.level == kNowhere) {
        Cancel(t);
      } else if (right_counts && msg.message != WM_MBUTTONDOWN) {
        Pressed(t, spot);
      }
      break;
    case WM_LBUTTONUP:
      Released(t, spot);
      break;
    case WM_RBUTTONUP:
      if (right_counts) Released(t, spot);
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// The loop
// ---------------------------------------------------------------------------

bool NobodyAtTheScreen() {
  Display* display = CurrentDisplay();
  return display == nullptr || dynamic_cast<HeadlessDisplay*>(display) != nullptr;
}

bool StillTracking(const MenuTracker& t) {
  if (t.done || !IsWindow(t.owner) || GetCapture() != t.owner) return false;
  if (t.bar != nullptr && BarOf(FindWindowQuiet(t.owner)) != t.bar) return false;
  for (const MenuLevel& shown : t.popups) {
    if (!IsWindow(shown.window) || !IsMenu(shown.menu)) return false;
  }
  return true;
}

// The loop's next message; false when the loop is to end instead.
bool NextMessage(MenuTracker& t, MSG* msg) {
  if (!PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE)) {
    HWND deepest = t.popups.empty() ? nullptr : t.popups.back().window;
    SendMessageA(t.owner, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(deepest));
    if (!StillTracking(t)) return false;
    if (!PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE)) {
      if (NobodyAtTheScreen()) return false;
      GetMessageA(msg, nullptr, 0, 0);
    }
  }
  if (msg->message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(msg->wParam));  // for the loop outside
    return false;
  }
  return true;
}

void Run(MenuTracker& t) {
  MSG msg;
  while (StillTracking(t) && NextMessage(t, &msg)) {
    if (IsMouseMessage(msg.message)) {
      OnMouse(t, msg);
    } else if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
      OnMenuKey(t, msg);
    } else {
      DispatchMessageA(&msg);
    }
  }
}

// Starts the loop's notifications and mouse, and ends them however the
// loop ends.
class LoopScope {
 public:
  LoopScope(MenuTracker& t, HMENU first, bool popup) : t_(t), popup_(popup) {
    t_active = &t_;
    caret_hidden_ = HideCaret(nullptr) != FALSE;
    SendToOwner(t_, WM_ENTERMENULOOP, popup_, 0);
    SendToOwner(t_, WM_INITMENU, reinterpret_cast<WPARAM>(first), 0);
    if (IsWindow(t_.owner)) SetCapture(t_.owner);
  }
  ~LoopScope() {
    CloseFrom(t_, 0);
    if (std::shared_ptr<Menu> bar = FindMenuQuiet(t_.bar)) bar->focused = -1;
    RedrawMenuBar(t_.owner);
    if (GetCapture() == t_.owner) ReleaseCapture();
    t_active = nullptr;
    SendToOwner(t_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendToOwner(t_, WM_EXITMENULOOP, popup_, 0);
    if (caret_hidden_) ShowCaret(nullptr);
  }
  LoopScope(const LoopScope&) = delete;
  LoopScope& operator=(const LoopScope&) = delete;

 private:
  MenuTracker& t_;
  bool popup_;
  bool caret_hidden_ = false;
};

// The window whose bar the keys of `hwnd` (perhaps a child) reach.
Window* BarWindowFor(HWND hwnd) {
  Window* w = FindWindowQuiet(hwnd);
  while (w != nullptr && (w->style & WS_CHILD) && w->parent != nullptr) w = w->parent;
  return w != nullptr && BarOf(w) != nullptr && !(w->style & WS_MINIMIZE) ? w : nullptr;
}

int ItemWithMnemonic(HMENU handle, WPARAM key) {
  std::shared_ptr<Menu> menu = FindMenuQuiet(handle);
  if (menu == nullptr) return -1;
  const unsigned char wanted = key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : LOBYTE(key);
  for (size_t i = 0; i < menu->items.size(); ++i) {
    if (!IsSeparator(menu->items[i]) && MnemonicOf(menu->items[i].text) == wanted) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// Entry points
// ---------------------------------------------------------------------------

void TrackMenuBarWithMouse(HWND hwnd, POINT screen) {
  Window* w = FindWindowQuiet(hwnd);
  const HMENU bar = BarOf(w);
  if (bar == nullptr || t_active != nullptr) return;
  const int index = MenuBarItemAt(w, screen);
  if (index < 0) return;
  MenuTracker t;
  t.owner = hwnd;
  t.bar = bar;
  t.drop_on_hover = true;
  LoopScope scope(t, bar, false);
  SelectBarItem(t, index, Open::kYes);
  Run(t);
}

void TrackMenuBarWithKey(HWND hwnd, WPARAM key) {
  Window* w = BarWindowFor(hwnd);
  if (w == nullptr || t_active != nullptr) return;
  const HMENU bar = w->menu;
  // Alt or F10 alone focus the first item; a mnemonic nobody has does nothing.
  const int index = key != 0 ? ItemWithMnemonic(bar, key) : NextItem(bar, -1, 1);
  if (index < 0) return;
  MenuTracker t;
  t.owner = w->hwnd;
  t.bar = bar;
  LoopScope scope(t, bar, false);
  if (key != 0) {
    ExecuteItem(t, kBarLevel, index);
  } else {
    SelectBarItem(t, index, Open::kNo);
  }
  Run(t);
}

}  // namespace platform::user

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
  using platform::user::MenuTracker;
  if (!IsMenu(hMenu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (platform::user::FindWindow(hWnd) == nullptr) return FALSE;
  if (platform::user::t_active != nullptr) {
    SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
    return FALSE;
  }
  MenuTracker t;
  t.owner = hWnd;
  t.flags = uFlags;
  {
    platform::user::LoopScope scope(t, hMenu, true);
    auto place = [&](SIZE size) { return platform::user::PlaceAtPoint(size, {x, y}, uFlags); };
    if (platform::user::ShowLevel(t, hMenu, 0, place)) platform::user::Run(t);
  }
  return (uFlags & TPM_RETURNCMD) ? static_cast<BOOL>(t.chosen) : TRUE;
}
