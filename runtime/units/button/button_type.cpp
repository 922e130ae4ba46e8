#include "runtime/units/button/button_type.h"

#include "runtime/units/button/button_unit.h"
#include "runtime/units/common/property_table.h"
#include "runtime/units/common/unit_controls.h"

namespace runtime::units {

namespace {

using namespace property_code;

using forms::AsUnitHandler;

constexpr PropertyTypeEntry kOwnProperties[] = {
    PropertyEntry(kPicture),  // 8 Picture
    PropertyEntry(kChoice),   // 9 ButtonType
    PropertyEntry(kText),     // 10 Caption
    PropertyEntry(kChoice),   // 11 Alignment
    PropertyEntry(kChoice),   // 12 VerticalAlignment
    PropertyEntry(kFont),     // 13 Font
};
constexpr auto kProperties = PropertyTable(kOwnProperties);
static_assert(kProperties.size() == button::kPropertyCount);

HGLOBAL ListTexts(const uint8_t* properties, int32_t length, forms::ListTextCallback callback,
                  void* context) {
  return ListRecordTexts(ButtonSchema(), properties, length, {button::kCaption, button::kFont},
                         callback, context);
}

UnitHandler QueryHandler(int32_t number) {
  switch (number) {
    case forms::kHandlerCreate:
      return AsUnitHandler<forms::CreateHandler>(button::CreateButton);
    case forms::kHandlerSetProperty:
      return AsUnitHandler<forms::SetPropertyHandler>(button::SetButtonProperty);
    case forms::kHandlerSaveProperties:
      return AsUnitHandler<forms::SavePropertiesHandler>(button::SaveButtonProperties);
    case forms::kHandlerGetProperty:
      return AsUnitHandler<forms::GetPropertyHandler>(button::GetButtonProperty);
    case forms::kHandlerListTexts:
      return AsUnitHandler<forms::ListTextsHandler>(ListTexts);
    case forms::kHandlerIsDefaultButton:
      return AsUnitHandler<forms::IsDefaultButtonHandler>(button::IsDefaultButton);
    default:
      return nullptr;
  }
}

}  // namespace

UnitTypeDescriptor ButtonTypeDescriptor() {
  return MakeUnitType("\xB0\xB4\xC5\xA5",  // 按钮 (GBK)
                      "Button", button::kTypeFlags, kProperties, QueryHandler);
}

}  // namespace runtime::units
