#include "runtime/units/combobox/combobox_type.h"

#include <cstring>
#include <optional>
#include <span>
#include <string>

#include "runtime/forms/unit_types.h"
#include "runtime/units/combobox/combobox_schema.h"
#include "runtime/units/combobox/combobox_unit.h"
#include "runtime/units/common/property_table.h"
#include "runtime/units/common/unit_controls.h"

namespace runtime::units {

namespace {

using namespace property_code;

using forms::AsUnitHandler;

constexpr PropertyTypeEntry kOwnProperties[] = {
    PropertyEntry(kChoice),           // 8 ComboStyle
    PropertyEntry(kText, 0x8001),     // 9 Content
    PropertyEntry(kInteger, 0x8001),  // 10 MaxLength
    PropertyEntry(kInteger, 0x8001),  // 11 SelStart
    PropertyEntry(kInteger, 0x8001),  // 12 SelLength
    PropertyEntry(kText, 0x8009),     // 13 SelText, not stored
    PropertyEntry(kLogical),          // 14 Sorted
    PropertyEntry(kInteger),          // 15 ItemSpacing
    PropertyEntry(kColour),           // 16 TextColor
    PropertyEntry(kSystemColour),     // 17 BackColor
    PropertyEntry(kFont),             // 18 Font
    PropertyEntry(kInteger),          // 19 ListIndex
    PropertyEntry(kOtherBytes),       // 20 Items
    PropertyEntry(kOtherBytes),       // 21 ItemData
    PropertyEntry(kDataSource),       // 22 DataSource
    PropertyEntry(kDataField),        // 23 DataField
    PropertyEntry(kLogical, 0x8010),  // 24 DataBindFlag
};
constexpr auto kProperties = PropertyTable(kOwnProperties);
static_assert(kProperties.size() == combobox::kPropertyCount);

// Reports content, font face, every item, data source and data field, and
// answers the record written out again.
HGLOBAL ListTexts(const uint8_t* properties, int32_t length, forms::ListTextCallback callback,
                  void* context) {
  const std::span<const uint8_t> bytes =
      properties != nullptr && length > 0
          ? std::span<const uint8_t>(properties, static_cast<size_t>(length))
          : std::span<const uint8_t>();
  std::optional<forms::RecordValues> record = forms::ReadRecord(ComboBoxSchema(), bytes);
  if (!record) return nullptr;
  if (callback != nullptr) {
    callback(record->Text(combobox::kContent).c_str(), context);
    const std::string& font = record->Text(combobox::kFont);
    if (font.size() == sizeof(LOGFONTA)) {
      LOGFONTA face{};
      std::memcpy(&face, font.data(), sizeof face);
      face.lfFaceName[LF_FACESIZE - 1] = '\0';
      callback(face.lfFaceName, context);
    }
    for (const std::string& item : record->Items(combobox::kItems)) callback(item.c_str(), context);
    callback(record->Text(combobox::kDataSource).c_str(), context);
    callback(record->Text(combobox::kDataField).c_str(), context);
  }
  return GlobalCopy(forms::WriteRecord(*record));
}

UnitHandler QueryHandler(int32_t number) {
  switch (number) {
    case forms::kHandlerCreate:
      return AsUnitHandler<forms::CreateHandler>(combobox::CreateComboBox);
    case forms::kHandlerSetProperty:
      return AsUnitHandler<forms::SetPropertyHandler>(combobox::SetComboBoxProperty);
    case forms::kHandlerSaveProperties:
      return AsUnitHandler<forms::SavePropertiesHandler>(combobox::SaveComboBoxProperties);
    case forms::kHandlerGetProperty:
      return AsUnitHandler<forms::GetPropertyHandler>(combobox::GetComboBoxProperty);
    case forms::kHandlerListTexts:
      return AsUnitHandler<forms::ListTextsHandler>(ListTexts);
    default:
      return nullptr;
  }
}

}  // namespace

UnitTypeDescriptor ComboBoxTypeDescriptor() {
  return MakeUnitType("\xD7\xE9\xBA\xCF\xBF\xF2",  // 组合框 (GBK)
                      "ComboBox", combobox::kTypeFlags, kProperties, QueryHandler);
}

}  // namespace runtime::units
