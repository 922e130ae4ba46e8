#include "runtime/units/colorpicker/colorpicker_type.h"

#include "runtime/forms/unit_types.h"
#include "runtime/units/colorpicker/colorpicker_unit.h"

namespace runtime::units {

namespace {

using forms::AsUnitHandler;

constexpr PropertyTypeEntry Entry(int16_t type_code, uint16_t flags) {
  return {nullptr, nullptr, nullptr, type_code, flags, nullptr};
}

constexpr PropertyTypeEntry kProperties[colorpicker::kPropertyCount] = {
    Entry(1001, 0xE000),  // left
    Entry(1001, 0xE000),  // top
    Entry(1001, 0xE000),  // width
    Entry(1001, 0xE000),  // height
    Entry(1005, 0xE000),  // tag
    Entry(1003, 0xE000),  // visible
    Entry(1003, 0xE000),  // disabled
    Entry(1011, 0xE000),  // mouse pointer
    Entry(1015, 0x8000),  // 8 Color
    Entry(1003, 0x8000),  // 9 AllowTransparent
};

UnitHandler QueryHandler(int32_t number) {
  switch (number) {
    case forms::kHandlerCreate:
      return AsUnitHandler<forms::CreateHandler>(colorpicker::CreateColorPicker);
    case forms::kHandlerSetProperty:
      return AsUnitHandler<forms::SetPropertyHandler>(colorpicker::SetColorPickerProperty);
    case forms::kHandlerSaveProperties:
      return AsUnitHandler<forms::SavePropertiesHandler>(colorpicker::SaveColorPickerProperties);
    case forms::kHandlerGetProperty:
      return AsUnitHandler<forms::GetPropertyHandler>(colorpicker::GetColorPickerProperty);
    default:
      return nullptr;
  }
}

}  // namespace

UnitTypeDescriptor ColorPickerTypeDescriptor() {
  UnitTypeDescriptor descriptor{};
  descriptor.chinese_name = "\xD1\xD5\xC9\xAB\xD1\xA1\xD4\xF1\xC6\xF7";  // 颜色选择器 (GBK)
  descriptor.english_name = "ColorPicker";
  descriptor.state_flags = colorpicker::kTypeFlags;
  descriptor.property_count = colorpicker::kPropertyCount;
  descriptor.property_types = kProperties;
  descriptor.handler_query = QueryHandler;
  return descriptor;
}

}  // namespace runtime::units
