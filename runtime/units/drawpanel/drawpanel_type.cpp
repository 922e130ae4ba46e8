#include "runtime/units/drawpanel/drawpanel_type.h"

#include <array>

#include "runtime/forms/unit_types.h"
#include "runtime/units/drawpanel/panel_create.h"
#include "runtime/units/drawpanel/panel_properties.h"

namespace runtime::units {

namespace {

constexpr uint32_t kStateFlags = 0x800200C0;

constexpr PropertyTypeEntry Entry(int16_t type_code, uint16_t flags) {
  return {nullptr, nullptr, nullptr, type_code, flags, nullptr};
}

constexpr uint16_t kCommon = 0xE000;
constexpr uint16_t kOwn = 0x8000;

constexpr std::array<PropertyTypeEntry, 25> kProperties = {{
    Entry(1000, kCommon),        // left
    Entry(1000, kCommon),        // top
    Entry(1000, kCommon),        // width
    Entry(1000, kCommon),        // height
    Entry(1005, kCommon),        // tag
    Entry(1003, kCommon),        // visible
    Entry(1003, kCommon),        // disabled
    Entry(1011, kCommon),        // mouse pointer
    Entry(1006, kOwn),           // Border
    Entry(1017, kOwn),           // BackColor
    Entry(1009, kOwn),           // BackPicture
    Entry(1006, kOwn | 0x0001),  // BackPictureMode
    Entry(1003, kOwn | 0x0002),  // AutoRedraw
    Entry(1006, kOwn),           // CoordinateUnit
    Entry(1006, kOwn),           // PenStyle
    Entry(1006, kOwn),           // DrawMode
    Entry(1001, kOwn),           // PenWidth
    Entry(1014, kOwn),           // PenColor
    Entry(1006, kOwn),           // BrushStyle
    Entry(1014, kOwn),           // BrushColor
    Entry(1014, kOwn),           // TextColor
    Entry(1015, kOwn),           // TextBackColor
    Entry(1013, kOwn | 0x0002),  // Font
    Entry(1001, kOwn | 0x0004),  // DrawAreaWidth, read-only
    Entry(1001, kOwn | 0x0004),  // DrawAreaHeight, read-only
}};

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
  UnitTypeDescriptor type{};
  type.chinese_name = "\xBB\xAD\xB0\xE5";  // 画板
  type.english_name = "DrawPanel";
  type.state_flags = kStateFlags;
  type.property_count = static_cast<int32_t>(kProperties.size());
  type.property_types = kProperties.data();
  type.handler_query = &DrawPanelHandlers;
  return type;
}

bool IsDrawPanelType(const UnitTypeDescriptor* type) {
  return type != nullptr && type->handler_query == &DrawPanelHandlers;
}

}  // namespace runtime::units
