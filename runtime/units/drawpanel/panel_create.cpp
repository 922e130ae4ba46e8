#include "runtime/units/drawpanel/panel_create.h"

#include <memory>
#include <optional>

#include "runtime/units/drawpanel/panel_properties.h"
#include "runtime/units/drawpanel/panel_resources.h"
#include "runtime/units/drawpanel/panel_window.h"

namespace runtime::units::drawpanel {

void* CreatePanel(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                  uint32_t control_id, HMENU, int32_t x, int32_t y, int32_t width, int32_t height,
                  uint32_t window_id, uint32_t unit_id, int32_t, int32_t) {
  std::optional<forms::RecordValues> record = ReadPanelRecord(properties, length);
  if (!record || !RegisterPanelClass()) return nullptr;
  auto panel = std::make_unique<Panel>(std::move(*record));
  panel->window_id = window_id;
  panel->unit_id = unit_id;
  RebuildPen(*panel);
  RebuildBrush(*panel);
  RebuildFont(*panel);
  // The window takes the panel at WM_NCCREATE (its first size notice
  // already builds the bitmap) and lets it go at WM_NCDESTROY.
  HWND window = CreateWindowExA(
      0, kPanelClass, "", style | WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<uintptr_t>(control_id)), nullptr, panel.get());
  if (window == nullptr) return nullptr;
  Panel* live = panel.release();
  live->created = true;
  ApplyBorder(window, live->Int(kBorder));
  return live;
}

}  // namespace runtime::units::drawpanel
