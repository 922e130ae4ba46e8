#include "runtime/core/test_support.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "runtime/core/app_state.h"
#include "runtime/core/hooks.h"
#include "runtime/core/run_loop.h"

namespace runtime::core_testing {

namespace {

constexpr const char* kClass = "TestLoadedWindow";
TestFramework* g_framework = nullptr;

}  // namespace

TestFramework::TestFramework() {
  g_framework = this;
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = Proc;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  window_class.lpszClassName = kClass;
  RegisterClassA(&window_class);
  FrameworkHooks& hooks = Hooks();
  hooks.load_start_window = LoadStartWindow;
  hooks.loaded_window_count = Count;
  hooks.loaded_window_handle = HandleAt;
  hooks.delete_loaded_windows = DeleteAll;
  hooks.raise_idle_event = RaiseIdle;
}

TestFramework::~TestFramework() {
  Hooks() = FrameworkHooks{};
  on_message = nullptr;
  for (HWND window : windows_) DestroyWindow(window);
  UnregisterClassA(kClass, nullptr);
  g_framework = nullptr;
}

HWND TestFramework::Load(HWND parent) {
  const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  HWND window =
      CreateWindowExA(0, kClass, "", style, 10, 10, 200, 150, parent, nullptr, nullptr, nullptr);
  if (parent == nullptr) windows_.push_back(window);
  return window;
}

LRESULT TestFramework::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (g_framework && g_framework->on_message &&
      g_framework->on_message(hwnd, message, wparam, lparam, &result)) {
    return result;
  }
  if (message == WM_DESTROY && GetParent(hwnd) == nullptr) NoteLoadedWindowDestroyed(hwnd);
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

bool TestFramework::LoadStartWindow(uint32_t, HWND* window) {
  if (!g_framework->start_window_loads) return false;
  *window = g_framework->Load();
  return *window != nullptr;
}

int32_t TestFramework::Count() { return static_cast<int32_t>(g_framework->windows_.size()); }

HWND TestFramework::HandleAt(int32_t position) {
  if (position < 0 || position >= Count()) return nullptr;
  HWND window = g_framework->windows_[static_cast<size_t>(position)];
  return IsWindow(window) ? window : nullptr;
}

void TestFramework::DeleteAll() {
  for (HWND window : g_framework->windows_) DestroyWindow(window);
  g_framework->windows_.clear();
}

int32_t TestFramework::RaiseIdle(int32_t position, int32_t milliseconds) {
  return g_framework->on_idle ? g_framework->on_idle(position, milliseconds) : 0;
}

void ResetApp() {
  AppState& state = App();
  if (state.hidden_owner != nullptr) DestroyWindow(state.hidden_owner);
  if (state.ole_initialized) OleUninitialize();
  state.header = nullptr;
  state.initialized = false;
  state.run_mode = state.second_mode = state.number_counter = 0;
  state.process_heap = nullptr;
  state.library_directory.clear();
  state.main_thread_id = 0;
  state.constant_begin = state.constant_end = nullptr;
  for (const DllRoutine& routine : state.dll_routines) {
    if (routine.module != nullptr) FreeLibrary(routine.module);
  }
  state.dll_routines.clear();
  state.libraries.clear();
  state.exit_routines.clear();
  state.idle_callbacks.clear();
  state.event_suppression = 0;
  state.message_loop_running = false;
  state.shutdown_running = false;
  state.quit_code = 0;
  state.hidden_owner = state.main_window = nullptr;
  state.ole_initialized = false;
  state.error_hook = nullptr;
  state.error_hook_running = false;
}

bool RunLoopUntilItEnds() {
  constexpr int kWatchdogQuitCode = 99;
  const DWORD loop_thread = GetCurrentThreadId();
  std::atomic<bool> finished{false};
  std::thread watchdog([&] {
    for (int i = 0; i < 500 && !finished; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!finished) PostThreadMessageA(loop_thread, WM_QUIT, kWatchdogQuitCode, 0);
  });
  RunMessageLoop();
  finished = true;
  watchdog.join();
  return App().quit_code != kWatchdogQuitCode;
}

}  // namespace runtime::core_testing
