#include "runtime/core/app_state.h"

#include <utility>

#include "platform/win32.h"

namespace runtime {

AppState& App() {
  static AppState state;
  return state;
}

ProgramPath SplitProgramPath(const std::string& path) {
  // Separators are ASCII, and a GBK trail byte can equal '\', so the search
  // steps over whole characters.
  size_t split = std::string::npos;
  for (const char* p = path.c_str(); *p != '\0'; p = CharNextA(p)) {
    if (*p == '/' || *p == '\\') split = static_cast<size_t>(p - path.c_str());
  }
  if (split == std::string::npos) return {"", path};
  return {path.substr(0, split), path.substr(split + 1)};
}

std::string ProgramFilePath() {
  // Linux paths may be longer than MAX_PATH; grow until the whole path fits
  // rather than work from a cut one.
  std::string buffer(MAX_PATH, '\0');
  DWORD length = 0;
  for (;;) {
    length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) break;
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(length);
  return buffer;
}

void RecordProgramPath(AppState& state) {
  ProgramPath parts = SplitProgramPath(ProgramFilePath());
  state.run_directory = std::move(parts.directory);
  state.program_file_name = std::move(parts.file_name);
}

void RecordModuleDirectory(AppState& state) {
  const std::string path = ProgramFilePath();
  ProgramPath parts = SplitProgramPath(path);
  // The separator itself stays: it is whichever one the path used.
  const size_t kept = path.size() - parts.file_name.size();
  state.module_directory = path.substr(0, kept);
}

void SetConstantData(AppState& state, const void* address, uint32_t size) {
  if (size == 0 || address == nullptr) {
    state.constant_begin = state.constant_end = nullptr;
    return;
  }
  state.constant_begin = static_cast<const char*>(address);
  state.constant_end = state.constant_begin + size;
}

uint32_t NextRuntimeNumber(AppState& state) { return state.number_counter++; }

}  // namespace runtime
