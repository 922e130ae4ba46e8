// The message filter of a loaded window. The run loop offers it every
// message whose target lies inside the window before the message is
// translated and dispatched.
#include "runtime/forms/common_events.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/unit_types.h"

namespace runtime::forms {

namespace {

bool TranslatesAccelerator(const LoadedWindow& window, MSG* message) {
  HWND hwnd = window.Window();
  if (window.accelerators == nullptr || hwnd == nullptr) return false;
  return TranslateAcceleratorA(hwnd, window.accelerators, message) != 0;
}

// The unit type's own pre-translation (types with flag 0x20).
bool UnitPreTranslates(const LoadedWindow& window, int32_t index, MSG* message) {
  UnitObject* unit = window.LiveAt(index);
  if (unit == nullptr) return false;
  const UnitTypeDescriptor* type = FindUnitType(window.units.TypeCodeAt(index));
  if (type == nullptr || (type->state_flags & kTypePreTranslates) == 0) return false;
  auto handler = TypedHandler<PreTranslateHandler>(type, kHandlerPreTranslate);
  return handler != nullptr && handler(unit, message) != 0;
}

// The window type's keyboard interface; a type without one takes nothing.
bool WindowTakesKey(const LoadedWindow& window, MSG* message) {
  UnitObject* object = window.WindowObject();
  if (object == nullptr) return false;
  const UnitTypeDescriptor* type = FindUnitType(window.units.TypeCodeAt(0));
  auto handler = TypedHandler<WindowKeysHandler>(type, kHandlerWindowKeys);
  return handler != nullptr && handler(object, message) != 0;
}

}  // namespace

bool PreTranslateWindowMessage(LoadedWindow& window, MSG* message) {
  HWND hwnd = window.Window();
  if (message == nullptr || hwnd == nullptr || message->hwnd == nullptr) return false;
  if (message->hwnd == hwnd) {
    // The window's own messages: its menu keys and its key handling (Esc,
    // dragging by the client area), but no unit events.
    return TranslatesAccelerator(window, message) || WindowTakesKey(window, message);
  }
  const int32_t index = FindMessageUnit(window, message->hwnd);
  if (index < 0) return false;
  if (TranslatesAccelerator(window, message)) return true;
  if (UnitPreTranslates(window, index, message)) return true;
  if (WindowTakesKey(window, message)) return true;
  return RaiseCommonEvent(window, index, message);
}

}  // namespace runtime::forms
