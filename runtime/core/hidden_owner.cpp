#include "runtime/core/hidden_owner.h"

#include "runtime/core/shutdown.h"

namespace runtime {

namespace {

LRESULT HiddenOwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kShutdownRequest) {
    HandleShutdownRequest(static_cast<int32_t>(wparam));
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

HWND CreateHiddenOwnerWindow() {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = HiddenOwnerProc;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  window_class.lpszClassName = kHiddenOwnerClass;
  // A class left from an earlier start-up in this process is used as it is.
  if (RegisterClassA(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return nullptr;
  }
  return CreateWindowExA(WS_EX_TOOLWINDOW, kHiddenOwnerClass, "", 0, 0, 0, 0, 0, nullptr, nullptr,
                         nullptr, nullptr);
}

}  // namespace runtime
