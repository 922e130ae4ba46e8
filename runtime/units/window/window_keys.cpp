// The keyboard interface of a window's units, offered every message the
// window filters before it is dispatched: Tab order, arrow keys among radio
// buttons, Enter and the default button, Esc, F1 help, Alt mnemonics, and
// dragging the window by its background.
#include <string>

#include "runtime/core/runtime_library.h"
#include "runtime/forms/system_services.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units::window {

namespace {

constexpr uint32_t kTypeNoWindow = 0x8000;
constexpr uint32_t kTypeRadioButton = 0x400;
constexpr uint32_t kTypePushButton = 0x800;
constexpr uint32_t kTypeCheckBox = 0x1000;
constexpr uint32_t kTypeMnemonics = 0x7C00;
constexpr uint32_t kTypeDragsWindow = 0x04000000;
constexpr int32_t kClickEvent = 0;

bool ShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

// Whether the focused unit's type keeps `key` for itself (handler 8).
bool FocusedUnitWantsKey(const UnitEntry* focused, uint32_t key) {
  if (focused == nullptr || focused->live == nullptr) return false;
  auto wants = forms::TypedHandler<forms::WantsKeyHandler>(focused->type, forms::kHandlerWantsKey);
  return wants != nullptr && wants(focused->live, key) != 0;
}

bool IsDefaultButton(const UnitEntry& entry) {
  if ((entry.type_flags & kTypePushButton) == 0 || entry.window == nullptr ||
      entry.live == nullptr || !IsWindowEnabled(entry.window)) {
    return false;
  }
  auto is_default = forms::TypedHandler<forms::IsDefaultButtonHandler>(
      entry.type, forms::kHandlerIsDefaultButton);
  return is_default != nullptr && is_default(entry.live) != 0;
}

void Click(const WindowUnit& unit, const UnitEntry& entry) {
  RaiseUnitEvent(unit.window_id, entry.unit_id, kClickEvent);
}

// Enter: the focused default button, else the next unit when Enter moves the
// focus, else the window's default button; false leaves Enter to the focused
// control.
bool OnEnter(WindowUnit& unit, const std::vector<UnitEntry>& units, const UnitEntry* focused) {
  if (focused != nullptr && IsDefaultButton(*focused)) {
    Click(unit, *focused);
    return true;
  }
  if (Flag(unit, kEnterMovesFocus)) return MoveFocus(unit, Direction::kNext);
  for (const UnitEntry& entry : units) {
    if (IsDefaultButton(entry)) {
      Click(unit, entry);
      return true;
    }
  }
  return false;
}

// HelpFile, or the program's own path with the extension "hlp".
std::string HelpFileOf(const WindowUnit& unit) {
  const std::string& named = unit.record.Text(kHelpFile);
  if (!named.empty()) return named;
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string program(path, length);
  const size_t dot = program.find_last_of('.');
  const size_t separator = program.find_last_of("\\/");
  if (dot != std::string::npos && (separator == std::string::npos || dot > separator)) {
    program.erase(dot);
  }
  return program + ".hlp";
}

bool OnHelp(WindowUnit& unit) {
  if (!Flag(unit, kF1OpensHelp)) return false;
  const std::string file = HelpFileOf(unit);
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  const auto context = static_cast<ULONG_PTR>(static_cast<uint32_t>(unit.record.Int(kHelpContext)));
  const BOOL opened = context != 0 ? WinHelpA(unit.window, file.c_str(), HELP_CONTEXT, context)
                                   : WinHelpA(unit.window, file.c_str(), HELP_CONTENTS, 0);
  if (opened) unit.help_opened = true;
  return true;
}

// The mnemonic of `caption` ("&" and the character after it, "&&" being a
// plain "&"), upper-cased; 0 for none. Double-byte characters are stepped
// over whole.
char MnemonicOf(const std::string& caption) {
  for (size_t i = 0; i < caption.size(); ++i) {
    const auto byte = static_cast<unsigned char>(caption[i]);
    if (byte >= 0x81 && byte != 0xFF && i + 1 < caption.size()) {
      ++i;
      continue;
    }
    if (byte != '&' || i + 1 >= caption.size()) continue;
    const char next = caption[i + 1];
    if (next == '&') {
      ++i;
      continue;
    }
    return (next >= 'a' && next <= 'z') ? static_cast<char>(next - 'a' + 'A') : next;
  }
  return 0;
}

std::string CaptionOf(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), length + 1)));
  return text;
}

// What Alt and a mnemonic does to the unit that has it.
void Activate(WindowUnit& unit, const std::vector<UnitEntry>& units, const UnitEntry& entry) {
  if ((entry.type_flags & kTypePushButton) != 0) {
    Click(unit, entry);
  } else if ((entry.type_flags & kTypeCheckBox) != 0) {
    const LRESULT state = SendMessageA(entry.window, BM_GETCHECK, 0, 0);
    SendMessageA(entry.window, BM_SETCHECK, state == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
  } else if ((entry.type_flags & kTypeRadioButton) != 0) {
    ChooseRadioButton(unit, units, entry);
  } else {
    // A label hands the focus on to the unit after it.
    SetFocus(entry.window);
    MoveFocus(unit, Direction::kNext);
  }
}

bool OnMnemonic(WindowUnit& unit, WPARAM key) {
  const bool letter = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
  if (!letter) return false;
  const std::vector<UnitEntry> units = ListUnits(unit);
  for (const UnitEntry& entry : units) {
    if ((entry.type_flags & kTypeMnemonics) == 0 || (entry.type_flags & kTypeNoWindow) != 0 ||
        entry.window == nullptr || !IsWindowVisible(entry.window) ||
        !IsWindowEnabled(entry.window)) {
      continue;
    }
    if (MnemonicOf(CaptionOf(entry.window)) == static_cast<char>(key)) {
      Activate(unit, units, entry);
      return true;
    }
  }
  return false;
}

// A press on the window's background, or on a unit that lets the window be
// dragged by it, drags the window as its caption would.
bool OnButtonDown(WindowUnit& unit, const MSG& message) {
  if (!Flag(unit, kDragAnywhere) || unit.embedded) return false;
  if (message.hwnd != unit.window) {
    const std::vector<UnitEntry> units = ListUnits(unit);
    const UnitEntry* entry = UnitHolding(units, message.hwnd);
    if (entry == nullptr || (entry->type_flags & kTypeDragsWindow) == 0) return false;
  }
  ReleaseCapture();
  PostMessageA(unit.window, WM_NCLBUTTONDOWN, HTCAPTION,
               MAKELPARAM(static_cast<int16_t>(message.pt.x), static_cast<int16_t>(message.pt.y)));
  return true;
}

bool OnKeyDown(WindowUnit& unit, const MSG& message) {
  const auto key = static_cast<uint32_t>(message.wParam);
  const std::vector<UnitEntry> units = ListUnits(unit);
  const UnitEntry* focused = UnitHolding(units, GetFocus());
  if (FocusedUnitWantsKey(focused, key)) return false;
  switch (key) {
    case VK_TAB:
      return MoveFocus(unit, ShiftDown() ? Direction::kPrevious : Direction::kNext);
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (focused == nullptr || (focused->type_flags & kTypeRadioButton) == 0) return false;
      MoveAmongRadioButtons(
          unit, *focused, key == VK_LEFT || key == VK_UP ? Direction::kPrevious : Direction::kNext);
      return true;
    case VK_RETURN:
      return OnEnter(unit, units, focused);
    case VK_ESCAPE:
      if (!Flag(unit, kEscCloses)) return false;
      SendMessageA(unit.window, WM_CLOSE, 0, 0);
      return true;
    case VK_F1:
      return OnHelp(unit);
    default:
      return false;
  }
}

}  // namespace

int32_t WindowKeys(void* object, MSG* message) {
  auto* unit = static_cast<WindowUnit*>(object);
  if (unit == nullptr || message == nullptr || unit->window == nullptr) return 0;
  switch (message->message) {
    case WM_KEYDOWN:
      return OnKeyDown(*unit, *message) ? 1 : 0;
    case WM_SYSKEYDOWN:
      return OnMnemonic(*unit, message->wParam) ? 1 : 0;
    case WM_LBUTTONDOWN:
      return OnButtonDown(*unit, *message) ? 1 : 0;
    default:
      return 0;
  }
}

}  // namespace runtime::units::window
