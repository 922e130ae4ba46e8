// The application state: one per process, owned by the runtime.
//
// Fields are added as the runtime grows; each says who reads it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace runtime {

// Called by the error report before it shows anything. A non-zero result
// suppresses the message; the process ends either way.
using ErrorHook = int32_t (*)(int32_t code, const char* text);
using ExitRoutine = void (*)();

struct AppState {
  // Directory of the program without a trailing separator ("" when the path
  // has none), and the program's file name; both GBK. GetRunDirectory copies
  // the first; start-up makes it the current directory.
  std::string run_directory;
  std::string program_file_name;

  // The application's constant data, [begin, end). MemFree ignores blocks in
  // it and MemRealloc copies out of it instead of resizing.
  const char* constant_begin = nullptr;
  const char* constant_end = nullptr;

  // Exit routines in registration order; the error report empties the list so
  // that no clean-up runs after a run-time error.
  std::vector<ExitRoutine> exit_routines;

  // While non-zero no event reaches a handler. Only ever incremented.
  int32_t event_suppression = 0;

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

// Fills run_directory and program_file_name from the running program's path.
void RecordProgramPath(AppState& state);

// Sets the constant data range from the program header's address and size;
// a size of 0 leaves no range.
void SetConstantData(AppState& state, const void* address, uint32_t size);

}  // namespace runtime
