#include "runtime/core/startup.h"

#include "platform/win32.h"
#include "runtime/core/app_state.h"
#include "runtime/core/error_report.h"
#include "runtime/core/hidden_owner.h"
#include "runtime/core/hooks.h"
#include "runtime/core/messages.h"
#include "runtime/core/run_loop.h"
#include "runtime/core/shutdown.h"

namespace runtime {

namespace {

constexpr int32_t kServicesHandedOver = 1;

// Start-up without RunProgram (a test, say) reads an empty program.
const ProgramHeader kNoProgram{};

void CopyHeaderWords(AppState& state, const ProgramHeader& header) {
  state.run_mode = header.run_mode;
  state.second_mode = header.second_mode;
  state.number_counter = header.counter_seed + 1;
}

void EnterRunDirectory(AppState& state) {
  RecordProgramPath(state);
  if (!state.run_directory.empty()) SetCurrentDirectoryA(state.run_directory.c_str());
}

// A table the header leaves null declares names that are missing, not ones
// that can be read.
void DeclareExternalRoutines(AppState& state, const ProgramHeader& header) {
  state.dll_routines.clear();
  for (uint32_t i = 0; i < header.dll_routine_count; ++i) {
    const char* file = header.dll_file_names ? header.dll_file_names[i] : nullptr;
    const char* routine = header.dll_routine_names ? header.dll_routine_names[i] : nullptr;
    state.dll_routines.push_back({file, routine});
  }
}

void AttachLibraries(AppState& state, const ProgramHeader& header) {
  state.libraries.clear();
  const auto services = reinterpret_cast<intptr_t>(Hooks().system_service);
  for (uint32_t i = 0; i < header.library_count; ++i) {
    const LibraryDescriptor* library = header.libraries ? header.libraries[i] : nullptr;
    int32_t private_value = 0;
    if (library != nullptr && library->notify != nullptr) {
      private_value = library->notify(kServicesHandedOver, services, 0);
    }
    state.libraries.push_back({library, private_value});
  }
}

void LoadTemplates(const ProgramHeader& header) {
  if (header.template_size == 0) return;
  auto load = Hooks().load_templates;
  if (load == nullptr || !load(header)) ReportRuntimeError(messages::TemplateUnreadable(), 0);
}

}  // namespace

int32_t RunProgram(const ProgramHeader& header, StartRoutine start) {
  AppState& state = App();
  state.header = &header;
  RecordModuleDirectory(state);
  if (start() != 0) RunMessageLoop();
  Shutdown(0);
  return state.quit_code;
}

void InitializeRuntime() {
  AppState& state = App();
  if (state.initialized) return;
  state.initialized = true;
  const ProgramHeader& header = state.header != nullptr ? *state.header : kNoProgram;
  state.process_heap = GetProcessHeap();
  CopyHeaderWords(state, header);
  state.ole_initialized = SUCCEEDED(OleInitialize(nullptr));
  EnterRunDirectory(state);
  state.hidden_owner = CreateHiddenOwnerWindow();
  state.main_thread_id = GetCurrentThreadId();
  SetConstantData(state, header.constant_data, header.constant_size);
  DeclareExternalRoutines(state, header);
  AttachLibraries(state, header);
  LoadTemplates(header);
}

void LoadStartWindow(uint32_t window_id) {
  HWND window = nullptr;
  auto load = Hooks().load_start_window;
  if (load == nullptr || !load(window_id, &window)) {
    ReportRuntimeError(messages::StartWindowFailed(), 0);
  }
  App().main_window = window;
}

}  // namespace runtime
