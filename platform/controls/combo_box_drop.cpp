// Dropping the list down and closing it, and what the parent hears of it.
//
// While the list is down the pointer only highlights items; the parent
// learns of a choice when the list closes: CBN_SELENDOK, CBN_CLOSEUP, then
// CBN_SELCHANGE if the item differs from the selection it knew. A cancel
// sends CBN_SELENDCANCEL and CBN_CLOSEUP and puts that selection back.
// Keys change the selection at once (CBN_SELCHANGE), dropped or not.
#include <algorithm>

#include "platform/controls/combo_box_control.h"
#include "platform/controls/list_box.h"
#include "platform/controls/repaint.h"

namespace platform::controls::combo_box {

namespace {

RECT WorkArea() {
  RECT work{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return work;
}

// Rows of the list: as many items as there are, up to what the dropped
// height leaves below the field (one row at the least).
int ListHeight(const Combo& c) {
  const int border = 2 * GetSystemMetrics(SM_CYBORDER);
  const int item = std::max(1, static_cast<int>(ToList(c, LB_GETITEMHEIGHT)));
  const int room = c.dropped_height - ClosedHeight(c) - border;
  const int fit = std::max(1, room / item);
  const int count = static_cast<int>(ToList(c, LB_GETCOUNT));
  return std::clamp(count, 1, fit) * item + border;
}

}  // namespace

RECT DroppedRect(const Combo& c) {
  RECT combo;
  GetWindowRect(c.hwnd, &combo);
  const RECT work = WorkArea();
  const int width = std::max<int>(c.dropped_width, combo.right - combo.left);
  const int height = ListHeight(c);
  RECT r{combo.left, combo.bottom, combo.left + width, combo.bottom + height};
  // Above the combo box when the work area ends below it and there is more
  // room above.
  if (r.bottom > work.bottom && combo.top - work.top > work.bottom - combo.bottom) {
    r.top = combo.top - height;
    r.bottom = combo.top;
  }
  if (r.right > work.right)
    OffsetRect(&r, std::max<LONG>(work.left, work.right - width) - r.left, 0);
  return r;
}

namespace {

// For a drop-down combo box the list starts at the item the typed text
// begins, unless the selection already reads as the text.
void HighlightTyped(Combo& c) {
  const int length = GetWindowTextLengthA(c.edit);
  std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
  text.resize(static_cast<size_t>(std::max(GetWindowTextA(c.edit, text.data(), length + 1), 0)));
  const int selection = Selection(c);
  if (selection >= 0 && ItemText(c, selection) == text) return;
  const LRESULT match = text.empty() ? LB_ERR
                                     : ToList(c, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(text.c_str()));
  ToList(c, LB_SETCURSEL, static_cast<WPARAM>(match));
}

}  // namespace

void DropDown(Combo& c) {
  if (IsSimple(c) || c.dropped || c.closing || c.list == nullptr) return;
  if (!IsWindowEnabled(c.hwnd)) return;
  // The parent may still fill the list.
  if (!Notify(c, CBN_DROPDOWN) || c.dropped || c.list == nullptr) return;
  c.committed = Selection(c);
  if (c.edit) HighlightTyped(c);
  const RECT r = DroppedRect(c);
  SetWindowPos(c.list, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  const int selection = Selection(c);
  if (selection >= 0) ToList(c, LB_SETTOPINDEX, static_cast<WPARAM>(selection));
  c.dropped = true;
  SetCapture(c.list);
  RepaintControl(c.hwnd, false);
}

namespace {

void HideList(Combo& c) {
  c.dropped = false;
  SetWindowPos(c.list, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (GetCapture() == c.list) ReleaseCapture();
  RepaintControl(c.hwnd, false);
}

}  // namespace

void CloseUp(Combo& c, Close how) {
  if (!c.dropped || c.closing || c.list == nullptr) return;
  const int chosen = Selection(c);
  const bool changed = how == Close::kAccept && chosen >= 0 && chosen != c.committed;
  if (how == Close::kCancel) {
    ToList(c, LB_SETCURSEL, static_cast<WPARAM>(c.committed));
  } else if (changed) {
    c.committed = chosen;
    ShowSelection(c);
  }
  c.closing = true;
  if (!Notify(c, how == Close::kAccept ? CBN_SELENDOK : CBN_SELENDCANCEL)) return;
  c.closing = false;
  if (c.list == nullptr) return;
  HideList(c);
  if (!Notify(c, CBN_CLOSEUP)) return;
  if (changed) Notify(c, CBN_SELCHANGE);
}

void ToggleDrop(Combo& c) {
  if (c.dropped) {
    CloseUp(c, Close::kAccept);
  } else {
    DropDown(c);
  }
}

void SelectionChosen(Combo& c) {
  c.committed = Selection(c);
  ShowSelection(c);
  if (IsSimple(c) && !Notify(c, CBN_SELENDOK)) return;
  Notify(c, CBN_SELCHANGE);
}

LRESULT OnListCommand(Combo& c, WORD code) {
  switch (code) {
    case LBN_SELCHANGE:
      SelectionChosen(c);
      break;
    case LBN_DBLCLK:
      if (IsSimple(c)) Notify(c, CBN_DBLCLK);
      break;
    case static_cast<WORD>(LBN_ERRSPACE):
      Notify(c, CBN_ERRSPACE);
      break;
    case kListAccepted:
      CloseUp(c, Close::kAccept);
      break;
    case kListCancelled:
      CloseUp(c, Close::kCancel);
      break;
    case kListDestroyed:
      c.list = nullptr;
      c.dropped = false;
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace platform::controls::combo_box
