// The process as a whole: its id and its end.
#include <unistd.h>

#include <cstdio>

#include "platform/win32.h"

DWORD GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }

void ExitProcess(UINT uExitCode) {
  // The runtime ends the process this way after writing its last output, so
  // buffered output must reach its files; exit handlers and static
  // destructors must not run, as they would tear down objects that other
  // threads may still be using.
  std::fflush(nullptr);
  ::_exit(static_cast<int>(uExitCode));
}
