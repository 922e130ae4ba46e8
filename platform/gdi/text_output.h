// Drawing a laid-out run on a DC: what ExtTextOutA does, and what DrawTextA
// does for each of its lines. The order is Windows': the opaque rectangle,
// the background of the text cell (OPAQUE mode), the glyphs, then the
// underline and strike-out lines.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/device_context.h"
#include "platform/gdi/font_realize.h"
#include "platform/gdi/mapping.h"
#include "platform/gdi/text_escapement.h"
#include "platform/gdi/text_layout.h"

namespace platform::gdi {

// What text output reads from a DC, copied out under its lock.
struct TextTarget {
  Canvas canvas;
  COLORREF text_color = 0;
  COLORREF bk_color = 0;
  int bk_mode = OPAQUE;
  UINT align = TA_LEFT | TA_TOP;
  int char_extra = 0;                        // device pixels
  Mapping mapping;                           // the DC's logical coordinates
  POINT position{0, 0};                      // the DC's current position, logical
  Escapement escapement;                     // the font's lfEscapement
  std::shared_ptr<const RealizedFont> font;  // at the DC's device size
};

// None, with ERROR_INVALID_HANDLE, for anything that is not a DC.
std::optional<TextTarget> TextTargetOf(HDC hdc);
// The realised form of the font selected into a DC, at the DC's device
// size; null, with ERROR_INVALID_HANDLE, for anything that is not a DC.
std::shared_ptr<const RealizedFont> RealizedFontOf(HDC hdc);
// Moves a DC's current position by a logical offset (TA_UPDATECP).
void MoveCurrentPosition(HDC hdc, POINT logical_offset);

// A text-space span [first, last) along the baseline to underline, besides
// the font's own underline (DrawTextA's prefix marks).
struct Underline {
  int first = 0;
  int last = 0;
};

struct RunPlacement {
  POINT reference{0, 0};  // device coordinates
  UINT align = TA_LEFT | TA_TOP;
  UINT options = 0;          // ETO_OPAQUE, ETO_CLIPPED
  std::optional<RECT> rect;  // the options' rectangle, device coordinates
  std::vector<Underline> underlines;
};

void DrawRun(const TextTarget& target, const TextRun& run, const RunPlacement& placement);

// Where TA_UPDATECP leaves the current position after a run of `width`
// device pixels drawn with `align`, as a device offset along the baseline:
// past the run's end for TA_LEFT, before its start for TA_RIGHT, nowhere
// for TA_CENTER.
POINT CurrentPositionStep(const Escapement& escapement, UINT align, int width);

}  // namespace platform::gdi
