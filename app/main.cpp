// The editor's process entry: the platform's display first, then the window
// framework joins the runtime, and the program starts through its header and
// ends with the runtime's exit code.
#include <cstdio>

#include "app/app_routines.h"
#include "app/program.h"
#include "platform/display/choose.h"
#include "platform/win32.h"
#include "runtime/core/startup.h"
#include "runtime/forms/framework.h"

int main() {
  const platform::DisplayChoice display = platform::CreateDisplay();
  if (display.display == nullptr) {
    std::fprintf(stderr, "mienzo: no display: %s\n", display.reason.c_str());
    return 1;
  }
  if (display.kind == platform::DisplayKind::kHeadless) {
    // Nobody could ever close a window on the headless display, so the
    // editor would wait for ever. The demo that plays there comes with the
    // run command.
    std::fprintf(stderr, "mienzo: no desktop display (%s); nothing to show the editor on\n",
                 display.reason.c_str());
    return 1;
  }
  runtime::forms::InstallFormsFramework();
  const int32_t exit_code = runtime::RunProgram(app::Program(), app::StartRoutine);
  ExitProcess(static_cast<UINT>(exit_code));
}
