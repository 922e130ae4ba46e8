#include "platform/controls/repaint.h"

namespace platform::controls {

bool AncestorsArePainted(HWND hwnd) {
  for (HWND parent = GetParent(hwnd); parent != nullptr; parent = GetParent(parent)) {
    if (GetUpdateRect(parent, nullptr, FALSE)) return false;
    if (!(GetWindowLongA(parent, GWL_STYLE) & WS_CHILD)) break;  // an owner is no ancestor
  }
  return true;
}

void RepaintControl(HWND hwnd, bool erase) {
  InvalidateRect(hwnd, nullptr, erase ? TRUE : FALSE);
  if (AncestorsArePainted(hwnd)) UpdateWindow(hwnd);
}

}  // namespace platform::controls
