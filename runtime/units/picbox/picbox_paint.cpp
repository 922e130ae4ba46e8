#include "runtime/units/picbox/picbox_paint.h"

#include "runtime/pictures/paint_picture.h"
#include "runtime/units/picbox/display_mode.h"
#include "runtime/units/picbox/picbox_schema.h"

namespace runtime::units::picbox {

namespace {

RECT ClientOf(const PicBoxUnit& unit) {
  RECT client{};
  GetClientRect(unit.window, &client);
  return client;
}

// Turning PlayAnimation on shows the picture again from its first frame;
// until the thread draws that, the frame already on the screen stays
// rather than flashing the background.
void KeepShownFrame(PicBoxUnit& unit, HDC dc, const RECT& client) {
  if (!unit.keep_shown_frame) return;
  unit.keep_shown_frame = false;
  if (!unit.animation) return;
  const Placement at = PlacePicture(unit.record.Int(kDisplayMode), unit.animation->width(),
                                    unit.animation->height(), client.right, client.bottom);
  ExcludeClipRect(dc, at.x, at.y, at.x + at.width, at.y + at.height);
}

}  // namespace

void PaintPicBox(PicBoxUnit& unit, HDC dc) {
  const RECT client = ClientOf(unit);
  KeepShownFrame(unit, dc, client);
  FillRect(dc, &client,
           unit.back_brush != nullptr ? unit.back_brush : GetSysColorBrush(COLOR_BTNFACE));
  if (unit.animation) {
    if (!unit.animation->started()) {
      unit.animation->Start(unit.back_colour);
    } else {
      // Whatever uncovered the box may have changed what the thread's DC
      // should clip to.
      unit.animation->RefreshWindowDc();
      unit.animation->PaintCanvas(dc);
    }
    return;
  }
  if (unit.picture == nullptr) return;
  const Placement at = PlacePicture(unit.record.Int(kDisplayMode), unit.picture->width,
                                    unit.picture->height, client.right, client.bottom);
  PaintPicture(*unit.picture, dc, at.x, at.y, at.width, at.height, SRCCOPY, unit.back_colour);
}

void UpdateAnimationView(PicBoxUnit& unit) {
  if (!unit.animation) return;
  const RECT client = ClientOf(unit);
  unit.animation->SetView(unit.record.Int(kDisplayMode), client.right, client.bottom);
}

}  // namespace runtime::units::picbox
