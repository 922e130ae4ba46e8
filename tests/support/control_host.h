// A test window that hosts standard and common controls: it records what
// they tell their parent (WM_COMMAND, WM_NOTIFY, WM_VSCROLL and WM_HSCROLL
// notifications, WM_DRAWITEM requests, mouse clicks that pass through them)
// and can answer WM_NOTIFY and WM_CTLCOLORSTATIC as the test chooses.
// Notification structures are copied while they are alive. Screen pixels
// are read as 0x00RRGGBB.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/win32.h"

namespace testing_support {

struct Notification {
  int id;
  int code;
  HWND control;
};

struct Heard {
  UINT message = 0;     // WM_NOTIFY, WM_VSCROLL or WM_HSCROLL
  UINT code = 0;        // the notification code, or LOWORD(wParam) of a scroll
  HWND from = nullptr;  // hdr.hwndFrom, or lParam of a scroll
  UINT_PTR id = 0;      // hdr.idFrom (WM_NOTIFY)
  int pos = 0;          // NMUPDOWN::iPos, or HIWORD(wParam) of a scroll
  int delta = 0;        // NMUPDOWN::iDelta
};

class ControlHost {
 public:
  explicit ControlHost(RECT at = {0, 0, 300, 200}, DWORD style = WS_POPUP | WS_VISIBLE) {
    Current() = this;
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, kClassName, "", style, at.left, at.top, at.right - at.left,
                            at.bottom - at.top, nullptr, nullptr, nullptr, nullptr);
  }
  ~ControlHost() {
    for (HWND top = GetTopWindow(nullptr); top != nullptr; top = GetTopWindow(nullptr)) {
      DestroyWindow(top);
    }
    MSG leftover;
    while (PeekMessageA(&leftover, nullptr, 0, 0, PM_REMOVE)) {
    }
    UnregisterClassA(kClassName, nullptr);
    Current() = nullptr;
  }
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;

  HWND hwnd() const { return hwnd_; }

  // A visible child control with the default GUI font.
  HWND Add(const char* class_name, const char* text, DWORD style, RECT at, int id,
           DWORD ex_style = 0) {
    HWND control =
        CreateWindowExA(ex_style, class_name, text, WS_CHILD | WS_VISIBLE | style, at.left, at.top,
                        at.right - at.left, at.bottom - at.top, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return control;
  }

  // Only the notifications with `code` (WM_NOTIFY) or the scrolls (`message`).
  std::vector<Heard> Of(UINT message, UINT code) const {
    std::vector<Heard> out;
    for (const Heard& h : heard) {
      if (h.message == message && h.code == code) out.push_back(h);
    }
    return out;
  }

  std::vector<Notification> commands;
  std::vector<Heard> heard;  // WM_NOTIFY and the scrolls, in order
  // Answers WM_NOTIFY (it may fill the structure); 0 when unset.
  std::function<LRESULT(NMHDR*)> on_notify;
  std::vector<DRAWITEMSTRUCT> draws;  // hDC is gone once the message returns
  int clicks = 0;                     // WM_LBUTTONDOWN that reached the host itself
  // Set to answer WM_CTLCOLORSTATIC: the brush, and the text colour it sets.
  HBRUSH static_brush = nullptr;
  COLORREF static_text = 0;
  // Set to draw owner-drawn items as the parent would.
  std::function<void(const DRAWITEMSTRUCT&)> draw_item;

 private:
  static constexpr char kClassName[] = "ControlHost";

  static ControlHost*& Current() {
    static ControlHost* current = nullptr;
    return current;
  }

  static LRESULT Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    ControlHost* host = Current();
    if (host == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
    switch (message) {
      case WM_COMMAND:
        host->commands.push_back({LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam)});
        return 0;
      case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        host->draws.push_back(*item);
        if (host->draw_item) host->draw_item(*item);
        return TRUE;
      }
      case WM_LBUTTONDOWN:
        ++host->clicks;
        return 0;
      case WM_CTLCOLORSTATIC:
        if (host->static_brush == nullptr) break;
        SetTextColor(reinterpret_cast<HDC>(wparam), host->static_text);
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(host->static_brush);
      case WM_NOTIFY:
        return host->OnNotify(reinterpret_cast<NMHDR*>(lparam));
      case WM_VSCROLL:
      case WM_HSCROLL:
        host->heard.push_back({message, LOWORD(wparam), reinterpret_cast<HWND>(lparam), 0,
                               static_cast<int16_t>(HIWORD(wparam)), 0});
        return 0;
      default:
        break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
  }

  LRESULT OnNotify(NMHDR* header) {
    Heard h{WM_NOTIFY, header->code, header->hwndFrom, header->idFrom, 0, 0};
    if (header->code == UDN_DELTAPOS) {
      h.pos = reinterpret_cast<NMUPDOWN*>(header)->iPos;
      h.delta = reinterpret_cast<NMUPDOWN*>(header)->iDelta;
    }
    heard.push_back(h);
    return on_notify ? on_notify(header) : 0;
  }

  HWND hwnd_ = nullptr;
};

// A COLORREF as the headless screen stores it.
inline uint32_t ScreenColor(COLORREF c) {
  return (static_cast<uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// The smallest rectangle of the screen inside `area` whose pixels satisfy
// `wanted`; empty when none do.
template <typename Display>
RECT BoundsWhere(const Display& display, RECT area, const std::function<bool(uint32_t)>& wanted) {
  const std::vector<uint32_t> screen = display.ComposeScreen();
  const int width = display.Screen().width;
  RECT bounds{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (!wanted(screen[static_cast<size_t>(y) * width + x])) continue;
      bounds.left = std::min<LONG>(bounds.left, x);
      bounds.top = std::min<LONG>(bounds.top, y);
      bounds.right = std::max<LONG>(bounds.right, x + 1);
      bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
    }
  }
  if (bounds.left >= bounds.right) return RECT{0, 0, 0, 0};
  return bounds;
}

// Text drawn in black or another dark colour.
inline bool IsDark(uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) < 0x60 && ((pixel >> 8) & 0xFF) < 0x60 && (pixel & 0xFF) < 0x60;
}

}  // namespace testing_support
