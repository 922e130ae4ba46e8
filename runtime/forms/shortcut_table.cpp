#include "runtime/forms/shortcut_table.h"

#include <array>
#include <cstddef>

namespace runtime::forms {

namespace {

// Ctrl with each letter; the twelve function keys alone, with Ctrl, with
// Shift and with both; then the clipboard keys of the Insert/Delete block.
constexpr std::array<Shortcut, kShortcutCount> MakeTable() {
  constexpr const char* kLetters[26] = {
      "Ctrl+A", "Ctrl+B", "Ctrl+C", "Ctrl+D", "Ctrl+E", "Ctrl+F", "Ctrl+G", "Ctrl+H", "Ctrl+I",
      "Ctrl+J", "Ctrl+K", "Ctrl+L", "Ctrl+M", "Ctrl+N", "Ctrl+O", "Ctrl+P", "Ctrl+Q", "Ctrl+R",
      "Ctrl+S", "Ctrl+T", "Ctrl+U", "Ctrl+V", "Ctrl+W", "Ctrl+X", "Ctrl+Y", "Ctrl+Z"};
  constexpr const char* kFunctionKeys[4][12] = {
      {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"},
      {"Ctrl+F1", "Ctrl+F2", "Ctrl+F3", "Ctrl+F4", "Ctrl+F5", "Ctrl+F6", "Ctrl+F7", "Ctrl+F8",
       "Ctrl+F9", "Ctrl+F10", "Ctrl+F11", "Ctrl+F12"},
      {"Shift+F1", "Shift+F2", "Shift+F3", "Shift+F4", "Shift+F5", "Shift+F6", "Shift+F7",
       "Shift+F8", "Shift+F9", "Shift+F10", "Shift+F11", "Shift+F12"},
      {"Ctrl+Shift+F1", "Ctrl+Shift+F2", "Ctrl+Shift+F3", "Ctrl+Shift+F4", "Ctrl+Shift+F5",
       "Ctrl+Shift+F6", "Ctrl+Shift+F7", "Ctrl+Shift+F8", "Ctrl+Shift+F9", "Ctrl+Shift+F10",
       "Ctrl+Shift+F11", "Ctrl+Shift+F12"}};
  constexpr uint8_t kFunctionModifiers[4] = {0, kShortcutCtrl, kShortcutShift,
                                             kShortcutCtrl | kShortcutShift};
  constexpr uint8_t kF1 = 0x70, kInsert = 0x2D, kDelete = 0x2E;

  std::array<Shortcut, kShortcutCount> table{};
  std::size_t at = 0;
  for (int i = 0; i < 26; ++i) {
    table[at++] = {kLetters[i], kShortcutCtrl, static_cast<uint8_t>('A' + i)};
  }
  for (int row = 0; row < 4; ++row) {
    for (int i = 0; i < 12; ++i) {
      table[at++] = {kFunctionKeys[row][i], kFunctionModifiers[row], static_cast<uint8_t>(kF1 + i)};
    }
  }
  table[at++] = {"Ctrl+Ins", kShortcutCtrl, kInsert};
  table[at++] = {"Shift+Ins", kShortcutShift, kInsert};
  table[at++] = {"Del", 0, kDelete};
  return table;
}

constexpr std::array<Shortcut, kShortcutCount> kShortcuts = MakeTable();

}  // namespace

const Shortcut* FindShortcut(uint32_t number) {
  if (number == 0 || number > kShortcuts.size()) return nullptr;
  return &kShortcuts[number - 1];
}

}  // namespace runtime::forms
