#include "runtime/core/dll_command.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win32.h"
#include "runtime/core/app_state.h"
#include "runtime/core/error_report.h"
#include "runtime/core/messages.h"

namespace runtime {

namespace {

// "所提供参数的数据类型不符合要求"
constexpr int32_t kBadArguments = 11;

constexpr std::array<const char*, 6> kSystemLibraries = {
    "Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll", "Mpr.dll", "Shell32.dll"};

bool IsEmpty(const char* text) { return text == nullptr || *text == '\0'; }

// "#n" is ordinal n, which GetProcAddress takes in place of a name.
LPCSTR ProcName(const char* routine) {
  if (routine[0] == '#') {
    const auto ordinal = static_cast<WORD>(std::strtoul(routine + 1, nullptr, 10));
    return MAKEINTRESOURCEA(ordinal);
  }
  return routine;
}

// Loads `path` and keeps it when it exports the routine.
bool TryModule(const std::string& path, DllRoutine& routine) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) return false;
  FARPROC address = GetProcAddress(module, ProcName(routine.routine_name));
  if (address == nullptr) {
    FreeLibrary(module);
    return false;
  }
  routine.module = module;
  routine.address = address;
  return true;
}

// ':' makes a Windows path absolute; a leading '/' does the same here.
bool IsFullPath(const char* file) { return std::strchr(file, ':') != nullptr || file[0] == '/'; }

bool ResolveInFile(DllRoutine& routine) {
  const AppState& state = App();
  const std::string file = routine.file_name;
  if (!IsFullPath(routine.file_name)) {
    if (!state.library_directory.empty() &&
        TryModule(state.library_directory + "\\" + file, routine)) {
      return true;
    }
    if (TryModule(state.run_directory + "\\" + file, routine)) return true;
    if (TryModule(state.module_directory + file, routine)) return true;
  }
  return TryModule(file, routine);
}

bool Resolve(DllRoutine& routine) {
  if (IsEmpty(routine.routine_name)) return false;
  if (!IsEmpty(routine.file_name)) return ResolveInFile(routine);
  for (const char* library : kSystemLibraries) {
    if (TryModule(library, routine)) return true;
  }
  return false;
}

[[noreturn]] void ReportMissing(const char* file, const char* routine) {
  char text[1024];
  if (IsEmpty(file)) {
    std::snprintf(text, sizeof text, messages::SystemDllRoutineMissing(), routine);
  } else {
    std::snprintf(text, sizeof text, messages::DllRoutineMissing(), file, routine);
  }
  ReportRuntimeError(text, 0);
}

template <size_t... I>
intptr_t CallWith(FARPROC address, const intptr_t* args, std::index_sequence<I...>) {
  using Routine = intptr_t (*)(decltype(I, intptr_t{})...);
  return reinterpret_cast<Routine>(reinterpret_cast<void (*)()>(address))(args[I]...);
}

template <size_t... N>
intptr_t CallWithCount(FARPROC address, int32_t count, const intptr_t* args,
                       std::index_sequence<N...>) {
  intptr_t result = 0;
  ((count == static_cast<int32_t>(N)
        ? (result = CallWith(address, args, std::make_index_sequence<N>{}), true)
        : false) ||
   ...);
  return result;
}

}  // namespace

intptr_t CallDllCommand(int32_t number, int32_t count, const intptr_t* args) {
  auto& routines = App().dll_routines;
  if (number < 0 || static_cast<size_t>(number) >= routines.size()) {
    // Not declared: there is no name to show, so the number stands for it.
    ReportMissing(nullptr, std::to_string(number).c_str());
  }
  DllRoutine& routine = routines[static_cast<size_t>(number)];
  if (routine.address == nullptr && !Resolve(routine)) {
    ReportMissing(routine.file_name, routine.routine_name ? routine.routine_name : "");
  }
  if (count < 0 || count > kMaxDllArguments || (count > 0 && args == nullptr)) {
    ReportErrorByCode(kBadArguments);
  }
  return CallWithCount(routine.address, count, args,
                       std::make_index_sequence<kMaxDllArguments + 1>{});
}

}  // namespace runtime
