#include "runtime/units/window/window_type.h"

#include "runtime/forms/unit_types.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units {

namespace {

using forms::AsUnitHandler;

// Property type codes.
constexpr int16_t kInteger = 1001;
constexpr int16_t kLogical = 1003;
constexpr int16_t kText = 1005;
constexpr int16_t kChoice = 1006;
constexpr int16_t kPicture = 1009;
constexpr int16_t kIconBytes = 1010;
constexpr int16_t kMousePointer = 1011;
constexpr int16_t kSound = 1012;
constexpr int16_t kFileName = 1016;
constexpr int16_t kColour = 1017;

constexpr uint16_t kCommon = 0xE000;
constexpr uint16_t kOwn = 0x8000;
constexpr uint16_t kOwnMarked = 0x8001;  // BackPictureMode, BackMusicMode, buttons, help

constexpr PropertyTypeEntry Entry(int16_t type_code, uint16_t flags) {
  return {nullptr, nullptr, nullptr, type_code, flags, nullptr};
}

constexpr PropertyTypeEntry kProperties[window::kPropertyCount] = {
    // The eight common properties the framework serves.
    Entry(kInteger, kCommon),       // left
    Entry(kInteger, kCommon),       // top
    Entry(kInteger, kCommon),       // width
    Entry(kInteger, kCommon),       // height
    Entry(kText, kCommon),          // tag
    Entry(kLogical, kCommon),       // visible
    Entry(kLogical, kCommon),       // disabled
    Entry(kMousePointer, kCommon),  // mouse pointer
    Entry(kText, kOwn),             // 8 Caption
    Entry(kChoice, kOwn),           // 9 Border
    Entry(kColour, kOwn),           // 10 BackColor
    Entry(kPicture, kOwn),          // 11 BackPicture
    Entry(kChoice, kOwnMarked),     // 12 BackPictureMode
    Entry(kSound, kOwn),            // 13 BackMusic
    Entry(kChoice, kOwnMarked),     // 14 BackMusicMode
    Entry(kLogical, kOwn),          // 15 ControlBox
    Entry(kLogical, kOwnMarked),    // 16 MaxButton
    Entry(kLogical, kOwnMarked),    // 17 MinButton
    Entry(kChoice, kOwn),           // 18 StartPosition
    Entry(kLogical, kOwn),          // 19 Movable
    Entry(kIconBytes, kOwn),        // 20 Icon
    Entry(kLogical, kOwn),          // 21 EnterMovesFocus
    Entry(kLogical, kOwn),          // 22 EscCloses
    Entry(kLogical, kOwn),          // 23 F1OpensHelp
    Entry(kFileName, kOwnMarked),   // 24 HelpFile
    Entry(kInteger, kOwnMarked),    // 25 HelpContext
    Entry(kLogical, kOwn),          // 26 ShowInTaskbar
    Entry(kLogical, kOwn),          // 27 DragAnywhere
    Entry(kChoice, kOwn),           // 28 Shape
    Entry(kLogical, kOwn),          // 29 AlwaysOnTop
    Entry(kLogical, kOwn),          // 30 KeepTitleActive
    Entry(kText, kOwn),             // 31 ClassName
};
static_assert(window::kOwnPropertyCount + 8 == window::kPropertyCount);

UnitHandler QueryHandler(int32_t number) {
  switch (number) {
    case forms::kHandlerCreate:
      return AsUnitHandler<forms::CreateHandler>(window::CreateWindowUnit);
    case forms::kHandlerSetProperty:
      return AsUnitHandler<forms::SetPropertyHandler>(window::SetWindowProperty);
    case forms::kHandlerSaveProperties:
      return AsUnitHandler<forms::SavePropertiesHandler>(window::SaveWindowProperties);
    case forms::kHandlerGetProperty:
      return AsUnitHandler<forms::GetPropertyHandler>(window::GetWindowProperty);
    case forms::kHandlerStoredIcon:
      return AsUnitHandler<forms::StoredIconHandler>(window::StoredWindowIcon);
    case forms::kHandlerListTexts:
      return AsUnitHandler<forms::ListTextsHandler>(window::ListWindowTexts);
    case forms::kHandlerShowWindow:
      return AsUnitHandler<forms::ShowWindowHandler>(window::ShowWindowUnit);
    case forms::kHandlerWindowKeys:
      return AsUnitHandler<forms::WindowKeysHandler>(window::WindowKeys);
    default:
      return nullptr;
  }
}

}  // namespace

UnitTypeDescriptor WindowTypeDescriptor() {
  UnitTypeDescriptor descriptor{};
  descriptor.chinese_name = "\xB4\xB0\xBF\xDA";  // 窗口 (GBK)
  descriptor.english_name = "window";
  descriptor.state_flags = window::kTypeFlags;
  descriptor.property_count = window::kPropertyCount;
  descriptor.property_types = kProperties;
  descriptor.handler_query = QueryHandler;
  return descriptor;
}

}  // namespace runtime::units
