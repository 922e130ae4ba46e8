#include "runtime/forms/common_events.h"

#include <initializer_list>

#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/unit_types.h"

namespace runtime::forms {

namespace {

constexpr uint32_t kCtrlBit = 1;
constexpr uint32_t kShiftBit = 2;
constexpr uint32_t kAltBit = 4;

constexpr int32_t kWheelStep = 120;

bool TakesChildMessages(uint32_t type_code) {
  const UnitTypeDescriptor* type = FindUnitType(type_code);
  return type != nullptr &&
         (type->state_flags & (kTypeChildMessagesOwn | kTypeChildMessagesOwnAlt)) != 0;
}

// The unit entry (not entry 0) whose live window is `hwnd`, or -1.
int32_t UnitOfWindow(const LoadedWindow& window, HWND hwnd, bool only_child_takers) {
  for (int32_t i = 1; i < window.units.Count(); ++i) {
    const UnitObject* object = window.LiveAt(i);
    if (object == nullptr || object->window != hwnd) continue;
    if (!only_child_takers || TakesChildMessages(window.units.TypeCodeAt(i))) return i;
  }
  return -1;
}

bool IsKeyboardMessage(UINT message) { return message >= WM_KEYFIRST && message <= 0x0108; }

// The modifier bits a key event carries: a modifier key's own bit is left
// out, so pressing Ctrl alone reads as Ctrl with no modifiers.
uint32_t KeyModifiers(uint32_t vk) {
  uint32_t bits = ModifierBits();
  switch (vk) {
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
      return bits & ~kCtrlBit;
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
      return bits & ~kShiftBit;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
      return bits & ~kAltBit;
    default:
      return bits;
  }
}

void SetArguments(EventRecord* record, int32_t event, std::initializer_list<uint32_t> words) {
  record->event = event;
  record->argument_count = static_cast<int32_t>(words.size());
  int32_t i = 0;
  for (uint32_t word : words) record->arguments[i++] = word;
}

int32_t MouseEvent(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
      return kEventLeftDown;
    case WM_LBUTTONUP:
      return kEventLeftUp;
    case WM_LBUTTONDBLCLK:
      return kEventLeftDoubleClick;
    case WM_RBUTTONDOWN:
      return kEventRightDown;
    case WM_RBUTTONUP:
      return kEventRightUp;
    case WM_MOUSEMOVE:
      return kEventMouseMove;
    default:
      return 0;
  }
}

}  // namespace

int32_t FindMessageUnit(const LoadedWindow& window, HWND target) {
  if (target == nullptr) return -1;
  const int32_t own = UnitOfWindow(window, target, false);
  if (own >= 0) return own;
  HWND top = window.Window();
  for (HWND above = GetParent(target); above != nullptr && above != top; above = GetParent(above)) {
    const int32_t taker = UnitOfWindow(window, above, true);
    if (taker >= 0) return taker;
  }
  return -1;
}

uint32_t ModifierBits() {
  uint32_t bits = 0;
  if (GetKeyState(VK_CONTROL) < 0) bits |= kCtrlBit;
  if (GetKeyState(VK_SHIFT) < 0) bits |= kShiftBit;
  if (GetKeyState(VK_MENU) < 0) bits |= kAltBit;
  return bits;
}

uint32_t EventKeyCode(uint32_t vk) {
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return '0' + (vk - VK_NUMPAD0);
  switch (vk) {
    case VK_SUBTRACT:
      return 0xBD;
    case VK_DECIMAL:
      return 0xBE;
    case VK_DIVIDE:
      return 0xBF;
    default:
      return vk;
  }
}

bool MapCommonEvent(const MSG& message, EventRecord* record) {
  if (const int32_t mouse = MouseEvent(message.message); mouse != 0) {
    const auto position = static_cast<uint32_t>(message.lParam);
    SetArguments(record, mouse, {LOWORD(position), HIWORD(position), ModifierBits()});
    return true;
  }
  const uint32_t vk = static_cast<uint32_t>(message.wParam) & 0xFF;
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      SetArguments(record, kEventKeyDown, {EventKeyCode(vk), KeyModifiers(vk)});
      return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      SetArguments(record, kEventKeyUp, {EventKeyCode(vk), KeyModifiers(vk)});
      return true;
    case WM_CHAR:
      SetArguments(record, kEventCharacter, {static_cast<uint32_t>(message.wParam)});
      return true;
    case WM_MOUSEWHEEL: {
      const int32_t steps = GET_WHEEL_DELTA_WPARAM(message.wParam) / kWheelStep;
      SetArguments(record, kEventWheel, {static_cast<uint32_t>(steps), ModifierBits()});
      return true;
    }
    default:
      return false;
  }
}

bool RaiseCommonEvent(LoadedWindow& window, int32_t index, MSG* message) {
  if (IsKeyboardMessage(message->message) && !IsWindowEnabled(message->hwnd)) return false;
  EventRecord record;
  if (!MapCommonEvent(*message, &record)) return false;
  record.window_id = window.window_id;
  record.unit_id = window.units.IdAt(index);
  // The handler may close the window; `window` outlives that, its handle not.
  HWND top = window.Window();
  if (RaiseEvent(record) != 0 && record.returned != 0) {
    if (record.returned_value == 0) return true;
    if (record.event == kEventCharacter) message->wParam = record.returned_value;
  }
  return top != nullptr && !IsWindow(top);
}

int32_t RaiseFocusEvent(const UnitObject* unit, bool gained) {
  if (unit == nullptr) return 0;
  EventRecord record;
  record.window_id = unit->window_id;
  record.unit_id = unit->unit_id;
  record.event = gained ? kEventFocusGained : kEventFocusLost;
  return RaiseEvent(record);
}

}  // namespace runtime::forms
