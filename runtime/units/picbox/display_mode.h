// The picture box's three display modes and where each puts a picture of
// pw x ph in a client area of cw x ch. The still picture and the animation
// canvas are placed alike.
#pragma once

#include <cstdint>

namespace runtime::units::picbox {

enum DisplayMode : int32_t {
  kNaturalSize = 0,  // at the top-left corner, as it is
  kStretched = 1,    // over the whole client area
  kFitted = 2,       // centred, shrunk to fit when larger, never enlarged
};
inline constexpr int32_t kLastDisplayMode = kFitted;

struct Placement {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// `mode` is clamped into 0..2 first. A picture without pixels (pw or ph not
// above 0) is placed nowhere (all 0).
Placement PlacePicture(int32_t mode, int32_t pw, int32_t ph, int32_t cw, int32_t ch);

// A display mode clamped into 0..2.
int32_t ClampDisplayMode(int32_t mode);

}  // namespace runtime::units::picbox
