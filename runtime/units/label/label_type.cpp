#include "runtime/units/label/label_type.h"

#include "runtime/units/common/unit_controls.h"
#include "runtime/units/label/label_unit.h"

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
constexpr int16_t kColour = 1014;
constexpr int16_t kColourOrNone = 1015;
constexpr int16_t kBackColour = 1017;
constexpr int16_t kDataSourceName = 1018;
constexpr int16_t kDataFieldName = 1020;

constexpr uint16_t kCommon = 0xE000;
constexpr uint16_t kOwn = 0x8000;
constexpr uint16_t kMarked = 0x8001;

constexpr PropertyTypeEntry Entry(int16_t type_code, uint16_t flags) {
  return {nullptr, nullptr, nullptr, type_code, flags, nullptr};
}

constexpr PropertyTypeEntry kProperties[label::kPropertyCount] = {
    Entry(kInteger, kCommon),
    Entry(kInteger, kCommon),  // left, top
    Entry(kInteger, kCommon),
    Entry(kInteger, kCommon),  // width, height
    Entry(kText, kCommon),
    Entry(kLogical, kCommon),  // tag, visible
    Entry(kLogical, kCommon),
    Entry(kMousePointer, kCommon),  // disabled, pointer
    Entry(kText, kOwn),             // 8 Caption
    Entry(kChoice, kOwn),           // 9 TextEffect
    Entry(kChoice, kOwn),           // 10 Border
    Entry(kInteger, kMarked),       // 11 FrameWidth
    Entry(kColourOrNone, kMarked),  // 12 FrameColor1
    Entry(kColourOrNone, kMarked),  // 13 FrameColor2
    Entry(kColourOrNone, kMarked),  // 14 FrameColor3
    Entry(kFontValue, kOwn),        // 15 Font
    Entry(kColour, kOwn),           // 16 TextColor
    Entry(kBackColour, kOwn),       // 17 BackColor
    Entry(kPictureBytes, kOwn),     // 18 BackPicture
    Entry(kChoice, kMarked),        // 19 BackPictureMode
    Entry(kChoice, kOwn),           // 20 GradientMode
    Entry(kColourOrNone, kMarked),  // 21 GradientColor1
    Entry(kColourOrNone, kMarked),  // 22 GradientColor2
    Entry(kColourOrNone, kMarked),  // 23 GradientColor3
    Entry(kChoice, kOwn),           // 24 Alignment
    Entry(kLogical, kOwn),          // 25 WordWrap
    Entry(kChoice, kOwn),           // 26 VerticalAlignment
    Entry(kDataSourceName, kOwn),   // 27 DataSource
    Entry(kDataFieldName, kOwn),    // 28 DataField
};
static_assert(label::kOwnPropertyCount + 8 == label::kPropertyCount);

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
  UnitTypeDescriptor descriptor{};
  descriptor.chinese_name = "\xB1\xEA\xC7\xA9";  // 标签 (GBK)
  descriptor.english_name = "Label";
  descriptor.state_flags = label::kTypeFlags;
  descriptor.property_count = label::kPropertyCount;
  descriptor.property_types = kProperties;
  descriptor.handler_query = QueryHandler;
  return descriptor;
}

}  // namespace runtime::units
