#include "platform/dialogs/common_dialog.h"

#include <algorithm>

#include "platform/dialogs/answers.h"
#include "platform/dialogs/dialog_keys.h"

namespace platform::dialogs {

HFONT CreateDialogFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return nullptr;
  }
  return CreateFontIndirectA(&metrics.lfMessageFont);
}

RECT PlaceDialog(SIZE client, HWND owner) {
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, kDialogExStyle);
  const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
  const POINT at = CentreInWorkArea(size, owner);
  return RECT{at.x, at.y, at.x + size.cx, at.y + size.cy};
}

POINT CentreInWorkArea(SIZE size, HWND over) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT around = work;
  if (over != nullptr) GetWindowRect(over, &around);
  LONG x = (around.left + around.right - size.cx) / 2;
  LONG y = (around.top + around.bottom - size.cy) / 2;
  x = std::max(work.left, std::min(x, work.right - size.cx));
  y = std::max(work.top, std::min(y, work.bottom - size.cy));
  return {x, y};
}

HWND DialogOwner(HWND requested) {
  return requested != nullptr ? GetAncestor(requested, GA_ROOT) : nullptr;
}

void RegisterDialogWindowClass(const char* class_name, WNDPROC procedure) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  wc.lpszClassName = class_name;
  RegisterClassA(&wc);
}

std::optional<LRESULT> OnDialogLifetime(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                        void (*cancel)(HWND)) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
      SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      return DefWindowProcA(window, message, wparam, lparam);
    }
    case WM_CLOSE:
    case WM_DESTROY:
      cancel(window);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, 0, 0);
      return DefWindowProcA(window, message, wparam, lparam);
    default:
      return std::nullopt;
  }
}

HWND AddDialogControl(HWND dialog, const char* class_name, const char* text, DWORD style,
                      const RECT& at, int id, HFONT font, DWORD ex_style, void* params) {
  HWND control =
      CreateWindowExA(ex_style, class_name, text, WS_CHILD | style, at.left, at.top,
                      at.right - at.left, at.bottom - at.top, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, params);
  if (control == nullptr) return nullptr;
  SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

OwnerDisabled::OwnerDisabled(HWND owner) {
  if (owner != nullptr && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    owner_ = owner;
  }
}

void OwnerDisabled::Restore() {
  if (owner_ != nullptr && IsWindow(owner_)) EnableWindow(owner_, TRUE);
  owner_ = nullptr;
}

std::optional<int> RunDialogLoop(HWND dialog, const bool* ended, DialogMessageFilter filter) {
  MSG msg;
  while (!*ended && IsWindow(dialog)) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got < 0) break;
    if (filter != nullptr && filter(dialog, msg)) continue;
    if (!DialogMessage(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return std::nullopt;
}

std::optional<int> RunShownDialog(HWND dialog, const bool* ended,
                                  const std::function<void()>& answer_unattended,
                                  DialogMessageFilter filter) {
  ModalWindowShown(dialog);
  if (IsWindow(dialog) && !*ended && DialogsAnswerThemselves()) answer_unattended();
  return RunDialogLoop(dialog, ended, filter);
}

bool IsUsableOwner(HWND owner) { return owner == nullptr || IsWindow(owner); }

}  // namespace platform::dialogs
