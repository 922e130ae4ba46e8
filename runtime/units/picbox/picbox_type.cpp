#include "runtime/units/picbox/picbox_type.h"

#include <cstring>
#include <optional>
#include <string>

#include "runtime/forms/unit_types.h"
#include "runtime/units/picbox/picbox_schema.h"
#include "runtime/units/picbox/picbox_unit.h"

namespace runtime::units {

namespace {

using forms::AsUnitHandler;

// Property type codes.
constexpr int16_t kInteger = 1000;
constexpr int16_t kLogical = 1003;
constexpr int16_t kText = 1005;
constexpr int16_t kChoice = 1006;
constexpr int16_t kPictureBytes = 1009;
constexpr int16_t kMousePointer = 1011;
constexpr int16_t kColour = 1017;
constexpr int16_t kDataSourceName = 1018;
constexpr int16_t kDataFieldName = 1020;

constexpr uint16_t kCommon = 0xE000;
constexpr uint16_t kOwn = 0x8000;
constexpr uint16_t kOwnMarked = 0x8001;  // DisplayMode

constexpr PropertyTypeEntry Entry(int16_t type_code, uint16_t flags) {
  return {nullptr, nullptr, nullptr, type_code, flags, nullptr};
}

constexpr PropertyTypeEntry kProperties[picbox::kPropertyCount] = {
    // The eight common properties the framework serves.
    Entry(kInteger, kCommon),       // left
    Entry(kInteger, kCommon),       // top
    Entry(kInteger, kCommon),       // width
    Entry(kInteger, kCommon),       // height
    Entry(kText, kCommon),          // tag
    Entry(kLogical, kCommon),       // visible
    Entry(kLogical, kCommon),       // disabled
    Entry(kMousePointer, kCommon),  // mouse pointer
    Entry(kChoice, kOwn),           // 8 Border
    Entry(kColour, kOwn),           // 9 BackColor
    Entry(kPictureBytes, kOwn),     // 10 Picture
    Entry(kChoice, kOwnMarked),     // 11 DisplayMode
    Entry(kLogical, kOwn),          // 12 PlayAnimation
    Entry(kDataSourceName, kOwn),   // 13 DataSource
    Entry(kDataFieldName, kOwn),    // 14 DataField
};
static_assert(picbox::kOwnPropertyCount + 8 == picbox::kPropertyCount);

// Reports the record's data-binding texts and answers the record written
// out again (at the current version); null for a record that does not read.
HGLOBAL ListTexts(const uint8_t* properties, int32_t length, forms::ListTextCallback callback,
                  void* context) {
  const std::span<const uint8_t> bytes =
      properties != nullptr && length > 0
          ? std::span<const uint8_t>(properties, static_cast<size_t>(length))
          : std::span<const uint8_t>();
  std::optional<forms::RecordValues> record = forms::ReadRecord(PicBoxSchema(), bytes);
  if (!record) return nullptr;
  if (callback != nullptr) {
    callback(record->Text(picbox::kDataSource).c_str(), context);
    callback(record->Text(picbox::kDataField).c_str(), context);
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
  UnitTypeDescriptor descriptor{};
  descriptor.chinese_name = "\xCD\xBC\xC6\xAC\xBF\xF2";  // 图片框 (GBK)
  descriptor.english_name = "PicBox";
  descriptor.state_flags = picbox::kTypeFlags;
  descriptor.property_count = picbox::kPropertyCount;
  descriptor.property_types = kProperties;
  descriptor.handler_query = QueryHandler;
  return descriptor;
}

}  // namespace runtime::units
