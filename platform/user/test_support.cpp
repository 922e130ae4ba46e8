#include "platform/user/test_support.h"

#include <algorithm>

namespace platform::user::testing {

namespace {
Recorder* g_recorder = nullptr;
constexpr char kClassName[] = "Recorder";
}  // namespace

Recorder::Recorder() {
  g_recorder = this;
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = Proc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
}

Recorder::~Recorder() {
  // Windows left over from a test go before the class does.
  for (HWND hwnd = GetTopWindow(nullptr); hwnd != nullptr; hwnd = GetTopWindow(nullptr)) {
    DestroyWindow(hwnd);
  }
  MSG leftover;
  while (PeekMessageA(&leftover, nullptr, 0, 0, PM_REMOVE)) {
  }
  UnregisterClassA(kClassName, nullptr);
  g_recorder = nullptr;
}

HWND Recorder::Create(DWORD style, int x, int y, int w, int h, HWND parent, DWORD ex_style,
                      int id) {
  return CreateWindowExA(ex_style, kClassName, "", style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
}

LRESULT Recorder::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (g_recorder == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  g_recorder->log_.push_back({hwnd, message, wparam, lparam});
  auto it = g_recorder->handlers_.find(message);
  if (it != g_recorder->handlers_.end()) return it->second(hwnd, wparam, lparam);
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

std::vector<UINT> Recorder::Messages(HWND hwnd, bool with_mouse_noise) const {
  std::vector<UINT> messages;
  for (const Recorded& r : log_) {
    if (hwnd != nullptr && r.hwnd != hwnd) continue;
    bool noise = r.message == WM_NCHITTEST || r.message == WM_SETCURSOR ||
                 r.message == WM_GETTEXT || r.message == WM_GETTEXTLENGTH ||
                 r.message == WM_GETMINMAXINFO;
    if (noise && !with_mouse_noise) continue;
    messages.push_back(r.message);
  }
  return messages;
}

std::string MessageName(UINT message) {
  static const std::map<UINT, const char*> names = {{WM_CREATE, "WM_CREATE"},
                                                    {WM_DESTROY, "WM_DESTROY"},
                                                    {WM_MOVE, "WM_MOVE"},
                                                    {WM_SIZE, "WM_SIZE"},
                                                    {WM_ACTIVATE, "WM_ACTIVATE"},
                                                    {WM_SETFOCUS, "WM_SETFOCUS"},
                                                    {WM_KILLFOCUS, "WM_KILLFOCUS"},
                                                    {WM_ENABLE, "WM_ENABLE"},
                                                    {WM_SETTEXT, "WM_SETTEXT"},
                                                    {WM_PAINT, "WM_PAINT"},
                                                    {WM_CLOSE, "WM_CLOSE"},
                                                    {WM_ERASEBKGND, "WM_ERASEBKGND"},
                                                    {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
                                                    {WM_SETCURSOR, "WM_SETCURSOR"},
                                                    {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
                                                    {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
                                                    {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
                                                    {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
                                                    {WM_NCCREATE, "WM_NCCREATE"},
                                                    {WM_NCDESTROY, "WM_NCDESTROY"},
                                                    {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
                                                    {WM_NCHITTEST, "WM_NCHITTEST"},
                                                    {WM_NCPAINT, "WM_NCPAINT"},
                                                    {WM_NCACTIVATE, "WM_NCACTIVATE"},
                                                    {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
                                                    {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
                                                    {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
                                                    {WM_KEYDOWN, "WM_KEYDOWN"},
                                                    {WM_KEYUP, "WM_KEYUP"},
                                                    {WM_CHAR, "WM_CHAR"},
                                                    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
                                                    {WM_SYSKEYUP, "WM_SYSKEYUP"},
                                                    {WM_SYSCHAR, "WM_SYSCHAR"},
                                                    {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
                                                    {WM_TIMER, "WM_TIMER"},
                                                    {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
                                                    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
                                                    {WM_LBUTTONUP, "WM_LBUTTONUP"},
                                                    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
                                                    {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
                                                    {WM_RBUTTONUP, "WM_RBUTTONUP"},
                                                    {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
                                                    {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
                                                    {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
                                                    {WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"},
                                                    {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"},
                                                    {WM_CANCELMODE, "WM_CANCELMODE"},
                                                    {WM_STYLECHANGING, "WM_STYLECHANGING"},
                                                    {WM_STYLECHANGED, "WM_STYLECHANGED"},
                                                    {WM_COMMAND, "WM_COMMAND"},
                                                    {WM_INITMENU, "WM_INITMENU"},
                                                    {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"},
                                                    {WM_UNINITMENUPOPUP, "WM_UNINITMENUPOPUP"},
                                                    {WM_MENUSELECT, "WM_MENUSELECT"},
                                                    {WM_ENTERIDLE, "WM_ENTERIDLE"},
                                                    {WM_ENTERMENULOOP, "WM_ENTERMENULOOP"},
                                                    {WM_EXITMENULOOP, "WM_EXITMENULOOP"},
                                                    {WM_USER, "WM_USER"}};
  auto it = names.find(message);
  if (it != names.end()) return it->second;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%04X", message);
  return hex;
}

std::string Describe(const std::vector<UINT>& messages) {
  std::string text;
  for (UINT m : messages) {
    if (!text.empty()) text += ", ";
    text += MessageName(m);
  }
  return "[" + text + "]";
}

}  // namespace platform::user::testing
