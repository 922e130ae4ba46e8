#include "runtime/forms/framework.h"

#include "runtime/core/hooks.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/form_loader.h"
#include "runtime/forms/menu_bar.h"
#include "runtime/forms/property_access.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/system_services.h"
#include "runtime/forms/template_loading.h"
#include "runtime/forms/window_notices.h"

namespace runtime::forms {

namespace {

// The start window has no owner and leaves the other windows alone.
bool LoadStartWindow(uint32_t window_id, HWND* handle) {
  LoadedWindow* window = Registry().Find(window_id);
  if (window == nullptr || !LoadForm(*window)) return false;
  *handle = LiveWindowHandle(*window);
  return true;
}

int32_t LoadedWindowCount() { return Registry().Count(); }

HWND RegisteredWindowHandle(uint32_t window_id) {
  LoadedWindow* window = Registry().Find(window_id);
  return window != nullptr ? LiveWindowHandle(*window) : nullptr;
}

int32_t RaiseIdleEvent(int32_t position, int32_t milliseconds) {
  LoadedWindow* window = Registry().At(position);
  if (window == nullptr || LiveWindowHandle(*window) == nullptr) return 0;
  EventRecord record;
  record.window_id = window->window_id;
  record.event = kWindowIdle;
  record.argument_count = 1;
  record.arguments[0] = static_cast<uint32_t>(milliseconds);
  RaiseEvent(record);
  return record.returned != 0 ? static_cast<int32_t>(record.returned_value) : 0;
}

void* FindLoadedWindowObject(HWND handle) { return Registry().FindByHandle(handle); }

// The run loop also offers objects that windows name for themselves, which
// need not be loaded windows: only a registered one is filtered.
BOOL PreTranslate(void* object, MSG* message) {
  for (int32_t position = 0; position < Registry().Count(); ++position) {
    LoadedWindow* window = Registry().At(position);
    if (window == object) return PreTranslateWindowMessage(*window, message) ? TRUE : FALSE;
  }
  return FALSE;
}

}  // namespace

void DeleteLoadedWindows() {
  for (int32_t position = 0; position < Registry().Count(); ++position) {
    LoadedWindow* window = Registry().At(position);
    if (HWND handle = LiveWindowHandle(*window)) DestroyWindow(handle);
    ForgetLiveUnits(*window);
    DestroyMenuBar(*window);
  }
  Registry().Clear();
}

void InstallFormsFramework() {
  FrameworkHooks& hooks = Hooks();
  hooks.load_templates = LoadTemplates;
  hooks.load_start_window = LoadStartWindow;
  hooks.loaded_window_count = LoadedWindowCount;
  hooks.loaded_window_handle = LiveWindowAt;
  hooks.registered_window_handle = RegisteredWindowHandle;
  hooks.delete_loaded_windows = DeleteLoadedWindows;
  hooks.raise_idle_event = RaiseIdleEvent;
  hooks.find_window_object = FindLoadedWindowObject;
  hooks.pre_translate = PreTranslate;
  hooks.read_property = ReadProperty;
  hooks.write_property = WriteProperty;
  hooks.system_service = SystemService;
}

}  // namespace runtime::forms
