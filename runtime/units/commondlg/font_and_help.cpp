// The font dialog and the help commands of the common dialog unit.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/core/runtime_library.h"
#include "runtime/forms/system_services.h"
#include "runtime/units/commondlg/commondlg_schema.h"
#include "runtime/units/commondlg/commondlg_unit.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units::commondlg {

namespace {

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int pixels = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return pixels > 0 ? pixels : 96;
}

LOGFONTA StartingFont(const forms::RecordValues& record, int pixels_per_inch) {
  LOGFONTA font{};
  if (record.Int(kFontBold) != 0) font.lfWeight = FW_BOLD;
  font.lfItalic = record.Int(kFontItalic) != 0 ? 1 : 0;
  font.lfUnderline = record.Int(kFontUnderline) != 0 ? 1 : 0;
  font.lfStrikeOut = record.Int(kFontStrikeOut) != 0 ? 1 : 0;
  // A face name too long for the record's field is not offered at all: a
  // cut name would name another face, or none.
  const std::string& name = record.Text(kFontName);
  if (!name.empty() && name.size() < LF_FACESIZE) {
    std::memcpy(font.lfFaceName, name.data(), name.size());
  }
  if (record.Int(kFontSize) != 0) {
    font.lfHeight = -MulDiv(record.Int(kFontSize), pixels_per_inch, 72);
  }
  return font;
}

// The program's own path with its extension replaced by "hlp".
std::string DefaultHelpFile() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file(path, std::min<DWORD>(length, MAX_PATH));
  const size_t dot = file.find_last_of('.');
  const size_t slash = file.find_last_of("\\/");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) file.resize(dot);
  return file + ".hlp";
}

window::WindowUnit* HoldingWindow(const CommonDlgUnit& unit) {
  const SystemServiceRoutine services = LibraryServices();
  if (services == nullptr) return nullptr;
  auto* holder = reinterpret_cast<window::WindowUnit*>(
      services(forms::kServiceLiveUnit, static_cast<intptr_t>(unit.window_id), 0));
  return holder != nullptr && IsWindow(holder->window) ? holder : nullptr;
}

}  // namespace

bool RunFontDialog(CommonDlgUnit& unit) {
  forms::RecordValues& record = unit.record;
  const int pixels_per_inch = ScreenPixelsPerInch();
  LOGFONTA font = StartingFont(record, pixels_per_inch);
  CHOOSEFONTA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetParent(unit.window);
  dialog.lpLogFont = &font;
  dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  dialog.rgbColors = static_cast<COLORREF>(record.Int(kFontColor));
  if (!ChooseFontA(&dialog)) return false;
  font.lfFaceName[LF_FACESIZE - 1] = '\0';
  record.SetInt(kFontColor, static_cast<int32_t>(dialog.rgbColors));
  record.SetInt(kFontBold, font.lfWeight >= FW_BOLD ? 1 : 0);
  record.SetInt(kFontItalic, font.lfItalic != 0 ? 1 : 0);
  record.SetInt(kFontStrikeOut, font.lfStrikeOut != 0 ? 1 : 0);
  record.SetInt(kFontUnderline, font.lfUnderline != 0 ? 1 : 0);
  record.SetText(kFontName, font.lfFaceName);
  record.SetInt(kFontSize, MulDiv(std::abs(font.lfHeight), 72, pixels_per_inch));
  return true;
}

bool RunHelp(CommonDlgUnit& unit) {
  window::WindowUnit* holder = HoldingWindow(unit);
  if (holder == nullptr) return false;
  const forms::RecordValues& record = unit.record;
  const int32_t command = record.Int(kHelpCommand);
  if (command == 4 || command == 5) {
    WinHelpA(holder->window, nullptr, command == 4 ? HELP_HELPONHELP : HELP_QUIT, 0);
    holder->help_opened = command == 4;
    return true;
  }
  const std::string file =
      record.Text(kHelpFile).empty() ? DefaultHelpFile() : record.Text(kHelpFile);
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  const auto context = static_cast<ULONG_PTR>(static_cast<uint32_t>(record.Int(kHelpContext)));
  UINT how = HELP_FINDER;
  if (command == 3) how = HELP_PARTIALKEY;
  if (command == 1 && context != 0) how = HELP_CONTEXT;
  if (command == 2 && context != 0) how = HELP_CONTEXTPOPUP;
  ULONG_PTR data = how == HELP_PARTIALKEY ? reinterpret_cast<ULONG_PTR>("") : context;
  if (how == HELP_FINDER) data = 0;
  WinHelpA(holder->window, file.c_str(), how, data);
  holder->help_opened = true;
  return true;
}

}  // namespace runtime::units::commondlg
