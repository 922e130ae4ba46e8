// The live ColorPicker unit: an owner-drawn BUTTON showing the colour, and
// while it is open the popup (colour_popup.h) it chooses from.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/unit_object.h"
#include "runtime/forms/unit_types.h"

namespace runtime::units::colorpicker {

enum PropertyIndex : int32_t { kColorIndex = 0, kAllowTransparentIndex = 1 };

inline constexpr int32_t kEventChosen = 0;

// What the button tells its parent (wParam the control id, lParam the
// colour where there is one).
inline constexpr UINT kPreviewNotice = 0x8401;
inline constexpr UINT kPopupClosedNotice = 0x8402;
inline constexpr UINT kChosenNotice = 0x8403;
inline constexpr UINT kChangedNotice = 0x8404;

struct ColorPickerUnit : forms::UnitObject {
  explicit ColorPickerUnit(forms::RecordValues stored) : record(std::move(stored)) {}
  forms::RecordValues record;  // the stored properties, kept current
  uint32_t shown = 0;          // the colour the button shows
  COLORREF text_colour = 0;
  std::string transparent_text;  // "透明", or empty: no such entry
  std::string other_text;        // "其它颜色..."
  bool popup_open = false;
  WNDPROC previous = nullptr;
  HWND popup = nullptr;
};

void* CreateColorPicker(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                        uint32_t control_id, HMENU menu, int32_t x, int32_t y, int32_t width,
                        int32_t height, uint32_t window_id, uint32_t unit_id, int32_t zero1,
                        int32_t zero2);
void GetColorPickerProperty(void* unit, int32_t index, forms::PropertyPair* pair);
int32_t SetColorPickerProperty(void* unit, int32_t index, const forms::PropertyPair* pair,
                               int32_t zero);
HGLOBAL SaveColorPickerProperties(void* unit);

// The popup reports its end: accepted with `colour`, or cancelled.
void PopupEnded(ColorPickerUnit& unit, bool accepted, uint32_t colour);
// The popup's current entry changed to `colour`.
void PreviewColour(const ColorPickerUnit& unit, uint32_t colour);

}  // namespace runtime::units::colorpicker
