// The tooltip control's tools: what TTM_ADDTOOLA describes, found again by
// (hwnd, uId) or by a point of a window, and the subclass that lets a
// tooltip see a tool window's mouse messages (TTF_SUBCLASS). Built on the
// public facade only.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform::controls::tooltip {

// A tool is named by the window that holds it and its id.
struct ToolKey {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  bool operator==(const ToolKey&) const = default;
};

struct Tool {
  UINT flags = 0;       // TTF_xxx
  HWND hwnd = nullptr;  // holds the tool and hears its notifications
  UINT_PTR id = 0;      // with TTF_IDISHWND, the tool's own window
  RECT rect{};          // client coordinates of hwnd, unless TTF_IDISHWND
  HINSTANCE hinst = nullptr;
  std::string text;       // GBK; unused while `callback`
  bool callback = false;  // the text is asked for with TTN_GETDISPINFOA
  LPARAM lparam = 0;

  ToolKey key() const { return {hwnd, id}; }
  // The window whose mouse messages concern the tool.
  HWND window() const;
  // Whether `client` (client coordinates of `w`) lies in the tool.
  bool Contains(HWND w, POINT client) const;
};

// A TOOLINFOA big enough to read (at least the first Win32 version).
bool IsToolInfo(const TOOLINFOA* info);
ToolKey KeyOf(const TOOLINFOA& info);
// Takes TOOLINFOA text: copied GBK, or LPSTR_TEXTCALLBACKA. A resource id
// gives no text: there are no string resources here.
void SetToolText(Tool& tool, LPCSTR text);
// TTM_GETTOOLINFOA: the fields `out.cbSize` has room for; the text goes into
// the caller's buffer (at most 80 bytes, whole characters) or comes back as
// LPSTR_TEXTCALLBACKA.
void FillToolInfo(const Tool& tool, TOOLINFOA& out);

class ToolList {
 public:
  // False when the tool is there already.
  bool Add(const TOOLINFOA& info);
  bool Remove(ToolKey key);
  Tool* Find(ToolKey key);
  // The tool under `client` of `w`: tools with a rectangle first, then
  // whole-window tools, as Win32 looks them up.
  const Tool* HitTest(HWND w, POINT client) const;
  const std::vector<Tool>& tools() const { return tools_; }

 private:
  std::vector<Tool> tools_;
};

// TTF_SUBCLASS: `tooltip` hears `window`'s mouse messages through
// TTM_RELAYEVENT until as many releases as subclass calls.
void SubclassToolWindow(HWND window, HWND tooltip);
void ReleaseToolWindow(HWND window, HWND tooltip);

}  // namespace platform::controls::tooltip
