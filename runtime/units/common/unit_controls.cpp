#include "runtime/units/common/unit_controls.h"

#include <cstring>
#include <optional>

#include "runtime/core/runtime_library.h"
#include "runtime/forms/event_record.h"
#include "runtime/forms/system_services.h"

namespace runtime::units {

namespace {

constexpr size_t kFontRecordBytes = sizeof(LOGFONTA);
static_assert(kFontRecordBytes == 60);

constexpr DWORD kBorderExStyles = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
constexpr DWORD kBorderExStyle[kLastBorderStyle + 1] = {0,
                                                        WS_EX_CLIENTEDGE,
                                                        WS_EX_DLGMODALFRAME,
                                                        WS_EX_STATICEDGE,
                                                        WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME,
                                                        0};
constexpr int32_t kSingleLineBorder = 5;  // WS_BORDER instead of an extended style

}  // namespace

HFONT MakeUnitFont(std::span<const uint8_t> record) {
  if (record.size() != kFontRecordBytes) return nullptr;
  LOGFONTA font{};
  std::memcpy(&font, record.data(), kFontRecordBytes);
  font.lfFaceName[LF_FACESIZE - 1] = '\0';  // a stored record need not end its name
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = 0;
  font.lfClipPrecision = 0;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = 0;
  return CreateFontIndirectA(&font);
}

void ApplyBorderStyle(HWND window, int32_t border) {
  border = ClampTo(border, 0, kLastBorderStyle);
  DWORD ex_style = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)) & ~kBorderExStyles;
  DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~DWORD{WS_BORDER};
  ex_style |= kBorderExStyle[border];
  if (border == kSingleLineBorder) style |= WS_BORDER;
  SetWindowLongA(window, GWL_EXSTYLE, static_cast<LONG>(ex_style));
  SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HGLOBAL GlobalCopy(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes.empty() ? 1 : bytes.size());
  if (block == nullptr) return nullptr;
  if (!bytes.empty()) std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

HGLOBAL ListRecordTexts(const forms::RecordSchema& schema, const uint8_t* properties,
                        int32_t length, std::initializer_list<size_t> fields,
                        forms::ListTextCallback callback, void* context) {
  std::optional<forms::RecordValues> record =
      forms::ReadRecord(schema, RecordBytes(properties, length));
  if (!record) return nullptr;
  for (size_t field : fields) {
    if (callback == nullptr) break;
    if (schema.fields[field].kind == forms::FieldKind::kBytes) {
      const std::span<const uint8_t> bytes = record->Bytes(field);
      if (bytes.size() != kFontRecordBytes) continue;
      LOGFONTA font{};
      std::memcpy(&font, bytes.data(), kFontRecordBytes);
      font.lfFaceName[LF_FACESIZE - 1] = '\0';
      callback(font.lfFaceName, context);
    } else {
      callback(record->Text(field).c_str(), context);
    }
  }
  return GlobalCopy(forms::WriteRecord(*record));
}

uint32_t RaiseUnitEvent(const forms::UnitObject& unit, int32_t event,
                        std::initializer_list<uint32_t> arguments) {
  const SystemServiceRoutine services = LibraryServices();
  if (services == nullptr) return 0;
  forms::EventRecord record;
  record.window_id = unit.window_id;
  record.unit_id = unit.unit_id;
  record.event = event;
  for (uint32_t argument : arguments) {
    if (record.argument_count == 5) break;
    record.arguments[record.argument_count++] = argument;
  }
  services(forms::kServiceRaiseEvent, reinterpret_cast<intptr_t>(&record), 0);
  return record.returned != 0 ? record.returned_value : 0;
}

void NotifyUnitDestroyed(const forms::UnitObject& unit) {
  if (const SystemServiceRoutine services = LibraryServices()) {
    services(forms::kServiceDestroyed, static_cast<intptr_t>(unit.window_id),
             static_cast<intptr_t>(unit.unit_id));
  }
}

}  // namespace runtime::units
