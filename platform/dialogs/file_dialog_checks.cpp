#include "platform/dialogs/file_dialog_checks.h"

#include <algorithm>
#include <cstring>

#include "platform/base/gbk.h"
#include "platform/dialogs/file_dialog_model.h"

namespace platform::dialogs {

namespace {

using gbk::Gbk;

std::string NameOf(const std::string& path) { return path.substr(NameOffset(path)); }

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) {
             return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
           };
           return lower(x) == lower(y);
         });
}

// Copies at most `capacity - 1` bytes of whole characters and a NUL.
void CopyCut(std::string_view text, char* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return;
  size_t length = 0;
  while (length < text.size()) {
    const size_t step = gbk::CharLength(text.data() + length, text.size() - length);
    if (step == 0 || length + step > capacity - 1) break;
    length += step;
  }
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
}

WORD ClampToWord(size_t value) { return static_cast<WORD>(std::min<size_t>(value, 0xFFFF)); }

FileCheck Refuse(std::string message) {
  return {FileCheck::Action::kRefuse, std::move(message),
          static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION)};
}

FileCheck Ask(std::string message, UINT icon) {
  return {FileCheck::Action::kAsk, std::move(message), static_cast<UINT>(MB_YESNO) | icon};
}

}  // namespace

DWORD CheckFileDialogRequest(const OPENFILENAMEA* ofn) {
  if (ofn == nullptr) return CDERR_INITIALIZATION;
  if (ofn->lStructSize != sizeof(OPENFILENAMEA) &&
      ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A) {
    return CDERR_STRUCTSIZE;
  }
  if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) return CDERR_INITIALIZATION;
  if (ofn->hwndOwner != nullptr && !IsWindow(ofn->hwndOwner)) return CDERR_DIALOGFAILURE;
  // No dialog resources or hook procedures exist here.
  if (ofn->Flags & (OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE)) return CDERR_FINDRESFAILURE;
  if (ofn->Flags & OFN_ENABLEHOOK) return CDERR_NOHOOK;
  // One file a time: the list selects one entry.
  if (ofn->Flags & OFN_ALLOWMULTISELECT) return CDERR_DIALOGFAILURE;
  return 0;
}

FileDialogStart StartOf(const OPENFILENAMEA& ofn, FileDialogKind kind) {
  FileDialogStart start;
  const bool has_title = ofn.lpstrTitle != nullptr && ofn.lpstrTitle[0] != '\0';
  start.title = has_title ? ofn.lpstrTitle : Gbk(kind == FileDialogKind::kOpen ? "打开" : "另存为");
  start.filters = ParseFilterList(ofn.lpstrFilter);
  start.filter = FilterIndexFromOfn(ofn.nFilterIndex, start.filters.size());
  const std::string current = CurrentFolder();
  start.folder = current;
  if (ofn.lpstrInitialDir != nullptr && ofn.lpstrInitialDir[0] != '\0') {
    const std::string initial = ResolvePath(ofn.lpstrInitialDir, current);
    if (FolderExists(initial)) start.folder = initial;
  }
  // The buffer need not hold a NUL within nMaxFile; read no further.
  const std::string file(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
  const TypedName typed = ResolveTypedName(file, current, "");
  const std::string resolved = ResolvePath(file, current);
  const bool names_folder = HasFolderPart(file);
  switch (typed.kind) {
    case TypedKind::kFolder:
      if (FolderExists(typed.path)) start.folder = typed.path;
      break;
    case TypedKind::kFilter:
    case TypedKind::kFile:
      if (names_folder && FolderExists(ParentFolder(resolved)))
        start.folder = ParentFolder(resolved);
      start.name = resolved.substr(NameOffset(resolved));
      start.patterns = typed.patterns;
      break;
    case TypedKind::kNothing:
      break;
  }
  return start;
}

bool PathMustExist(DWORD flags) { return (flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) != 0; }

FileCheck MissingFolder(const std::string& path) {
  return Refuse(path + Gbk("\n路径不存在。\n请检查路径是否正确，然后重试。"));
}

FileCheck CheckChosenFile(const std::string& path, DWORD flags, FileDialogKind kind) {
  if (PathMustExist(flags) && !FolderExists(ParentFolder(path))) {
    return MissingFolder(ParentFolder(path));
  }
  const std::string name = NameOf(path);
  if (!FileExists(path)) {
    if (flags & OFN_CREATEPROMPT) {
      return Ask(name + Gbk("\n该文件不存在。\n要创建该文件吗？"), MB_ICONQUESTION);
    }
    if (flags & OFN_FILEMUSTEXIST) {
      return Refuse(name + Gbk("\n找不到文件。\n请检查文件名是否正确，然后重试。"));
    }
    return {};
  }
  if (kind == FileDialogKind::kSave && (flags & OFN_OVERWRITEPROMPT)) {
    return Ask(name + Gbk(" 已存在。\n要替换它吗？"), MB_ICONEXCLAMATION);
  }
  return {};
}

DWORD ApplyFileDialogResult(OPENFILENAMEA* ofn, const FileDialogResult& result) {
  const std::string& path = result.path;
  const size_t needed = path.size() + 1;
  if (needed > ofn->nMaxFile) {
    if (ofn->nMaxFile >= 2) {
      const WORD size = ClampToWord(needed);
      std::memcpy(ofn->lpstrFile, &size, sizeof size);
    }
    return FNERR_BUFFERTOOSMALL;
  }
  std::memcpy(ofn->lpstrFile, path.c_str(), needed);
  ofn->nFileOffset = ClampToWord(NameOffset(path));
  ofn->nFileExtension = ClampToWord(ExtensionOffset(path));
  CopyCut(NameOf(path), ofn->lpstrFileTitle, ofn->nMaxFileTitle);
  if (result.filter_index != 0) ofn->nFilterIndex = result.filter_index;
  if (!(ofn->Flags & OFN_HIDEREADONLY)) {
    ofn->Flags = result.read_only ? (ofn->Flags | OFN_READONLY) : (ofn->Flags & ~OFN_READONLY);
  }
  std::string_view default_ext = ofn->lpstrDefExt ? ofn->lpstrDefExt : "";
  while (!default_ext.empty() && default_ext.front() == '.') default_ext.remove_prefix(1);
  const bool different =
      ofn->lpstrDefExt != nullptr && !SameIgnoringAsciiCase(ExtensionOf(path), default_ext);
  ofn->Flags =
      different ? (ofn->Flags | OFN_EXTENSIONDIFFERENT) : (ofn->Flags & ~OFN_EXTENSIONDIFFERENT);
  if (!(ofn->Flags & OFN_NOCHANGEDIR)) SetCurrentDirectoryA(ParentFolder(path).c_str());
  return 0;
}

}  // namespace platform::dialogs
