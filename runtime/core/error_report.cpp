#include "runtime/core/error_report.h"

#include <cstdio>

#include "platform/base/gbk.h"
#include "runtime/core/app_state.h"
#include "runtime/core/messages.h"
#include "runtime/core/shutdown.h"

namespace runtime {

namespace {

constexpr size_t kMaxErrorMessage = 1024;

// Convert every text the report may need before anything can fail, so that
// reporting an exhausted heap does not itself need the heap.
const bool g_messages_ready = [] {
  platform::gbk::Init();
  messages::WarmUpMessages();
  return true;
}();

// Hands the report to the application's hook; true when the hook asks for no
// message. A report raised from inside the hook goes straight to the message.
bool HookSuppressesMessage(AppState& state, const char* text, int32_t code) {
  if (state.error_hook == nullptr || state.error_hook_running) return false;
  state.error_hook_running = true;
  int32_t result = state.error_hook(code, text);
  state.error_hook_running = false;
  return result != 0;
}

}  // namespace

size_t FormatErrorMessage(const char* text, int32_t code, char* out, size_t capacity) {
  if (capacity == 0) return 0;
  int written = std::snprintf(out, capacity, "%s\r\n\r\n", messages::RuntimeErrorHeading());
  auto append = [&](const char* format, auto... args) {
    size_t used =
        static_cast<size_t>(written) < capacity ? static_cast<size_t>(written) : capacity - 1;
    written = static_cast<int>(used) + std::snprintf(out + used, capacity - used, format, args...);
  };
  if (code != 0) append("%s%d\r\n\r\n", messages::ErrorCodeLabel(), code);
  if (text != nullptr && *text != '\0') append("%s%s\r\n", messages::ErrorTextLabel(), text);
  return static_cast<size_t>(written) < capacity ? static_cast<size_t>(written) : capacity - 1;
}

std::string BuildErrorMessage(const char* text, int32_t code) {
  char message[kMaxErrorMessage];
  size_t length = FormatErrorMessage(text, code, message, sizeof message);
  return std::string(message, length);
}

void ReportRuntimeError(const char* text, int32_t code) {
  AppState& state = App();
  ++state.event_suppression;
  if (!HookSuppressesMessage(state, text, code)) {
    // Built on the stack: this path also reports an exhausted heap.
    char message[kMaxErrorMessage];
    FormatErrorMessage(text, code, message, sizeof message);
    ShowErrorBox(message, messages::ErrorCaption());
  }
  state.exit_routines.clear();
  EndProgram(-1);
}

void ReportErrorByCode(int32_t code) { ReportRuntimeError(messages::ForErrorCode(code), code); }

void ReportOutOfMemory(uint32_t size) {
  char text[100];
  std::snprintf(text, sizeof text, messages::OutOfMemoryFormat(), static_cast<int32_t>(size));
  ReportRuntimeError(text, 0);
}

}  // namespace runtime
