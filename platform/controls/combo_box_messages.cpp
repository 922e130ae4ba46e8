// The CB_* messages of the combo box. Most go on to its list as the LB_*
// message of the same meaning; the combo box keeps its field in step.
#include <algorithm>

#include "platform/controls/combo_box_control.h"
#include "platform/controls/repaint.h"

namespace platform::controls::combo_box {

namespace {

// Items went or came: the selection field may show something else now.
LRESULT ItemsChanged(Combo& c, LRESULT result) {
  if (c.dropped) c.committed = std::min(c.committed, static_cast<int>(ToList(c, LB_GETCOUNT)) - 1);
  if (IsDropList(c)) RepaintControl(c.hwnd, false);
  return result;
}

LRESULT OnDeleteString(Combo& c, WPARAM index) {
  const int removed = static_cast<int>(index);
  const LRESULT left = ToList(c, LB_DELETESTRING, index);
  if (left != LB_ERR && c.dropped) {
    if (c.committed == removed) c.committed = -1;
    if (c.committed > removed) --c.committed;
  }
  return ItemsChanged(c, left);
}

LRESULT OnResetContent(Combo& c) {
  ToList(c, LB_RESETCONTENT);
  c.committed = -1;
  SetEditTextQuietly(c, "");
  return ItemsChanged(c, CB_OKAY);
}

LRESULT OnSetCurSel(Combo& c, WPARAM index) {
  const LRESULT result = ToList(c, LB_SETCURSEL, index);
  if (c.dropped) c.committed = Selection(c);
  ShowSelection(c);
  return result;
}

LRESULT OnSelectString(Combo& c, WPARAM after, LPARAM text) {
  const LRESULT found = ToList(c, LB_SELECTSTRING, after, text);
  if (found == LB_ERR) return CB_ERR;
  if (c.dropped) c.committed = Selection(c);
  ShowSelection(c);
  return found;
}

// -1 as the start removes the selection; -1 as the end runs to the end.
LRESULT OnSetEditSel(Combo& c, LPARAM range) {
  if (!c.edit) return CB_ERR;
  const auto start = static_cast<SHORT>(LOWORD(range));
  const auto end = static_cast<SHORT>(HIWORD(range));
  SendMessageA(c.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<INT_PTR>(start)), end);
  return TRUE;
}

LRESULT OnGetItemHeight(Combo& c, WPARAM index) {
  const int which = static_cast<int>(index);
  if (which == -1) return c.field_height;
  if (which < -1) return CB_ERR;
  return ToList(c, LB_GETITEMHEIGHT);
}

LRESULT OnSetItemHeight(Combo& c, WPARAM index, LPARAM height) {
  const int which = static_cast<int>(index);
  if (which < -1) return CB_ERR;
  if (which >= 0) return ToList(c, LB_SETITEMHEIGHT, 0, height) == LB_ERR ? CB_ERR : CB_OKAY;
  if (height < 1 || height > 32767) return CB_ERR;
  c.field_height = static_cast<int>(height);
  FitHeight(c);
  return CB_OKAY;
}

int DroppedWidth(const Combo& c) {
  RECT window;
  GetWindowRect(c.hwnd, &window);
  return std::max<int>(c.dropped_width, window.right - window.left);
}

LRESULT OnSetDroppedWidth(Combo& c, WPARAM width) {
  const auto wanted = static_cast<INT_PTR>(width);
  if (wanted < 0 || wanted > 32767) return CB_ERR;
  c.dropped_width = static_cast<int>(wanted);
  return DroppedWidth(c);
}

LRESULT OnGetDroppedControlRect(Combo& c, LPARAM lparam) {
  auto* rect = reinterpret_cast<RECT*>(lparam);
  if (rect == nullptr) return CB_ERR;
  if (IsSimple(c) || c.dropped) {
    GetWindowRect(c.list, rect);
  } else {
    *rect = DroppedRect(c);
  }
  return TRUE;
}

LRESULT OnShowDropDown(Combo& c, WPARAM show) {
  if (show) {
    DropDown(c);
  } else {
    CloseUp(c, Close::kCancel);
  }
  return TRUE;
}

// Messages the list answers as it stands.
LRESULT ListMessage(Combo& c, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case CB_ADDSTRING:
      return ItemsChanged(c, ToList(c, LB_ADDSTRING, 0, lparam));
    case CB_INSERTSTRING:
      return ItemsChanged(c, ToList(c, LB_INSERTSTRING, wparam, lparam));
    case CB_GETCOUNT:
      return ToList(c, LB_GETCOUNT);
    case CB_GETCURSEL:
      return ToList(c, LB_GETCURSEL);
    case CB_GETLBTEXT:
      return ToList(c, LB_GETTEXT, wparam, lparam);
    case CB_GETLBTEXTLEN:
      return ToList(c, LB_GETTEXTLEN, wparam);
    case CB_FINDSTRING:
      return ToList(c, LB_FINDSTRING, wparam, lparam);
    case CB_FINDSTRINGEXACT:
      return ToList(c, LB_FINDSTRINGEXACT, wparam, lparam);
    case CB_GETITEMDATA:
      return ToList(c, LB_GETITEMDATA, wparam);
    case CB_SETITEMDATA:
      return ToList(c, LB_SETITEMDATA, wparam, lparam) == LB_ERR ? CB_ERR : TRUE;
    case CB_GETTOPINDEX:
      return ToList(c, LB_GETTOPINDEX);
    case CB_SETTOPINDEX:
      return ToList(c, LB_SETTOPINDEX, wparam);
    default:
      return DefWindowProcA(c.hwnd, message, wparam, lparam);
  }
}

}  // namespace

bool IsComboMessage(UINT message) {
  return message >= CB_GETEDITSEL && message <= CB_SETDROPPEDWIDTH;
}

LRESULT OnComboMessage(Combo& c, UINT message, WPARAM wparam, LPARAM lparam) {
  if (c.list == nullptr) return CB_ERR;
  switch (message) {
    case CB_DELETESTRING:
      return OnDeleteString(c, wparam);
    case CB_RESETCONTENT:
      return OnResetContent(c);
    case CB_SETCURSEL:
      return OnSetCurSel(c, wparam);
    case CB_SELECTSTRING:
      return OnSelectString(c, wparam, lparam);
    case CB_LIMITTEXT:
      if (c.edit) SendMessageA(c.edit, EM_LIMITTEXT, wparam, 0);
      return TRUE;
    case CB_SETEDITSEL:
      return OnSetEditSel(c, lparam);
    case CB_GETEDITSEL:
      return c.edit ? SendMessageA(c.edit, EM_GETSEL, wparam, lparam) : CB_ERR;
    case CB_GETITEMHEIGHT:
      return OnGetItemHeight(c, wparam);
    case CB_SETITEMHEIGHT:
      return OnSetItemHeight(c, wparam, lparam);
    case CB_SHOWDROPDOWN:
      return OnShowDropDown(c, wparam);
    case CB_GETDROPPEDSTATE:
      return c.dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT:
      return OnGetDroppedControlRect(c, lparam);
    case CB_SETDROPPEDWIDTH:
      return OnSetDroppedWidth(c, wparam);
    case CB_GETDROPPEDWIDTH:
      return DroppedWidth(c);
    default:
      return ListMessage(c, message, wparam, lparam);
  }
}

}  // namespace platform::controls::combo_box
