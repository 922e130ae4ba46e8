// The combo box's state and the operations its handlers share. The window
// procedure is in combo_box.cpp, the CB_* messages in
// combo_box_messages.cpp, dropping and closing the list with its
// notifications in combo_box_drop.cpp, keys, the mouse, focus and the edit
// field in combo_box_input.cpp, painting in combo_box_paint.cpp. The list is a "ComboLBox"
// (list_box.h) and the edit field an ordinary "EDIT" whose procedure the combo box wraps, as any
// program could: only the public Win32 facade is used.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform::controls::combo_box {

// Child ids, as Windows gives them.
inline constexpr int kListId = 1000;
inline constexpr int kEditId = 1001;

struct Combo {
  HWND hwnd = nullptr;
  DWORD style = 0;              // the CBS_ styles it was made with
  HWND edit = nullptr;          // the edit field (CBS_SIMPLE, CBS_DROPDOWN)
  HWND list = nullptr;          // the ComboLBox: a popup, or a child for CBS_SIMPLE
  WNDPROC edit_proc = nullptr;  // the edit's own procedure, under the combo's wrapper
  HFONT font = nullptr;         // WM_SETFONT; null keeps the DC's own font
  int text_height = 16;         // the font's cell height
  int field_height = 20;        // the edit or selection field (CB_GETITEMHEIGHT -1)
  int dropped_height = 0;       // drop-down styles: the height asked for, field and list
  int dropped_width = 0;        // CB_SETDROPPEDWIDTH; the combo's own width at the least
  int committed = -1;           // the selection the parent knows of, restored on cancel
  bool dropped = false;         // the list is down
  bool closing = false;         // CloseUp is sending its notifications
  bool focused = false;         // the combo box or its edit field has the focus
  bool been_focused = false;    // the edit's text was selected on the first focus
  bool quiet_edit = false;      // the combo box itself sets the edit's text
  bool program_text = false;    // WM_SETTEXT from the program: told, but not matched
};

Combo* ComboOf(HWND hwnd);
DWORD TypeOf(const Combo& c);  // CBS_SIMPLE, CBS_DROPDOWN or CBS_DROPDOWNLIST
inline bool IsSimple(const Combo& c) { return TypeOf(c) == CBS_SIMPLE; }
inline bool IsDropList(const Combo& c) { return TypeOf(c) == CBS_DROPDOWNLIST; }
inline bool HasEdit(const Combo& c) { return c.edit != nullptr; }

// Sends WM_COMMAND `code` to the parent. False when the answer destroyed
// the combo box: the caller must not touch `c` again.
bool Notify(Combo& c, int code);

// The list's answer to an LB_* message (0 when there is no list).
LRESULT ToList(const Combo& c, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
int Selection(const Combo& c);  // -1 for none
std::string ItemText(const Combo& c, int index);

// Where the parts are, in client coordinates.
struct Layout {
  RECT frame;   // the sunken edge: the whole combo box, or the field's part for CBS_SIMPLE
  RECT field;   // inside the edge, left of the button
  RECT button;  // empty for CBS_SIMPLE
  RECT edit;    // the edit window: the text's height, centred in the field
  RECT list;    // CBS_SIMPLE: below the field
};
Layout LayoutOf(const Combo& c);
// The height of a drop-down combo box: its field in its edge.
int ClosedHeight(const Combo& c);
// Moves the edit and the CBS_SIMPLE list to the layout.
void ApplyLayout(Combo& c);
// A drop-down combo box takes the height of its field; then the layout.
void FitHeight(Combo& c);
// The font's height; the field follows it.
void MeasureFont(Combo& c);

// Shows the selected item in the field: the edit's text (selected when
// focused), or a repaint of the selection field. Sends nothing.
void ShowSelection(Combo& c);
// Sets the edit's text without CBN_EDITUPDATE/CBN_EDITCHANGE.
void SetEditTextQuietly(Combo& c, const std::string& text);

// combo_box_messages.cpp
bool IsComboMessage(UINT message);
LRESULT OnComboMessage(Combo& c, UINT message, WPARAM wparam, LPARAM lparam);

// combo_box_drop.cpp
// The rectangle the dropped list takes, in screen coordinates.
RECT DroppedRect(const Combo& c);
void DropDown(Combo& c);
// Accepting takes the highlighted item; cancelling puts back the one the
// parent knew.
enum class Close { kAccept, kCancel };
void CloseUp(Combo& c, Close how);
void ToggleDrop(Combo& c);
// The user changed the selection with the keyboard (or a CBS_SIMPLE
// list's mouse): show it and tell the parent.
void SelectionChosen(Combo& c);
LRESULT OnListCommand(Combo& c, WORD code);

// combo_box_input.cpp
// Keys for the combo box or its edit field; true when used.
bool HandleKey(Combo& c, WPARAM vk);
bool HandleSysKey(Combo& c, WPARAM vk, LPARAM flags);
LRESULT OnChar(Combo& c, WPARAM ch);
LRESULT OnButtonDown(Combo& c, LPARAM point);
LRESULT OnMouseWheel(Combo& c, WPARAM wparam, LPARAM lparam);
void FocusGained(Combo& c);
void FocusLost(Combo& c, HWND gaining);
LRESULT OnEditCommand(Combo& c, WORD code);
// Wraps the edit's procedure so its keys and focus reach the combo box.
void WrapEdit(Combo& c);
void UnwrapEdit(Combo& c);

// combo_box_paint.cpp
LRESULT OnPaint(Combo& c);
void Paint(Combo& c, HDC dc);

}  // namespace platform::controls::combo_box
