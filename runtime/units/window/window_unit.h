// What the files of the window unit type share: the live window object and
// the routines one file offers the others. Only the type's own files include
// this header.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "runtime/core/program_header.h"
#include "runtime/forms/event_record.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/unit_object.h"
#include "runtime/forms/unit_types.h"
#include "runtime/pictures/picture.h"
#include "runtime/units/window/window_schema.h"
#include "runtime/units/window/window_type.h"

namespace runtime::units::window {

// The live window object. The framework reads its first part; the rest is
// the type's own.
struct WindowUnit : forms::UnitObject {
  explicit WindowUnit(forms::RecordValues values) : record(std::move(values)) {}
  ~WindowUnit();
  WindowUnit(const WindowUnit&) = delete;
  WindowUnit& operator=(const WindowUnit&) = delete;

  forms::RecordValues record;         // the stored properties, kept current by every write
  bool embedded = false;              // made inside another window, not as a top-level one
  WNDPROC class_procedure = nullptr;  // what the window's class would have done

  HICON big_icon = nullptr;  // made from Icon; null while the default icon shows
  HICON small_icon = nullptr;
  HFONT font = nullptr;  // WM_SETFONT's; the stock GUI font, never destroyed

  // BackPicture decoded on the first paint that needs it; dropped when the
  // property changes. `picture_failed` keeps bytes that do not decode from
  // being tried at every paint.
  Picture* picture = nullptr;
  bool picture_failed = false;

  HWND last_focus = nullptr;        // the child that had the focus at deactivation
  bool activated_once = false;      // event 8 has been raised
  bool focus_event_raised = false;  // -7 was raised for the window itself
  bool help_opened = false;         // F1 opened HelpFile; closed with the window
  bool wave_playing = false;        // BackMusic is this window's wave sound
};

// --- window_create.cpp ----------------------------------------------------

// The create handler (number 1).
void* CreateWindowUnit(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                       uint32_t control_id, HMENU menu, int32_t x, int32_t y, int32_t width,
                       int32_t height, uint32_t window_id, uint32_t unit_id, int32_t embedded,
                       int32_t owned);

// Style and extended-style bits that Border, Caption, ControlBox, MaxButton
// and MinButton decide, and the masks of the bits they may change.
struct FrameStyles {
  DWORD style = 0;
  DWORD ex_style = 0;
};
inline constexpr DWORD kFrameStyleMask =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_DLGFRAME;
inline constexpr DWORD kFrameExStyleMask =
    WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;
FrameStyles FrameStylesOf(const forms::RecordValues& record, bool embedded);
// Puts the frame and caption bits of the record on the live window.
void ApplyFrameStyles(WindowUnit& unit);

// --- window_show.cpp ------------------------------------------------------

// The show routine (kHandlerShowWindow).
void ShowWindowUnit(void* object);
// What reading StartPosition answers: 2 minimised, 3 maximised, else 0.
int32_t CurrentStartPosition(HWND hwnd);
// A write of StartPosition while the window is visible.
void ApplyStartPosition(WindowUnit& unit, int32_t position);
// The work area of the monitor nearest to `hwnd`.
RECT WorkAreaOf(HWND hwnd);

// --- window_properties.cpp ------------------------------------------------

// Handlers 6, 4, 5, 7 and 9.
void GetWindowProperty(void* object, int32_t index, forms::PropertyPair* pair);
int32_t SetWindowProperty(void* object, int32_t index, const forms::PropertyPair* pair,
                          int32_t zero);
HGLOBAL SaveWindowProperties(void* object);
HGLOBAL StoredWindowIcon(const uint8_t* properties, int32_t length);
HGLOBAL ListWindowTexts(const uint8_t* properties, int32_t length, forms::ListTextCallback callback,
                        void* context);
// A GlobalAlloc block holding `bytes`; null when empty or out of memory.
HGLOBAL GlobalBlock(const std::string& bytes);

// --- window_icons.cpp -----------------------------------------------------

// Gives the window the icons of Icon (the runtime's default icon when it is
// empty) and destroys the ones it replaces.
void ApplyIcons(WindowUnit& unit);

// --- window_background.cpp ------------------------------------------------

// Paints the background over `clip` (client coordinates) of the window.
void PaintBackground(WindowUnit& unit, HDC dc, const RECT& clip);
// kBackgroundPaintRequest.
LRESULT AnswerBackgroundRequest(WindowUnit& unit, HDC dc, const RECT* rect);
// Forgets the decoded BackPicture.
void DropBackgroundPicture(WindowUnit& unit);
// Repaints the window and its visible transparent children.
void RepaintBackground(const WindowUnit& unit);

// --- window_shapes.cpp ----------------------------------------------------

inline constexpr int32_t kShapeCount = 30;  // 0 rectangle .. 29
// The region of `shape` for a window of that size (window coordinates); null
// for the plain rectangle.
HRGN MakeShapeRegion(int32_t shape, int32_t width, int32_t height);
// Gives the window the region of its Shape at its present size.
void ApplyShape(const WindowUnit& unit);

// --- window_units.cpp -----------------------------------------------------

// One unit of the window's unit table as the keyboard interface sees it.
struct UnitEntry {
  int32_t index = 0;  // position in the unit table (1 on)
  uint32_t unit_id = 0;
  uint32_t type_flags = 0;
  const UnitTypeDescriptor* type = nullptr;
  forms::UnitObject* live = nullptr;
  HWND window = nullptr;  // the unit's window, when it is live and has one
  HCURSOR cursor = nullptr;
  uint32_t record_flags = 0;  // visible, disabled, tab stop as stored
  int32_t tab_order = 0;
  uint32_t parent_id = 0;
};

// The units of the window (entries 1 on, menu items left out), in table
// order. Empty when the framework does not know the window.
std::vector<UnitEntry> ListUnits(const WindowUnit& unit);
// The cursor made from the window's own mouse-pointer property, or null.
HCURSOR WindowCursor(const WindowUnit& unit);
// Tells the framework that the window is inside its close handling (or is
// no longer), so that loading it meanwhile builds it anew.
void MarkBeingClosed(const WindowUnit& unit, bool closing);
// The entry whose window is `hwnd` or holds it; null for none.
const UnitEntry* UnitHolding(const std::vector<UnitEntry>& units, HWND hwnd);

// What a raised event's handler answered.
struct EventAnswer {
  bool ran = false;       // a handler was bound and ran
  bool returned = false;  // it returned a value
  uint32_t value = 0;
  // A handler that returned false (0).
  bool Vetoes() const { return returned && value == 0; }
};
EventAnswer RaiseUnitEvent(uint32_t window_id, uint32_t unit_id, int32_t event,
                           std::initializer_list<uint32_t> arguments = {});
// An event of the window itself.
EventAnswer RaiseWindowEvent(const WindowUnit& unit, int32_t event,
                             std::initializer_list<uint32_t> arguments = {});

// --- window_focus.cpp -----------------------------------------------------

enum class Direction { kNext, kPrevious };
// Tab and Shift+Tab: moves the focus among the window's units; false when
// no unit can take it.
bool MoveFocus(WindowUnit& unit, Direction direction);
// The arrow keys on a radio button.
bool MoveAmongRadioButtons(WindowUnit& unit, const UnitEntry& from, Direction direction);
// Checks a radio button, unchecks the others of its group and raises its
// click event.
void ChooseRadioButton(const WindowUnit& unit, const std::vector<UnitEntry>& units,
                       const UnitEntry& radio);
// When the window itself gets the focus: back to the child that had it, else
// to the first unit in tab order. False when no unit could take it.
bool RestoreFocus(WindowUnit& unit);

// --- window_keys.cpp ------------------------------------------------------

// The keyboard interface (kHandlerWindowKeys).
int32_t WindowKeys(void* object, MSG* message);

// --- window_events.cpp ----------------------------------------------------

// The procedure every window of the type runs.
LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
WindowUnit* UnitOfWindow(HWND hwnd);
void AttachProcedure(WindowUnit& unit);

// --- window_music.cpp -----------------------------------------------------

// Starts BackMusic by BackMusicMode (an embedded window plays none).
void StartMusic(WindowUnit& unit);
// Stops what StartMusic started.
void StopMusic(WindowUnit& unit);

// The logical (0/1) and clamped choice values of the record.
inline bool Flag(const WindowUnit& unit, Field field) { return unit.record.Int(field) != 0; }
inline int32_t Clamp(int32_t value, int32_t low, int32_t high) {
  return value < low ? low : (value > high ? high : value);
}

}  // namespace runtime::units::window
