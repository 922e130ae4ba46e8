// Keys and the mouse in a list box. A dropped combo list works differently:
// it holds the capture, the pointer highlights the item under it, a release
// over the items accepts, and a press outside the list cancels (a press on
// its own scroll bar lends the capture to the bar's loop).
#include <algorithm>
#include <optional>
#include <string>

#include "platform/controls/list_box.h"
#include "platform/controls/list_box_control.h"

namespace platform::controls::list_box {

namespace {

POINT PointOf(LPARAM lparam) {
  return POINT{static_cast<SHORT>(LOWORD(lparam)), static_cast<SHORT>(HIWORD(lparam))};
}

// Where a navigation key leads from `from` (-1: nothing selected yet),
// before clamping to the items; nothing for other keys.
std::optional<int> KeyTarget(const ListBox& lb, WPARAM vk, int from) {
  const int last = lb.model.count() - 1;
  const int page = std::max(1, VisibleRows(lb) - 1);
  switch (vk) {
    case VK_UP:
      return from < 0 ? 0 : from - 1;
    case VK_DOWN:
      return from + 1;
    case VK_PRIOR:
      return from < 0 ? 0 : from - page;
    case VK_NEXT:
      return from < 0 ? page : from + page;
    case VK_HOME:
      return 0;
    case VK_END:
      return last;
    default:
      return std::nullopt;
  }
}

}  // namespace

LRESULT OnKeyDown(ListBox& lb, WPARAM vk) {
  if (lb.model.count() == 0) return 0;
  const std::optional<int> target = KeyTarget(lb, vk, lb.model.selection());
  if (target) SelectItem(lb, *target, Source::kKeyboard);
  return 0;
}

// Typing a character selects the next item that starts with it; a
// double-byte character is matched once its trail byte has come.
LRESULT OnChar(ListBox& lb, WPARAM ch) {
  const auto byte = static_cast<unsigned char>(ch & 0xFF);
  std::string prefix;
  if (lb.pending_lead != 0) {
    prefix = {static_cast<char>(lb.pending_lead), static_cast<char>(byte)};
    lb.pending_lead = 0;
  } else if (IsDBCSLeadByte(byte)) {
    lb.pending_lead = byte;
    return 0;
  } else if (byte < 0x20) {
    return 0;  // Enter, Esc, Tab and the other controls select nothing
  } else {
    prefix.assign(1, static_cast<char>(byte));
  }
  const int found = lb.model.Find(prefix, lb.model.selection(), ListBoxModel::Match::kPrefix);
  if (found >= 0) SelectItem(lb, found, Source::kKeyboard);
  return 0;
}

// ---------------------------------------------------------------------------
// The dropped list
// ---------------------------------------------------------------------------

namespace {

// A press on the list's own frame: its scroll bar gets the capture for its
// loop and gives it back afterwards.
void PressOnFrame(ListBox& lb, POINT screen) {
  HWND self = lb.hwnd;
  const LRESULT hit = SendMessageA(self, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
  if (hit != HTVSCROLL) return;
  lb.in_scroll_bar = true;
  ReleaseCapture();
  // Straight to the bar's loop: the list must not be activated, which the
  // non-client press would do.
  SendMessageA(self, WM_SYSCOMMAND, SC_VSCROLL | HTVSCROLL, MAKELPARAM(screen.x, screen.y));
  if (ListBoxOf(self) != &lb) return;
  lb.in_scroll_bar = false;
  if (IsWindowVisible(self)) SetCapture(self);
}

LRESULT DroppedButtonDown(ListBox& lb, POINT p) {
  RECT client;
  GetClientRect(lb.hwnd, &client);
  if (PtInRect(&client, p)) {
    lb.tracking = true;
    bool outside = false;
    const int index = ItemAt(lb, p, &outside);
    if (!outside) SelectItem(lb, index, Source::kHover);
    return 0;
  }
  POINT screen = p;
  ClientToScreen(lb.hwnd, &screen);
  RECT window;
  GetWindowRect(lb.hwnd, &window);
  if (PtInRect(&window, screen)) {
    PressOnFrame(lb, screen);
    return 0;
  }
  Notify(lb, kListCancelled);
  return 0;
}

// With the button held above or below the rows, the highlight moves on a
// row at a time, scrolling the list.
LRESULT DroppedMouseMove(ListBox& lb, WPARAM keys, POINT p) {
  RECT client;
  GetClientRect(lb.hwnd, &client);
  bool outside = false;
  const int index = ItemAt(lb, p, &outside);
  if (index < 0) return 0;
  if (!outside) {
    SelectItem(lb, index, Source::kHover);
    return 0;
  }
  if (!(keys & MK_LBUTTON) || p.x < client.left || p.x >= client.right) return 0;
  if (p.y < 0) SelectItem(lb, lb.top - 1, Source::kHover);
  if (p.y >= client.bottom) SelectItem(lb, lb.top + VisibleRows(lb), Source::kHover);
  return 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// The mouse
// ---------------------------------------------------------------------------

LRESULT OnButtonDown(ListBox& lb, LPARAM point) {
  const POINT p = PointOf(point);
  if (IsDroppedList(lb)) return DroppedButtonDown(lb, p);
  HWND self = lb.hwnd;
  // A CBS_SIMPLE list leaves the focus with its combo box.
  SetFocus(lb.combo ? lb.combo : self);
  if (ListBoxOf(self) != &lb) return 0;
  bool outside = false;
  const int index = ItemAt(lb, p, &outside);
  if (!outside && !SelectItem(lb, index, Source::kMouse)) return 0;
  lb.tracking = true;
  SetCapture(self);
  return 0;
}

LRESULT OnDoubleClick(ListBox& lb, LPARAM point) {
  HWND self = lb.hwnd;
  OnButtonDown(lb, point);
  if (ListBoxOf(self) != &lb || IsDroppedList(lb)) return 0;
  bool outside = false;
  ItemAt(lb, PointOf(point), &outside);
  const bool notifies = lb.combo != nullptr || (GetWindowLongA(self, GWL_STYLE) & LBS_NOTIFY);
  if (!outside && notifies) Notify(lb, LBN_DBLCLK);
  return 0;
}

LRESULT OnMouseMove(ListBox& lb, WPARAM keys, LPARAM point) {
  const POINT p = PointOf(point);
  if (IsDroppedList(lb)) return DroppedMouseMove(lb, keys, p);
  if (!lb.tracking) return 0;
  RECT client;
  GetClientRect(lb.hwnd, &client);
  int index = ItemAt(lb, p, nullptr);
  if (p.y < 0) index = lb.top - 1;
  if (p.y >= client.bottom) index = lb.top + VisibleRows(lb);
  if (index >= 0 || lb.model.count() > 0) SelectItem(lb, index, Source::kMouse);
  return 0;
}

LRESULT OnButtonUp(ListBox& lb, LPARAM point) {
  const bool was_tracking = lb.tracking;
  lb.tracking = false;
  if (IsDroppedList(lb)) {
    RECT client;
    GetClientRect(lb.hwnd, &client);
    if (PtInRect(&client, PointOf(point))) Notify(lb, kListAccepted);
    return 0;
  }
  if (was_tracking && GetCapture() == lb.hwnd) ReleaseCapture();
  return 0;
}

LRESULT OnCaptureChanged(ListBox& lb) {
  lb.tracking = false;
  if (IsDroppedList(lb) && !lb.in_scroll_bar && IsWindowVisible(lb.hwnd)) {
    Notify(lb, kListCancelled);
  }
  return 0;
}

}  // namespace platform::controls::list_box
