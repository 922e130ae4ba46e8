// The contract of OPENFILENAMEA around the open and save dialogs: whether a
// request can be shown, whether a chosen file may be taken under the OFN_
// flags (and what to tell or ask the user when not), and how the result is
// written back.
#pragma once

#include <string>
#include <vector>

#include "platform/dialogs/file_dialog_model.h"
#include "platform/win32.h"

namespace platform::dialogs {

enum class FileDialogKind { kOpen, kSave };

// 0 when the request can be shown, else the CommDlgExtendedError code.
DWORD CheckFileDialogRequest(const OPENFILENAMEA* ofn);

// What the dialog starts with, from a request CheckFileDialogRequest passed.
struct FileDialogStart {
  std::string title;   // lpstrTitle, else "打开" / "另存为"
  std::string folder;  // absolute: lpstrFile's folder, else lpstrInitialDir, else the current one
  std::string name;    // for the name field: lpstrFile without its folder
  std::vector<FileFilter> filters;
  size_t filter = 0;                  // index into filters (nFilterIndex - 1)
  std::vector<std::string> patterns;  // a name with wildcards is a filter of its own
};
FileDialogStart StartOf(const OPENFILENAMEA& ofn, FileDialogKind kind);

// The OFN_ flags that stand for OFN_PATHMUSTEXIST too.
bool PathMustExist(DWORD flags);

struct FileCheck {
  enum class Action {
    kAccept,  // take the file
    kRefuse,  // show `message`, keep the dialog open
    kAsk,     // ask `message`; IDYES takes the file, anything else keeps the dialog open
  };
  Action action = Action::kAccept;
  std::string message;  // GBK
  UINT box_style = 0;   // MessageBoxA's buttons and icon
};

// The checks the flags ask for on `path` (absolute) before it is taken.
FileCheck CheckChosenFile(const std::string& path, DWORD flags, FileDialogKind kind);
// What to say about a folder the user asked for that does not exist.
FileCheck MissingFolder(const std::string& path);

struct FileDialogResult {
  std::string path;        // absolute, GBK
  DWORD filter_index = 0;  // 1-based; 0 leaves nFilterIndex alone
  bool read_only = false;  // the check box, when shown
};

// Writes the result into `ofn` (lpstrFile, nFileOffset, nFileExtension,
// lpstrFileTitle, nFilterIndex, Flags) and, without OFN_NOCHANGEDIR, makes
// the file's folder current. When lpstrFile is too small nothing is written
// but the size needed (in its first two bytes) and FNERR_BUFFERTOOSMALL
// comes back; else 0.
DWORD ApplyFileDialogResult(OPENFILENAMEA* ofn, const FileDialogResult& result);

}  // namespace platform::dialogs
