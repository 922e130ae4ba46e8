// System metrics, parameters and monitors. There is one monitor: the screen
// the display describes.
#include <cstring>

#include "platform/display/display.h"
#include "platform/win32.h"
#include "platform/win32/user.h"

namespace {

const HMONITOR kPrimaryMonitor = reinterpret_cast<HMONITOR>(0x10001);

int ScreenMetric(int index, const platform::ScreenSettings& s) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
      return s.width;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
      return s.height;
    case SM_CXFULLSCREEN:
      return s.work_area.right - s.work_area.left;
    case SM_CYFULLSCREEN:
      return s.work_area.bottom - s.work_area.top - 22;
    case SM_CXMAXIMIZED:
      return s.work_area.right - s.work_area.left + 8;
    case SM_CYMAXIMIZED:
      return s.work_area.bottom - s.work_area.top + 8;
    default:
      return -1;
  }
}

}  // namespace

int GetSystemMetrics(int nIndex) {
  int screen = ScreenMetric(nIndex, platform::CurrentScreen());
  if (screen >= 0) return screen;
  switch (nIndex) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
      return 17;
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return 17;
    case SM_CYCAPTION:
      return 22;
    case SM_CYSMCAPTION:
      return 16;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CXSIZE:
    case SM_CYSIZE:
      return 18;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE:
      return 12;
    case SM_CYMENU:
      return 20;
    case SM_CXMIN:
      return 112;
    case SM_CYMIN:
      return 27;
    case SM_CXMINTRACK:
      return 112;
    case SM_CYMINTRACK:
      return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
      return 4;
    case SM_CMONITORS:
      return 1;
    case SM_CXPADDEDBORDER:
      return 0;
    default:
      return 0;
  }
}

namespace platform::user {

// The font of captions, message boxes and menus: the default GUI face.
LOGFONTA SystemLogFont(LONG weight) {
  LOGFONTA font{};
  font.lfHeight = -12;
  font.lfWeight = weight;
  font.lfCharSet = GB2312_CHARSET;
  static const char kFace[] = "\xCB\xCE\xCC\xE5";  // 宋体 in GBK
  std::memcpy(font.lfFaceName, kFace, sizeof kFace);
  return font;
}

}  // namespace platform::user

namespace {

BOOL FillNonClientMetrics(NONCLIENTMETRICSA* m, UINT size) {
  if (size != sizeof(NONCLIENTMETRICSA) || m->cbSize != sizeof(NONCLIENTMETRICSA)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  m->iBorderWidth = 1;
  m->iScrollWidth = m->iScrollHeight = 17;
  m->iCaptionWidth = m->iCaptionHeight = GetSystemMetrics(SM_CYCAPTION) - 1;
  m->lfCaptionFont = platform::user::SystemLogFont(FW_NORMAL);
  m->iSmCaptionWidth = m->iSmCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION) - 1;
  m->lfSmCaptionFont = platform::user::SystemLogFont(FW_NORMAL);
  m->iMenuWidth = m->iMenuHeight = GetSystemMetrics(SM_CYMENU) - 1;
  m->lfMenuFont = m->lfStatusFont = m->lfMessageFont = platform::user::SystemLogFont(FW_NORMAL);
  m->iPaddedBorderWidth = 0;
  return TRUE;
}

}  // namespace

BOOL SystemParametersInfoA(UINT uiAction, UINT uiParam, LPVOID pvParam, UINT) {
  if (pvParam == nullptr) return FALSE;
  switch (uiAction) {
    case SPI_GETWORKAREA:
      *static_cast<RECT*>(pvParam) = platform::CurrentScreen().work_area;
      return TRUE;
    case SPI_GETNONCLIENTMETRICS:
      return FillNonClientMetrics(static_cast<NONCLIENTMETRICSA*>(pvParam), uiParam);
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
  }
}

HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags) {
  platform::ScreenSettings s = platform::CurrentScreen();
  bool inside = pt.x >= 0 && pt.y >= 0 && pt.x < s.width && pt.y < s.height;
  return inside || dwFlags != MONITOR_DEFAULTTONULL ? kPrimaryMonitor : nullptr;
}

HMONITOR MonitorFromRect(LPCRECT lprc, DWORD dwFlags) {
  if (lprc == nullptr) return nullptr;
  platform::ScreenSettings s = platform::CurrentScreen();
  bool overlaps =
      lprc->right > 0 && lprc->bottom > 0 && lprc->left < s.width && lprc->top < s.height;
  return overlaps || dwFlags != MONITOR_DEFAULTTONULL ? kPrimaryMonitor : nullptr;
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return dwFlags != MONITOR_DEFAULTTONULL ? kPrimaryMonitor : nullptr;
  return MonitorFromRect(&r, dwFlags);
}

BOOL GetMonitorInfoA(HMONITOR hMonitor, LPMONITORINFO lpmi) {
  if (hMonitor != kPrimaryMonitor || lpmi == nullptr || lpmi->cbSize < sizeof(MONITORINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  platform::ScreenSettings s = platform::CurrentScreen();
  lpmi->rcMonitor = {0, 0, s.width, s.height};
  lpmi->rcWork = s.work_area;
  lpmi->dwFlags = MONITORINFOF_PRIMARY;
  return TRUE;
}
