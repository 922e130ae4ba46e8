// The EDIT window procedure: one small handler a message. Editing messages
// (EM_*) are in edit_messages.cpp, input in edit_input.cpp.
#include "platform/controls/edit.h"

#include <cstring>
#include <new>

#include "platform/controls/edit_control.h"

namespace platform::controls {

namespace edit {

namespace {

LRESULT OnNcCreate(HWND hwnd, LPARAM lparam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
  Edit* e = nullptr;
  try {
    e = new Edit(hwnd, static_cast<DWORD>(cs->style));
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(e));
  return DefWindowProcA(hwnd, WM_NCCREATE, 0, lparam);
}

void FitToClient(Edit& e) {
  RECT client;
  GetClientRect(e.hwnd, &client);
  e.view.SetClient(client);
  e.view.Relayout();
}

LRESULT OnCreate(Edit& e, LPARAM lparam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
  e.view.SetLayout(LayoutFor(e));
  e.view.SetMargins(e.view.FontMargin(), e.view.FontMargin());
  const bool named = cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName);
  e.text.SetText(named ? cs->lpszName : "");
  FitToClient(e);
  UpdateScrollBars(e);
  return 0;
}

LRESULT OnNcDestroy(HWND hwnd, Edit* e, WPARAM wparam, LPARAM lparam) {
  SetWindowLongPtrA(hwnd, 0, 0);
  delete e;
  return DefWindowProcA(hwnd, WM_NCDESTROY, wparam, lparam);
}

LRESULT OnDestroy(Edit& e) {
  EndTracking(e);
  if (e.focused) DestroyCaret();
  e.focused = false;
  return 0;
}

// The parent chooses the colours: WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC
// for a box that cannot be edited; a parent that does not answer gets the
// system's defaults.
EditLook LookFor(Edit& e, HDC dc) {
  const bool enabled = IsWindowEnabled(e.hwnd) != FALSE;
  const UINT message = enabled && !IsReadOnly(e) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
  const auto wparam = reinterpret_cast<WPARAM>(dc);
  const auto lparam = reinterpret_cast<LPARAM>(e.hwnd);
  HBRUSH brush = nullptr;
  if (HWND parent = GetParent(e.hwnd)) {
    brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, message, wparam, lparam));
  }
  if (brush == nullptr) {
    brush = reinterpret_cast<HBRUSH>(DefWindowProcA(e.hwnd, message, wparam, lparam));
  }
  EditLook look;
  look.brush = brush;
  look.text = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  look.background = GetBkColor(dc);
  look.show_selection = e.focused || (StyleOf(e) & ES_NOHIDESEL);
  return look;
}

LRESULT OnPaint(Edit& e) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(e.hwnd, &ps);
  if (dc == nullptr) return 0;
  HWND hwnd = e.hwnd;
  const EditLook look = LookFor(e, dc);
  if (EditOf(hwnd) == &e) e.view.Paint(dc, look);
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnSize(Edit& e) {
  FitToClient(e);
  ScrollToCaret(e);
  InvalidateRect(e.hwnd, nullptr, FALSE);
  return 0;
}

// Text set by a program: no undo, not modified, caret at the start. Only a
// single-line box tells its parent, as on Windows.
LRESULT OnSetText(Edit& e, LPARAM lparam) {
  const auto* text = reinterpret_cast<const char*>(lparam);
  e.text.SetText(text ? text : "");
  e.pending_lead = 0;
  e.view.SetFirstLine(0);
  e.view.SetXOffset(0);
  TextChanged(e, !IsMultiLine(e));
  return TRUE;
}

// Copies whole characters only, always NUL-terminated.
LRESULT OnGetText(Edit& e, WPARAM size, LPARAM lparam) {
  auto* buffer = reinterpret_cast<char*>(lparam);
  if (buffer == nullptr || size == 0) return 0;
  const size_t n = e.text.Snap(std::min<size_t>(e.text.size(), size - 1));
  std::memcpy(buffer, e.text.text().data(), n);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT OnSetFont(Edit& e, WPARAM font, LPARAM redraw) {
  e.view.SetFont(reinterpret_cast<HFONT>(font));
  e.view.SetMargins(e.view.FontMargin(), e.view.FontMargin());
  e.view.Relayout();
  if (e.focused) CreateEditCaret(e);
  ScrollToCaret(e);
  if (LOWORD(redraw)) InvalidateRect(e.hwnd, nullptr, FALSE);
  return 0;
}

LRESULT OnSetFocus(Edit& e) {
  e.focused = true;
  CreateEditCaret(e);
  if (e.text.HasSelection()) InvalidateRect(e.hwnd, nullptr, FALSE);
  Notify(e, EN_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(Edit& e) {
  e.focused = false;
  e.pending_lead = 0;
  EndTracking(e);
  DestroyCaret();
  if (e.text.HasSelection()) InvalidateRect(e.hwnd, nullptr, FALSE);
  Notify(e, EN_KILLFOCUS);
  return 0;
}

LRESULT OnGetDlgCode(Edit& e) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (IsMultiLine(e) && (StyleOf(e) & ES_WANTRETURN)) code |= DLGC_WANTALLKEYS;
  return code;
}

// Keyboard, mouse, scrolling and the clipboard.
LRESULT OnInputMessage(Edit& e, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
      return OnKeyDown(e, wparam);
    case WM_CHAR:
      return OnChar(e, wparam);
    case WM_IME_CHAR:
      return OnImeChar(e, wparam);
    case WM_LBUTTONDOWN:
      return OnButtonDown(e, wparam, lparam);
    case WM_LBUTTONDBLCLK:
      return OnDoubleClick(e, lparam);
    case WM_MOUSEMOVE:
      return OnMouseMove(e, lparam);
    case WM_LBUTTONUP:
      return OnButtonUp(e);
    case WM_CAPTURECHANGED:
      EndTracking(e);
      return 0;
    case WM_TIMER:
      return wparam == kDragScrollTimer ? OnDragTimer(e) : 0;
    case WM_VSCROLL:
      return OnScroll(e, SB_VERT, wparam);
    case WM_HSCROLL:
      return OnScroll(e, SB_HORZ, wparam);
    case WM_MOUSEWHEEL:
      return OnMouseWheel(e, wparam, lparam);
    case WM_COPY:
      Copy(e);
      return 0;
    case WM_CUT:
      Cut(e);
      return 0;
    case WM_PASTE:
      Paste(e);
      return 0;
    case WM_CLEAR:
      Clear(e);
      return 0;
    case WM_UNDO:
      return Undo(e) ? TRUE : FALSE;
    default:
      return DefWindowProcA(e.hwnd, message, wparam, lparam);
  }
}

bool IsInputMessage(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_IME_CHAR ||
         message == WM_CAPTURECHANGED || message == WM_TIMER || message == WM_VSCROLL ||
         message == WM_HSCROLL || (message >= WM_CUT && message <= WM_UNDO);
}

LRESULT OnWindowMessage(Edit& e, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(e, lparam);
    case WM_DESTROY:
      return OnDestroy(e);
    case WM_PAINT:
      return OnPaint(e);
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the background itself
    case WM_SIZE:
      return OnSize(e);
    case WM_SETTEXT:
      return OnSetText(e, lparam);
    case WM_GETTEXT:
      return OnGetText(e, wparam, lparam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(e.text.size());
    case WM_SETFONT:
      return OnSetFont(e, wparam, lparam);
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(e.view.font());
    case WM_SETFOCUS:
      return OnSetFocus(e);
    case WM_KILLFOCUS:
      return OnKillFocus(e);
    case WM_ENABLE:
      InvalidateRect(e.hwnd, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return OnGetDlgCode(e);
    default:
      return DefWindowProcA(e.hwnd, message, wparam, lparam);
  }
}

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) return OnNcCreate(hwnd, lparam);
  Edit* e = EditOf(hwnd);
  if (e == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) return OnNcDestroy(hwnd, e, wparam, lparam);
  if (IsEditMessage(message)) return OnEditMessage(*e, message, wparam, lparam);
  if (IsInputMessage(message)) return OnInputMessage(*e, message, wparam, lparam);
  return OnWindowMessage(*e, message, wparam, lparam);
}

}  // namespace

}  // namespace edit

void RegisterEditClass() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
  wc.lpfnWndProc = edit::EditProc;
  wc.cbWndExtra = sizeof(edit::Edit*);
  wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  wc.lpszClassName = "EDIT";
  RegisterClassA(&wc);
}

}  // namespace platform::controls
