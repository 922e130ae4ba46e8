// The COMBOBOX window procedure: creation and layout, and the window's own
// messages, one small handler each (the CB_* messages are in
// combo_box_messages.cpp). A drop-down combo
// box keeps itself as tall as its field: any other height it is given is
// remembered as the dropped height (field and list together) instead.
//
// Sections: state and layout - creation - window messages.
#include "platform/controls/combo_box.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/controls/combo_box_control.h"
#include "platform/controls/list_box.h"
#include "platform/controls/repaint.h"

namespace platform::controls {

namespace combo_box {

// ---------------------------------------------------------------------------
// State and layout
// ---------------------------------------------------------------------------

Combo* ComboOf(HWND hwnd) { return reinterpret_cast<Combo*>(GetWindowLongPtrA(hwnd, 0)); }

DWORD TypeOf(const Combo& c) {
  const DWORD type = c.style & CBS_TYPEMASK;
  return type == 0 ? CBS_SIMPLE : type;
}

bool Notify(Combo& c, int code) {
  HWND self = c.hwnd;
  HWND parent = GetParent(self);
  if (parent == nullptr) return true;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(self), static_cast<WORD>(code)),
               reinterpret_cast<LPARAM>(self));
  return ComboOf(self) == &c;
}

LRESULT ToList(const Combo& c, UINT message, WPARAM wparam, LPARAM lparam) {
  return c.list ? SendMessageA(c.list, message, wparam, lparam) : 0;
}

int Selection(const Combo& c) { return c.list ? static_cast<int>(ToList(c, LB_GETCURSEL)) : -1; }

std::string ItemText(const Combo& c, int index) {
  const LRESULT length = ToList(c, LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  ToList(c, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

namespace {

int Edge() { return GetSystemMetrics(SM_CXEDGE); }

}  // namespace

int ClosedHeight(const Combo& c) { return c.field_height + 2 * Edge(); }

Layout LayoutOf(const Combo& c) {
  RECT client;
  GetClientRect(c.hwnd, &client);
  Layout l{};
  l.frame = client;
  if (IsSimple(c)) {
    l.frame.bottom = std::min<LONG>(client.bottom, ClosedHeight(c));
    l.list = RECT{0, l.frame.bottom, client.right, std::max(l.frame.bottom, client.bottom)};
  }
  l.field = l.frame;
  InflateRect(&l.field, -Edge(), -Edge());
  l.field.right = std::max(l.field.left, l.field.right);
  l.field.bottom = std::max(l.field.top, l.field.bottom);
  if (!IsSimple(c)) {
    const LONG left = std::max<LONG>(l.field.left, l.field.right - GetSystemMetrics(SM_CXVSCROLL));
    l.button = RECT{left, l.field.top, l.field.right, l.field.bottom};
    l.field.right = left;
  }
  const LONG height = std::min<LONG>(c.text_height, l.field.bottom - l.field.top);
  const LONG top = l.field.top + (l.field.bottom - l.field.top - height) / 2;
  l.edit = RECT{l.field.left, top, l.field.right, top + height};
  return l;
}

void ApplyLayout(Combo& c) {
  const Layout l = LayoutOf(c);
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (c.edit) {
    SetWindowPos(c.edit, nullptr, l.edit.left, l.edit.top, l.edit.right - l.edit.left,
                 l.edit.bottom - l.edit.top, flags);
  }
  if (c.list && IsSimple(c)) {
    SetWindowPos(c.list, nullptr, l.list.left, l.list.top, l.list.right - l.list.left,
                 l.list.bottom - l.list.top, flags);
  }
  InvalidateRect(c.hwnd, nullptr, FALSE);
}

void MeasureFont(Combo& c) {
  HDC dc = GetDC(c.hwnd);
  if (dc == nullptr) return;
  HGDIOBJ old = c.font ? SelectObject(dc, c.font) : nullptr;
  TEXTMETRICA tm{};
  if (GetTextMetricsA(dc, &tm) && tm.tmHeight > 0) c.text_height = tm.tmHeight;
  if (old) SelectObject(dc, old);
  ReleaseDC(c.hwnd, dc);
  c.field_height = c.text_height + 4;
}

void FitHeight(Combo& c) {
  if (IsSimple(c)) {
    ApplyLayout(c);
    return;
  }
  RECT window;
  GetWindowRect(c.hwnd, &window);
  SetWindowPos(c.hwnd, nullptr, 0, 0, window.right - window.left, ClosedHeight(c),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyLayout(c);
}

void SetEditTextQuietly(Combo& c, const std::string& text) {
  if (!c.edit) return;
  c.quiet_edit = true;
  SendMessageA(c.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  c.quiet_edit = false;
  if (c.focused) SendMessageA(c.edit, EM_SETSEL, 0, -1);
}

void ShowSelection(Combo& c) {
  if (c.edit) {
    const int selection = Selection(c);
    SetEditTextQuietly(c, selection >= 0 ? ItemText(c, selection) : std::string());
    return;
  }
  RepaintControl(c.hwnd, false);
}

namespace {

// ---------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------

HWND CreateList(Combo& c, const CREATESTRUCTA& cs) {
  // The combo box's vertical scroll bar style is its list's.
  const DWORD style = ((cs.style & CBS_SORT) ? LBS_SORT : 0) | (c.style & WS_VSCROLL) | WS_BORDER;
  auto* self = static_cast<void*>(c.hwnd);
  if (IsSimple(c)) {
    return CreateWindowExA(0, kComboListClassName, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                           c.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), nullptr,
                           self);
  }
  // A popup above everything, owned by the combo box's top-level window so
  // that it goes with it.
  return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kComboListClassName, "",
                         WS_POPUP | WS_CLIPSIBLINGS | style, 0, 0, cs.cx, std::max(cs.cy, 1),
                         GetAncestor(c.hwnd, GA_ROOT), nullptr, nullptr, self);
}

HWND CreateEdit(Combo& c, const CREATESTRUCTA& cs) {
  const bool named = cs.lpszName != nullptr && !IS_INTRESOURCE(cs.lpszName);
  const DWORD scroll = (cs.style & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0;
  return CreateWindowExA(0, "EDIT", named ? cs.lpszName : "",
                         WS_CHILD | WS_VISIBLE | ES_LEFT | scroll, 0, 0, 0, 0, c.hwnd,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), nullptr, nullptr);
}

LRESULT OnNcCreate(HWND hwnd, LPARAM lparam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
  Combo* c = new (std::nothrow) Combo;
  if (c == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  c->hwnd = hwnd;
  c->style = static_cast<DWORD>(cs->style);
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(c));
  SetWindowLongA(hwnd, GWL_STYLE, cs->style & ~(WS_VSCROLL | WS_HSCROLL));
  return DefWindowProcA(hwnd, WM_NCCREATE, 0, lparam);
}

LRESULT OnCreate(Combo& c, LPARAM lparam) {
  const auto& cs = *reinterpret_cast<const CREATESTRUCTA*>(lparam);
  c.dropped_height = cs.cy;
  MeasureFont(c);
  c.list = CreateList(c, cs);
  if (c.list == nullptr) return -1;
  if (!IsDropList(c)) {
    c.edit = CreateEdit(c, cs);
    if (c.edit == nullptr) return -1;
    WrapEdit(c);
  }
  FitHeight(c);
  return 0;
}

LRESULT OnDestroy(Combo& c) {
  if (c.dropped && GetCapture() == c.list) ReleaseCapture();
  c.dropped = false;
  UnwrapEdit(c);
  if (c.list && !IsSimple(c)) DestroyWindow(c.list);
  c.list = nullptr;
  return 0;
}

LRESULT OnNcDestroy(HWND hwnd, Combo* c, WPARAM wparam, LPARAM lparam) {
  SetWindowLongPtrA(hwnd, 0, 0);
  delete c;
  return DefWindowProcA(hwnd, WM_NCDESTROY, wparam, lparam);
}

// ---------------------------------------------------------------------------
// Window messages
// ---------------------------------------------------------------------------

// Text set by the program reaches the edit field (the parent hears of it
// as of an edit); a drop-down list has no text of its own to set.
LRESULT OnSetText(Combo& c, LPARAM text) {
  if (!c.edit) return CB_ERR;
  HWND self = c.hwnd;
  c.program_text = true;
  const LRESULT result = SendMessageA(c.edit, WM_SETTEXT, 0, text);
  if (ComboOf(self) == &c) c.program_text = false;
  return result;
}

// The edit's text, or the selected item's; whole characters only.
LRESULT OnGetText(Combo& c, WPARAM size, LPARAM lparam) {
  if (c.edit) return SendMessageA(c.edit, WM_GETTEXT, size, lparam);
  auto* buffer = reinterpret_cast<char*>(lparam);
  if (buffer == nullptr || size == 0) return 0;
  const int selection = Selection(c);
  const std::string text = selection >= 0 ? ItemText(c, selection) : std::string();
  size_t n = std::min<size_t>(text.size(), size - 1);
  size_t whole = 0;
  while (whole < n) {
    const size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[whole])) ? 2 : 1;
    if (whole + step > n) break;
    whole += step;
  }
  std::memcpy(buffer, text.data(), whole);
  buffer[whole] = '\0';
  return static_cast<LRESULT>(whole);
}

LRESULT OnGetTextLength(Combo& c) {
  if (c.edit) return SendMessageA(c.edit, WM_GETTEXTLENGTH, 0, 0);
  const int selection = Selection(c);
  return selection >= 0 ? ToList(c, LB_GETTEXTLEN, static_cast<WPARAM>(selection)) : 0;
}

LRESULT OnSetFont(Combo& c, WPARAM font, LPARAM redraw) {
  c.font = reinterpret_cast<HFONT>(font);
  MeasureFont(c);
  if (c.edit) SendMessageA(c.edit, WM_SETFONT, font, FALSE);
  ToList(c, WM_SETFONT, font, FALSE);
  FitHeight(c);
  if (LOWORD(redraw)) RepaintControl(c.hwnd, false);
  return 0;
}

LRESULT OnEnable(Combo& c, WPARAM enabled) {
  if (!enabled) CloseUp(c, Close::kCancel);
  if (ComboOf(c.hwnd) != &c) return 0;
  if (c.edit) EnableWindow(c.edit, enabled ? TRUE : FALSE);
  if (c.list && IsSimple(c)) EnableWindow(c.list, enabled ? TRUE : FALSE);
  RepaintControl(c.hwnd, false);
  return 0;
}

// Any height but the field's becomes the dropped height.
LRESULT OnWindowPosChanging(Combo& c, LPARAM lparam) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
  if (IsSimple(c) || (pos->flags & SWP_NOSIZE)) return 0;
  if (pos->cy != ClosedHeight(c)) {
    c.dropped_height = pos->cy;
    pos->cy = ClosedHeight(c);
  }
  return 0;
}

LRESULT OnSetFocus(Combo& c) {
  if (!c.edit) {
    FocusGained(c);
    return 0;
  }
  HWND edit = c.edit;
  const bool first = !c.been_focused;
  c.been_focused = true;
  SetFocus(edit);
  if (first && ComboOf(c.hwnd) == &c) SendMessageA(edit, EM_SETSEL, 0, -1);
  return 0;
}

LRESULT OnCommand(Combo& c, WPARAM wparam, LPARAM from) {
  const auto child = reinterpret_cast<HWND>(from);
  if (child != nullptr && child == c.list) return OnListCommand(c, HIWORD(wparam));
  if (child != nullptr && child == c.edit) return OnEditCommand(c, HIWORD(wparam));
  return 0;
}

// The edit and the list ask their parent for colours; the combo box's own
// parent answers.
LRESULT OnCtlColor(Combo& c, UINT message, WPARAM wparam, LPARAM lparam) {
  if (HWND parent = GetParent(c.hwnd)) return SendMessageA(parent, message, wparam, lparam);
  return DefWindowProcA(c.hwnd, message, wparam, lparam);
}

LRESULT OnGetDlgCode(const Combo& c, LPARAM lparam) {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  const auto* msg = reinterpret_cast<const MSG*>(lparam);
  if (c.dropped && msg && msg->message == WM_KEYDOWN &&
      (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
    code |= DLGC_WANTMESSAGE;
  }
  return code;
}

LRESULT OnInputMessage(Combo& c, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
      return HandleKey(c, wparam) ? 0 : DefWindowProcA(c.hwnd, message, wparam, lparam);
    case WM_SYSKEYDOWN:
      return HandleSysKey(c, wparam, lparam) ? 0 : DefWindowProcA(c.hwnd, message, wparam, lparam);
    case WM_CHAR:
      return OnChar(c, wparam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnButtonDown(c, lparam);
    case WM_MOUSEWHEEL:
      return OnMouseWheel(c, wparam, lparam);
    default:
      return DefWindowProcA(c.hwnd, message, wparam, lparam);
  }
}

bool IsInputMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR ||
         message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_MOUSEWHEEL;
}

// Text, font, and what the children ask and tell.
LRESULT OnContentMessage(Combo& c, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETTEXT:
      return OnSetText(c, lparam);
    case WM_GETTEXT:
      return OnGetText(c, wparam, lparam);
    case WM_GETTEXTLENGTH:
      return OnGetTextLength(c);
    case WM_SETFONT:
      return OnSetFont(c, wparam, lparam);
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(c.font);
    case WM_COMMAND:
      return OnCommand(c, wparam, lparam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      return OnCtlColor(c, message, wparam, lparam);
    default:
      return DefWindowProcA(c.hwnd, message, wparam, lparam);
  }
}

LRESULT OnWindowMessage(Combo& c, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(c, lparam);
    case WM_DESTROY:
      return OnDestroy(c);
    case WM_PAINT:
      return OnPaint(c);
    case WM_PRINTCLIENT:
      Paint(c, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the edge, the button and the field
    case WM_SIZE:
      ApplyLayout(c);
      return 0;
    case WM_WINDOWPOSCHANGING:
      OnWindowPosChanging(c, lparam);
      return DefWindowProcA(c.hwnd, message, wparam, lparam);
    case WM_ENABLE:
      return OnEnable(c, wparam);
    case WM_SETFOCUS:
      return OnSetFocus(c);
    case WM_KILLFOCUS:
      FocusLost(c, reinterpret_cast<HWND>(wparam));
      return 0;
    case WM_CANCELMODE:
      CloseUp(c, Close::kCancel);
      return 0;
    case WM_SHOWWINDOW:
      if (!wparam) CloseUp(c, Close::kCancel);  // a hidden combo box keeps no list down
      return DefWindowProcA(c.hwnd, message, wparam, lparam);
    case WM_GETDLGCODE:
      return OnGetDlgCode(c, lparam);
    default:
      return OnContentMessage(c, message, wparam, lparam);
  }
}

LRESULT ComboBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) return OnNcCreate(hwnd, lparam);
  Combo* c = ComboOf(hwnd);
  if (c == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) return OnNcDestroy(hwnd, c, wparam, lparam);
  if (IsComboMessage(message)) return OnComboMessage(*c, message, wparam, lparam);
  if (IsInputMessage(message)) return OnInputMessage(*c, message, wparam, lparam);
  return OnWindowMessage(*c, message, wparam, lparam);
}

}  // namespace

}  // namespace combo_box

void RegisterComboBoxClass() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = combo_box::ComboBoxProc;
  wc.cbWndExtra = sizeof(combo_box::Combo*);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = WC_COMBOBOXA;
  RegisterClassA(&wc);
}

}  // namespace platform::controls
