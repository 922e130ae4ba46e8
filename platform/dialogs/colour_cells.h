// A grid of colour cells, the colour dialog's own control for its basic and
// custom colours. The colours stay the dialog's (the grid reads them
// through a pointer each time it paints), so the dialog changes a colour
// and invalidates the grid.
//
// The grid has a cursor (the cell the keyboard is on, framed by the focus
// rectangle while the grid has the focus) and a selection (the cell whose
// colour is the dialog's, framed in black), or no selection. A click, or an
// arrow key moving the cursor, selects that cell and tells the parent with
// WM_COMMAND / kCellsPicked; the arrows run along the rows and on into the
// next or previous row.
#pragma once

#include "platform/win32.h"

namespace platform::dialogs {

inline constexpr char kColourCellsClass[] = "Mienzo.ColourCells";

// lpCreateParams of CreateWindowExA: what the grid shows.
struct ColourCellsInit {
  const COLORREF* colours;  // columns * rows of them, alive as long as the grid
  int columns;
  int rows;
};

// Messages (replies in the LRESULT):
inline constexpr UINT kCellsSetSelection =
    WM_USER + 1;  // wParam: cell or -1; the cursor follows a cell
inline constexpr UINT kCellsGetSelection = WM_USER + 2;  // the cell, or -1
inline constexpr UINT kCellsSetCursor = WM_USER + 3;     // wParam: cell
inline constexpr UINT kCellsGetCursor = WM_USER + 4;
inline constexpr UINT kCellsGetCellRect = WM_USER + 5;  // wParam: cell, lParam: RECT* (client)

// WM_COMMAND notification code.
inline constexpr WORD kCellsPicked = 1;

void RegisterColourCellsClass();

}  // namespace platform::dialogs
