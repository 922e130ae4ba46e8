// The clipboard: one for the process, opened by one window (or thread) at a
// time, with the data handles the owner gave it.
//
// Text is shared with the desktop through the display. Closing the
// clipboard after it was emptied publishes its text there; opening it (or
// asking for a format) first looks whether the desktop's text is still what
// was published last, and if another program has put something else there,
// that text replaces this process's data, as when another program empties
// and fills the clipboard on Windows. Only the display's own thread talks to
// the display; other threads see this process's data only.
#include "platform/user/clipboard.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "platform/user/clipboard_text.h"
#include "platform/user/message_queue.h"
#include "platform/user/window.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

using clipboard::IsTextFormat;

constexpr UINT kTextFormats[] = {CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT};

struct Entry {
  UINT format = 0;
  HANDLE handle = nullptr;   // global memory the system owns
  bool synthesized = false;  // made from another text format on request
};

struct ClipboardState {
  std::mutex mutex;
  bool open = false;
  HWND opener = nullptr;  // may be null: opened for the thread
  DWORD open_thread = 0;
  HWND owner = nullptr;        // the window that last emptied it
  bool changed = false;        // emptied or set since it was opened: publish on close
  std::vector<Entry> entries;  // in the order they were set
  // Text another program put on the desktop's clipboard (UTF-8, "\r\n").
  std::optional<std::string> foreign_text;
  std::string published;  // the desktop's text as last seen or set
};

ClipboardState& State() {
  static ClipboardState* state = new ClipboardState;  // outlives static destructors
  return *state;
}

Display* DesktopOfThisThread() {
  Display* display = CurrentDisplay();
  return display != nullptr && DisplayThread() == CurrentThreadId() ? display : nullptr;
}

void FreeEntries(ClipboardState& s) {
  for (const Entry& e : s.entries) GlobalFree(e.handle);
  s.entries.clear();
}

bool OpenedHere(const ClipboardState& s) {
  if (s.open && s.open_thread == CurrentThreadId()) return true;
  SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
  return false;
}

// Takes in what another program put on the desktop's clipboard. Returns the
// owner that lost the clipboard, to be told once the lock is released.
HWND SyncWithDesktop(ClipboardState& s) {
  Display* desktop = DesktopOfThisThread();
  if (desktop == nullptr || s.open) return nullptr;
  std::string text = desktop->ClipboardText();
  if (text == s.published) return nullptr;
  FreeEntries(s);
  HWND old_owner = s.owner;
  s.owner = nullptr;
  s.published = text;
  s.foreign_text.reset();
  if (!text.empty()) s.foreign_text = clipboard::FromDesktopLineEnds(text);
  return old_owner;
}

void TellOwnerItLost(HWND owner) {
  if (owner != nullptr && IsWindow(owner)) SendMessageA(owner, WM_DESTROYCLIPBOARD, 0, 0);
}

const Entry* FindEntry(const ClipboardState& s, UINT format) {
  auto it = std::find_if(s.entries.begin(), s.entries.end(),
                         [&](const Entry& e) { return e.format == format; });
  return it == s.entries.end() ? nullptr : &*it;
}

// The clipboard's text as UTF-8, from the first text format that has one.
std::optional<std::string> CurrentText(const ClipboardState& s) {
  if (s.foreign_text) return s.foreign_text;
  for (UINT preferred : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
    const Entry* e = FindEntry(s, preferred);
    if (e == nullptr || e->synthesized) continue;
    if (auto text = clipboard::ReadText(preferred, e->handle)) return text;
  }
  return std::nullopt;
}

bool HasText(const ClipboardState& s) {
  if (s.foreign_text) return true;
  return std::any_of(s.entries.begin(), s.entries.end(),
                     [](const Entry& e) { return IsTextFormat(e.format); });
}

// Every format on offer: those set, in order, then the text formats that can
// be made from them.
std::vector<UINT> AvailableFormats(const ClipboardState& s) {
  std::vector<UINT> formats;
  for (const Entry& e : s.entries) formats.push_back(e.format);
  if (HasText(s)) {
    for (UINT f : kTextFormats) {
      if (std::find(formats.begin(), formats.end(), f) == formats.end()) formats.push_back(f);
    }
  }
  return formats;
}

void Publish(ClipboardState& s) {
  Display* desktop = DesktopOfThisThread();
  if (desktop == nullptr) return;
  std::string text = clipboard::ToDesktopLineEnds(CurrentText(s).value_or(std::string()));
  desktop->SetClipboardText(text);
  // What the desktop holds now, so that the next look does not take this
  // process's own text for another program's.
  s.published = desktop->ClipboardText();
}

void Close(ClipboardState& s) {
  if (s.changed) Publish(s);
  s.open = false;
  s.opener = nullptr;
  s.open_thread = 0;
  s.changed = false;
}

bool IsGdiFormat(UINT format) {
  return format == CF_BITMAP || format == CF_PALETTE || format == CF_ENHMETAFILE;
}

bool IsGlobalMemory(HANDLE handle) {
  SetLastError(ERROR_SUCCESS);
  return GlobalSize(handle) != 0 || GetLastError() != ERROR_INVALID_HANDLE;
}

// SetClipboardData's checks; false with the last error set.
bool CanSet(const ClipboardState& s, UINT format, HANDLE handle) {
  if (!OpenedHere(s)) return false;
  if (s.owner == nullptr || s.owner != s.opener) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return false;
  }
  if (format == 0 || handle == nullptr || IsGdiFormat(format)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (!IsGlobalMemory(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  return true;
}

}  // namespace

void ForgetClipboardWindow(HWND hwnd) {
  ClipboardState& s = State();
  std::lock_guard lock(s.mutex);
  if (s.open && s.opener == hwnd) Close(s);
  if (s.owner == hwnd) s.owner = nullptr;
}

}  // namespace platform::user

using platform::user::ClipboardState;

BOOL OpenClipboard(HWND hWndNewOwner) {
  if (hWndNewOwner != nullptr && platform::user::FindWindow(hWndNewOwner) == nullptr) return FALSE;
  ClipboardState& s = platform::user::State();
  HWND lost = nullptr;
  {
    std::lock_guard lock(s.mutex);
    if (s.open) {
      if (s.open_thread == platform::user::CurrentThreadId() && s.opener == hWndNewOwner) {
        return TRUE;
      }
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    lost = platform::user::SyncWithDesktop(s);
    s.open = true;
    s.opener = hWndNewOwner;
    s.open_thread = platform::user::CurrentThreadId();
  }
  platform::user::TellOwnerItLost(lost);
  return TRUE;
}

BOOL CloseClipboard() {
  ClipboardState& s = platform::user::State();
  std::lock_guard lock(s.mutex);
  if (!platform::user::OpenedHere(s)) return FALSE;
  platform::user::Close(s);
  return TRUE;
}

BOOL EmptyClipboard() {
  ClipboardState& s = platform::user::State();
  HWND old_owner = nullptr;
  {
    std::lock_guard lock(s.mutex);
    if (!platform::user::OpenedHere(s)) return FALSE;
    platform::user::FreeEntries(s);
    s.foreign_text.reset();
    old_owner = s.owner;
    s.owner = s.opener;
    s.changed = true;
  }
  platform::user::TellOwnerItLost(old_owner);
  return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem) {
  ClipboardState& s = platform::user::State();
  std::lock_guard lock(s.mutex);
  if (!platform::user::CanSet(s, uFormat, hMem)) return nullptr;
  auto& entries = s.entries;
  // Text made from an earlier text format is out of date now.
  std::erase_if(entries, [&](const platform::user::Entry& e) {
    bool stale = e.format == uFormat || (e.synthesized && platform::user::IsTextFormat(uFormat));
    if (stale && e.handle != hMem) GlobalFree(e.handle);
    return stale;
  });
  entries.push_back({uFormat, hMem, false});
  s.changed = true;
  return hMem;
}

HANDLE GetClipboardData(UINT uFormat) {
  ClipboardState& s = platform::user::State();
  std::lock_guard lock(s.mutex);
  if (!platform::user::OpenedHere(s)) return nullptr;
  if (const platform::user::Entry* e = platform::user::FindEntry(s, uFormat)) return e->handle;
  if (!platform::user::IsTextFormat(uFormat)) return nullptr;
  std::optional<std::string> text = platform::user::CurrentText(s);
  if (!text) return nullptr;
  HGLOBAL made = platform::user::clipboard::MakeText(uFormat, *text);
  if (made == nullptr) return nullptr;
  s.entries.push_back({uFormat, made, true});
  return made;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  ClipboardState& s = platform::user::State();
  HWND lost = nullptr;
  BOOL available = FALSE;
  {
    std::lock_guard lock(s.mutex);
    lost = platform::user::SyncWithDesktop(s);
    std::vector<UINT> formats = platform::user::AvailableFormats(s);
    available = std::find(formats.begin(), formats.end(), format) != formats.end();
  }
  platform::user::TellOwnerItLost(lost);
  return available;
}

int CountClipboardFormats() {
  ClipboardState& s = platform::user::State();
  HWND lost = nullptr;
  size_t count = 0;
  {
    std::lock_guard lock(s.mutex);
    lost = platform::user::SyncWithDesktop(s);
    count = platform::user::AvailableFormats(s).size();
  }
  platform::user::TellOwnerItLost(lost);
  return static_cast<int>(count);
}

UINT EnumClipboardFormats(UINT format) {
  ClipboardState& s = platform::user::State();
  std::lock_guard lock(s.mutex);
  if (!platform::user::OpenedHere(s)) return 0;
  std::vector<UINT> formats = platform::user::AvailableFormats(s);
  auto it = format == 0 ? formats.begin() : std::find(formats.begin(), formats.end(), format);
  if (format != 0 && it != formats.end()) ++it;
  SetLastError(ERROR_SUCCESS);
  return it == formats.end() ? 0 : *it;
}

HWND GetClipboardOwner() {
  ClipboardState& s = platform::user::State();
  std::lock_guard lock(s.mutex);
  return s.owner;
}

HWND GetOpenClipboardWindow() {
  ClipboardState& s = platform::user::State();
  std::lock_guard lock(s.mutex);
  return s.open ? s.opener : nullptr;
}
