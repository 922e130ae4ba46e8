#include "runtime/forms/placeholder_window.h"

#include <cstdint>

#include "runtime/core/messages.h"

namespace runtime::forms {

namespace {

constexpr UINT kTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_WORDBREAK | DT_NOCLIP;

void Paint(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  RECT client{};
  GetClientRect(window, &client);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kPlaceholderTextColour);
  DrawTextA(dc, messages::LibraryUnitMissing(), -1, &client, kTextFormat);
  EndPaint(window, &paint);
}

// The control an owner-drawing notification came from, or null.
HWND SenderOf(UINT message, LPARAM lparam) {
  if (lparam == 0) return nullptr;
  switch (message) {
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->hwndItem;
    case WM_COMPAREITEM:
      return reinterpret_cast<const COMPAREITEMSTRUCT*>(lparam)->hwndItem;
    case WM_DELETEITEM:
      return reinterpret_cast<const DELETEITEMSTRUCT*>(lparam)->hwndItem;
    default:
      return nullptr;
  }
}

LRESULT PlaceholderProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    Paint(window);
    return 0;
  }
  if (message == WM_DRAWITEM || message == WM_COMPAREITEM || message == WM_DELETEITEM) {
    HWND sender = SenderOf(message, lparam);
    // A notification naming the placeholder itself would come straight back.
    if (sender != nullptr && sender != window && IsWindow(sender)) {
      return SendMessageA(sender, message, wparam, lparam);
    }
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool RegisterPlaceholderClass() {
  WNDCLASSA known{};
  if (GetClassInfoA(nullptr, kPlaceholderClass, &known)) return true;
  WNDCLASSA window_class{};
  // The text is centred, so every change of size repaints all of it. No
  // background brush: the parent's painting shows around the text.
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = PlaceholderProc;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.lpszClassName = kPlaceholderClass;
  return RegisterClassA(&window_class) != 0;
}

}  // namespace

HWND CreatePlaceholderWindow(HWND parent, DWORD style, int x, int y, int width, int height,
                             UINT control_id) {
  if (!RegisterPlaceholderClass()) return nullptr;
  return CreateWindowExA(0, kPlaceholderClass, "", WS_CHILD | style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<uintptr_t>(control_id)), nullptr,
                         nullptr);
}

}  // namespace runtime::forms
