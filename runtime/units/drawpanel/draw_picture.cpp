// DrawPicture: a picture of the runtime's list drawn on the panel.
#include "runtime/pictures/paint_picture.h"
#include "runtime/pictures/picture_list.h"
#include "runtime/units/drawpanel/coordinate_unit.h"
#include "runtime/units/drawpanel/draw_dispatch.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"

namespace runtime::units {

namespace {

// Copy modes 1 to 5 name the common raster operations; any other value is
// a raster operation of its own, and a negative one draws with colour
// -value transparent.
int64_t RasterOperationOf(std::optional<int32_t> copy_mode) {
  switch (copy_mode.value_or(1)) {
    case 1:
      return SRCCOPY;
    case 2:
      return NOTSRCCOPY;
    case 3:
      return SRCINVERT;
    case 4:
      return SRCPAINT;
    case 5:
      return SRCAND;
    default:
      return *copy_mode;
  }
}

// Pictures are drawn with white behind their transparent pixels.
constexpr COLORREF kAlphaBackground = 0xFFFFFF;

}  // namespace

void DrawPicture(ValueRecord*, int32_t count, ArgumentRecord* args) {
  using drawpanel::IntegerArgument;
  drawpanel::Panel* panel = drawpanel::ReferencedPanel(count, args);
  if (panel == nullptr) return;
  // Handles are checked against the list, so a stale or made-up number
  // draws nothing instead of reaching a freed picture.
  const Picture* picture = RuntimePictures().Find(IntegerArgument(count, args, 1).value_or(0));
  if (picture == nullptr) return;
  const POINT at{IntegerArgument(count, args, 2).value_or(0),
                 IntegerArgument(count, args, 3).value_or(0)};
  const std::optional<int32_t> width = IntegerArgument(count, args, 4);
  const std::optional<int32_t> height = IntegerArgument(count, args, 5);
  const int64_t raster_op = RasterOperationOf(IntegerArgument(count, args, 6));
  drawpanel::DrawOnTargets(*panel, drawpanel::TextColourOf::kBrush, [&](HDC dc) {
    // Origins are 0 in every coordinate unit, so a size converts like a
    // point.
    const POINT place = drawpanel::ToDevice(dc, at);
    const POINT size = drawpanel::ToDevice(dc, POINT{width.value_or(0), height.value_or(0)});
    SetMapMode(dc, MM_TEXT);
    PaintPicture(*picture, dc, place.x, place.y, width ? size.x : -1, height ? size.y : -1,
                 raster_op, kAlphaBackground);
  });
}

}  // namespace runtime::units
