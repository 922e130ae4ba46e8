// The LISTBOX and ComboLBox window procedure: one small handler a message.
// The LB_* messages come first, then the window's own messages.
#include "platform/controls/list_box.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/controls/list_box_control.h"

namespace platform::controls {

namespace list_box {

ListBox::ListBox(HWND window, DWORD style, HWND combo_box)
    : hwnd(window),
      combo(combo_box),
      model((style & LBS_SORT) ? ListBoxModel::Order::kSorted : ListBoxModel::Order::kAsGiven),
      scroll_bar((style & WS_VSCROLL) != 0) {}

ListBox* ListBoxOf(HWND hwnd) { return reinterpret_cast<ListBox*>(GetWindowLongPtrA(hwnd, 0)); }

bool IsDroppedList(const ListBox& lb) {
  return lb.combo != nullptr && !(GetWindowLongA(lb.hwnd, GWL_STYLE) & WS_CHILD);
}

HWND NotifyTarget(const ListBox& lb) { return lb.combo ? lb.combo : GetParent(lb.hwnd); }

bool Notify(ListBox& lb, WORD code) {
  HWND self = lb.hwnd;
  HWND target = NotifyTarget(lb);
  if (target == nullptr) return true;
  SendMessageA(target, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(self), code),
               reinterpret_cast<LPARAM>(self));
  return ListBoxOf(self) == &lb;
}

namespace {

bool NotifiesSelection(const ListBox& lb) {
  return lb.combo != nullptr || (GetWindowLongA(lb.hwnd, GWL_STYLE) & LBS_NOTIFY);
}

}  // namespace

bool SelectItem(ListBox& lb, int index, Source source) {
  const int count = lb.model.count();
  index = count == 0 ? -1 : std::clamp(index, 0, count - 1);
  const int old = lb.model.selection();
  lb.model.Select(index);
  if (index >= 0) {
    InvalidateItem(lb, lb.caret);
    lb.caret = index;
    ScrollIntoView(lb, index);
  }
  InvalidateItem(lb, old);
  InvalidateItem(lb, index);
  const bool told = source == Source::kKeyboard || source == Source::kMouse;
  if (old == index || !told || !NotifiesSelection(lb)) return true;
  return Notify(lb, LBN_SELCHANGE);
}

namespace {

// ---------------------------------------------------------------------------
// Items
// ---------------------------------------------------------------------------

const char* TextParam(LPARAM lparam) { return reinterpret_cast<const char*>(lparam); }

// After items were added: an out-of-memory answer is also told to the
// parent, as LBN_ERRSPACE.
LRESULT Added(ListBox& lb, int result) {
  if (result == LB_ERRSPACE) {
    Notify(lb, LBN_ERRSPACE);
    return LB_ERRSPACE;
  }
  if (result >= 0) Refresh(lb);
  return result;
}

LRESULT OnAddString(ListBox& lb, LPARAM lparam) {
  if (TextParam(lparam) == nullptr) return LB_ERR;
  return Added(lb, lb.model.Add(TextParam(lparam)));
}

LRESULT OnInsertString(ListBox& lb, WPARAM wparam, LPARAM lparam) {
  if (TextParam(lparam) == nullptr) return LB_ERR;
  return Added(lb, lb.model.Insert(static_cast<int>(wparam), TextParam(lparam)));
}

LRESULT OnDeleteString(ListBox& lb, WPARAM wparam) {
  const int left = lb.model.Delete(static_cast<int>(wparam));
  if (left == LB_ERR) return LB_ERR;
  lb.caret = std::clamp(lb.caret, 0, std::max(left - 1, 0));
  Refresh(lb);
  return left;
}

LRESULT OnResetContent(ListBox& lb) {
  lb.model.Clear();
  lb.top = 0;
  lb.caret = 0;
  Refresh(lb);
  return 0;
}

LRESULT OnGetText(ListBox& lb, WPARAM wparam, LPARAM lparam) {
  const std::string* text = lb.model.Text(static_cast<int>(wparam));
  auto* buffer = reinterpret_cast<char*>(lparam);
  if (text == nullptr || buffer == nullptr) return LB_ERR;
  std::memcpy(buffer, text->c_str(), text->size() + 1);
  return static_cast<LRESULT>(text->size());
}

LRESULT OnGetTextLength(ListBox& lb, WPARAM wparam) {
  const std::string* text = lb.model.Text(static_cast<int>(wparam));
  return text ? static_cast<LRESULT>(text->size()) : LB_ERR;
}

LRESULT OnFind(ListBox& lb, WPARAM after, LPARAM lparam, ListBoxModel::Match match) {
  if (TextParam(lparam) == nullptr) return LB_ERR;
  return lb.model.Find(TextParam(lparam), static_cast<int>(after), match);
}

// ---------------------------------------------------------------------------
// Selection and view
// ---------------------------------------------------------------------------

LRESULT OnSetCurSel(ListBox& lb, WPARAM wparam) {
  const int index = static_cast<int>(wparam);
  if (!lb.model.Contains(index)) {
    InvalidateItem(lb, lb.model.selection());
    lb.model.Select(-1);
    return LB_ERR;
  }
  SelectItem(lb, index, Source::kProgram);
  return index;
}

LRESULT OnGetSel(ListBox& lb, WPARAM wparam) {
  const int index = static_cast<int>(wparam);
  if (!lb.model.Contains(index)) return LB_ERR;
  return lb.model.selection() == index ? 1 : 0;
}

LRESULT OnSelectString(ListBox& lb, WPARAM after, LPARAM lparam) {
  const LRESULT found = OnFind(lb, after, lparam, ListBoxModel::Match::kPrefix);
  if (found >= 0) SelectItem(lb, static_cast<int>(found), Source::kProgram);
  return found;
}

LRESULT OnSetTopIndex(ListBox& lb, WPARAM wparam) {
  const int index = static_cast<int>(wparam);
  if (!lb.model.Contains(index) && !(index == 0 && lb.model.count() == 0)) return LB_ERR;
  SetTop(lb, index);
  return LB_OKAY;
}

LRESULT OnGetItemRect(ListBox& lb, WPARAM wparam, LPARAM lparam) {
  auto* rect = reinterpret_cast<RECT*>(lparam);
  const int index = static_cast<int>(wparam);
  if (rect == nullptr || !lb.model.Contains(index)) return LB_ERR;
  *rect = ItemRect(lb, index);
  return 1;
}

LRESULT OnSetCaretIndex(ListBox& lb, WPARAM wparam) {
  const int index = static_cast<int>(wparam);
  if (!lb.model.Contains(index)) return LB_ERR;
  InvalidateItem(lb, lb.caret);
  lb.caret = index;
  ScrollIntoView(lb, index);
  InvalidateItem(lb, index);
  return LB_OKAY;
}

LRESULT OnSetItemHeight(ListBox& lb, LPARAM lparam) {
  const int height = static_cast<int>(LOWORD(lparam));
  if (height < 1 || height > 255) return LB_ERR;
  lb.item_height = height;
  Refresh(lb);
  return LB_OKAY;
}

LRESULT OnItemFromPoint(ListBox& lb, LPARAM lparam) {
  bool outside = true;
  const POINT p{static_cast<SHORT>(LOWORD(lparam)), static_cast<SHORT>(HIWORD(lparam))};
  const int index = ItemAt(lb, p, &outside);
  return MAKELRESULT(static_cast<WORD>(std::max(index, 0)), outside ? 1 : 0);
}

bool IsListMessage(UINT message) { return message >= LB_ADDSTRING && message <= LB_ITEMFROMPOINT; }

// Messages about the selection and the rows.
LRESULT OnViewMessage(ListBox& lb, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case LB_SELECTSTRING:
      return OnSelectString(lb, wparam, lparam);
    case LB_SETCURSEL:
      return OnSetCurSel(lb, wparam);
    case LB_GETCURSEL:
      return lb.model.selection() >= 0 ? lb.model.selection() : LB_ERR;
    case LB_GETSEL:
      return OnGetSel(lb, wparam);
    case LB_GETTOPINDEX:
      return lb.top;
    case LB_SETTOPINDEX:
      return OnSetTopIndex(lb, wparam);
    case LB_GETITEMRECT:
      return OnGetItemRect(lb, wparam, lparam);
    case LB_SETCARETINDEX:
      return OnSetCaretIndex(lb, wparam);
    case LB_GETCARETINDEX:
      return lb.caret;
    case LB_SETITEMHEIGHT:
      return OnSetItemHeight(lb, lparam);
    case LB_GETITEMHEIGHT:
      return lb.item_height;
    case LB_ITEMFROMPOINT:
      return OnItemFromPoint(lb, lparam);
    default:
      return DefWindowProcA(lb.hwnd, message, wparam, lparam);
  }
}

LRESULT OnListMessage(ListBox& lb, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case LB_ADDSTRING:
      return OnAddString(lb, lparam);
    case LB_INSERTSTRING:
      return OnInsertString(lb, wparam, lparam);
    case LB_DELETESTRING:
      return OnDeleteString(lb, wparam);
    case LB_RESETCONTENT:
      return OnResetContent(lb);
    case LB_GETCOUNT:
      return lb.model.count();
    case LB_GETTEXT:
      return OnGetText(lb, wparam, lparam);
    case LB_GETTEXTLEN:
      return OnGetTextLength(lb, wparam);
    case LB_SETITEMDATA:
      return lb.model.SetData(static_cast<int>(wparam), static_cast<ULONG_PTR>(lparam)) ? TRUE
                                                                                        : LB_ERR;
    case LB_GETITEMDATA:
      return lb.model.Data(static_cast<int>(wparam));
    case LB_FINDSTRING:
      return OnFind(lb, wparam, lparam, ListBoxModel::Match::kPrefix);
    case LB_FINDSTRINGEXACT:
      return OnFind(lb, wparam, lparam, ListBoxModel::Match::kExact);
    default:
      return OnViewMessage(lb, message, wparam, lparam);
  }
}

// ---------------------------------------------------------------------------
// Window messages
// ---------------------------------------------------------------------------

LRESULT OnNcCreate(HWND hwnd, LPARAM lparam, bool combo_list) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
  HWND combo = combo_list ? static_cast<HWND>(cs->lpCreateParams) : nullptr;
  ListBox* lb = new (std::nothrow) ListBox(hwnd, static_cast<DWORD>(cs->style), combo);
  if (lb == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(lb));
  return DefWindowProcA(hwnd, WM_NCCREATE, 0, lparam);
}

LRESULT OnNcDestroy(HWND hwnd, ListBox* lb, WPARAM wparam, LPARAM lparam) {
  SetWindowLongPtrA(hwnd, 0, 0);
  delete lb;
  return DefWindowProcA(hwnd, WM_NCDESTROY, wparam, lparam);
}

LRESULT OnSetFont(ListBox& lb, WPARAM font, LPARAM redraw) {
  lb.font = reinterpret_cast<HFONT>(font);
  MeasureFont(lb);
  Refresh(lb);
  if (LOWORD(redraw)) UpdateWindow(lb.hwnd);
  return 0;
}

LRESULT OnFocus(ListBox& lb, bool gained) {
  lb.focused = gained;
  if (!gained) lb.pending_lead = 0;
  InvalidateItem(lb, lb.caret);
  Notify(lb, gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
  return 0;
}

LRESULT OnDestroy(ListBox& lb) {
  if (GetCapture() == lb.hwnd) ReleaseCapture();
  if (lb.combo != nullptr) Notify(lb, kListDestroyed);
  return 0;
}

LRESULT OnInputMessage(ListBox& lb, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
      return OnKeyDown(lb, wparam);
    case WM_CHAR:
      return OnChar(lb, wparam);
    case WM_LBUTTONDOWN:
      return OnButtonDown(lb, lparam);
    case WM_LBUTTONDBLCLK:
      return OnDoubleClick(lb, lparam);
    case WM_MOUSEMOVE:
      return OnMouseMove(lb, wparam, lparam);
    case WM_LBUTTONUP:
      return OnButtonUp(lb, lparam);
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(lb);
    case WM_VSCROLL:
      return OnVScroll(lb, wparam);
    case WM_MOUSEWHEEL:
      return OnMouseWheel(lb, wparam);
    default:
      return DefWindowProcA(lb.hwnd, message, wparam, lparam);
  }
}

bool IsInputMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_CHAR ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_CAPTURECHANGED ||
         message == WM_VSCROLL;
}

LRESULT OnWindowMessage(ListBox& lb, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      MeasureFont(lb);
      Refresh(lb);
      return 0;
    case WM_DESTROY:
      return OnDestroy(lb);
    case WM_PAINT:
      return OnPaint(lb);
    case WM_ERASEBKGND:
      return 1;  // painting fills every row and the space below them
    case WM_SIZE:
      Refresh(lb);
      return 0;
    case WM_SETFONT:
      return OnSetFont(lb, wparam, lparam);
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(lb.font);
    case WM_SETFOCUS:
      return OnFocus(lb, true);
    case WM_KILLFOCUS:
      return OnFocus(lb, false);
    case WM_ENABLE:
      InvalidateRect(lb.hwnd, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_MOUSEACTIVATE:
      // The dropped list never takes activation from the combo box's window.
      if (IsDroppedList(lb)) return MA_NOACTIVATE;
      return DefWindowProcA(lb.hwnd, message, wparam, lparam);
    default:
      return DefWindowProcA(lb.hwnd, message, wparam, lparam);
  }
}

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, bool combo_list) {
  if (message == WM_NCCREATE) return OnNcCreate(hwnd, lparam, combo_list);
  ListBox* lb = ListBoxOf(hwnd);
  if (lb == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) return OnNcDestroy(hwnd, lb, wparam, lparam);
  if (IsListMessage(message)) return OnListMessage(*lb, message, wparam, lparam);
  if (IsInputMessage(message)) return OnInputMessage(*lb, message, wparam, lparam);
  return OnWindowMessage(*lb, message, wparam, lparam);
}

LRESULT ListBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return Dispatch(hwnd, message, wparam, lparam, false);
}

LRESULT ComboListProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return Dispatch(hwnd, message, wparam, lparam, true);
}

}  // namespace

}  // namespace list_box

void RegisterListBoxClasses() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
  wc.lpfnWndProc = list_box::ListBoxProc;
  wc.cbWndExtra = sizeof(list_box::ListBox*);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = WC_LISTBOXA;
  RegisterClassA(&wc);
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS | CS_SAVEBITS;
  wc.lpfnWndProc = list_box::ComboListProc;
  wc.lpszClassName = kComboListClassName;
  RegisterClassA(&wc);
}

}  // namespace platform::controls
