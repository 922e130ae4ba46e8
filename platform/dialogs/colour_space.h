// Hue, luminance and saturation as the colour dialog shows them: each on a
// scale of 0..240 (hue 240 is hue 0 again, so the dialog offers 0..239),
// next to red, green and blue on 0..255. Integer arithmetic throughout,
// rounding to the nearest, so a colour typed as HLS lands on the same RGB
// every time.
#pragma once

#include "platform/win32.h"

namespace platform::dialogs {

inline constexpr int kHlsMax = 240;
inline constexpr int kHueMax = kHlsMax - 1;
inline constexpr int kRgbMax = 255;
// What a grey reports as its hue (any hue would do; the dialog keeps the
// one it had when the colour turns grey instead).
inline constexpr int kGreyHue = kHlsMax * 2 / 3;

struct Hls {
  int hue = 0;  // 0..239
  int lum = 0;  // 0..240
  int sat = 0;  // 0..240
};

Hls RgbToHls(COLORREF rgb);
// Out-of-range components are clamped first (hue wraps).
COLORREF HlsToRgb(Hls hls);

}  // namespace platform::dialogs
