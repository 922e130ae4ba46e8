#include "runtime/units/combobox/combobox_type.h"

#include <cstring>
#include <optional>
#include <span>
#include <string>

#include "runtime/forms/unit_types.h"
#include "runtime/units/combobox/combobox_schema.h"
#include "runtime/units/combobox/combobox_unit.h"

namespace runtime::units {

namespace {

using forms::AsUnitHandler;

// Property type codes.
constexpr int16_t kInteger = 1001;
constexpr int16_t kLogical = 1003;
constexpr int16_t kText = 1005;
constexpr int16_t kChoice = 1006;
constexpr int16_t kMousePointer = 1011;
constexpr int16_t kFont = 1013;
constexpr int16_t kColour = 1014;
constexpr int16_t kBackColour = 1017;
constexpr int16_t kDataSourceName = 1018;
constexpr int16_t kDataFieldName = 1020;
constexpr int16_t kOtherBytes = 1024;

constexpr uint16_t kCommon = 0xE000;
constexpr uint16_t kOwn = 0x8000;

constexpr PropertyTypeEntry Entry(int16_t type_code, uint16_t flags) {
  return {nullptr, nullptr, nullptr, type_code, flags, nullptr};
}

constexpr PropertyTypeEntry kProperties[combobox::kPropertyCount] = {
    Entry(kInteger, kCommon),       // left
    Entry(kInteger, kCommon),       // top
    Entry(kInteger, kCommon),       // width
    Entry(kInteger, kCommon),       // height
    Entry(kText, kCommon),          // tag
    Entry(kLogical, kCommon),       // visible
    Entry(kLogical, kCommon),       // disabled
    Entry(kMousePointer, kCommon),  // mouse pointer
    Entry(kChoice, kOwn),           // 8 ComboStyle
    Entry(kText, 0x8001),           // 9 Content
    Entry(kInteger, 0x8001),        // 10 MaxLength
    Entry(kInteger, 0x8001),        // 11 SelStart
    Entry(kInteger, 0x8001),        // 12 SelLength
    Entry(kText, 0x8009),           // 13 SelText, not stored
    Entry(kLogical, kOwn),          // 14 Sorted
    Entry(kInteger, kOwn),          // 15 ItemSpacing
    Entry(kColour, kOwn),           // 16 TextColor
    Entry(kBackColour, kOwn),       // 17 BackColor
    Entry(kFont, kOwn),             // 18 Font
    Entry(kInteger, kOwn),          // 19 ListIndex
    Entry(kOtherBytes, kOwn),       // 20 Items
    Entry(kOtherBytes, kOwn),       // 21 ItemData
    Entry(kDataSourceName, kOwn),   // 22 DataSource
    Entry(kDataFieldName, kOwn),    // 23 DataField
    Entry(kLogical, 0x8010),        // 24 DataBindFlag
};
static_assert(combobox::kOwnPropertyCount + 8 == combobox::kPropertyCount);

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
  const std::string written = forms::WriteRecord(*record);
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, written.size());
  if (block == nullptr) return nullptr;
  std::memcpy(GlobalLock(block), written.data(), written.size());
  GlobalUnlock(block);
  return block;
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
  UnitTypeDescriptor descriptor{};
  descriptor.chinese_name = "\xD7\xE9\xBA\xCF\xBF\xF2";  // 组合框 (GBK)
  descriptor.english_name = "ComboBox";
  descriptor.state_flags = combobox::kTypeFlags;
  descriptor.property_count = combobox::kPropertyCount;
  descriptor.property_types = kProperties;
  descriptor.handler_query = QueryHandler;
  return descriptor;
}

}  // namespace runtime::units
