#include "platform/dialogs/comm_dlg_error.h"

namespace platform::dialogs {

namespace {
thread_local DWORD comm_dlg_error = 0;
}  // namespace

void SetCommDlgError(DWORD code) { comm_dlg_error = code; }

}  // namespace platform::dialogs

DWORD CommDlgExtendedError() { return platform::dialogs::comm_dlg_error; }
