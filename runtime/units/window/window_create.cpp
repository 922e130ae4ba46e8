// Creating a window unit: its styles from the stored record, its place, its
// owner and class, and what follows once the window exists.
#include <memory>
#include <span>
#include <string>

#include "runtime/core/app_state.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units::window {

namespace {

// What the class of a window unit is registered with when nobody registered
// it before: redraw on resizing, double clicks, the arrow, no background (the
// window paints its own).
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;

bool EnsureClass(const std::string& name) {
  WNDCLASSA existing{};
  if (GetClassInfoA(nullptr, name.c_str(), &existing)) return true;
  WNDCLASSA window_class{};
  window_class.style = kClassStyle;
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  window_class.lpszClassName = name.c_str();
  return RegisterClassA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool HasCaption(const forms::RecordValues& record) {
  return !record.Text(kCaption).empty() || record.Int(kControlBox) != 0;
}

// The owner a top-level window gets: the one it was given, else the hidden
// owner when it must have no taskbar button (or the loader asked for an
// owned window).
HWND OwnerFor(const forms::RecordValues& record, HWND given, bool owned) {
  if (given != nullptr) return given;
  HWND hidden = App().hidden_owner;
  const bool wants_hidden = record.Int(kShowInTaskbar) == 0 || owned;
  return wants_hidden && hidden != nullptr && IsWindow(hidden) ? hidden : nullptr;
}

struct Placement {
  int32_t x, y, width, height;
  DWORD style;
};

// StartPosition at creation: centred on the screen, or created minimised or
// (with a sizing frame) maximised.
void ApplyCreationPosition(const forms::RecordValues& record, Placement& at) {
  switch (record.Int(kStartPosition)) {
    case kCentred:
      at.x = (GetSystemMetrics(SM_CXSCREEN) - at.width) / 2;
      at.y = (GetSystemMetrics(SM_CYSCREEN) - at.height) / 2;
      break;
    case kMinimised:
      at.style |= WS_MINIMIZE;
      break;
    case kMaximised:
      if ((at.style & WS_THICKFRAME) != 0) at.style |= WS_MAXIMIZE;
      break;
    default:
      break;
  }
}

// Step 6 of creation: what needs the window to exist.
void FinishWindow(WindowUnit& unit, const Placement& at) {
  HWND hwnd = unit.window;
  ApplyFrameStyles(unit);
  RECT now{};
  GetWindowRect(hwnd, &now);
  if ((at.style & (WS_MINIMIZE | WS_MAXIMIZE)) == 0 &&
      (now.right - now.left != at.width || now.bottom - now.top != at.height)) {
    SetWindowPos(hwnd, nullptr, 0, 0, at.width, at.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ApplyIcons(unit);
  if (unit.record.Int(kShape) != 0) ApplyShape(unit);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  if (!unit.embedded && Flag(unit, kAlwaysOnTop)) {
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (!Flag(unit, kMovable)) DeleteMenu(GetSystemMenu(hwnd, FALSE), SC_MOVE, MF_BYCOMMAND);
  StartMusic(unit);
}

}  // namespace

FrameStyles FrameStylesOf(const forms::RecordValues& record, bool embedded) {
  FrameStyles frame;
  const int32_t border = Clamp(record.Int(kBorder), kBorderNone, kBorderFixedSunken);
  if (border != kBorderNone) {
    if (HasCaption(record)) {
      frame.style |= WS_CAPTION;
      if (record.Int(kControlBox) != 0) frame.style |= WS_SYSMENU;
    }
    if (embedded) {
      frame.ex_style |= WS_EX_DLGMODALFRAME;
    } else {
      frame.style |= WS_DLGFRAME;
    }
  }
  if (!embedded && (border == kBorderSizable || border == kBorderSizableTool ||
                    border == kBorderSizableSunken)) {
    frame.style |= WS_THICKFRAME;
  }
  if (border == kBorderSizableTool || border == kBorderFixedTool)
    frame.ex_style |= WS_EX_TOOLWINDOW;
  if (border == kBorderSizableSunken || border == kBorderFixedSunken) {
    frame.ex_style |= WS_EX_CLIENTEDGE;
  }
  if (record.Int(kMaxButton) != 0) frame.style |= WS_MAXIMIZEBOX;
  if (record.Int(kMinButton) != 0) frame.style |= WS_MINIMIZEBOX;
  return frame;
}

void ApplyFrameStyles(WindowUnit& unit) {
  HWND hwnd = unit.window;
  const FrameStyles frame = FrameStylesOf(unit.record, unit.embedded);
  const auto style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
  const DWORD new_style = (style & ~kFrameStyleMask) | frame.style;
  // The frame hangs on WS_EX_WINDOWEDGE too, which a caption brings with it.
  const DWORD new_ex_style = (ex_style & ~(kFrameExStyleMask | WS_EX_WINDOWEDGE)) | frame.ex_style |
                             ((frame.style & WS_CAPTION) == WS_CAPTION ? WS_EX_WINDOWEDGE : 0);
  if (new_style == style && new_ex_style == ex_style) return;
  SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(new_style));
  SetWindowLongA(hwnd, GWL_EXSTYLE, static_cast<LONG>(new_ex_style));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The loader passes the disabled bit in `style` (a tab-stop bit would read
// as a maximise box here and is left out); `embedded` asks for a window
// inside `parent`, and `owned` for a top-level window owned by the hidden
// owner even when it would have a taskbar button.
void* CreateWindowUnit(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                       uint32_t control_id, HMENU menu, int32_t x, int32_t y, int32_t width,
                       int32_t height, uint32_t window_id, uint32_t unit_id, int32_t embedded,
                       int32_t owned) {
  const size_t size = properties != nullptr && length > 0 ? static_cast<size_t>(length) : 0;
  auto values = forms::ReadRecord(WindowSchema(), std::span<const uint8_t>(properties, size));
  if (!values) return nullptr;
  auto unit = std::make_unique<WindowUnit>(std::move(*values));
  unit->window_id = window_id;
  unit->unit_id = unit_id;
  unit->embedded = embedded != 0 && parent != nullptr;

  const FrameStyles frame = FrameStylesOf(unit->record, unit->embedded);
  const auto disabled = static_cast<DWORD>(style & WS_DISABLED);
  Placement at{x, y, width, height, static_cast<DWORD>(WS_CLIPCHILDREN) | disabled | frame.style};
  HWND owner = parent;
  HMENU menu_or_id = menu;
  if (unit->embedded) {
    at.style |= WS_CHILD;
    menu_or_id = reinterpret_cast<HMENU>(static_cast<uintptr_t>(control_id));
  } else {
    ApplyCreationPosition(unit->record, at);
    if (parent != nullptr) at.style |= WS_POPUP;
    owner = OwnerFor(unit->record, parent, owned != 0);
  }
  const std::string class_name =
      unit->record.Text(kClassName).empty() ? kDefaultClassName : unit->record.Text(kClassName);
  if (!EnsureClass(class_name)) return nullptr;
  unit->window = CreateWindowExA(frame.ex_style, class_name.c_str(),
                                 unit->record.Text(kCaption).c_str(), at.style, at.x, at.y,
                                 at.width, at.height, owner, menu_or_id, nullptr, nullptr);
  if (unit->window == nullptr) return nullptr;
  AttachProcedure(*unit);
  WindowUnit* created = unit.release();
  FinishWindow(*created, at);
  return created;
}

WindowUnit::~WindowUnit() {
  if (big_icon != nullptr) DestroyIcon(big_icon);
  if (small_icon != nullptr) DestroyIcon(small_icon);
  ReleasePicture(picture);
}

}  // namespace runtime::units::window
