#include "runtime/units/window/window_type.h"

#include "runtime/forms/unit_types.h"
#include "runtime/units/common/property_table.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units {

namespace {

using forms::AsUnitHandler;

using namespace property_code;

// BackPictureMode, BackMusicMode, the caption buttons and the help
// properties carry a marked flag word.
constexpr uint16_t kMarked = kOwnPropertyFlags | 0x0001;

constexpr PropertyTypeEntry kOwnProperties[] = {
    PropertyEntry(kText),               // 8 Caption
    PropertyEntry(kChoice),             // 9 Border
    PropertyEntry(kSystemColour),       // 10 BackColor
    PropertyEntry(kPicture),            // 11 BackPicture
    PropertyEntry(kChoice, kMarked),    // 12 BackPictureMode
    PropertyEntry(kSound),              // 13 BackMusic
    PropertyEntry(kChoice, kMarked),    // 14 BackMusicMode
    PropertyEntry(kLogical),            // 15 ControlBox
    PropertyEntry(kLogical, kMarked),   // 16 MaxButton
    PropertyEntry(kLogical, kMarked),   // 17 MinButton
    PropertyEntry(kChoice),             // 18 StartPosition
    PropertyEntry(kLogical),            // 19 Movable
    PropertyEntry(kIcon),               // 20 Icon
    PropertyEntry(kLogical),            // 21 EnterMovesFocus
    PropertyEntry(kLogical),            // 22 EscCloses
    PropertyEntry(kLogical),            // 23 F1OpensHelp
    PropertyEntry(kFileName, kMarked),  // 24 HelpFile
    PropertyEntry(kInteger, kMarked),   // 25 HelpContext
    PropertyEntry(kLogical),            // 26 ShowInTaskbar
    PropertyEntry(kLogical),            // 27 DragAnywhere
    PropertyEntry(kChoice),             // 28 Shape
    PropertyEntry(kLogical),            // 29 AlwaysOnTop
    PropertyEntry(kLogical),            // 30 KeepTitleActive
    PropertyEntry(kText),               // 31 ClassName
};
constexpr auto kProperties = PropertyTable(kOwnProperties);
static_assert(kProperties.size() == window::kPropertyCount);

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
  return MakeUnitType("\xB4\xB0\xBF\xDA",  // 窗口 (GBK)
                      "window", window::kTypeFlags, kProperties, QueryHandler);
}

}  // namespace runtime::units
