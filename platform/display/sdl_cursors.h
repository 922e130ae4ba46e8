// The mouse pointer's shape on the SDL display: the system's shapes by their
// IDC_ numbers, and shapes made from cursor resources. UI thread only.
#pragma once

#include <map>
#include <memory>

#include "platform/user/cursor.h"

struct SDL_Cursor;

namespace platform::sdl {

// The SDL_SystemCursor that stands for a Win32 system cursor id (32512 for
// IDC_ARROW, ...); the arrow for ids SDL has no shape for.
int SystemCursorFor(int system_id);

class Cursors {
 public:
  Cursors() = default;
  ~Cursors();
  Cursors(const Cursors&) = delete;
  Cursors& operator=(const Cursors&) = delete;

  // Shows `cursor`'s shape; null hides the pointer, as SetCursor(NULL) does.
  void Show(HCURSOR cursor);

 private:
  SDL_Cursor* SystemCursor(int system_id);
  SDL_Cursor* MadeCursor(const std::shared_ptr<user::CursorShape>& shape);
  void ForgetUnusedMadeCursors();

  // SDL cursors for system shapes by SDL_SystemCursor; null when SDL has none.
  std::map<int, SDL_Cursor*> system_;
  // SDL cursors for made shapes, holding the shape so that its address is
  // never reused for another shape while the entry lives.
  struct Made {
    std::shared_ptr<user::CursorShape> shape;
    SDL_Cursor* cursor = nullptr;
  };
  std::map<const user::CursorShape*, Made> made_;
  SDL_Cursor* current_ = nullptr;  // the one SDL shows
};

}  // namespace platform::sdl
