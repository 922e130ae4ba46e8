// The SDL windows of the SDL display: one borderless SDL window for each
// shown top-level window, kept at the window's rectangle, visibility, title
// and z-order, and given the window's surface when presenting. The window
// manager's rectangles are authoritative: the desktop never moves our windows
// in the model, and device coordinates are read against where we put each
// SDL window. UI thread only.
#pragma once

#include <SDL.h>

#include <map>
#include <string>
#include <vector>

#include "platform/user/window.h"

namespace platform::sdl {

class WindowSet {
 public:
  WindowSet() = default;
  ~WindowSet();
  WindowSet(const WindowSet&) = delete;
  WindowSet& operator=(const WindowSet&) = delete;

  // Brings the SDL window of `hwnd` in line with the window: made when the
  // window is first shown, placed, shown, hidden or minimised, titled, and
  // stacked by the z-order. A window that is gone loses its SDL window.
  void Sync(HWND hwnd);
  void Forget(HWND hwnd);

  // Uploads the dirty parts of every shown window's surface.
  void Present();

  // The desktop gave the keyboard to one of our SDL windows.
  void FocusGained(HWND hwnd);

  SDL_Window* AnyWindow() const;  // null when there is none
  HWND HwndOf(Uint32 id) const;
  Uint32 IdOf(HWND hwnd) const;
  // A point given relative to an SDL window, in screen coordinates; false for
  // windows we do not know.
  bool ToScreen(Uint32 id, int x, int y, POINT* screen) const;
  // The shown SDL window at a screen point, topmost first, and the point in it.
  SDL_Window* WindowAt(POINT screen, POINT* inside) const;

 private:
  struct Entry {
    SDL_Window* window = nullptr;
    Uint32 id = 0;
    Uint32 flags = 0;        // what it was made with; another kind means a new SDL window
    RECT placed{};           // where it was put on the desktop (screen coordinates)
    bool shown = false;      // mapped on the desktop, perhaps minimised
    bool minimized = false;  // minimised through SDL
    std::string title;       // GBK, as last given to SDL
    bool shaped = false;     // the window region last presented
    gdi::Region shape;
  };

  Entry* Ensure(const user::Window& w);
  Entry* Make(const user::Window& w, Uint32 flags);
  void Destroy(HWND hwnd, Entry& entry);
  void Title(Entry& entry, const user::Window& w);
  void Reshape(Entry& entry, user::Window& w);
  void Place(Entry& entry, const RECT& rect);
  void Show(HWND hwnd, Entry& entry, user::Window& w, bool minimized);
  void Hide(HWND hwnd, Entry& entry);
  void Restack();
  void Believe(HWND hwnd, bool shown_on_top);
  void KeepKeyboard(HWND leaving, SDL_Window* leaving_window);
  HWND ModalWindowOf(HWND hwnd) const;

  std::map<HWND, Entry> entries_;
  std::map<Uint32, HWND> by_id_;
  // The shown, not minimised windows bottom to top, as the desktop is
  // believed to stack them.
  std::vector<HWND> stack_;
};

}  // namespace platform::sdl
