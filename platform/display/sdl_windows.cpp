#include "platform/display/sdl_windows.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>

#include "platform/base/gbk.h"
#include "platform/display/sdl_present.h"
#include "platform/display/sdl_stacking.h"
#include "platform/user/window_class.h"
#include "platform/win32.h"

namespace platform::sdl {

namespace {

constexpr Uint32 kTransient = SDL_WINDOW_TOOLTIP | SDL_WINDOW_POPUP_MENU;

// Tooltips, drop-down lists and menus: popups without a caption that are
// never activated. The desktop neither frames nor focuses them.
bool IsTransient(const user::Window& w) {
  return (w.style & WS_POPUP) && (w.style & WS_CAPTION) != WS_CAPTION &&
         (w.ex_style & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
}

bool IsTooltip(const user::Window& w) {
  return (w.ex_style & WS_EX_TRANSPARENT) ||
         strcasecmp(w.window_class ? w.window_class->name.c_str() : "", "tooltips_class32") == 0;
}

Uint32 FlagsFor(const user::Window& w) {
  // The layer draws frames and captions into the surface itself.
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
  if (IsTransient(w)) {
    flags |= IsTooltip(w) ? SDL_WINDOW_TOOLTIP : SDL_WINDOW_POPUP_MENU;
  } else if (w.ex_style & WS_EX_TOOLWINDOW) {
    flags |= SDL_WINDOW_UTILITY;
  }
  if (w.ex_style & WS_EX_TOPMOST) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  // Win32's rule for the task bar: unowned windows that are not tool
  // windows, and any window that asks for it.
  bool in_task_bar =
      (w.ex_style & WS_EX_APPWINDOW) || (w.owner == nullptr && !(w.ex_style & WS_EX_TOOLWINDOW));
  if (!in_task_bar) flags |= SDL_WINDOW_SKIP_TASKBAR;
  return flags;
}

bool Activatable(Uint32 flags, const user::Window& w) {
  return !(flags & kTransient) && !(w.ex_style & WS_EX_NOACTIVATE);
}

// Where a window is when it is not minimised (a minimised window's rect is
// the parking place far off screen).
RECT RestingRect(const user::Window& w) {
  return (w.style & WS_MINIMIZE) ? w.restore_rect : w.rect;
}

}  // namespace

WindowSet::~WindowSet() {
  for (auto& [hwnd, entry] : entries_) SDL_DestroyWindow(entry.window);
}

void WindowSet::Sync(HWND hwnd) {
  user::Window* w = user::FindWindowQuiet(hwnd);
  if (w == nullptr || !w->IsTopLevel()) {
    Forget(hwnd);
    return;
  }
  const bool wanted = w->IsVisibleFlag() && w->Width() > 0 && w->Height() > 0;
  if (!wanted) {
    auto it = entries_.find(hwnd);
    if (it != entries_.end() && it->second.shown) Hide(hwnd, it->second);
    Restack();
    return;
  }
  Entry* entry = Ensure(*w);
  if (entry == nullptr) return;
  const bool minimized = (w->style & WS_MINIMIZE) != 0;
  Title(*entry, *w);
  Reshape(*entry, *w);
  if (!minimized) Place(*entry, w->rect);
  Show(hwnd, *entry, *w, minimized);
  Restack();
}

void WindowSet::Forget(HWND hwnd) {
  auto it = entries_.find(hwnd);
  if (it != entries_.end()) Destroy(hwnd, it->second);
}

void WindowSet::Present() {
  for (auto& [hwnd, entry] : entries_) {
    if (!entry.shown || entry.minimized) continue;
    const user::Window* w = user::FindWindowQuiet(hwnd);
    if (w != nullptr && w->surface) PresentSurface(entry.window, *w);
  }
}

void WindowSet::FocusGained(HWND hwnd) {
  const user::Window* w = user::FindWindowQuiet(hwnd);
  auto it = entries_.find(hwnd);
  if (w == nullptr || it == entries_.end() || !it->second.shown ||
      !Activatable(it->second.flags, *w)) {
    return;
  }
  // A desktop that hands a window the keyboard raises it too (a click, Alt+Tab).
  Believe(hwnd, true);
  HWND target = (w->style & WS_DISABLED) ? ModalWindowOf(hwnd) : hwnd;
  if (target == nullptr) return;
  if (GetActiveWindow() != target) SetActiveWindow(target);
  auto modal = entries_.find(target);
  if (target != hwnd && modal != entries_.end() && modal->second.shown) {
    // The owner stays disabled: its dialog comes forward instead.
    SDL_RaiseWindow(modal->second.window);
    Believe(target, true);
  }
  Restack();
}

// The window a disabled window's modal dialog lives in: the enabled window
// it owns that can be activated, following nested dialogs; null when none.
HWND WindowSet::ModalWindowOf(HWND hwnd) const {
  for (int depth = 0; depth < 8 && hwnd != nullptr; ++depth) {
    HWND found = nullptr;
    for (const user::Window* t : user::TopLevels()) {
      auto it = entries_.find(t->hwnd);
      if (t->owner == hwnd && it != entries_.end() && it->second.shown &&
          Activatable(it->second.flags, *t)) {
        found = t->hwnd;
        break;
      }
    }
    if (found == nullptr || IsWindowEnabled(found)) return found;
    hwnd = found;
  }
  return nullptr;
}

SDL_Window* WindowSet::AnyWindow() const {
  return entries_.empty() ? nullptr : entries_.begin()->second.window;
}

HWND WindowSet::HwndOf(Uint32 id) const {
  auto it = by_id_.find(id);
  return it == by_id_.end() ? nullptr : it->second;
}

Uint32 WindowSet::IdOf(HWND hwnd) const {
  auto it = entries_.find(hwnd);
  return it == entries_.end() ? 0 : it->second.id;
}

bool WindowSet::ToScreen(Uint32 id, int x, int y, POINT* screen) const {
  auto it = entries_.find(HwndOf(id));
  if (it == entries_.end()) return false;
  *screen = {it->second.placed.left + x, it->second.placed.top + y};
  return true;
}

SDL_Window* WindowSet::WindowAt(POINT screen, POINT* inside) const {
  for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
    const Entry& entry = entries_.at(*it);
    if (PtInRect(&entry.placed, screen)) {
      *inside = {screen.x - entry.placed.left, screen.y - entry.placed.top};
      return entry.window;
    }
  }
  return nullptr;
}

WindowSet::Entry* WindowSet::Ensure(const user::Window& w) {
  const Uint32 flags = FlagsFor(w);
  auto it = entries_.find(w.hwnd);
  if (it != entries_.end()) {
    if (it->second.flags == flags) return &it->second;
    Destroy(w.hwnd, it->second);
  }
  return Make(w, flags);
}

WindowSet::Entry* WindowSet::Make(const user::Window& w, Uint32 flags) {
  const RECT rect = RestingRect(w);
  SDL_Window* window = SDL_CreateWindow(gbk::ToUtf8(w.text).c_str(), rect.left, rect.top,
                                        std::max<int>(1, rect.right - rect.left),
                                        std::max<int>(1, rect.bottom - rect.top), flags);
  if (window == nullptr) {
    std::fprintf(stderr, "mienzo: SDL could not make a window: %s\n", SDL_GetError());
    return nullptr;
  }
  Entry& entry = entries_[w.hwnd];
  entry = Entry{};
  entry.window = window;
  entry.id = SDL_GetWindowID(window);
  entry.flags = flags;
  entry.placed = rect;
  entry.title = w.text;
  by_id_[entry.id] = w.hwnd;
  // Owned windows stay above their owner and out of the task bar, as on Win32.
  auto owner = entries_.find(w.owner);
  if (!(flags & kTransient) && owner != entries_.end()) {
    SDL_SetWindowModalFor(window, owner->second.window);
  }
  return &entry;
}

void WindowSet::Destroy(HWND hwnd, Entry& entry) {
  if (entry.shown) Hide(hwnd, entry);
  by_id_.erase(entry.id);
  SDL_DestroyWindow(entry.window);
  entries_.erase(hwnd);
}

void WindowSet::Title(Entry& entry, const user::Window& w) {
  if (entry.title == w.text) return;
  SDL_SetWindowTitle(entry.window, gbk::ToUtf8(w.text).c_str());
  entry.title = w.text;
}

// The outside of a shape is filled when presenting, and only where the
// surface is dirty; a new shape makes all of it dirty.
void WindowSet::Reshape(Entry& entry, user::Window& w) {
  if (entry.shaped == w.has_window_region && (!entry.shaped || entry.shape == w.window_region)) {
    return;
  }
  entry.shaped = w.has_window_region;
  entry.shape = w.window_region;
  if (w.surface) w.surface->MarkAllDirty();
}

void WindowSet::Place(Entry& entry, const RECT& rect) {
  const int width = std::max<int>(1, rect.right - rect.left);
  const int height = std::max<int>(1, rect.bottom - rect.top);
  if (width != entry.placed.right - entry.placed.left ||
      height != entry.placed.bottom - entry.placed.top) {
    SDL_SetWindowSize(entry.window, width, height);
  }
  if (rect.left != entry.placed.left || rect.top != entry.placed.top) {
    SDL_SetWindowPosition(entry.window, rect.left, rect.top);
  }
  entry.placed = {rect.left, rect.top, rect.left + width, rect.top + height};
}

void WindowSet::Show(HWND hwnd, Entry& entry, user::Window& w, bool minimized) {
  if (!entry.shown) {
    SDL_ShowWindow(entry.window);
    entry.shown = true;
    // A newly mapped window starts blank and on top of the desktop's stack.
    if (w.surface) w.surface->MarkAllDirty();
    Believe(hwnd, true);
  }
  if (minimized == entry.minimized) return;
  entry.minimized = minimized;
  if (minimized) {
    // Minimised through the desktop, so its task bar can bring it back.
    SDL_MinimizeWindow(entry.window);
    Believe(hwnd, false);
  } else {
    SDL_RestoreWindow(entry.window);
    if (w.surface) w.surface->MarkAllDirty();
    Believe(hwnd, true);
  }
}

void WindowSet::Hide(HWND hwnd, Entry& entry) {
  const bool keyboard_was_ours = SDL_GetKeyboardFocus() != nullptr;
  SDL_HideWindow(entry.window);
  entry.shown = false;
  entry.minimized = false;
  Believe(hwnd, false);
  if (keyboard_was_ours) KeepKeyboard(hwnd, entry.window);
}

void WindowSet::Believe(HWND hwnd, bool shown_on_top) {
  stack_.erase(std::remove(stack_.begin(), stack_.end(), hwnd), stack_.end());
  if (shown_on_top) stack_.push_back(hwnd);
}

// Without a desktop window manager SDL gives the keyboard to every window it
// shows, and X gives it to nobody once that window goes; a window manager
// would hand it to another window. The active window takes it back.
void WindowSet::KeepKeyboard(HWND leaving, SDL_Window* leaving_window) {
  // News of the focus may still be on its way; SDL's view after taking what
  // has come is either nobody or, until the rest arrives, the window gone.
  SDL_PumpEvents();
  SDL_Window* focus = SDL_GetKeyboardFocus();
  if (focus != nullptr && focus != leaving_window) return;
  HWND active = GetActiveWindow();
  auto it = entries_.find(active);
  if (active == leaving || it == entries_.end() || !it->second.shown || it->second.minimized) {
    return;
  }
  SDL_SetWindowInputFocus(it->second.window);
  // SDL raises the window it focuses; what belongs above it goes back up.
  Believe(active, true);
  Restack();
}

void WindowSet::Restack() {
  std::vector<HWND> wanted;
  const std::vector<user::Window*>& tops = user::TopLevels();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    auto entry = entries_.find((*it)->hwnd);
    if (entry != entries_.end() && entry->second.shown && !entry->second.minimized) {
      wanted.push_back((*it)->hwnd);
    }
  }
  for (HWND hwnd : WindowsToRaise(wanted, stack_)) SDL_RaiseWindow(entries_.at(hwnd).window);
  stack_ = std::move(wanted);
}

}  // namespace platform::sdl
