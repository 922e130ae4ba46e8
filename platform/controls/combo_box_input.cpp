// Keys, the mouse and the focus of a combo box, and its edit field. The
// edit is an ordinary EDIT whose procedure the combo box wraps, so that the
// list's keys (arrows, F4, Alt+Down, Enter and Esc while dropped) and the
// focus reach the combo box before the edit sees them.
#include <string>

#include "platform/controls/combo_box_control.h"
#include "platform/controls/repaint.h"

namespace platform::controls::combo_box {

namespace {

// Arrows and page keys move the list's selection in every style; Home and
// End do so where there is no edit field to take them.
bool IsListKey(const Combo& c, WPARAM vk) {
  if (vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT) return true;
  return (vk == VK_HOME || vk == VK_END) && !c.edit;
}

}  // namespace

bool HandleKey(Combo& c, WPARAM vk) {
  if (vk == VK_F4) {
    if (!IsSimple(c)) ToggleDrop(c);
    return true;
  }
  if (vk == VK_RETURN || vk == VK_ESCAPE) {
    if (!c.dropped) return false;
    CloseUp(c, vk == VK_RETURN ? Close::kAccept : Close::kCancel);
    return true;
  }
  if (!IsListKey(c, vk) || c.list == nullptr) return false;
  SendMessageA(c.list, WM_KEYDOWN, vk, 0);
  return true;
}

// Alt+Down and Alt+Up drop the list or close it.
bool HandleSysKey(Combo& c, WPARAM vk, LPARAM flags) {
  const bool alt = (flags & (1 << 29)) != 0;
  if (!alt || (vk != VK_DOWN && vk != VK_UP) || IsSimple(c)) return false;
  ToggleDrop(c);
  return true;
}

// Characters in a drop-down list select the next item that starts with
// them.
LRESULT OnChar(Combo& c, WPARAM ch) {
  if (c.edit || c.list == nullptr) return 0;
  if (ch == '\r' || ch == 0x1B) return 0;
  SendMessageA(c.list, WM_CHAR, ch, 0);
  return 0;
}

// A press on the button, or anywhere on a drop-down list's field, drops
// the list; the list then takes the capture and the rest of the gesture.
LRESULT OnButtonDown(Combo& c, LPARAM point) {
  HWND self = c.hwnd;
  if (GetFocus() != self && GetFocus() != c.edit) SetFocus(self);
  if (ComboOf(self) != &c || IsSimple(c)) return 0;
  const POINT p{static_cast<SHORT>(LOWORD(point)), static_cast<SHORT>(HIWORD(point))};
  const Layout l = LayoutOf(c);
  const bool on_button = PtInRect(&l.button, p) != FALSE;
  const bool on_field = IsDropList(c) && PtInRect(&l.field, p);
  if (on_button || on_field) ToggleDrop(c);
  return 0;
}

// The wheel scrolls a dropped list and otherwise steps the selection.
LRESULT OnMouseWheel(Combo& c, WPARAM wparam, LPARAM lparam) {
  if (c.list == nullptr) return 0;
  if (c.dropped || IsSimple(c)) return SendMessageA(c.list, WM_MOUSEWHEEL, wparam, lparam);
  const int delta = GET_WHEEL_DELTA_WPARAM(wparam);
  if (delta != 0) SendMessageA(c.list, WM_KEYDOWN, delta > 0 ? VK_UP : VK_DOWN, 0);
  return 0;
}

// ---------------------------------------------------------------------------
// Focus
// ---------------------------------------------------------------------------

void FocusGained(Combo& c) {
  if (c.focused) return;
  c.focused = true;
  if (!c.edit) RepaintControl(c.hwnd, false);
  Notify(c, CBN_SETFOCUS);
}

// Focus moving between the combo box and its edit field stays inside.
void FocusLost(Combo& c, HWND gaining) {
  if (gaining != nullptr && (gaining == c.hwnd || gaining == c.edit || gaining == c.list)) return;
  if (!c.focused) return;
  HWND self = c.hwnd;
  CloseUp(c, Close::kCancel);
  if (ComboOf(self) != &c) return;
  c.focused = false;
  if (!c.edit) RepaintControl(c.hwnd, false);
  Notify(c, CBN_KILLFOCUS);
}

// ---------------------------------------------------------------------------
// The edit field
// ---------------------------------------------------------------------------

namespace {

std::string EditText(const Combo& c) {
  const int length = GetWindowTextLengthA(c.edit);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  const int copied = GetWindowTextA(c.edit, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

// Typing leaves no selection, except that a shown list highlights the
// first item the text begins.
void MatchTyped(Combo& c) {
  const bool shown = c.dropped || IsSimple(c);
  const std::string text = EditText(c);
  LRESULT match = LB_ERR;
  if (shown && !text.empty()) {
    match =
        ToList(c, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  }
  ToList(c, LB_SETCURSEL, static_cast<WPARAM>(match));
}

}  // namespace

LRESULT OnEditCommand(Combo& c, WORD code) {
  if (c.quiet_edit) return 0;
  switch (code) {
    case EN_UPDATE:
      Notify(c, CBN_EDITUPDATE);
      break;
    case EN_CHANGE:
      if (!c.program_text) MatchTyped(c);
      Notify(c, CBN_EDITCHANGE);
      break;
    case EN_ERRSPACE:
      Notify(c, CBN_ERRSPACE);
      break;
    default:
      break;  // the edit's focus notifications are the combo box's own
  }
  return 0;
}

namespace {

LRESULT CallEdit(Combo& c, HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  return CallWindowProcA(c.edit_proc, edit, message, wparam, lparam);
}

LRESULT WrappedEditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  HWND combo = GetParent(edit);
  Combo* c = combo ? ComboOf(combo) : nullptr;
  if (c == nullptr || c->edit != edit || c->edit_proc == nullptr) {
    return DefWindowProcA(edit, message, wparam, lparam);
  }
  switch (message) {
    case WM_KEYDOWN:
      if (HandleKey(*c, wparam)) return 0;
      break;
    case WM_SYSKEYDOWN:
      if (HandleSysKey(*c, wparam, lparam)) return 0;
      break;
    case WM_MOUSEWHEEL:
      return OnMouseWheel(*c, wparam, lparam);
    case WM_GETDLGCODE:
      return CallEdit(*c, edit, message, wparam, lparam) | (c->dropped ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS: {
      const LRESULT result = CallEdit(*c, edit, message, wparam, lparam);
      if (ComboOf(combo) == c) FocusGained(*c);
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = CallEdit(*c, edit, message, wparam, lparam);
      if (ComboOf(combo) == c) FocusLost(*c, reinterpret_cast<HWND>(wparam));
      return result;
    }
    default:
      break;
  }
  return CallEdit(*c, edit, message, wparam, lparam);
}

}  // namespace

void WrapEdit(Combo& c) {
  c.edit_proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(c.edit, GWLP_WNDPROC));
  SetWindowLongPtrA(c.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WrappedEditProc));
}

void UnwrapEdit(Combo& c) {
  if (c.edit == nullptr || c.edit_proc == nullptr) return;
  SetWindowLongPtrA(c.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(c.edit_proc));
  c.edit_proc = nullptr;
}

}  // namespace platform::controls::combo_box
