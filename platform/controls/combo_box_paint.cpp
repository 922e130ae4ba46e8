// Painting a combo box: the sunken edge, the drop button and the field.
// The field takes the brush and colours the parent answers to
// WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC when disabled); a drop-down list's
// field shows its item highlighted with a focus rectangle while focused.
// The edit field and the list paint themselves.
#include <string>

#include "platform/controls/combo_box_control.h"

namespace platform::controls::combo_box {

namespace {

constexpr int kTextMargin = 2;  // pixels between the highlight's edge and the text

HBRUSH FieldColors(const Combo& c, HDC dc) {
  const UINT message = IsWindowEnabled(c.hwnd) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
  const auto wparam = reinterpret_cast<WPARAM>(dc);
  const auto lparam = reinterpret_cast<LPARAM>(c.hwnd);
  LRESULT brush = 0;
  if (HWND parent = GetParent(c.hwnd)) brush = SendMessageA(parent, message, wparam, lparam);
  if (brush == 0) brush = DefWindowProcA(c.hwnd, message, wparam, lparam);
  return reinterpret_cast<HBRUSH>(brush);
}

// Around the edit window the field shows the edit's background.
void PaintEditField(HDC dc, const Layout& l, HBRUSH brush) {
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, l.edit.left, l.edit.top, l.edit.right, l.edit.bottom);
  FillRect(dc, &l.field, brush);
  RestoreDC(dc, saved);
}

void PaintSelectionField(const Combo& c, HDC dc, const Layout& l, HBRUSH brush) {
  FillRect(dc, &l.field, brush);
  RECT inner = l.field;
  InflateRect(&inner, -1, -1);
  const bool enabled = IsWindowEnabled(c.hwnd) != FALSE;
  const bool highlighted = c.focused && enabled;
  if (highlighted) {
    FillRect(dc, &inner, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else if (!enabled) {
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  const int selection = Selection(c);
  if (selection >= 0) {
    const std::string text = ItemText(c, selection);
    HGDIOBJ old_font = c.font ? SelectObject(dc, c.font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    RECT text_rect{inner.left + kTextMargin, inner.top, inner.right, inner.bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &text_rect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (old_font) SelectObject(dc, old_font);
  }
  if (highlighted) DrawFocusRect(dc, &inner);
}

}  // namespace

void Paint(Combo& c, HDC dc) {
  Layout l = LayoutOf(c);
  RECT frame = l.frame;
  DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
  if (!IsSimple(c)) {
    UINT state = DFCS_SCROLLCOMBOBOX;
    if (c.dropped) state |= DFCS_PUSHED;
    if (!IsWindowEnabled(c.hwnd)) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &l.button, DFC_SCROLL, state);
  }
  HBRUSH brush = FieldColors(c, dc);
  if (c.edit) {
    PaintEditField(dc, l, brush);
  } else {
    PaintSelectionField(c, dc, l, brush);
  }
}

LRESULT OnPaint(Combo& c) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(c.hwnd, &ps);
  if (dc != nullptr) Paint(c, dc);
  EndPaint(c.hwnd, &ps);
  return 0;
}

}  // namespace platform::controls::combo_box
