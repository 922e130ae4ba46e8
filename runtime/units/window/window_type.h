// The window unit type ("窗口", type 1): the top-level window that holds a
// form's units, paints its background, owns their keyboard interface and
// turns window-system notifications into window events.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/core/program_header.h"

namespace runtime::units {

// The descriptor that fills slot 1 of the runtime library.
UnitTypeDescriptor WindowTypeDescriptor();

namespace window {

inline constexpr uint32_t kTypeFlags = 0x800000D0;
inline constexpr int32_t kPropertyCount = 32;

// Properties as the get and set handlers number them (property index - 8).
enum Property : int32_t {
  kCaptionProperty,
  kBorderProperty,
  kBackColorProperty,
  kBackPictureProperty,
  kBackPictureModeProperty,
  kBackMusicProperty,
  kBackMusicModeProperty,
  kControlBoxProperty,
  kMaxButtonProperty,
  kMinButtonProperty,
  kStartPositionProperty,
  kMovableProperty,
  kIconProperty,
  kEnterMovesFocusProperty,
  kEscClosesProperty,
  kF1OpensHelpProperty,
  kHelpFileProperty,
  kHelpContextProperty,
  kShowInTaskbarProperty,
  kDragAnywhereProperty,
  kShapeProperty,
  kAlwaysOnTopProperty,
  kKeepTitleActiveProperty,
  kClassNameProperty,
  kOwnPropertyCount
};

// The window's own events. A handler of 1 or 12 that returns false keeps
// the window open; one of 7 that returns true asks for more idle events.
enum Event : int32_t {
  kEventCreated = 0,
  kEventCloseQuery = 1,  // after 12, and when the session ends
  kEventDestroying = 2,
  kEventMoved = 3,
  kEventResized = 4,
  kEventActivated = 5,
  kEventDeactivated = 6,
  kEventIdle = 7,
  kEventFirstActivation = 8,
  kEventTrayIcon = 9,
  kEventShown = 10,
  kEventHidden = 11,
  kEventClosing = 12,
};

// Borders, start positions and background picture modes as stored.
enum Border : int32_t {
  kBorderNone,
  kBorderSizable,
  kBorderFixed,
  kBorderSizableTool,
  kBorderFixedTool,
  kBorderSizableSunken,
  kBorderFixedSunken,
};
enum StartPosition : int32_t { kAsStored, kCentred, kMinimised, kMaximised };
enum PictureMode : int32_t { kTopLeft, kTiled, kCentredFit, kStretched };

// What a unit without a background of its own sends the window it lies on:
// wParam the unit's DC, lParam a RECT in that DC's coordinates. The window
// paints its background there, lined up with its own client area (a DC of
// a window inside it is shifted by that window's place), and answers
// kBackgroundPainted.
inline constexpr UINT kBackgroundPaintRequest = 0x8389;
inline constexpr LRESULT kBackgroundPainted = 20141111;

// The class of windows whose record names none.
inline constexpr const char* kDefaultClassName = "HVWindow";

}  // namespace window

}  // namespace runtime::units
