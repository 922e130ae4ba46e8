#include "runtime/units/button/button_type.h"

#include "runtime/units/button/button_unit.h"
#include "runtime/units/common/unit_controls.h"

namespace runtime::units {

namespace {

using forms::AsUnitHandler;

constexpr int16_t kInteger = 1001;
constexpr int16_t kLogical = 1003;
constexpr int16_t kText = 1005;
constexpr int16_t kChoice = 1006;
constexpr int16_t kPictureBytes = 1009;
constexpr int16_t kMousePointer = 1011;
constexpr int16_t kFontValue = 1013;

constexpr uint16_t kCommon = 0xE000;
constexpr uint16_t kOwn = 0x8000;

constexpr PropertyTypeEntry Entry(int16_t type_code, uint16_t flags) {
  return {nullptr, nullptr, nullptr, type_code, flags, nullptr};
}

constexpr PropertyTypeEntry kProperties[button::kPropertyCount] = {
    Entry(kInteger, kCommon),   Entry(kInteger, kCommon),       // left, top
    Entry(kInteger, kCommon),   Entry(kInteger, kCommon),       // width, height
    Entry(kText, kCommon),      Entry(kLogical, kCommon),       // tag, visible
    Entry(kLogical, kCommon),   Entry(kMousePointer, kCommon),  // disabled, pointer
    Entry(kPictureBytes, kOwn),                                 // 8 Picture
    Entry(kChoice, kOwn),                                       // 9 ButtonType
    Entry(kText, kOwn),                                         // 10 Caption
    Entry(kChoice, kOwn),                                       // 11 Alignment
    Entry(kChoice, kOwn),                                       // 12 VerticalAlignment
    Entry(kFontValue, kOwn),                                    // 13 Font
};
static_assert(button::kOwnPropertyCount + 8 == button::kPropertyCount);

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
  UnitTypeDescriptor descriptor{};
  descriptor.chinese_name = "\xB0\xB4\xC5\xA5";  // 按钮 (GBK)
  descriptor.english_name = "Button";
  descriptor.state_flags = button::kTypeFlags;
  descriptor.property_count = button::kPropertyCount;
  descriptor.property_types = kProperties;
  descriptor.handler_query = QueryHandler;
  return descriptor;
}

}  // namespace runtime::units
