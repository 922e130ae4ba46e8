// The list box's state and the operations its message handlers share. The
// window procedure and the LB_* messages are in list_box.cpp, geometry,
// scrolling and painting in list_box_view.cpp, keys and mouse in
// list_box_input.cpp. Built on the public Win32 facade only.
#pragma once

#include "platform/controls/list_box_model.h"
#include "platform/win32.h"

namespace platform::controls::list_box {

struct ListBox {
  ListBox(HWND window, DWORD style, HWND combo_box);

  HWND hwnd;
  HWND combo;  // the combo box a ComboLBox serves; null for a LISTBOX
  ListBoxModel model;
  bool scroll_bar;                 // made with WS_VSCROLL: the bar comes and goes with the need
  HFONT font = nullptr;            // WM_SETFONT; null keeps the DC's own font
  int item_height = 16;            // pixels a row; from the font until LB_SETITEMHEIGHT
  int top = 0;                     // the first item shown
  int caret = 0;                   // the item that has the focus rectangle
  bool focused = false;            // the list itself has the keyboard focus
  bool tracking = false;           // the left button went down in the items
  bool in_scroll_bar = false;      // the capture is lent to the scroll bar's loop
  unsigned char pending_lead = 0;  // a lead byte typed, waiting for its trail byte
  int wheel_remainder = 0;         // wheel movement short of a whole notch
};

ListBox* ListBoxOf(HWND hwnd);

// A combo box's popup list (not the CBS_SIMPLE child list).
bool IsDroppedList(const ListBox& lb);
// The window notifications and colour requests go to.
HWND NotifyTarget(const ListBox& lb);
// Sends WM_COMMAND `code` to the parent (or combo box). False when the
// answer destroyed the list: the caller must not touch `lb` again.
bool Notify(ListBox& lb, WORD code);

// How a selection came about: the dropped list's pointer highlights items
// without telling anyone; the keyboard and clicks in a plain list do.
enum class Source { kProgram, kKeyboard, kMouse, kHover };
// Selects `index` (clamped to the items), makes it the caret item and
// scrolls it into view; sends LBN_SELCHANGE when it changed and `source`
// asks for it. False when the list was destroyed meanwhile.
bool SelectItem(ListBox& lb, int index, Source source);

// list_box_view.cpp
int VisibleRows(const ListBox& lb);  // whole rows that fit, at least 1
RECT ItemRect(const ListBox& lb, int index);
// The item at a client point, clamped to the items shown; `outside` is set
// when the point is not on an item. -1 for an empty list.
int ItemAt(const ListBox& lb, POINT p, bool* outside);
void SetTop(ListBox& lb, int top);
void ScrollIntoView(ListBox& lb, int index);
void UpdateScrollBar(ListBox& lb);
void InvalidateItem(ListBox& lb, int index);
// Everything changed: scroll bar, top index and paint.
void Refresh(ListBox& lb);
void MeasureFont(ListBox& lb);
LRESULT OnPaint(ListBox& lb);
LRESULT OnVScroll(ListBox& lb, WPARAM request);
LRESULT OnMouseWheel(ListBox& lb, WPARAM wparam);

// list_box_input.cpp
LRESULT OnKeyDown(ListBox& lb, WPARAM vk);
LRESULT OnChar(ListBox& lb, WPARAM ch);
LRESULT OnButtonDown(ListBox& lb, LPARAM point);
LRESULT OnDoubleClick(ListBox& lb, LPARAM point);
LRESULT OnMouseMove(ListBox& lb, WPARAM keys, LPARAM point);
LRESULT OnButtonUp(ListBox& lb, LPARAM point);
LRESULT OnCaptureChanged(ListBox& lb);

}  // namespace platform::controls::list_box
