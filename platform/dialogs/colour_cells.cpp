// The colour cell grid: painting, mouse and keys. See colour_cells.h.
#include "platform/dialogs/colour_cells.h"

#include <algorithm>
#include <mutex>

namespace platform::dialogs {

namespace {

// Kept behind the window (its first extra bytes).
struct Cells {
  ColourCellsInit shown{};
  int cursor = 0;
  int selection = -1;
  bool focused = false;
};

Cells* CellsOf(HWND grid) { return reinterpret_cast<Cells*>(GetWindowLongPtrA(grid, 0)); }

int CellCount(const Cells& c) { return c.shown.columns * c.shown.rows; }

RECT CellRect(HWND grid, const Cells& c, int cell) {
  RECT client;
  GetClientRect(grid, &client);
  const int width = client.right / c.shown.columns, height = client.bottom / c.shown.rows;
  const int column = cell % c.shown.columns, row = cell / c.shown.columns;
  return RECT{column * width, row * height, (column + 1) * width, (row + 1) * height};
}

int CellAt(HWND grid, const Cells& c, POINT p) {
  for (int cell = 0; cell < CellCount(c); ++cell) {
    const RECT r = CellRect(grid, c, cell);
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return cell;
  }
  return -1;
}

void InvalidateCell(HWND grid, const Cells& c, int cell) {
  if (cell < 0 || cell >= CellCount(c)) return;
  const RECT r = CellRect(grid, c, cell);
  InvalidateRect(grid, &r, TRUE);
}

void Notify(HWND grid) {
  SendMessageA(GetParent(grid), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(grid), kCellsPicked),
               reinterpret_cast<LPARAM>(grid));
}

void SetCursor(HWND grid, Cells& c, int cell) {
  InvalidateCell(grid, c, c.cursor);
  c.cursor = cell;
  InvalidateCell(grid, c, c.cursor);
}

void SetSelection(HWND grid, Cells& c, int cell) {
  InvalidateCell(grid, c, c.selection);
  c.selection = cell;
  InvalidateCell(grid, c, c.selection);
  if (cell >= 0) SetCursor(grid, c, cell);
}

void Pick(HWND grid, Cells& c, int cell) {
  SetSelection(grid, c, cell);
  Notify(grid);
}

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

RECT Inset(RECT r, int by) { return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by}; }

// From the outside in: the focus rectangle, the selection's black frame,
// a sunken edge, the colour.
void PaintCell(HDC dc, const Cells& c, int cell, RECT box) {
  FillRect(dc, &box, GetSysColorBrush(COLOR_3DFACE));
  if (cell == c.selection) {
    RECT frame = Inset(box, 1);
    HBRUSH black = GetSysColorBrush(COLOR_WINDOWTEXT);
    FrameRect(dc, &frame, black);
    frame = Inset(frame, 1);
    FrameRect(dc, &frame, black);
  }
  RECT edge = Inset(box, 3);
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  HBRUSH colour = CreateSolidBrush(c.shown.colours[cell] & 0x00FFFFFF);
  FillRect(dc, &edge, colour);
  DeleteObject(colour);
  if (c.focused && cell == c.cursor) DrawFocusRect(dc, &box);
}

LRESULT OnPaint(HWND grid, Cells& c) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(grid, &ps);
  for (int cell = 0; cell < CellCount(c); ++cell) {
    RECT box = CellRect(grid, c, cell), common;
    if (IntersectRect(&common, &box, &ps.rcPaint)) PaintCell(dc, c, cell, box);
  }
  EndPaint(grid, &ps);
  return 0;
}

// ---------------------------------------------------------------------------
// Input
// ---------------------------------------------------------------------------

LRESULT OnLButtonDown(HWND grid, Cells& c, LPARAM lparam) {
  if (GetFocus() != grid) SetFocus(grid);
  const int cell = CellAt(grid, c, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
  if (cell >= 0) Pick(grid, c, cell);
  return 0;
}

// Left and right run along the rows and on into the next; up and down stay
// in the column. The ends of the grid stop the cursor.
int Moved(const Cells& c, int from, WPARAM key) {
  const int columns = c.shown.columns;
  switch (key) {
    case VK_LEFT:
      return std::max(from - 1, 0);
    case VK_RIGHT:
      return std::min(from + 1, CellCount(c) - 1);
    case VK_UP:
      return from >= columns ? from - columns : from;
    case VK_DOWN:
      return from + columns < CellCount(c) ? from + columns : from;
    case VK_HOME:
      return 0;
    case VK_END:
      return CellCount(c) - 1;
    default:
      return -1;
  }
}

LRESULT OnKeyDown(HWND grid, Cells& c, WPARAM key) {
  if (key == VK_SPACE) {
    Pick(grid, c, c.cursor);
    return 0;
  }
  const int to = Moved(c, c.cursor, key);
  if (to >= 0) Pick(grid, c, to);
  return 0;
}

LRESULT OnFocus(HWND grid, Cells& c, bool focused) {
  c.focused = focused;
  InvalidateCell(grid, c, c.cursor);
  return 0;
}

LRESULT OnGetCellRect(HWND grid, Cells& c, WPARAM cell, LPARAM lparam) {
  auto* out = reinterpret_cast<RECT*>(lparam);
  if (out == nullptr || cell >= static_cast<WPARAM>(CellCount(c))) return FALSE;
  *out = CellRect(grid, c, static_cast<int>(cell));
  return TRUE;
}

// ---------------------------------------------------------------------------
// The window procedure
// ---------------------------------------------------------------------------

LRESULT OnNcCreate(HWND grid, LPARAM lparam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
  const auto* init = static_cast<const ColourCellsInit*>(create->lpCreateParams);
  if (init == nullptr || init->colours == nullptr || init->columns <= 0 || init->rows <= 0) {
    return FALSE;
  }
  auto* c = new Cells;
  c->shown = *init;
  SetWindowLongPtrA(grid, 0, reinterpret_cast<LONG_PTR>(c));
  return TRUE;
}

LRESULT OnNcDestroy(HWND grid) {
  delete CellsOf(grid);
  SetWindowLongPtrA(grid, 0, 0);
  return 0;
}

LRESULT OnCellMessage(HWND grid, Cells& c, UINT message, WPARAM wparam, LPARAM lparam) {
  const int cell = static_cast<int>(wparam);
  const bool valid = cell >= 0 && cell < CellCount(c);
  switch (message) {
    case kCellsSetSelection:
      SetSelection(grid, c, valid ? cell : -1);
      return 0;
    case kCellsGetSelection:
      return c.selection;
    case kCellsSetCursor:
      if (valid) SetCursor(grid, c, cell);
      return 0;
    case kCellsGetCursor:
      return c.cursor;
    default:
      return OnGetCellRect(grid, c, wparam, lparam);
  }
}

LRESULT CellsProc(HWND grid, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) return OnNcCreate(grid, lparam);
  Cells* c = CellsOf(grid);
  if (c == nullptr) return DefWindowProcA(grid, message, wparam, lparam);
  switch (message) {
    case WM_NCDESTROY:
      return OnNcDestroy(grid);
    case WM_PAINT:
      return OnPaint(grid, *c);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnLButtonDown(grid, *c, lparam);
    case WM_KEYDOWN:
      return OnKeyDown(grid, *c, wparam);
    case WM_SETFOCUS:
      return OnFocus(grid, *c, true);
    case WM_KILLFOCUS:
      return OnFocus(grid, *c, false);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case kCellsSetSelection:
    case kCellsGetSelection:
    case kCellsSetCursor:
    case kCellsGetCursor:
    case kCellsGetCellRect:
      return OnCellMessage(grid, *c, message, wparam, lparam);
    default:
      return DefWindowProcA(grid, message, wparam, lparam);
  }
}

}  // namespace

void RegisterColourCellsClass() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = CellsProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.lpszClassName = kColourCellsClass;
    RegisterClassA(&wc);
  });
}

}  // namespace platform::dialogs
