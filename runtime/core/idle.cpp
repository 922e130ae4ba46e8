#include "runtime/core/idle.h"

#include <algorithm>

#include "runtime/core/hooks.h"

namespace runtime {

namespace {

// The framework's standard idle work takes two passes: user-interface
// updates, then the release of temporary objects. The runtime keeps no
// command-update state and no temporary handle maps, so neither pass has
// anything to do; they remain so that window idle events start on the third
// pass of a period, as programs written for this runtime expect.
bool StandardIdleWork(int32_t pass) { return pass < 1; }

}  // namespace

void RegisterIdleCallback(HWND window, IdleRoutine routine, intptr_t argument) {
  auto& callbacks = App().idle_callbacks;
  if (routine == nullptr || !IsWindow(window)) return;
  if (std::ranges::any_of(callbacks, [&](const IdleCallback& c) { return c.window == window; })) {
    return;
  }
  callbacks.push_back({window, routine, argument});
}

void RemoveIdleCallback(HWND window) {
  std::erase_if(App().idle_callbacks, [&](const IdleCallback& c) { return c.window == window; });
}

void RunIdleCallbacks() {
  auto& callbacks = App().idle_callbacks;
  // A callback may register or remove others (its own included), so the
  // position is checked against the live list before each step.
  for (size_t i = callbacks.size(); i-- > 0;) {
    if (i >= callbacks.size()) continue;
    const IdleCallback entry = callbacks[i];
    if (!IsWindow(entry.window)) {
      callbacks.erase(callbacks.begin() + static_cast<ptrdiff_t>(i));
      continue;
    }
    entry.routine(entry.argument);
  }
}

bool IdleProcessor::Run(int32_t pass) {
  if (pass == 0) {
    period_start_ = GetTickCount();
    standard_work_pending_ = true;
    declined_.clear();
  }
  if (standard_work_pending_) standard_work_pending_ = StandardIdleWork(pass);
  if (standard_work_pending_ || pass < 2) return true;
  return RaiseWindowIdleEvents();
}

bool IdleProcessor::RaiseWindowIdleEvents() {
  const FrameworkHooks& hooks = Hooks();
  if (hooks.loaded_window_count == nullptr || hooks.loaded_window_handle == nullptr) return false;
  const auto elapsed = static_cast<int32_t>(GetTickCount() - period_start_);
  bool wants_more = false;
  for (int32_t position = 0; position < hooks.loaded_window_count(); ++position) {
    HWND window = hooks.loaded_window_handle(position);
    if (window == nullptr || std::ranges::find(declined_, window) != declined_.end()) continue;
    const bool asks =
        hooks.raise_idle_event != nullptr && hooks.raise_idle_event(position, elapsed) != 0;
    if (asks) {
      wants_more = true;
    } else {
      declined_.push_back(window);
    }
  }
  return wants_more;
}

}  // namespace runtime
