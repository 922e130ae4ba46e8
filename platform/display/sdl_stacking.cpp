#include "platform/display/sdl_stacking.h"

namespace platform::sdl {

std::vector<HWND> WindowsToRaise(const std::vector<HWND>& wanted,
                                 const std::vector<HWND>& believed) {
  // Windows that are not raised keep their order among themselves and end up
  // below every raised one, so they must be the bottom of `wanted` and appear
  // in `believed` in the same order. Matching greedily from the bottom finds
  // the longest such run.
  size_t kept = 0;
  for (HWND hwnd : believed) {
    if (kept < wanted.size() && wanted[kept] == hwnd) ++kept;
  }
  return {wanted.begin() + static_cast<std::ptrdiff_t>(kept), wanted.end()};
}

}  // namespace platform::sdl
