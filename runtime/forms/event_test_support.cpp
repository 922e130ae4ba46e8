#include "runtime/forms/event_test_support.h"

#include <map>
#include <span>

#include "runtime/core/app_state.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/template_segment.h"
#include "runtime/forms/unit_record.h"
#include "runtime/forms/unit_types.h"

namespace runtime::forms_testing {

namespace {

std::map<HWND, WNDPROC>& OriginalProcs() {
  static std::map<HWND, WNDPROC> procs;
  return procs;
}

bool IsInputMessage(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_COMMAND;
}

// Forgets the live object of a window being destroyed before its type
// deletes it, as the framework's destroy notice does.
void ForgetLiveObject(HWND hwnd) {
  for (int32_t w = 0; w < forms::Registry().Count(); ++w) {
    for (forms::UnitSlots& slot : forms::Registry().At(w)->slots) {
      if (slot.live != nullptr && slot.live->window == hwnd) slot.live = nullptr;
    }
  }
}

LRESULT Observe(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (IsInputMessage(message)) EventTest::Seen().push_back({hwnd, message, wparam});
  WNDPROC original = OriginalProcs()[hwnd];
  if (message == WM_NCDESTROY) {
    OriginalProcs().erase(hwnd);
    ForgetLiveObject(hwnd);
  }
  return CallWindowProcA(original, hwnd, message, wparam, lparam);
}

void ObserveInput(HWND hwnd) {
  auto original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Observe)));
  OriginalProcs()[hwnd] = original;
}

// Calls the create handler of entry `index` as the loader does, the window's
// units as children of `parent`.
forms::UnitObject* CreateEntry(forms::LoadedWindow& window, int32_t index, HWND parent) {
  const auto record = window.units.RecordAt(index);
  const auto layout = forms::LocateUnitFields(record);
  const UnitTypeDescriptor* type = forms::FindUnitType(window.units.TypeCodeAt(index));
  auto create = forms::TypedHandler<forms::CreateHandler>(type, forms::kHandlerCreate);
  if (!layout || create == nullptr) return nullptr;
  const auto properties = window.units.StoredProperties(index);
  const auto word = [&](size_t at) { return static_cast<int32_t>(forms::RecordWord(record, at)); };
  void* object = create(properties.data(), static_cast<int32_t>(properties.size()), 0, parent,
                        index == 0 ? 0 : 90 + 10 * static_cast<uint32_t>(index), nullptr,
                        word(layout->left), word(layout->top), word(layout->width),
                        word(layout->height), window.window_id, window.units.IdAt(index), 0, 0);
  return static_cast<forms::UnitObject*>(object);
}

}  // namespace

void EventTest::TearDown() {
  for (int32_t i = 0; i < forms::Registry().Count(); ++i) {
    HWND top = forms::Registry().At(i)->Window();
    if (top != nullptr && IsWindow(top)) DestroyWindow(top);
  }
  forms::Registry().Clear();
  Seen().clear();
  program_.reset();
  App().event_suppression = 0;
  App().current_event_source = {};
}

void EventTest::Register(const std::vector<forms::WindowTemplate>& windows) {
  program_ = std::make_unique<TestProgram>(windows);
  const std::string& segment = program_->segment();
  auto read = forms::ReadTemplateSegment(
      {reinterpret_cast<const uint8_t*>(segment.data()), segment.size()});
  ASSERT_TRUE(read.has_value());
  const size_t handlers =
      forms::CountHandlers(reinterpret_cast<const void* const*>(HandlerTable()));
  for (forms::WindowTemplate& entry : *read) {
    ASSERT_TRUE(forms::RelocateHandlers(entry.units, handlers));
    auto window = std::make_unique<forms::LoadedWindow>();
    window->window_id = entry.window_id;
    window->slots.resize(static_cast<size_t>(entry.units.Count()));
    window->units = std::move(entry.units);
    forms::Registry().Add(std::move(window));
  }
}

forms::LoadedWindow& EventTest::MakeLive(uint32_t window_id) {
  forms::LoadedWindow& window = *forms::Registry().Find(window_id);
  window.slots[0].live = CreateEntry(window, 0, nullptr);
  HWND top = window.Window();
  ObserveInput(top);
  for (int32_t i = 1; i < window.units.Count(); ++i) {
    window.slots[static_cast<size_t>(i)].live = CreateEntry(window, i, top);
    if (forms::UnitObject* unit = window.LiveAt(i)) {
      ShowWindow(unit->window, SW_SHOWNA);
      ObserveInput(unit->window);
    }
  }
  window.loaded = true;
  ShowWindow(top, SW_SHOW);
  display_.PumpUntilIdle();
  return window;
}

HWND EventTest::UnitWindow(const forms::LoadedWindow& window, uint32_t unit_id) {
  const forms::UnitObject* unit = window.LiveAt(window.units.IndexOf(unit_id));
  return unit != nullptr ? unit->window : nullptr;
}

void EventTest::Pump(forms::LoadedWindow& window) {
  MSG msg{};
  for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (msg.message == WM_QUIT) return;
    if (forms::PreTranslateWindowMessage(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

POINT EventTest::ScreenPoint(HWND hwnd, int x, int y) {
  POINT point{x, y};
  ClientToScreen(hwnd, &point);
  return point;
}

void EventTest::ClickAt(HWND hwnd, int x, int y, platform::input::Button button) {
  const POINT point = ScreenPoint(hwnd, x, y);
  display_.Click(point.x, point.y, button);
}

HWND EventTest::Focus(forms::LoadedWindow& window, uint32_t unit_id) {
  HWND hwnd = UnitWindow(window, unit_id);
  SetFocus(hwnd);
  Pump(window);
  HandlerCalls().clear();
  Seen().clear();
  return hwnd;
}

std::vector<SeenMessage>& EventTest::Seen() {
  static std::vector<SeenMessage> seen;
  return seen;
}

std::vector<UINT> EventTest::SeenBy(HWND window) {
  std::vector<UINT> messages;
  for (const SeenMessage& seen : Seen()) {
    if (seen.window == window) messages.push_back(seen.message);
  }
  return messages;
}

}  // namespace runtime::forms_testing
