#include "runtime/units/editbox/editbox_type.h"

#include "runtime/units/common/unit_controls.h"
#include "runtime/units/editbox/editbox_unit.h"

namespace runtime::units {

namespace {

using forms::AsUnitHandler;

constexpr int16_t kInteger = 1001;
constexpr int16_t kLogical = 1003;
constexpr int16_t kText = 1005;
constexpr int16_t kChoice = 1006;
constexpr int16_t kMousePointer = 1011;
constexpr int16_t kFontValue = 1013;
constexpr int16_t kColour = 1014;
constexpr int16_t kBackColour = 1017;
constexpr int16_t kDataSourceName = 1018;
constexpr int16_t kDataFieldName = 1020;

constexpr uint16_t kCommon = 0xE000;
constexpr uint16_t kOwn = 0x8000;
constexpr uint16_t kMarked = 0x8001;
constexpr uint16_t kNotStored = 0x8008;

constexpr PropertyTypeEntry Entry(int16_t type_code, uint16_t flags) {
  return {nullptr, nullptr, nullptr, type_code, flags, nullptr};
}

constexpr PropertyTypeEntry kProperties[editbox::kPropertyCount] = {
    Entry(kInteger, kCommon),     Entry(kInteger, kCommon),       // left, top
    Entry(kInteger, kCommon),     Entry(kInteger, kCommon),       // width, height
    Entry(kText, kCommon),        Entry(kLogical, kCommon),       // tag, visible
    Entry(kLogical, kCommon),     Entry(kMousePointer, kCommon),  // disabled, pointer
    Entry(kText, kOwn),                                           // 8 Content
    Entry(kChoice, kOwn),                                         // 9 Border
    Entry(kColour, kOwn),                                         // 10 TextColor
    Entry(kBackColour, kOwn),                                     // 11 BackColor
    Entry(kFontValue, kOwn),                                      // 12 Font
    Entry(kLogical, kOwn),                                        // 13 HideSelection
    Entry(kInteger, kOwn),                                        // 14 MaxLength
    Entry(kLogical, kOwn),                                        // 15 MultiLine
    Entry(kChoice, kOwn),                                         // 16 ScrollBars
    Entry(kChoice, kOwn),                                         // 17 Alignment
    Entry(kChoice, kOwn),                                         // 18 InputMode
    Entry(kText, kMarked),                                        // 19 PasswordChar
    Entry(kChoice, kOwn),                                         // 20 CaseConversion
    Entry(kChoice, kOwn),                                         // 21 SpinMode
    Entry(kInteger, kMarked),                                     // 22 SpinMin
    Entry(kInteger, kMarked),                                     // 23 SpinMax
    Entry(kInteger, kOwn),                                        // 24 SelStart
    Entry(kInteger, kOwn),                                        // 25 SelLength
    Entry(kText, kNotStored),                                     // 26 SelText
    Entry(kDataSourceName, kOwn),                                 // 27 DataSource
    Entry(kDataFieldName, kOwn),                                  // 28 DataField
};
static_assert(editbox::kOwnPropertyCount + 8 == editbox::kPropertyCount);

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
  UnitTypeDescriptor descriptor{};
  descriptor.chinese_name = "\xB1\xE0\xBC\xAD\xBF\xF2";  // 编辑框 (GBK)
  descriptor.english_name = "EditBox";
  descriptor.state_flags = editbox::kTypeFlags;
  descriptor.property_count = editbox::kPropertyCount;
  descriptor.property_types = kProperties;
  descriptor.handler_query = QueryHandler;
  return descriptor;
}

}  // namespace runtime::units
