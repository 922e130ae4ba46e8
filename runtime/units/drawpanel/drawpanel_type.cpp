#include "runtime/units/drawpanel/drawpanel_type.h"

#include <array>

#include "runtime/forms/unit_types.h"
#include "runtime/units/common/property_table.h"
#include "runtime/units/drawpanel/panel_create.h"
#include "runtime/units/drawpanel/panel_properties.h"

namespace runtime::units {

namespace {

constexpr uint32_t kStateFlags = 0x800200C0;

using namespace property_code;

constexpr PropertyTypeEntry kOwnProperties[] = {
    PropertyEntry(kChoice),                               // Border
    PropertyEntry(kSystemColour),                         // BackColor
    PropertyEntry(kPicture),                              // BackPicture
    PropertyEntry(kChoice, kOwnPropertyFlags | 0x0001),   // BackPictureMode
    PropertyEntry(kLogical, kOwnPropertyFlags | 0x0002),  // AutoRedraw
    PropertyEntry(kChoice),                               // CoordinateUnit
    PropertyEntry(kChoice),                               // PenStyle
    PropertyEntry(kChoice),                               // DrawMode
    PropertyEntry(kInteger),                              // PenWidth
    PropertyEntry(kColour),                               // PenColor
    PropertyEntry(kChoice),                               // BrushStyle
    PropertyEntry(kColour),                               // BrushColor
    PropertyEntry(kColour),                               // TextColor
    PropertyEntry(kColourOrNone),                         // TextBackColor
    PropertyEntry(kFont, kOwnPropertyFlags | 0x0002),     // Font
    PropertyEntry(kInteger, kOwnPropertyFlags | 0x0004),  // DrawAreaWidth, read-only
    PropertyEntry(kInteger, kOwnPropertyFlags | 0x0004),  // DrawAreaHeight, read-only
};
constexpr auto kProperties = PropertyTable(kOwnProperties);
static_assert(kProperties.size() == 25);

}  // namespace

UnitHandler DrawPanelHandlers(int32_t number) {
  switch (number) {
    case forms::kHandlerCreate:
      return forms::AsUnitHandler(&drawpanel::CreatePanel);
    case forms::kHandlerSetProperty:
      return forms::AsUnitHandler(&drawpanel::SetPanelProperty);
    case forms::kHandlerSaveProperties:
      return forms::AsUnitHandler(&drawpanel::SavePanelProperties);
    case forms::kHandlerGetProperty:
      return forms::AsUnitHandler(&drawpanel::GetPanelProperty);
    case forms::kHandlerListTexts:
      return forms::AsUnitHandler(&drawpanel::ListPanelTexts);
    default:
      return nullptr;
  }
}

UnitTypeDescriptor DrawPanelTypeDescriptor() {
  return MakeUnitType("\xBB\xAD\xB0\xE5",  // 画板 (GBK)
                      "DrawPanel", kStateFlags, kProperties, &DrawPanelHandlers);
}

bool IsDrawPanelType(const UnitTypeDescriptor* type) {
  return type != nullptr && type->handler_query == &DrawPanelHandlers;
}

}  // namespace runtime::units
