#include "runtime/units/drawpanel/draw_dispatch.h"

#include "runtime/core/messages.h"
#include "runtime/core/runtime_library.h"
#include "runtime/forms/system_services.h"
#include "runtime/pictures/paint_picture.h"
#include "runtime/units/drawpanel/coordinate_unit.h"
#include "runtime/units/drawpanel/drawpanel_type.h"
#include "runtime/units/drawpanel/panel_dc.h"

namespace runtime::units::drawpanel {

namespace {

constexpr int kDataTypeMismatch = 11;  // "所提供参数的数据类型不符合要求"

template <class Handle>
Handle OrStock(Handle own, int stock) {
  return own != nullptr ? own : static_cast<Handle>(GetStockObject(stock));
}

void RunOn(const Panel& panel, HDC dc, TextColourOf colour, const std::function<void(HDC)>& draw) {
  if (dc == nullptr) return;
  PrepareTarget(panel, dc, colour);
  draw(dc);
  ResetTarget(dc);
}

}  // namespace

Panel* ReferencedPanel(int32_t count, const ArgumentRecord* args) {
  const SystemServiceRoutine services = LibraryServices();
  const ArgumentRecord reference = ArgumentAt(count, args, 0);
  if (services == nullptr) return nullptr;
  const auto window_id = static_cast<intptr_t>(reference.low);
  const auto unit_id = static_cast<intptr_t>(reference.high);
  void* unit =
      reinterpret_cast<void*>(services(forms::kServiceLiveUnitOrError, window_id, unit_id));
  if (unit == nullptr) return nullptr;
  const intptr_t type_code = services(forms::kServiceUnitTypeCode, window_id, unit_id);
  const auto* type =
      reinterpret_cast<const UnitTypeDescriptor*>(services(forms::kServiceUnitType, type_code, 0));
  if (!IsDrawPanelType(type)) {
    services(forms::kServiceReportError,
             reinterpret_cast<intptr_t>(messages::ForErrorCode(kDataTypeMismatch)), 0);
    return nullptr;
  }
  return static_cast<Panel*>(unit);
}

void PrepareTarget(const Panel& panel, HDC dc, TextColourOf colour) {
  ApplyCoordinateUnit(dc, panel.Int(kCoordinateUnit));
  SelectObject(dc, OrStock(panel.pen, BLACK_PEN));
  SelectObject(dc, OrStock(panel.brush, WHITE_BRUSH));
  SelectObject(dc, OrStock(panel.font, DEFAULT_GUI_FONT));
  const Field text_colour = colour == TextColourOf::kText ? kTextColor : kBrushColor;
  SetTextColor(dc, static_cast<COLORREF>(panel.Int(text_colour)));
  const auto text_back = static_cast<uint32_t>(panel.Int(kTextBackColor));
  if (text_back == kSystemColourMarker) {
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, ResolvedBackColor(panel));
  } else {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, text_back);
  }
  SetROP2(dc, panel.Int(kDrawMode) + 1);
  SetStretchBltMode(dc, StretchModeFor(dc));
  SetPolyFillMode(dc, WINDING);
}

void ResetTarget(HDC dc) {
  SetMapMode(dc, MM_TEXT);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
}

void DrawOnTargets(const Panel& panel, TextColourOf colour, const std::function<void(HDC)>& draw) {
  if (panel.bitmap != nullptr) {
    BitmapDc bitmap(panel.bitmap);
    RunOn(panel, bitmap.dc(), colour, draw);
  }
  if (panel.paint_target != nullptr) {
    RunOn(panel, panel.paint_target, colour, draw);
    return;
  }
  WindowDc screen(panel.window);
  RunOn(panel, screen.dc(), colour, draw);
}

}  // namespace runtime::units::drawpanel
