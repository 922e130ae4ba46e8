#include "runtime/core/shutdown.h"

#include <algorithm>

#include "runtime/core/hooks.h"

namespace runtime {

namespace {

bool OnAnotherThread(const AppState& state) {
  const DWORD main_thread = state.main_thread_id;
  return main_thread != 0 && main_thread != GetCurrentThreadId();
}

// Windows belong to the main thread, so another thread hands the shut-down
// over. The send returns only if the main thread did not end the process,
// which happens when its own shut-down is already running.
void PassToMainThread(AppState& state, int32_t exit_code) {
  if (state.hidden_owner != nullptr) {
    SendMessageA(state.hidden_owner, kShutdownRequest, static_cast<WPARAM>(exit_code), 0);
  }
  if (!state.shutdown_running) ExitProcess(static_cast<UINT>(exit_code));
}

// By index and against the live list: a routine may register another one
// (which then runs too) or end the program itself.
void RunExitRoutines(AppState& state) {
  for (size_t i = 0; i < state.exit_routines.size(); ++i) {
    ExitRoutine routine = state.exit_routines[i];
    routine();
  }
  state.exit_routines.clear();
}

void NotifyLibrariesOfEnd(AppState& state) {
  constexpr int32_t kProgramEnds = 6;
  for (const LoadedLibrary& library : state.libraries) {
    if (library.descriptor != nullptr && library.descriptor->notify != nullptr) {
      library.descriptor->notify(kProgramEnds, library.private_value, 0);
    }
  }
  state.libraries.clear();
}

// Every resolved routine holds one load of its module.
void ReleaseExternalLibraries(AppState& state) {
  for (DllRoutine& routine : state.dll_routines) {
    if (routine.module != nullptr) FreeLibrary(routine.module);
  }
  state.dll_routines.clear();
}

}  // namespace

void RegisterExitRoutine(ExitRoutine routine) {
  auto& routines = App().exit_routines;
  if (routine == nullptr || std::ranges::find(routines, routine) != routines.end()) return;
  routines.push_back(routine);
}

void Shutdown(int32_t exit_code) {
  AppState& state = App();
  // The counter belongs to the main thread; there the request raises it
  // before anything else happens.
  if (OnAnotherThread(state)) {
    PassToMainThread(state, exit_code);
    return;
  }
  ++state.event_suppression;
  if (state.shutdown_running.exchange(true)) return;
  state.idle_callbacks.clear();
  if (Hooks().delete_loaded_windows != nullptr) Hooks().delete_loaded_windows();
  RunExitRoutines(state);
  NotifyLibrariesOfEnd(state);
  ReleaseExternalLibraries(state);
  if (state.ole_initialized) {
    OleUninitialize();
    state.ole_initialized = false;
  }
}

void EndProgram(int32_t exit_code) {
  Shutdown(exit_code);
  if (OnAnotherThread(App())) {
    // The main thread's shut-down ends the process; cutting it short here
    // would skip the exit routines it has not run yet.
    for (;;) Sleep(INFINITE);
  }
  ExitProcess(static_cast<UINT>(exit_code));
}

void HandleShutdownRequest(int32_t exit_code) {
  if (App().shutdown_running) return;  // the running shut-down ends the process
  EndProgram(exit_code);
}

}  // namespace runtime
