// The tooltip control's record and the tip itself, shared by the window
// procedure (tooltip.cpp) and the tip's behaviour (tooltip_tip.cpp). Built
// on the public facade only.
#pragma once

#include <optional>
#include <string>

#include "platform/controls/tooltip_tools.h"
#include "platform/win32.h"

namespace platform::controls::tooltip {

enum class Phase {
  kIdle,     // no tool under the pointer, or nothing to do for it
  kWaiting,  // the pointer rests in `current`; the show timer runs
  kShown,    // the tip of `current` is on screen
  kDone,     // shown and popped (time, click): not again until the pointer leaves
};

// Kept behind the window (its first extra bytes) from WM_NCCREATE to
// WM_NCDESTROY.
struct Tooltip {
  HWND hwnd = nullptr;
  ToolList tools;
  bool active = true;              // TTM_ACTIVATE
  int initial_ms = -1;             // -1: the double-click time
  int autopop_ms = -1;             // -1: ten times the double-click time
  int reshow_ms = -1;              // -1: a fifth of the double-click time
  int wait_ms = 0;                 // the delay the show timer was started with
  int max_width = -1;              // TTM_SETMAXTIPWIDTH; -1: one line
  HFONT font = nullptr;            // WM_SETFONT's font, else `status_font`
  HFONT status_font = nullptr;     // made at creation, deleted with the window
  std::optional<ToolKey> current;  // the tool the pointer was last seen in
  Phase phase = Phase::kIdle;
  std::string text;  // what the tip on screen says
};

Tooltip* TooltipOf(HWND hwnd);
bool IsAlive(HWND hwnd, const Tooltip& t);
DWORD StyleOf(const Tooltip& t);

// The delays in use: what TTM_SETDELAYTIME set, else the defaults from the
// double-click time.
int InitialDelay(const Tooltip& t);
int AutoPopDelay(const Tooltip& t);
int ReshowDelay(const Tooltip& t);

// TTM_RELAYEVENT: a mouse message of a tool's window.
LRESULT Relay(Tooltip& t, const MSG* msg);
LRESULT OnTimer(Tooltip& t, WPARAM id);
// Hides the tip and follows the pointer from scratch.
void Reset(Tooltip& t);
// Hides the tip until the pointer leaves the tool (a click, TTM_POP).
void Dismiss(Tooltip& t);
void KillAllTimers(const Tooltip& t);
// A new text or font for the tip on screen.
void RefreshTip(Tooltip& t);
void PaintTip(const Tooltip& t, HDC dc);

}  // namespace platform::controls::tooltip
