#include "runtime/core/run_loop.h"

#include "runtime/core/app_state.h"
#include "runtime/core/hooks.h"
#include "runtime/core/idle.h"

namespace runtime {

namespace {

constexpr UINT kSystemTimer = 0x0118;

// Whether a dispatched message starts a new idle period. Repaints, the
// system timer and a mouse move that repeats the last mouse message at the
// same point do not: they come by themselves and would keep idle time going
// for ever.
class IdleRearm {
 public:
  bool Rearms(const MSG& msg) {
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      if (msg.message == last_mouse_message_ && msg.pt.x == last_point_.x &&
          msg.pt.y == last_point_.y) {
        return false;
      }
      last_mouse_message_ = msg.message;
      last_point_ = msg.pt;
      return true;
    }
    return msg.message != WM_PAINT && msg.message != kSystemTimer;
  }

 private:
  UINT last_mouse_message_ = 0;
  POINT last_point_{-1, -1};
};

// The framework's object for a window: the one it knows, or the one the
// window names when asked.
void* WindowObjectOf(HWND window) {
  if (Hooks().find_window_object != nullptr) {
    if (void* object = Hooks().find_window_object(window)) return object;
  }
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  return reinterpret_cast<void*>(SendMessageA(window, kQueryWindowObject, 0, 0));
}

// Offers the message to the object of its window, then to those of the
// ancestors up to the main window; true when one consumed it.
bool PreTranslate(MSG& msg) {
  if (Hooks().pre_translate == nullptr) return false;
  for (HWND window = msg.hwnd; window != nullptr; window = GetParent(window)) {
    void* object = WindowObjectOf(window);
    if (object != nullptr && Hooks().pre_translate(object, &msg)) return true;
    if (window == App().main_window) break;
  }
  return false;
}

enum class PumpEnd { kQuit, kModalEnded };

bool ModalEnded(const bool* running_modally) {
  return running_modally != nullptr && !*running_modally;
}

// One loop over both phases; `running_modally` is null for the main loop.
PumpEnd Pump(const bool* running_modally) {
  // Mouse messages are remembered across loops, modal ones included.
  static IdleRearm rearm;
  IdleProcessor idle;
  bool idle_wanted = true;
  int32_t idle_pass = 0;
  MSG msg{};
  for (;;) {
    while (idle_wanted && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      RunIdleCallbacks();
      if (!idle.Run(idle_pass++)) idle_wanted = false;
      if (ModalEnded(running_modally)) return PumpEnd::kModalEnded;
    }
    do {
      if (!GetMessageA(&msg, nullptr, 0, 0)) {
        App().quit_code = static_cast<int32_t>(msg.wParam);
        return PumpEnd::kQuit;
      }
      HandleRetrievedMessage(msg);
      if (rearm.Rearms(msg)) {
        idle_wanted = true;
        idle_pass = 0;
      }
      if (ModalEnded(running_modally)) return PumpEnd::kModalEnded;
    } while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
}

}  // namespace

bool AnyLoadedWindowLive(HWND except) {
  const FrameworkHooks& hooks = Hooks();
  if (hooks.loaded_window_count == nullptr || hooks.loaded_window_handle == nullptr) return false;
  for (int32_t position = 0; position < hooks.loaded_window_count(); ++position) {
    HWND window = hooks.loaded_window_handle(position);
    if (window != nullptr && window != except && IsWindow(window)) return true;
  }
  return false;
}

void HandleRetrievedMessage(MSG& msg) {
  if (PreTranslate(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void RunMessageLoop() {
  App().message_loop_running = true;
  if (!AnyLoadedWindowLive()) return;
  Pump(nullptr);
}

void RunModalLoop(const bool& running_modally) {
  if (Pump(&running_modally) == PumpEnd::kQuit) PostQuitMessage(App().quit_code);
}

void NoteLoadedWindowDestroyed(HWND window) {
  if (App().message_loop_running && !AnyLoadedWindowLive(window)) PostQuitMessage(0);
}

}  // namespace runtime
