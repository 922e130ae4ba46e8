// WinHelpA's dealings with the desktop, apart from its decisions so that
// tests can stand in for them: whether there is a desktop, where its file
// viewer is, and starting that viewer on a file.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32.h"

namespace platform::dialogs {

struct HelpDesktop {
  bool (*has_desktop)();
  // The viewer's path, or empty when there is none.
  std::string (*find_viewer)();
  // Starts `viewer` on `file` (both native paths) on its own, without
  // waiting for it; 0 or the Win32 error why it could not start.
  DWORD (*launch)(const std::string& viewer, const std::string& file);
};

// The real one: a desktop is there unless the display is the headless one
// (or none) or neither DISPLAY nor WAYLAND_DISPLAY is set; the viewer is
// xdg-open from PATH, started by LaunchDetached.
HelpDesktop RealHelpDesktop();

// Replaces what WinHelpA uses; returns what it used before.
HelpDesktop SetHelpDesktop(const HelpDesktop& desktop);

// The first executable `name` in the folders of `path_list` (':' between
// them, as PATH has them; an empty entry is the current folder); empty when
// none.
std::string FindOnPath(std::string_view name, std::string_view path_list);

// Starts `program` with `argument` in a session of its own, its standard
// streams on /dev/null, as a grandchild nobody waits for (so no zombie is
// left and our process group's signals do not reach it). Returns once the
// program has been executed (or failed to be): 0, or the Win32 error.
DWORD LaunchDetached(const std::string& program, const std::string& argument);

}  // namespace platform::dialogs
