// The BUTTON control's own record and its drawing, shared by the window
// procedure (button.cpp) and the painters (button_paint.cpp,
// button_check_paint.cpp). Built on the public facade only.
#pragma once

#include "platform/win32.h"

namespace platform::controls {

// Registers the "Button" class (system_classes.cpp calls it once).
void RegisterButtonClass();

// What a button style draws and how it answers input.
enum class ButtonKind { kPush, kCheck, kRadio, kGroup, kOwnerDraw };

ButtonKind KindOfStyle(DWORD style);

// Kept behind the window (its first extra bytes) from WM_NCCREATE to
// WM_NCDESTROY.
struct ButtonState {
  HFONT font = nullptr;     // WM_SETFONT; null keeps the DC's own font
  HANDLE image = nullptr;   // BM_SETIMAGE; the caller keeps ownership
  UINT image_kind = 0;      // IMAGE_BITMAP or IMAGE_ICON
  UINT check = 0;           // BST_UNCHECKED / BST_CHECKED / BST_INDETERMINATE
  bool pushed = false;      // drawn pressed (BST_PUSHED)
  bool focused = false;     // between WM_SETFOCUS and WM_KILLFOCUS (BST_FOCUS)
  bool mouse_down = false;  // the left button went down on it and is still held
  bool space_down = false;  // the space bar went down while it had the focus
};

// Draws the whole button on `dc` (a paint or window DC of the button).
void PaintButton(HWND hwnd, HDC dc, const ButtonState& state);

// Owner-drawn buttons: asks the parent to draw with WM_DRAWITEM, telling it
// what changed (ODA_DRAWENTIRE, ODA_SELECT or ODA_FOCUS).
void DrawOwnerButton(HWND hwnd, HDC dc, const ButtonState& state, UINT action);

// Check boxes, radio buttons and group boxes (button_check_paint.cpp).
void PaintCheckLike(HWND hwnd, HDC dc, const ButtonState& state, ButtonKind kind);

// The width and height of a bitmap or icon handle; {0, 0} when it is none.
SIZE ImageSize(HANDLE image, UINT kind);

// Draws the text (GBK, '&' marks the mnemonic) in `area` as `format` places
// it (DT_xxx) in `color`, greyed and embossed when the button is disabled. A multi-line
// format is placed vertically by the BS_TOP/BS_BOTTOM/BS_VCENTER bits of
// `style` itself, as DrawTextA centres single lines only.
void DrawButtonText(HDC dc, const char* text, RECT area, UINT format, DWORD style, bool enabled,
                    COLORREF color);

// The DT_ format of a button's text from its alignment styles; `kind`
// decides the default horizontal alignment (centred for push buttons, left
// for the others).
UINT TextFormatOfStyle(DWORD style, ButtonKind kind);

}  // namespace platform::controls
