#include "runtime/units/colorpicker/colorpicker_type.h"

#include "runtime/forms/unit_types.h"
#include "runtime/units/colorpicker/colorpicker_unit.h"
#include "runtime/units/common/property_table.h"

namespace runtime::units {

namespace {

using namespace property_code;

using forms::AsUnitHandler;

constexpr PropertyTypeEntry kOwnProperties[] = {
    PropertyEntry(kColourOrNone),  // 8 Color
    PropertyEntry(kLogical),       // 9 AllowTransparent
};
constexpr auto kProperties = PropertyTable(kOwnProperties);

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
  return MakeUnitType("\xD1\xD5\xC9\xAB\xD1\xA1\xD4\xF1\xC6\xF7",  // 颜色选择器 (GBK)
                      "ColorPicker", colorpicker::kTypeFlags, kProperties, QueryHandler);
}

}  // namespace runtime::units
