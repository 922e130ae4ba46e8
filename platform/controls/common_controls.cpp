// InitCommonControlsEx: the common control classes (msctls_updown32,
// tooltips_class32) are registered with the system classes the first time
// any class is looked up, so there is nothing left to load; the call only
// checks its argument, as Win32 does.
#include "platform/win32.h"

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
  if (picce == nullptr || picce->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

void InitCommonControls() {}
