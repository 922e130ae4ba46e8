// The common dialog unit's window, its properties and its stored record.
#include "runtime/units/commondlg/commondlg_unit.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "runtime/core/runtime_library.h"
#include "runtime/forms/system_services.h"
#include "runtime/units/commondlg/commondlg_schema.h"

namespace runtime::units::commondlg {

namespace {

using forms::PropertyPair;

// The record field behind each own property (index - 8), in property order.
constexpr Field kFieldOf[] = {
    kDialogType, kTitle,        kFileName,      kFilter,          kFilterIndex,   kInitialDir,
    kDefaultExt, kCreatePrompt, kFileMustExist, kOverwritePrompt, kPathMustExist, kNoChangeDir,
    kFontColor,  kFontBold,     kFontItalic,    kFontStrikeOut,   kFontUnderline, kFontName,
    kFontSize,   kHelpFile,     kHelpCommand,   kHelpContext};
constexpr int32_t kOwnPropertyCount = static_cast<int32_t>(std::size(kFieldOf));

bool IsText(Field field) { return field >= kTitle; }

// Values as the unit keeps them: choices clamped, negatives of the index
// and the size taken as 0, logicals 0 or 1.
int32_t Normalised(Field field, int32_t value) {
  switch (field) {
    case kDialogType:
      return std::clamp(value, 0, static_cast<int32_t>(kHelp));
    case kHelpCommand:
      return std::clamp(value, 0, kLastHelpCommand);
    case kFilterIndex:
    case kFontSize:
      return std::max(value, 0);
    case kFontColor:
    case kHelpContext:
      return value;
    default:
      return value != 0 ? 1 : 0;
  }
}

LRESULT CommonDlgProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCDESTROY) {
    auto* unit = reinterpret_cast<CommonDlgUnit*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (unit != nullptr) {
      if (const SystemServiceRoutine services = LibraryServices()) {
        services(forms::kServiceDestroyed, static_cast<intptr_t>(unit->window_id),
                 static_cast<intptr_t>(unit->unit_id));
      }
      delete unit;
    }
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint{};
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool RegisterCommonDlgClass() {
  WNDCLASSA known{};
  if (GetClassInfoA(nullptr, kCommonDlgClass, &known)) return true;
  WNDCLASSA window_class{};
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = CommonDlgProc;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.lpszClassName = kCommonDlgClass;
  return RegisterClassA(&window_class) != 0;
}

}  // namespace

void* CreateCommonDlg(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                      uint32_t control_id, HMENU, int32_t x, int32_t y, int32_t width,
                      int32_t height, uint32_t window_id, uint32_t unit_id, int32_t, int32_t) {
  const std::span<const uint8_t> bytes =
      properties != nullptr && length > 0
          ? std::span<const uint8_t>(properties, static_cast<size_t>(length))
          : std::span<const uint8_t>();
  std::optional<forms::RecordValues> stored = forms::ReadRecord(CommonDlgSchema(), bytes);
  if (!stored || !RegisterCommonDlgClass()) return nullptr;
  auto unit = std::make_unique<CommonDlgUnit>(std::move(*stored));
  unit->window_id = window_id;
  unit->unit_id = unit_id;
  for (Field field : kFieldOf) {
    if (!IsText(field)) unit->record.SetInt(field, Normalised(field, unit->record.Int(field)));
  }
  unit->window = CreateWindowExA(0, kCommonDlgClass, "", style | WS_CHILD | WS_CLIPSIBLINGS, x, y,
                                 width, height, parent,
                                 reinterpret_cast<HMENU>(uintptr_t{control_id}), nullptr, nullptr);
  if (unit->window == nullptr) return nullptr;
  SetWindowLongPtrA(unit->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(unit.get()));
  return unit.release();
}

void GetCommonDlgProperty(void* object, int32_t index, PropertyPair* pair) {
  const auto& unit = *static_cast<const CommonDlgUnit*>(object);
  if (index < 0 || index >= kOwnPropertyCount) return;
  const Field field = kFieldOf[index];
  if (IsText(field)) {
    pair->address = unit.record.Text(field).c_str();
  } else {
    pair->first = static_cast<uint32_t>(unit.record.Int(field));
  }
}

int32_t SetCommonDlgProperty(void* object, int32_t index, const PropertyPair* pair, int32_t) {
  auto& unit = *static_cast<CommonDlgUnit*>(object);
  if (index < 0 || index >= kOwnPropertyCount) return 0;
  const Field field = kFieldOf[index];
  if (IsText(field)) {
    unit.record.SetText(field,
                        pair->address != nullptr ? static_cast<const char*>(pair->address) : "");
  } else {
    unit.record.SetInt(field, Normalised(field, static_cast<int32_t>(pair->first)));
  }
  return 0;
}

HGLOBAL SaveCommonDlgProperties(void* object) {
  const auto& unit = *static_cast<const CommonDlgUnit*>(object);
  const std::string record = forms::WriteRecord(unit.record);
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, record.size());
  if (block == nullptr) return nullptr;
  std::memcpy(GlobalLock(block), record.data(), record.size());
  GlobalUnlock(block);
  return block;
}

}  // namespace runtime::units::commondlg
