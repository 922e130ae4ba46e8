// How check boxes, radio buttons and group boxes look. They sit on their
// parent's background, so their colours and brush come from the parent's
// WM_CTLCOLORSTATIC answer, as on Windows.
#include <algorithm>
#include <string>

#include "platform/controls/button.h"
#include "platform/controls/control_paint.h"

namespace platform::controls {

namespace {

constexpr int kMarkSize = 13;  // the box or circle, at 96 DPI
constexpr int kTextGap = 4;    // between the mark and the text

// The parent's brush (its text colour is left selected in the DC).
HBRUSH ParentBrush(HWND hwnd, HDC dc) {
  HWND parent = GetParent(hwnd);
  LRESULT brush = parent ? SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(hwnd))
                         : 0;
  return brush ? reinterpret_cast<HBRUSH>(brush) : GetSysColorBrush(COLOR_3DFACE);
}

// Where the box or circle goes: at the left (right with BS_LEFTTEXT),
// vertically as the BS_ bits say.
RECT MarkRect(const RECT& client, DWORD style) {
  RECT mark{client.left, 0, client.left + kMarkSize, 0};
  if (style & BS_LEFTTEXT) mark.left = client.right - kMarkSize, mark.right = client.right;
  const DWORD vertical = style & BS_VCENTER;
  mark.top = vertical == BS_TOP      ? client.top
             : vertical == BS_BOTTOM ? client.bottom - kMarkSize
                                     : client.top + (client.bottom - client.top - kMarkSize) / 2;
  mark.bottom = mark.top + kMarkSize;
  return mark;
}

void DrawCheckMark(HDC dc, const RECT& inner, COLORREF color) {
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(dc, pen);
  // Seven pixels wide and three thick: down two, then up four.
  for (int thick = 0; thick < 3; ++thick) {
    const int x = inner.left + 1, y = inner.top + 3 + thick;
    POINT points[3] = {{x, y}, {x + 2, y + 2}, {x + 7, y - 3}};
    Polyline(dc, points, 3);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void DrawCheckBox(HDC dc, RECT box, const ButtonState& s, bool enabled) {
  DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  const bool grey_face = s.pushed || !enabled || s.check == BST_INDETERMINATE;
  FillRect(dc, &box, GetSysColorBrush(grey_face ? COLOR_3DFACE : COLOR_WINDOW));
  if (s.check == BST_UNCHECKED) return;
  const bool grey_mark = !enabled || s.check == BST_INDETERMINATE;
  DrawCheckMark(dc, box, GetSysColor(grey_mark ? COLOR_3DSHADOW : COLOR_WINDOWTEXT));
}

void DrawRadio(HDC dc, const RECT& box, const ButtonState& s, bool enabled) {
  HPEN ring = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW));
  HGDIOBJ old_pen = SelectObject(dc, ring);
  HGDIOBJ old_brush =
      SelectObject(dc, GetSysColorBrush(s.pushed || !enabled ? COLOR_3DFACE : COLOR_WINDOW));
  Ellipse(dc, box.left, box.top, box.right - 1, box.bottom - 1);
  if (s.check == BST_CHECKED) {
    HBRUSH dot = CreateSolidBrush(GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_3DSHADOW));
    SelectObject(dc, dot);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, box.left + 4, box.top + 4, box.left + 9, box.top + 9);
    SelectObject(dc, old_brush);
    DeleteObject(dot);
  }
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(ring);
}

void PaintGroupBox(HWND hwnd, HDC dc, HBRUSH brush, bool enabled) {
  RECT client;
  GetClientRect(hwnd, &client);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT frame = client;
  frame.top += metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::string text = ControlText(hwnd);
  if (text.empty()) return;
  RECT label{client.left + 8, client.top, client.right - 8, client.top + metrics.tmHeight};
  RECT measure = label;
  DrawTextA(dc, text.c_str(), -1, &measure, DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
  label.right = std::min(label.right, measure.right);
  RECT gap = label;
  InflateRect(&gap, 2, 0);
  FillRect(dc, &gap, brush);
  DrawButtonText(dc, text.c_str(), label, DT_SINGLELINE | DT_LEFT | DT_TOP, 0, enabled,
                 GetTextColor(dc));
}

}  // namespace

void PaintCheckLike(HWND hwnd, HDC dc, const ButtonState& state, ButtonKind kind) {
  const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  const bool enabled = IsWindowEnabled(hwnd) != FALSE;
  HBRUSH brush = ParentBrush(hwnd, dc);
  if (kind == ButtonKind::kGroup) {
    PaintGroupBox(hwnd, dc, brush, enabled);
    return;
  }
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, brush);
  const RECT mark = MarkRect(client, style);
  if (kind == ButtonKind::kCheck) {
    DrawCheckBox(dc, mark, state, enabled);
  } else {
    DrawRadio(dc, mark, state, enabled);
  }
  RECT text_area = client;
  if (style & BS_LEFTTEXT) {
    text_area.right = mark.left - kTextGap;
  } else {
    text_area.left = mark.right + kTextGap;
  }
  const std::string text = ControlText(hwnd);
  const UINT format = TextFormatOfStyle(style, kind);
  DrawButtonText(dc, text.c_str(), text_area, format, style, enabled, GetTextColor(dc));
  if (state.focused && !text.empty()) {
    RECT focus = text_area;
    DrawTextA(dc, text.c_str(), -1, &focus, format | DT_CALCRECT);
    // DT_CALCRECT keeps the left edge and the top; place it as drawn.
    const int width = focus.right - focus.left, height = focus.bottom - focus.top;
    if (format & DT_CENTER)
      focus.left = text_area.left + (text_area.right - text_area.left - width) / 2;
    if (format & DT_RIGHT) focus.left = text_area.right - width;
    focus.top = text_area.top + (text_area.bottom - text_area.top - height) / 2;
    focus.right = focus.left + width;
    focus.bottom = focus.top + height;
    InflateRect(&focus, 1, 1);
    IntersectRect(&focus, &focus, &client);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace platform::controls
