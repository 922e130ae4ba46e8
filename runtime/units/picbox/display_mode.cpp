#include "runtime/units/picbox/display_mode.h"

#include <algorithm>

namespace runtime::units::picbox {

namespace {

// Centred on the axes where the picture fits, then shrunk by the smaller
// ratio when it does not fit on either; the shrunk picture is centred again
// in the room it had.
Placement Fit(int32_t pw, int32_t ph, int32_t cw, int32_t ch) {
  Placement at{0, 0, cw, ch};
  if (cw >= pw) {
    at.x = (cw - pw) / 2;
    at.width = pw;
  }
  if (ch >= ph) {
    at.y = (ch - ph) / 2;
    at.height = ph;
  }
  if (at.width < pw || at.height < ph) {
    const double scale =
        std::min(static_cast<double>(at.width) / pw, static_cast<double>(at.height) / ph);
    const auto width = static_cast<int32_t>(pw * scale);
    const auto height = static_cast<int32_t>(scale * ph);
    at.x += (at.width - width) / 2;
    at.y += (at.height - height) / 2;
    at.width = width;
    at.height = height;
  }
  return at;
}

}  // namespace

int32_t ClampDisplayMode(int32_t mode) { return std::clamp(mode, 0, kLastDisplayMode); }

Placement PlacePicture(int32_t mode, int32_t pw, int32_t ph, int32_t cw, int32_t ch) {
  if (pw <= 0 || ph <= 0) return {};
  switch (ClampDisplayMode(mode)) {
    case kNaturalSize:
      return {0, 0, pw, ph};
    case kStretched:
      return {0, 0, cw, ch};
    default:
      return Fit(pw, ph, std::max(cw, 0), std::max(ch, 0));
  }
}

}  // namespace runtime::units::picbox
