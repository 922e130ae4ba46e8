// The common dialogs' own error code (CommDlgExtendedError), one a thread
// like the last error: each dialog sets it as it returns, 0 for success and
// for a cancel.
#pragma once

#include "platform/win32.h"

namespace platform::dialogs {

void SetCommDlgError(DWORD code);

}  // namespace platform::dialogs
