// The application state: one per process, owned by the runtime.
//
// Each field says who reads it. Everything runs on the main thread except
// the shut-down request of another thread, which reads the two atomic fields.
// The window registry is not here: it belongs to the window framework, which
// the core reaches through its hooks (hooks.h).
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "runtime/core/program_header.h"

namespace runtime {

// Called by the error report before it shows anything. A non-zero result
// suppresses the message; the process ends either way.
using ErrorHook = int32_t (*)(int32_t code, const char* text);
using ExitRoutine = void (*)();
using IdleRoutine = void (*)(intptr_t argument);

struct IdleCallback {
  HWND window;  // the callback lives only as long as this window
  IdleRoutine routine;
  intptr_t argument;
};

// A declared external-library routine; address and module once resolved.
struct DllRoutine {
  const char* file_name;     // GBK; empty: one of the system libraries
  const char* routine_name;  // "#n" names ordinal n
  FARPROC address = nullptr;
  HMODULE module = nullptr;
};

struct LoadedLibrary {
  const LibraryDescriptor* descriptor;  // null for an empty slot of the header's table
  int32_t private_value;                // the library's answer when it was handed the services
};

// The unit whose event handler is running; window id 0 means none.
struct EventSource {
  uint32_t window_id = 0;
  uint32_t unit_id = 0;
};

struct AppState {
  // The program header that RunProgram was given; start-up reads it.
  const ProgramHeader* header = nullptr;
  bool initialized = false;  // runtime initialisation has run

  // Copied from the header. number_counter is the next run-time number.
  uint32_t run_mode = 0;
  uint32_t second_mode = 0;
  uint32_t number_counter = 0;

  // Every runtime allocation comes from this heap (MemAlloc and friends).
  HANDLE process_heap = nullptr;

  // Directory of the program without a trailing separator ("" when the path
  // has none), and the program's file name; both GBK. GetRunDirectory copies
  // the first; start-up makes it the current directory.
  std::string run_directory;
  std::string program_file_name;
  // The module path up to and including its last separator.
  std::string module_directory;
  // Searched first for external-library files when not empty.
  std::string library_directory;

  // The thread that ran start-up; 0 before. Shut-down asked for on another
  // thread is passed to this one.
  std::atomic<DWORD> main_thread_id{0};

  // The application's constant data, [begin, end). MemFree ignores blocks in
  // it and MemRealloc copies out of it instead of resizing.
  const char* constant_begin = nullptr;
  const char* constant_end = nullptr;

  // External-library routines the program declares, by routine number.
  std::vector<DllRoutine> dll_routines;
  // The header's library table in order (library number = position + 1).
  std::vector<LoadedLibrary> libraries;

  // Exit routines in registration order; the error report empties the list so
  // that no clean-up runs after a run-time error.
  std::vector<ExitRoutine> exit_routines;
  // Run last to first whenever the message loop goes idle.
  std::vector<IdleCallback> idle_callbacks;

  // While non-zero no event reaches a handler. The error report and the
  // shut-down raise it for good.
  int32_t event_suppression = 0;
  EventSource current_event_source;

  bool message_loop_running = false;  // set by RunMessageLoop, never cleared
  std::atomic<bool> shutdown_running{false};
  int32_t quit_code = 0;  // wParam of the WM_QUIT that ended the loop

  HWND hidden_owner = nullptr;  // owner of top-level windows without a taskbar button
  HWND main_window = nullptr;   // the start window; pre-translation stops there
  bool ole_initialized = false;

  ErrorHook error_hook = nullptr;
  bool error_hook_running = false;  // keeps a nested report from re-entering the hook
};

AppState& App();

// Splits a program path at its last '/' (or '\'): the part before is the run
// directory, the part after the file name. Without a separator the directory
// is empty and the file name is the whole path.
struct ProgramPath {
  std::string directory;
  std::string file_name;
};
ProgramPath SplitProgramPath(const std::string& path);

// The running program's path (GBK), however long.
std::string ProgramFilePath();

// Fills run_directory and program_file_name from the running program's path.
void RecordProgramPath(AppState& state);

// Fills module_directory: the program's path up to and including its last
// separator ("" when it has none).
void RecordModuleDirectory(AppState& state);

// Sets the constant data range from the program header's address and size;
// a size of 0 leaves no range.
void SetConstantData(AppState& state, const void* address, uint32_t size);

// Hands out the next run-time number: the header's counter seed + 1 first,
// then one more each time.
uint32_t NextRuntimeNumber(AppState& state);

}  // namespace runtime
