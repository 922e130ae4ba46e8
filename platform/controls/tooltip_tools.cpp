#include "platform/controls/tooltip_tools.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform::controls::tooltip {

namespace {

// TTM_GETTOOLINFOA's buffer, as Win32 fills it.
constexpr size_t kTextBuffer = 80;

bool IsTextCallback(LPCSTR text) { return text == LPSTR_TEXTCALLBACKA; }

// The longest run of whole GBK characters of `text` within `room` bytes.
size_t WholeCharacters(const std::string& text, size_t room) {
  size_t at = 0;
  while (at < text.size()) {
    const size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[at])) && at + 1 < text.size() ? 2 : 1;
    if (at + step > room) break;
    at += step;
  }
  return at;
}

}  // namespace

HWND Tool::window() const { return (flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(id) : hwnd; }

bool Tool::Contains(HWND w, POINT client) const {
  if (w != window()) return false;
  return (flags & TTF_IDISHWND) || PtInRect(&rect, client);
}

bool IsToolInfo(const TOOLINFOA* info) {
  return info != nullptr && info->cbSize >= TTTOOLINFOA_V1_SIZE;
}

ToolKey KeyOf(const TOOLINFOA& info) { return {info.hwnd, info.uId}; }

void SetToolText(Tool& tool, LPCSTR text) {
  tool.callback = IsTextCallback(text);
  if (tool.callback || text == nullptr || IS_INTRESOURCE(text)) {
    tool.text.clear();
  } else {
    tool.text = text;
  }
}

void FillToolInfo(const Tool& tool, TOOLINFOA& out) {
  out.uFlags = tool.flags;
  out.hwnd = tool.hwnd;
  out.uId = tool.id;
  out.rect = tool.rect;
  out.hinst = tool.hinst;
  if (tool.callback) {
    out.lpszText = LPSTR_TEXTCALLBACKA;
  } else if (out.lpszText != nullptr && !IsTextCallback(out.lpszText) &&
             !IS_INTRESOURCE(out.lpszText)) {
    const size_t n = WholeCharacters(tool.text, kTextBuffer - 1);
    std::memcpy(out.lpszText, tool.text.data(), n);
    out.lpszText[n] = '\0';
  }
  if (out.cbSize >= TTTOOLINFOA_V2_SIZE) out.lParam = tool.lparam;
}

// ---------------------------------------------------------------------------
// ToolList
// ---------------------------------------------------------------------------

bool ToolList::Add(const TOOLINFOA& info) {
  if (Find(KeyOf(info)) != nullptr) return false;
  Tool tool;
  tool.flags = info.uFlags;
  tool.hwnd = info.hwnd;
  tool.id = info.uId;
  tool.rect = info.rect;
  tool.hinst = info.hinst;
  if (info.cbSize >= TTTOOLINFOA_V2_SIZE) tool.lparam = info.lParam;
  try {
    SetToolText(tool, info.lpszText);
    tools_.push_back(std::move(tool));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool ToolList::Remove(ToolKey key) {
  return std::erase_if(tools_, [&](const Tool& t) { return t.key() == key; }) > 0;
}

Tool* ToolList::Find(ToolKey key) {
  auto it =
      std::find_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.key() == key; });
  return it == tools_.end() ? nullptr : &*it;
}

const Tool* ToolList::HitTest(HWND w, POINT client) const {
  for (bool whole_window : {false, true}) {
    for (const Tool& t : tools_) {
      if (((t.flags & TTF_IDISHWND) != 0) == whole_window && t.Contains(w, client)) return &t;
    }
  }
  return nullptr;
}

// ---------------------------------------------------------------------------
// Subclassing tool windows
// ---------------------------------------------------------------------------

namespace {

constexpr char kSubclassProp[] = "Mienzo.Tooltip.Subclass";

// Kept in a property of the tool window while it is subclassed.
struct Subclass {
  WNDPROC previous = nullptr;  // the window's procedure before ours
  std::vector<HWND> tooltips;  // one entry a tool that asked for the subclass
};

Subclass* SubclassOf(HWND window) {
  return static_cast<Subclass*>(GetPropA(window, kSubclassProp));
}

bool IsRelayed(UINT message) {
  return message == WM_MOUSEMOVE || (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK);
}

LRESULT ToolWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Gives the window its own procedure back (when ours still runs first) and
// forgets the subclass.
void Unhook(HWND window) {
  Subclass* s = SubclassOf(window);
  if (s == nullptr) return;
  if (GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&ToolWindowProc)) {
    return;  // another subclass sits on top: ours stays in the chain and forwards
  }
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s->previous));
  RemovePropA(window, kSubclassProp);
  delete s;
}

void Relay(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
           const std::vector<HWND>& tooltips) {
  const DWORD at = GetMessagePos();
  MSG msg{window,
          message,
          wparam,
          lparam,
          static_cast<DWORD>(GetMessageTime()),
          POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)}};
  for (HWND tooltip : tooltips) {
    if (IsWindow(tooltip)) SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
  }
}

LRESULT ToolWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Subclass* s = SubclassOf(window);
  if (s == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  const WNDPROC previous = s->previous;
  if (IsRelayed(message) && !s->tooltips.empty()) {
    // A copy: a tooltip may let go of the window while it hears the message.
    const std::vector<HWND> tooltips = s->tooltips;
    Relay(window, message, wparam, lparam, tooltips);
  } else if (message == WM_NCDESTROY) {
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ToolWindowProc)) {
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    RemovePropA(window, kSubclassProp);
    delete s;
  }
  return CallWindowProcA(previous, window, message, wparam, lparam);
}

}  // namespace

void SubclassToolWindow(HWND window, HWND tooltip) {
  if (!IsWindow(window)) return;
  try {
    Subclass* s = SubclassOf(window);
    if (s == nullptr) {
      const LONG_PTR previous = GetWindowLongPtrA(window, GWLP_WNDPROC);
      if (previous == 0) return;
      s = new Subclass;
      s->previous = reinterpret_cast<WNDPROC>(previous);
      SetPropA(window, kSubclassProp, s);
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ToolWindowProc));
    }
    s->tooltips.push_back(tooltip);
  } catch (const std::bad_alloc&) {
    // Without the subclass the tool still works through TTM_RELAYEVENT.
  }
}

void ReleaseToolWindow(HWND window, HWND tooltip) {
  Subclass* s = IsWindow(window) ? SubclassOf(window) : nullptr;
  if (s == nullptr) return;
  auto it = std::find(s->tooltips.begin(), s->tooltips.end(), tooltip);
  if (it != s->tooltips.end()) s->tooltips.erase(it);
  if (s->tooltips.empty()) Unhook(window);
}

}  // namespace platform::controls::tooltip
