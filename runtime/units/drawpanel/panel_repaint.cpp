// Repainting a panel: from its off-screen bitmap, or by painting the
// background and asking the application to draw again (PaintEvent).
#include <algorithm>

#include "runtime/units/drawpanel/coordinate_unit.h"
#include "runtime/units/drawpanel/panel_bitmap.h"
#include "runtime/units/drawpanel/panel_dc.h"
#include "runtime/units/drawpanel/panel_events.h"
#include "runtime/units/drawpanel/panel_window.h"

namespace runtime::units::drawpanel {

namespace {

void CopyFromBitmap(const Panel& panel, HDC dc, const RECT& area) {
  const LONG right = std::min(area.right, panel.bitmap_size.cx);
  const LONG bottom = std::min(area.bottom, panel.bitmap_size.cy);
  if (right <= area.left || bottom <= area.top) return;
  BitmapDc source(panel.bitmap);
  if (source.dc() == nullptr) return;
  BitBlt(dc, area.left, area.top, right - area.left, bottom - area.top, source.dc(), area.left,
         area.top, SRCCOPY);
}

// While the handler runs, drawing goes to the paint DC and WriteText starts
// at the top-left; both are put back afterwards unless the handler took the
// window (and with it the panel) away.
void RaisePaintEvent(Panel& panel, HWND window, HDC dc, const RECT& area) {
  const POINT saved_position = panel.text_position;
  const HDC saved_target = panel.paint_target;
  panel.text_position = POINT{0, 0};
  panel.paint_target = dc;
  ApplyCoordinateUnit(dc, panel.Int(kCoordinateUnit));
  const POINT top_left = ToLogical(dc, POINT{area.left, area.top});
  const POINT bottom_right = ToLogical(dc, POINT{area.right, area.bottom});
  RaisePanelEvent(panel, kPaintEvent, {top_left.x, top_left.y, bottom_right.x, bottom_right.y});
  if (!IsWindow(window)) return;
  panel.text_position = saved_position;
  panel.paint_target = saved_target;
}

}  // namespace

void PaintPanel(Panel& panel, HWND window, HDC dc) {
  RECT clip{}, client{}, area{};
  GetClipBox(dc, &clip);
  GetClientRect(window, &client);
  IntersectRect(&area, &clip, &client);
  panel.last_repaint = area;
  if (IsRectEmpty(&area)) return;
  if (panel.bitmap != nullptr) {
    CopyFromBitmap(panel, dc, area);
    return;
  }
  PaintBackground(panel, dc, area, client);
  RaisePaintEvent(panel, window, dc, area);
}

}  // namespace runtime::units::drawpanel
