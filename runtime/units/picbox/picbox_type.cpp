#include "runtime/units/picbox/picbox_type.h"

#include <cstring>
#include <optional>
#include <string>

#include "runtime/forms/unit_types.h"
#include "runtime/units/common/property_table.h"
#include "runtime/units/common/unit_controls.h"
#include "runtime/units/picbox/picbox_schema.h"
#include "runtime/units/picbox/picbox_unit.h"

namespace runtime::units {

namespace {

using forms::AsUnitHandler;

// Property type codes.
using namespace property_code;

constexpr PropertyTypeEntry kOwnProperties[] = {
    PropertyEntry(kChoice),                              // 8 Border
    PropertyEntry(kSystemColour),                        // 9 BackColor
    PropertyEntry(kPicture),                             // 10 Picture
    PropertyEntry(kChoice, kOwnPropertyFlags | 0x0001),  // 11 DisplayMode
    PropertyEntry(kLogical),                             // 12 PlayAnimation
    PropertyEntry(kDataSource),                          // 13 DataSource
    PropertyEntry(kDataField),                           // 14 DataField
};
constexpr auto kProperties = PropertyTable(kOwnProperties);
static_assert(kProperties.size() == picbox::kPropertyCount);

// Reports the record's data-binding texts and answers the record written
// out again (at the current version); null for a record that does not read.
HGLOBAL ListTexts(const uint8_t* properties, int32_t length, forms::ListTextCallback callback,
                  void* context) {
  return ListRecordTexts(PicBoxSchema(), properties, length,
                         {picbox::kDataSource, picbox::kDataField}, callback, context);
}

UnitHandler QueryHandler(int32_t number) {
  switch (number) {
    case forms::kHandlerCreate:
      return AsUnitHandler<forms::CreateHandler>(picbox::CreatePicBox);
    case forms::kHandlerSetProperty:
      return AsUnitHandler<forms::SetPropertyHandler>(picbox::SetPicBoxProperty);
    case forms::kHandlerSaveProperties:
      return AsUnitHandler<forms::SavePropertiesHandler>(picbox::SavePicBoxProperties);
    case forms::kHandlerGetProperty:
      return AsUnitHandler<forms::GetPropertyHandler>(picbox::GetPicBoxProperty);
    case forms::kHandlerListTexts:
      return AsUnitHandler<forms::ListTextsHandler>(ListTexts);
    default:
      return nullptr;
  }
}

}  // namespace

UnitTypeDescriptor PicBoxTypeDescriptor() {
  return MakeUnitType("\xCD\xBC\xC6\xAC\xBF\xF2",  // 图片框 (GBK)
                      "PicBox", picbox::kTypeFlags, kProperties, QueryHandler);
}

}  // namespace runtime::units
