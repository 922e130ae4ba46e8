#include "platform/dialogs/colour_space.h"

#include <algorithm>

namespace platform::dialogs {

namespace {

// How far (0..kHlsMax/6) the hue of `component` lies from the strongest
// component, rounded.
int HueDelta(int max, int min, int component) {
  return ((max - component) * (kHlsMax / 6) + (max - min) / 2) / (max - min);
}

int Saturation(int max, int min, int lum) {
  const int sum = max + min;
  if (lum <= kHlsMax / 2) return ((max - min) * kHlsMax + sum / 2) / sum;
  const int rest = 2 * kRgbMax - sum;
  return ((max - min) * kHlsMax + rest / 2) / rest;
}

// One channel of the colour whose two extremes are `low` and `high`.
int Channel(int low, int high, int hue) {
  if (hue < 0) hue += kHlsMax;
  if (hue > kHlsMax) hue -= kHlsMax;
  constexpr int kSixth = kHlsMax / 6;
  if (hue < kSixth) return low + ((high - low) * hue + kHlsMax / 12) / kSixth;
  if (hue < kHlsMax / 2) return high;
  if (hue < kHlsMax * 2 / 3)
    return low + ((high - low) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / kSixth;
  return low;
}

int ToRgb(int hls_value) { return (hls_value * kRgbMax + kHlsMax / 2) / kHlsMax; }

}  // namespace

Hls RgbToHls(COLORREF rgb) {
  const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  const int max = std::max({r, g, b});
  const int min = std::min({r, g, b});
  Hls hls;
  hls.lum = ((max + min) * kHlsMax + kRgbMax) / (2 * kRgbMax);
  if (max == min) {
    hls.hue = kGreyHue;
    return hls;
  }
  hls.sat = Saturation(max, min, hls.lum);
  const int dr = HueDelta(max, min, r), dg = HueDelta(max, min, g), db = HueDelta(max, min, b);
  int hue;
  if (r == max) {
    hue = db - dg;
  } else if (g == max) {
    hue = kHlsMax / 3 + dr - db;
  } else {
    hue = kHlsMax * 2 / 3 + dg - dr;
  }
  if (hue < 0) hue += kHlsMax;
  hls.hue = hue % kHlsMax;
  return hls;
}

COLORREF HlsToRgb(Hls hls) {
  const int hue = ((hls.hue % kHlsMax) + kHlsMax) % kHlsMax;
  const int lum = std::clamp(hls.lum, 0, kHlsMax);
  const int sat = std::clamp(hls.sat, 0, kHlsMax);
  if (sat == 0) {
    const int grey = lum * kRgbMax / kHlsMax;
    return RGB(grey, grey, grey);
  }
  const int high = lum <= kHlsMax / 2 ? (lum * (kHlsMax + sat) + kHlsMax / 2) / kHlsMax
                                      : lum + sat - (lum * sat + kHlsMax / 2) / kHlsMax;
  const int low = 2 * lum - high;
  return RGB(ToRgb(Channel(low, high, hue + kHlsMax / 3)), ToRgb(Channel(low, high, hue)),
             ToRgb(Channel(low, high, hue - kHlsMax / 3)));
}

}  // namespace platform::dialogs
