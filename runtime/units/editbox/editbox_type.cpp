#include "runtime/units/editbox/editbox_type.h"

#include "runtime/units/common/property_table.h"
#include "runtime/units/common/unit_controls.h"
#include "runtime/units/editbox/editbox_unit.h"

namespace runtime::units {

namespace {

using namespace property_code;

using forms::AsUnitHandler;

constexpr PropertyTypeEntry kOwnProperties[] = {
    PropertyEntry(kText),             // 8 Content
    PropertyEntry(kChoice),           // 9 Border
    PropertyEntry(kColour),           // 10 TextColor
    PropertyEntry(kSystemColour),     // 11 BackColor
    PropertyEntry(kFont),             // 12 Font
    PropertyEntry(kLogical),          // 13 HideSelection
    PropertyEntry(kInteger),          // 14 MaxLength
    PropertyEntry(kLogical),          // 15 MultiLine
    PropertyEntry(kChoice),           // 16 ScrollBars
    PropertyEntry(kChoice),           // 17 Alignment
    PropertyEntry(kChoice),           // 18 InputMode
    PropertyEntry(kText, 0x8001),     // 19 PasswordChar
    PropertyEntry(kChoice),           // 20 CaseConversion
    PropertyEntry(kChoice),           // 21 SpinMode
    PropertyEntry(kInteger, 0x8001),  // 22 SpinMin
    PropertyEntry(kInteger, 0x8001),  // 23 SpinMax
    PropertyEntry(kInteger),          // 24 SelStart
    PropertyEntry(kInteger),          // 25 SelLength
    PropertyEntry(kText, 0x8008),     // 26 SelText
    PropertyEntry(kDataSource),       // 27 DataSource
    PropertyEntry(kDataField),        // 28 DataField
};
constexpr auto kProperties = PropertyTable(kOwnProperties);
static_assert(kProperties.size() == editbox::kPropertyCount);

HGLOBAL ListTexts(const uint8_t* properties, int32_t length, forms::ListTextCallback callback,
                  void* context) {
  return ListRecordTexts(
      EditBoxSchema(), properties, length,
      {editbox::kContent, editbox::kFont, editbox::kDataSource, editbox::kDataField}, callback,
      context);
}

UnitHandler QueryHandler(int32_t number) {
  switch (number) {
    case forms::kHandlerCreate:
      return AsUnitHandler<forms::CreateHandler>(editbox::CreateEditBox);
    case forms::kHandlerSetProperty:
      return AsUnitHandler<forms::SetPropertyHandler>(editbox::SetEditBoxProperty);
    case forms::kHandlerSaveProperties:
      return AsUnitHandler<forms::SavePropertiesHandler>(editbox::SaveEditBoxProperties);
    case forms::kHandlerGetProperty:
      return AsUnitHandler<forms::GetPropertyHandler>(editbox::GetEditBoxProperty);
    case forms::kHandlerWantsKey:
      return AsUnitHandler<forms::WantsKeyHandler>(editbox::EditBoxWantsKey);
    case forms::kHandlerListTexts:
      return AsUnitHandler<forms::ListTextsHandler>(ListTexts);
    default:
      return nullptr;
  }
}

}  // namespace

UnitTypeDescriptor EditBoxTypeDescriptor() {
  return MakeUnitType("\xB1\xE0\xBC\xAD\xBF\xF2",  // 编辑框 (GBK)
                      "EditBox", editbox::kTypeFlags, kProperties, QueryHandler);
}

}  // namespace runtime::units
