// The tooltips_class32 control: its window procedure and the TTM_
// messages. The tip's behaviour (when it shows, what it says, where it goes,
// when it goes) is in tooltip_tip.cpp, the tools in tooltip_tools.cpp. The
// tip never takes the mouse or the activation.
//
// Index: TTM_ messages - the window procedure - registration.
#include "platform/controls/tooltip.h"

#include <new>

#include "platform/controls/tooltip_control.h"
#include "platform/controls/tooltip_tools.h"

namespace platform::controls {

namespace tooltip {

namespace {

// ---------------------------------------------------------------------------
// TTM_ messages
// ---------------------------------------------------------------------------

LRESULT AddTool(Tooltip& t, const TOOLINFOA* info) {
  if (!IsToolInfo(info) || !t.tools.Add(*info)) return FALSE;
  if (info->uFlags & TTF_SUBCLASS) SubclassToolWindow(t.tools.Find(KeyOf(*info))->window(), t.hwnd);
  return TRUE;
}

LRESULT DeleteTool(Tooltip& t, const TOOLINFOA* info) {
  if (!IsToolInfo(info)) return 0;
  const Tool* tool = t.tools.Find(KeyOf(*info));
  if (tool == nullptr) return 0;
  if (t.current == tool->key()) Reset(t);
  tool = t.tools.Find(KeyOf(*info));  // TTN_POP's receiver may have changed the list
  if (tool == nullptr) return 0;
  const bool subclassed = (tool->flags & TTF_SUBCLASS) != 0;
  HWND window = tool->window();
  t.tools.Remove(KeyOf(*info));
  if (subclassed) ReleaseToolWindow(window, t.hwnd);
  return 0;
}

LRESULT NewToolRect(Tooltip& t, const TOOLINFOA* info) {
  Tool* tool = IsToolInfo(info) ? t.tools.Find(KeyOf(*info)) : nullptr;
  if (tool != nullptr) tool->rect = info->rect;
  return 0;
}

LRESULT UpdateTipText(Tooltip& t, const TOOLINFOA* info) {
  Tool* tool = IsToolInfo(info) ? t.tools.Find(KeyOf(*info)) : nullptr;
  if (tool == nullptr) return 0;
  try {
    SetToolText(*tool, info->lpszText);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  tool->hinst = info->hinst;
  if (t.current == tool->key()) RefreshTip(t);
  return 0;
}

LRESULT GetToolInfo(Tooltip& t, TOOLINFOA* info) {
  const Tool* tool = IsToolInfo(info) ? t.tools.Find(KeyOf(*info)) : nullptr;
  if (tool == nullptr) return FALSE;
  FillToolInfo(*tool, *info);
  return TRUE;
}

LRESULT Activate(Tooltip& t, WPARAM on) {
  t.active = on != 0;
  if (!t.active) Reset(t);
  return 0;
}

// TTDT_AUTOMATIC sets all three from one time; a negative time gives back
// the default.
LRESULT SetDelayTime(Tooltip& t, WPARAM which, LPARAM time) {
  const int ms = static_cast<int16_t>(LOWORD(time)) < 0 ? -1 : LOWORD(time);
  switch (which) {
    case TTDT_AUTOMATIC:
      t.initial_ms = ms;
      t.autopop_ms = ms < 0 ? -1 : ms * 10;
      t.reshow_ms = ms < 0 ? -1 : ms / 5;
      break;
    case TTDT_INITIAL:
      t.initial_ms = ms;
      break;
    case TTDT_AUTOPOP:
      t.autopop_ms = ms;
      break;
    case TTDT_RESHOW:
      t.reshow_ms = ms;
      break;
    default:
      break;
  }
  return 0;
}

LRESULT GetDelayTime(const Tooltip& t, WPARAM which) {
  switch (which) {
    case TTDT_INITIAL:
      return InitialDelay(t);
    case TTDT_AUTOPOP:
      return AutoPopDelay(t);
    case TTDT_RESHOW:
      return ReshowDelay(t);
    default:
      return 0;
  }
}

LRESULT SetMaxTipWidth(Tooltip& t, LPARAM width) {
  const int old = t.max_width;
  t.max_width = static_cast<int>(width) < 0 ? -1 : static_cast<int>(width);
  return old;
}

bool IsTooltipMessage(UINT message) { return message > WM_USER && message <= TTM_POP; }

LRESULT OnTooltipMessage(Tooltip& t, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* info = reinterpret_cast<TOOLINFOA*>(lparam);
  switch (message) {
    case TTM_ACTIVATE:
      return Activate(t, wparam);
    case TTM_SETDELAYTIME:
      return SetDelayTime(t, wparam, lparam);
    case TTM_GETDELAYTIME:
      return GetDelayTime(t, wparam);
    case TTM_ADDTOOLA:
      return AddTool(t, info);
    case TTM_DELTOOLA:
      return DeleteTool(t, info);
    case TTM_NEWTOOLRECTA:
      return NewToolRect(t, info);
    case TTM_UPDATETIPTEXTA:
      return UpdateTipText(t, info);
    case TTM_GETTOOLINFOA:
      return GetToolInfo(t, info);
    case TTM_GETTOOLCOUNT:
      return static_cast<LRESULT>(t.tools.tools().size());
    case TTM_RELAYEVENT:
      return Relay(t, reinterpret_cast<const MSG*>(lparam));
    case TTM_SETMAXTIPWIDTH:
      return SetMaxTipWidth(t, lparam);
    case TTM_GETMAXTIPWIDTH:
      return t.max_width;
    case TTM_POP:
      Dismiss(t);
      return 0;
    default:
      return 0;
  }
}

// ---------------------------------------------------------------------------
// The window procedure
// ---------------------------------------------------------------------------

// A plain popup whatever was asked for: the frame is painted with the tip.
LRESULT OnNcCreate(HWND hwnd, LPARAM lparam) {
  Tooltip* t = new (std::nothrow) Tooltip;
  if (t == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  t->hwnd = hwnd;
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(t));
  const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  SetWindowLongA(hwnd, GWL_STYLE,
                 static_cast<LONG>((style & ~(WS_CHILD | WS_CAPTION | WS_THICKFRAME)) | WS_POPUP));
  const DWORD ex_style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
  const DWORD edges = WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;
  SetWindowLongA(hwnd, GWL_EXSTYLE, static_cast<LONG>((ex_style & ~edges) | WS_EX_TOOLWINDOW));
  return DefWindowProcA(hwnd, WM_NCCREATE, 0, lparam);
}

// The status bar's font, as Win32 tooltips use.
LRESULT OnCreate(Tooltip& t) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    t.status_font = CreateFontIndirectA(&metrics.lfStatusFont);
  }
  if (t.status_font == nullptr)
    t.status_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return 0;
}

LRESULT OnDestroy(Tooltip& t) {
  KillAllTimers(t);
  t.phase = Phase::kIdle;
  t.current.reset();
  for (const Tool& tool : t.tools.tools()) {
    if (tool.flags & TTF_SUBCLASS) ReleaseToolWindow(tool.window(), t.hwnd);
  }
  return 0;
}

LRESULT OnNcDestroy(HWND hwnd, Tooltip* t, WPARAM wparam, LPARAM lparam) {
  SetWindowLongPtrA(hwnd, 0, 0);
  if (t->status_font != GetStockObject(DEFAULT_GUI_FONT)) DeleteObject(t->status_font);
  delete t;
  return DefWindowProcA(hwnd, WM_NCDESTROY, wparam, lparam);
}

LRESULT OnPaint(Tooltip& t) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(t.hwnd, &ps);
  if (dc == nullptr) return 0;
  PaintTip(t, dc);
  EndPaint(t.hwnd, &ps);
  return 0;
}

LRESULT OnSetFont(Tooltip& t, WPARAM font) {
  t.font = reinterpret_cast<HFONT>(font);
  RefreshTip(t);
  return 0;
}

LRESULT OnWindowMessage(Tooltip& t, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(t);
    case WM_DESTROY:
      return OnDestroy(t);
    case WM_PAINT:
      return OnPaint(t);
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole tip
    case WM_TIMER:
      return OnTimer(t, wparam);
    case WM_SETFONT:
      return OnSetFont(t, wparam);
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(t.font);
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // the mouse goes to what lies below the tip
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return DefWindowProcA(t.hwnd, message, wparam, lparam);
  }
}

LRESULT TooltipProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) return OnNcCreate(hwnd, lparam);
  Tooltip* t = TooltipOf(hwnd);
  if (t == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) return OnNcDestroy(hwnd, t, wparam, lparam);
  if (IsTooltipMessage(message)) return OnTooltipMessage(*t, message, wparam, lparam);
  return OnWindowMessage(*t, message, wparam, lparam);
}

}  // namespace

}  // namespace tooltip

void RegisterTooltipClass() {
  WNDCLASSA wc{};
  wc.style = CS_SAVEBITS | CS_GLOBALCLASS;
  wc.lpfnWndProc = tooltip::TooltipProc;
  wc.cbWndExtra = sizeof(tooltip::Tooltip*);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = TOOLTIPS_CLASSA;
  RegisterClassA(&wc);
}

}  // namespace platform::controls
