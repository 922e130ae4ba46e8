// The msctls_updown32 control (spin button): its record and the buddy-window
// services its window procedure (up_down.cpp) shares with up_down_buddy.cpp.
// Built on the public facade only.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace platform::controls {

// Registers "msctls_updown32" (system_classes.cpp calls it once).
void RegisterUpDownClass();

namespace updown {

enum class Arrow { kNone, kUp, kDown };  // kUp moves toward the maximum

// Kept behind the window (its first extra bytes) from WM_NCCREATE to
// WM_NCDESTROY.
struct UpDown {
  HWND hwnd = nullptr;
  HWND buddy = nullptr;  // subclassed while it is the buddy
  int min = 100;         // Win32's starting range: "up" counts down
  int max = 0;
  int pos = 0;
  int base = 10;  // 10 or 16: how the buddy's text shows the position
  std::vector<UDACCEL> accel;
  Arrow held = Arrow::kNone;     // the arrow the mouse or a key holds down
  bool held_by_key = false;      // the hold came from Up/Down, not the mouse
  bool pointer_on_held = false;  // the mouse is over the arrow it holds
  DWORD held_since = 0;          // GetTickCount at the press, for acceleration
};

UpDown* UpDownOf(HWND hwnd);
DWORD StyleOf(HWND hwnd);

// One step of `arrow` as a press makes it (the parent is asked first); the
// scroll message follows whether or not the position moved. False when the
// control was destroyed meanwhile.
bool Step(UpDown& u, Arrow arrow);
// The arrow is held down from now on (a press or a key): the buddy's text is
// read back first, so a number typed there is where stepping starts.
void BeginHold(UpDown& u, Arrow arrow, bool by_key);
// The hold ends: SB_ENDSCROLL to the parent.
void EndHold(UpDown& u);
// Up and Down (UDS_ARROWKEYS), pressed in the buddy or the control itself:
// true when the key was taken.
bool HandleArrowKey(UpDown& u, UINT message, WPARAM vk);

// up_down_buddy.cpp ---------------------------------------------------------

// The position as the buddy shows it: decimal with thousands separators
// unless `no_thousands`, or hexadecimal ("0x" and at least four digits).
std::string FormatPosition(int pos, int base, bool no_thousands);
// Reads a buddy's text back: nullopt unless the whole text is one number in
// `base` (leading blanks, a sign, "0x" and, in decimal, separators allowed).
std::optional<int> ParsePosition(std::string_view text, int base, bool no_thousands);

// Takes `buddy` as the new buddy (nullptr: none): the old one gets its own
// window procedure back, the new one is subclassed for the arrow keys and,
// with UDS_ALIGNLEFT/RIGHT, narrowed to make room beside it. Returns the
// old buddy.
HWND SetBuddy(UpDown& u, HWND buddy);
// Shows the position in the buddy (UDS_SETBUDDYINT), leaving a text that
// already reads so alone.
void ShowPositionInBuddy(const UpDown& u);
// Takes the position from the buddy's text (UDS_SETBUDDYINT): false, with
// the position kept, when there is no buddy or its text is no number in the
// range.
bool ReadPositionFromBuddy(UpDown& u);
// Selects the buddy's whole text when it is an edit control.
void SelectBuddyText(const UpDown& u);
bool BuddyIsEdit(const UpDown& u);

}  // namespace updown
}  // namespace platform::controls
