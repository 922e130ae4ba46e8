// The open and save dialogs of the common dialog unit.
#include <cstring>
#include <string>
#include <vector>

#include "runtime/units/commondlg/commondlg_schema.h"
#include "runtime/units/commondlg/commondlg_unit.h"

namespace runtime::units::commondlg {

namespace {

// Room for the chosen path; longer paths make the dialog fail, which counts
// as a cancel.
constexpr size_t kPathRoom = 2048;

DWORD FlagsOf(const forms::RecordValues& record) {
  DWORD flags = OFN_HIDEREADONLY;
  if (record.Int(kCreatePrompt) != 0) flags |= OFN_CREATEPROMPT;
  if (record.Int(kFileMustExist) != 0) flags |= OFN_FILEMUSTEXIST;
  if (record.Int(kOverwritePrompt) != 0) flags |= OFN_OVERWRITEPROMPT;
  if (record.Int(kPathMustExist) != 0) flags |= OFN_PATHMUSTEXIST;
  if (record.Int(kNoChangeDir) != 0) flags |= OFN_NOCHANGEDIR;
  return flags;
}

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

std::string PrepareFilter(const std::string& filter) {
  std::string prepared = filter;
  while (!prepared.empty() && std::strchr(" \t\r\n", prepared.back()) != nullptr) {
    prepared.pop_back();
  }
  if (prepared.size() < 2 || prepared.compare(prepared.size() - 2, 2, "||") != 0) {
    prepared += "||";
  }
  for (char& c : prepared) {
    if (c == '|') c = '\0';
  }
  return prepared;
}

bool RunFileDialog(CommonDlgUnit& unit, bool save) {
  forms::RecordValues& record = unit.record;
  const std::string& name = record.Text(kFileName);
  std::vector<char> path(std::max(kPathRoom, name.size() + 1), '\0');
  std::memcpy(path.data(), name.data(), name.size());
  const std::string filter =
      record.Text(kFilter).empty() ? std::string() : PrepareFilter(record.Text(kFilter));

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetParent(unit.window);
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.data();
  dialog.nFilterIndex = filter.empty() ? 0 : static_cast<DWORD>(record.Int(kFilterIndex)) + 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = OrNull(record.Text(kInitialDir));
  dialog.lpstrTitle = OrNull(record.Text(kTitle));
  dialog.lpstrDefExt = OrNull(record.Text(kDefaultExt));
  dialog.Flags = FlagsOf(record);
  const BOOL confirmed = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!confirmed) return false;
  record.SetText(kFileName, std::string(path.data()));
  return true;
}

}  // namespace runtime::units::commondlg
