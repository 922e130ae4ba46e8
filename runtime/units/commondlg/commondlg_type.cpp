#include "runtime/units/commondlg/commondlg_type.h"

#include <cstring>
#include <optional>
#include <span>
#include <string>

#include "runtime/core/messages.h"
#include "runtime/core/runtime_library.h"
#include "runtime/forms/system_services.h"
#include "runtime/forms/unit_types.h"
#include "runtime/units/common/property_table.h"
#include "runtime/units/common/unit_controls.h"
#include "runtime/units/commondlg/commondlg_schema.h"
#include "runtime/units/commondlg/commondlg_unit.h"

namespace runtime::units {

namespace {

using namespace property_code;

using forms::AsUnitHandler;

constexpr int kDataTypeMismatch = 11;  // "所提供参数的数据类型不符合要求"

constexpr PropertyTypeEntry kOwnProperties[] = {
    PropertyEntry(kChoice, 0x8002),   // 8 DialogType
    PropertyEntry(kText),             // 9 Title
    PropertyEntry(kText),             // 10 FileName
    PropertyEntry(kText),             // 11 Filter
    PropertyEntry(kInteger, 0x8001),  // 12 FilterIndex
    PropertyEntry(kText),             // 13 InitialDir
    PropertyEntry(kText),             // 14 DefaultExt
    PropertyEntry(kLogical),          // 15 CreatePrompt
    PropertyEntry(kLogical),          // 16 FileMustExist
    PropertyEntry(kLogical),          // 17 OverwritePrompt
    PropertyEntry(kLogical),          // 18 PathMustExist
    PropertyEntry(kLogical, 0x8002),  // 19 NoChangeDir
    PropertyEntry(kColour),           // 20 FontColor
    PropertyEntry(kLogical),          // 21 FontBold
    PropertyEntry(kLogical),          // 22 FontItalic
    PropertyEntry(kLogical),          // 23 FontStrikeOut
    PropertyEntry(kLogical),          // 24 FontUnderline
    PropertyEntry(kText),             // 25 FontName
    PropertyEntry(kInteger, 0x8002),  // 26 FontSize
    PropertyEntry(kText),             // 27 HelpFile
    PropertyEntry(kChoice),           // 28 HelpCommand
    PropertyEntry(kInteger, 0x8001),  // 29 HelpContext
};
constexpr auto kProperties = PropertyTable(kOwnProperties);

HGLOBAL ListTexts(const uint8_t* properties, int32_t length, forms::ListTextCallback callback,
                  void* context) {
  const std::span<const uint8_t> bytes =
      properties != nullptr && length > 0
          ? std::span<const uint8_t>(properties, static_cast<size_t>(length))
          : std::span<const uint8_t>();
  std::optional<forms::RecordValues> record = forms::ReadRecord(CommonDlgSchema(), bytes);
  if (!record) return nullptr;
  if (callback != nullptr) {
    for (size_t field = commondlg::kTitle; field <= commondlg::kHelpFile; ++field) {
      callback(record->Text(field).c_str(), context);
    }
  }
  return GlobalCopy(forms::WriteRecord(*record));
}

UnitHandler QueryHandler(int32_t number) {
  switch (number) {
    case forms::kHandlerCreate:
      return AsUnitHandler<forms::CreateHandler>(commondlg::CreateCommonDlg);
    case forms::kHandlerSetProperty:
      return AsUnitHandler<forms::SetPropertyHandler>(commondlg::SetCommonDlgProperty);
    case forms::kHandlerSaveProperties:
      return AsUnitHandler<forms::SavePropertiesHandler>(commondlg::SaveCommonDlgProperties);
    case forms::kHandlerGetProperty:
      return AsUnitHandler<forms::GetPropertyHandler>(commondlg::GetCommonDlgProperty);
    case forms::kHandlerListTexts:
      return AsUnitHandler<forms::ListTextsHandler>(ListTexts);
    default:
      return nullptr;
  }
}

// The live unit argument 0 names; a missing unit ends the program through
// the service, a unit of another type is a wrong-type error.
commondlg::CommonDlgUnit* ReferencedUnit(int32_t count, const ArgumentRecord* args) {
  const SystemServiceRoutine services = LibraryServices();
  const ArgumentRecord reference = ArgumentAt(count, args, 0);
  if (services == nullptr) return nullptr;
  const auto window_id = static_cast<intptr_t>(reference.low);
  const auto unit_id = static_cast<intptr_t>(reference.high);
  void* unit =
      reinterpret_cast<void*>(services(forms::kServiceLiveUnitOrError, window_id, unit_id));
  if (unit == nullptr) return nullptr;
  const intptr_t type_code = services(forms::kServiceUnitTypeCode, window_id, unit_id);
  const auto* type =
      reinterpret_cast<const UnitTypeDescriptor*>(services(forms::kServiceUnitType, type_code, 0));
  if (type == nullptr || type->handler_query != &QueryHandler) {
    services(forms::kServiceReportError,
             reinterpret_cast<intptr_t>(messages::ForErrorCode(kDataTypeMismatch)), 0);
    return nullptr;
  }
  return static_cast<commondlg::CommonDlgUnit*>(unit);
}

}  // namespace

void OpenCommonDialog(ValueRecord* result, int32_t count, ArgumentRecord* args) {
  result->type = type::kBool;
  commondlg::CommonDlgUnit* unit = ReferencedUnit(count, args);
  if (unit == nullptr) return;
  bool confirmed = false;
  switch (unit->record.Int(commondlg::kDialogType)) {
    case commondlg::kOpenFile:
      confirmed = commondlg::RunFileDialog(*unit, false);
      break;
    case commondlg::kSaveFile:
      confirmed = commondlg::RunFileDialog(*unit, true);
      break;
    case commondlg::kFontDialog:
      confirmed = commondlg::RunFontDialog(*unit);
      break;
    default:
      confirmed = commondlg::RunHelp(*unit);
      break;
  }
  result->SetInt32(confirmed ? 1 : 0);
}

UnitTypeDescriptor CommonDlgTypeDescriptor() {
  return MakeUnitType("\xCD\xA8\xD3\xC3\xB6\xD4\xBB\xB0\xBF\xF2",  // 通用对话框 (GBK)
                      "CommonDlg", commondlg::kTypeFlags, kProperties, QueryHandler);
}

}  // namespace runtime::units
