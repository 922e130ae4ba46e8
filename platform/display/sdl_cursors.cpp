#include "platform/display/sdl_cursors.h"

#include <SDL.h>

namespace platform::sdl {

int SystemCursorFor(int system_id) {
  switch (system_id) {
    case 32513:
      return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514:
      return SDL_SYSTEM_CURSOR_WAIT;
    case 32515:
      return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32640:  // IDC_SIZE, the old name of IDC_SIZEALL
    case 32646:
      return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32642:
      return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643:
      return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644:
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645:
      return SDL_SYSTEM_CURSOR_SIZENS;
    case 32648:
      return SDL_SYSTEM_CURSOR_NO;
    case 32649:
      return SDL_SYSTEM_CURSOR_HAND;
    case 32650:
      return SDL_SYSTEM_CURSOR_WAITARROW;
    default:
      return SDL_SYSTEM_CURSOR_ARROW;  // IDC_ARROW, IDC_UPARROW, IDC_HELP, ...
  }
}

Cursors::~Cursors() {
  for (auto& [id, cursor] : system_) {
    if (cursor != nullptr) SDL_FreeCursor(cursor);
  }
  for (auto& [key, made] : made_) SDL_FreeCursor(made.cursor);
}

void Cursors::Show(HCURSOR cursor) {
  if (cursor == nullptr) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  std::shared_ptr<user::CursorShape> shape = user::FindCursor(cursor);
  if (!shape) return;
  SDL_Cursor* sdl_cursor =
      shape->argb.empty() ? SystemCursor(SystemCursorFor(shape->system_id)) : MadeCursor(shape);
  if (sdl_cursor == nullptr) sdl_cursor = SystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  SDL_ShowCursor(SDL_ENABLE);
  if (sdl_cursor != nullptr && sdl_cursor != current_) {
    SDL_SetCursor(sdl_cursor);
    current_ = sdl_cursor;
  }
  ForgetUnusedMadeCursors();
}

SDL_Cursor* Cursors::SystemCursor(int sdl_id) {
  auto it = system_.find(sdl_id);
  if (it != system_.end()) return it->second;
  // A driver without system cursors answers null every time; asking once is enough.
  SDL_Cursor* cursor = SDL_CreateSystemCursor(static_cast<SDL_SystemCursor>(sdl_id));
  system_[sdl_id] = cursor;
  return cursor;
}

SDL_Cursor* Cursors::MadeCursor(const std::shared_ptr<user::CursorShape>& shape) {
  auto it = made_.find(shape.get());
  if (it != made_.end()) return it->second.cursor;
  const size_t pixels = static_cast<size_t>(shape->width) * static_cast<size_t>(shape->height);
  if (shape->width <= 0 || shape->height <= 0 || shape->argb.size() < pixels) return nullptr;
  // SDL copies the pixels into the cursor, so the shape's own buffer can be lent.
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(shape->argb.data()), shape->width, shape->height, 32, shape->width * 4,
      SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) return nullptr;
  SDL_Cursor* cursor = SDL_CreateColorCursor(surface, shape->hotspot.x, shape->hotspot.y);
  SDL_FreeSurface(surface);
  if (cursor != nullptr) made_[shape.get()] = Made{shape, cursor};
  return cursor;
}

void Cursors::ForgetUnusedMadeCursors() {
  for (auto it = made_.begin(); it != made_.end();) {
    // Only this cache holds the shape: its handle was destroyed.
    if (it->second.shape.use_count() == 1 && it->second.cursor != current_) {
      SDL_FreeCursor(it->second.cursor);
      it = made_.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace platform::sdl
