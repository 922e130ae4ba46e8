#include "app/app_routines.h"

#include "app/main_window_units.h"
#include "app/runtime_link.h"

namespace app {

namespace {

AppGlobals g_globals;

// The globals start as static storage does; nothing else needs setting up.
void InitializeGlobals() {}

constexpr int32_t kHelperInitializeRuntime = 6;
constexpr int32_t kHelperRegisterExitRoutine = 3;

}  // namespace

AppGlobals& Globals() { return g_globals; }

int32_t StartRoutine() {
  const runtime::RuntimeEntryTable& entries = *Runtime().entries;
  entries.call_helper(kHelperInitializeRuntime);
  InitializeGlobals();
  entries.call_helper(kHelperRegisterExitRoutine, &CleanUp);
  entries.load_start_window(kMainWindow);
  entries.run_message_loop();
  return 0;
}

void CleanUp() {
  if (g_globals.picture_file_name == nullptr) return;
  MemFree(g_globals.picture_file_name);
  g_globals.picture_file_name = nullptr;
}

}  // namespace app
