#include "runtime/units/label/label_type.h"

#include "runtime/units/common/property_table.h"
#include "runtime/units/common/unit_controls.h"
#include "runtime/units/label/label_unit.h"

namespace runtime::units {

namespace {

using namespace property_code;

using forms::AsUnitHandler;

constexpr PropertyTypeEntry kOwnProperties[] = {
    PropertyEntry(kText),                  // 8 Caption
    PropertyEntry(kChoice),                // 9 TextEffect
    PropertyEntry(kChoice),                // 10 Border
    PropertyEntry(kInteger, 0x8001),       // 11 FrameWidth
    PropertyEntry(kColourOrNone, 0x8001),  // 12 FrameColor1
    PropertyEntry(kColourOrNone, 0x8001),  // 13 FrameColor2
    PropertyEntry(kColourOrNone, 0x8001),  // 14 FrameColor3
    PropertyEntry(kFont),                  // 15 Font
    PropertyEntry(kColour),                // 16 TextColor
    PropertyEntry(kSystemColour),          // 17 BackColor
    PropertyEntry(kPicture),               // 18 BackPicture
    PropertyEntry(kChoice, 0x8001),        // 19 BackPictureMode
    PropertyEntry(kChoice),                // 20 GradientMode
    PropertyEntry(kColourOrNone, 0x8001),  // 21 GradientColor1
    PropertyEntry(kColourOrNone, 0x8001),  // 22 GradientColor2
    PropertyEntry(kColourOrNone, 0x8001),  // 23 GradientColor3
    PropertyEntry(kChoice),                // 24 Alignment
    PropertyEntry(kLogical),               // 25 WordWrap
    PropertyEntry(kChoice),                // 26 VerticalAlignment
    PropertyEntry(kDataSource),            // 27 DataSource
    PropertyEntry(kDataField),             // 28 DataField
};
constexpr auto kProperties = PropertyTable(kOwnProperties);
static_assert(kProperties.size() == label::kPropertyCount);

HGLOBAL ListTexts(const uint8_t* properties, int32_t length, forms::ListTextCallback callback,
                  void* context) {
  return ListRecordTexts(LabelSchema(), properties, length,
                         {label::kCaption, label::kFont, label::kDataSource, label::kDataField},
                         callback, context);
}

UnitHandler QueryHandler(int32_t number) {
  switch (number) {
    case forms::kHandlerCreate:
      return AsUnitHandler<forms::CreateHandler>(label::CreateLabel);
    case forms::kHandlerSetProperty:
      return AsUnitHandler<forms::SetPropertyHandler>(label::SetLabelProperty);
    case forms::kHandlerSaveProperties:
      return AsUnitHandler<forms::SavePropertiesHandler>(label::SaveLabelProperties);
    case forms::kHandlerGetProperty:
      return AsUnitHandler<forms::GetPropertyHandler>(label::GetLabelProperty);
    case forms::kHandlerListTexts:
      return AsUnitHandler<forms::ListTextsHandler>(ListTexts);
    default:
      return nullptr;
  }
}

}  // namespace

UnitTypeDescriptor LabelTypeDescriptor() {
  return MakeUnitType("\xB1\xEA\xC7\xA9",  // 标签 (GBK)
                      "Label", label::kTypeFlags, kProperties, QueryHandler);
}

}  // namespace runtime::units
