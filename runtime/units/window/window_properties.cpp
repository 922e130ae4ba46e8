// The window's own properties (index 8 on): reading, writing with what each
// write changes on the live window, saving the record, and the handlers
// that read a stored record without a window (icon, texts).
#include <array>
#include <cstring>
#include <span>
#include <string>

#include "runtime/core/runtime_library.h"
#include "runtime/forms/system_services.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units::window {

namespace {

// The record field behind each property.
constexpr std::array<Field, kOwnPropertyCount> kFieldOf = {
    kCaption,       kBorder,          kBackColor, kBackPicture, kBackPictureMode, kBackMusic,
    kBackMusicMode, kControlBox,      kMaxButton, kMinButton,   kStartPosition,   kMovable,
    kIcon,          kEnterMovesFocus, kEscCloses, kF1OpensHelp, kHelpFile,        kHelpContext,
    kShowInTaskbar, kDragAnywhere,    kShape,     kAlwaysOnTop, kKeepTitleActive, kClassName};

// The highest value of each choice property.
int32_t ChoiceLimit(Field field) {
  switch (field) {
    case kBorder:
      return kBorderFixedSunken;
    case kBackPictureMode:
      return kStretched;
    case kBackMusicMode:
      return 2;
    case kStartPosition:
      return kMaximised;
    case kShape:
      return kShapeCount - 1;
    default:
      return -1;  // not a choice
  }
}

bool IsLogical(Field field) {
  return WindowSchema().fields[field].style == forms::IntStyle::kLogical;
}

forms::FieldKind KindOf(Field field) { return WindowSchema().fields[field].kind; }

void SetTopmost(HWND hwnd, bool topmost) {
  SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Leaving the topmost band must not push the program's other topmost
// windows (those with a taskbar button) below ordinary windows.
void KeepOtherWindowsOnTop(const WindowUnit& unit) {
  SystemServiceRoutine services = LibraryServices();
  if (services == nullptr) return;
  const auto count = static_cast<int32_t>(services(forms::kServiceWindowCount, 0, 0));
  for (int32_t position = 0; position < count; ++position) {
    HWND other = reinterpret_cast<HWND>(services(forms::kServiceWindowHandle, position, 0));
    WindowUnit* other_unit = other != nullptr ? UnitOfWindow(other) : nullptr;
    if (other == unit.window || other_unit == nullptr || !IsWindowVisible(other) ||
        (GetWindowLongA(other, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0 ||
        !Flag(*other_unit, kShowInTaskbar)) {
      continue;
    }
    SetTopmost(other, true);
  }
}

void ApplyMovable(const WindowUnit& unit) {
  GetSystemMenu(unit.window, TRUE);
  if (!Flag(unit, kMovable)) DeleteMenu(GetSystemMenu(unit.window, FALSE), SC_MOVE, MF_BYCOMMAND);
}

void ApplyTopmost(const WindowUnit& unit) {
  if (unit.embedded) return;
  const bool topmost = Flag(unit, kAlwaysOnTop);
  SetTopmost(unit.window, topmost);
  if (!topmost) KeepOtherWindowsOnTop(unit);
}

// What a stored value changes on the live window.
void Apply(WindowUnit& unit, Field field) {
  switch (field) {
    case kCaption:
      SetWindowTextA(unit.window, unit.record.Text(kCaption).c_str());
      ApplyFrameStyles(unit);
      break;
    case kBorder:
    case kControlBox:
    case kMaxButton:
    case kMinButton:
      ApplyFrameStyles(unit);
      break;
    case kBackColor:
      RepaintBackground(unit);
      break;
    case kBackPicture:
      DropBackgroundPicture(unit);
      RepaintBackground(unit);
      break;
    case kBackPictureMode:
      if (!unit.record.Text(kBackPicture).empty()) RepaintBackground(unit);
      break;
    case kBackMusic:
    case kBackMusicMode:
      StartMusic(unit);
      break;
    case kStartPosition:
      if (IsWindowVisible(unit.window) && !unit.embedded) {
        ApplyStartPosition(unit, unit.record.Int(kStartPosition));
      }
      break;
    case kMovable:
      ApplyMovable(unit);
      break;
    case kIcon:
      ApplyIcons(unit);
      break;
    case kShape:
      ApplyShape(unit);
      break;
    case kAlwaysOnTop:
      ApplyTopmost(unit);
      break;
    default:
      break;  // only stored
  }
}

void Store(WindowUnit& unit, Field field, const forms::PropertyPair& pair) {
  switch (KindOf(field)) {
    case forms::FieldKind::kText: {
      const char* text = static_cast<const char*>(pair.address);
      unit.record.SetText(field, text != nullptr ? text : "");
      break;
    }
    case forms::FieldKind::kBytes: {
      const char* bytes = static_cast<const char*>(pair.address);
      unit.record.SetText(field, bytes != nullptr ? std::string(bytes, pair.second) : "");
      break;
    }
    default: {
      auto value = static_cast<int32_t>(pair.first);
      if (IsLogical(field)) value = value != 0 ? 1 : 0;
      if (ChoiceLimit(field) >= 0) value = Clamp(value, 0, ChoiceLimit(field));
      unit.record.SetInt(field, value);
      break;
    }
  }
}

std::optional<forms::RecordValues> ReadStored(const uint8_t* properties, int32_t length) {
  const size_t size = properties != nullptr && length > 0 ? static_cast<size_t>(length) : 0;
  return forms::ReadRecord(WindowSchema(), std::span<const uint8_t>(properties, size));
}

}  // namespace

HGLOBAL GlobalBlock(const std::string& bytes) {
  if (bytes.empty()) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  void* at = block != nullptr ? GlobalLock(block) : nullptr;
  if (at == nullptr) {
    if (block != nullptr) GlobalFree(block);
    return nullptr;
  }
  std::memcpy(at, bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

void GetWindowProperty(void* object, int32_t index, forms::PropertyPair* pair) {
  auto* unit = static_cast<WindowUnit*>(object);
  if (unit == nullptr || pair == nullptr || index < 0 || index >= kOwnPropertyCount) return;
  *pair = {};
  const Field field = kFieldOf[static_cast<size_t>(index)];
  switch (KindOf(field)) {
    case forms::FieldKind::kText:
      pair->address = unit->record.Text(field).c_str();
      break;
    case forms::FieldKind::kBytes: {
      const std::string& bytes = unit->record.Text(field);
      pair->address = bytes.empty() ? nullptr : bytes.data();
      pair->second = static_cast<uint32_t>(bytes.size());
      break;
    }
    default:
      pair->first = static_cast<uint32_t>(
          field == kStartPosition ? CurrentStartPosition(unit->window) : unit->record.Int(field));
      break;
  }
}

// No write needs the window made again (the type is never re-created).
int32_t SetWindowProperty(void* object, int32_t index, const forms::PropertyPair* pair,
                          int32_t /*zero*/) {
  auto* unit = static_cast<WindowUnit*>(object);
  if (unit == nullptr || pair == nullptr || index < 0 || index >= kOwnPropertyCount) return 0;
  const Field field = kFieldOf[static_cast<size_t>(index)];
  if (field == kBackMusic || field == kBackMusicMode) StopMusic(*unit);
  Store(*unit, field, *pair);
  if (unit->window != nullptr && IsWindow(unit->window)) Apply(*unit, field);
  return 0;
}

HGLOBAL SaveWindowProperties(void* object) {
  auto* unit = static_cast<WindowUnit*>(object);
  return unit != nullptr ? GlobalBlock(forms::WriteRecord(unit->record)) : nullptr;
}

HGLOBAL StoredWindowIcon(const uint8_t* properties, int32_t length) {
  const auto record = ReadStored(properties, length);
  return record ? GlobalBlock(record->Text(kIcon)) : nullptr;
}

HGLOBAL ListWindowTexts(const uint8_t* properties, int32_t length, forms::ListTextCallback callback,
                        void* context) {
  const auto record = ReadStored(properties, length);
  if (!record) return nullptr;
  if (callback != nullptr) {
    for (Field field : {kCaption, kHelpFile}) callback(record->Text(field).c_str(), context);
  }
  return GlobalBlock(forms::WriteRecord(*record));
}

}  // namespace runtime::units::window
