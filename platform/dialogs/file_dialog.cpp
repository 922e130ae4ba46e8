// GetOpenFileNameA and GetSaveFileNameA: a modal popup window made of the
// standard controls, built on the public facade as any Win32 program would
// build it. What the dialog knows without windows is in file_dialog_model.h,
// what the OFN_ flags ask for in file_dialog_checks.h.
//
// The dialog disables its owner, runs its own message loop until it is
// answered, enables the owner again and only then destroys itself. A
// WM_QUIT seen by its loop cancels it and is posted again for the caller's
// loop. On the headless display it answers itself (answers.h) once shown.
//
// Index: state - showing a folder - choosing - the window procedure -
// building - the loop and answering - the entry points.
#include <algorithm>
#include <cctype>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/dialogs/comm_dlg_error.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/dialogs/dialog_keys.h"
#include "platform/dialogs/file_dialog_checks.h"
#include "platform/dialogs/file_dialog_model.h"

namespace platform::dialogs {

namespace {

using gbk::Gbk;

constexpr char kClassName[] = "Mienzo.FileDialog";

// The control ids Windows' own file dialogs use (dlgs.h), so that a program
// reaching in with GetDlgItem finds what it expects.
constexpr int kReadOnlyId = 0x0410;     // chx1
constexpr int kTypesLabelId = 0x0441;   // stc2
constexpr int kNameLabelId = 0x0442;    // stc3
constexpr int kLookInLabelId = 0x0443;  // stc4
constexpr int kListId = 0x0460;         // lst1
constexpr int kTypesId = 0x0470;        // cmb1
constexpr int kLookInId = 0x0471;       // cmb2
constexpr int kNameId = 0x0480;         // edt1
constexpr int kUpId = 0x04A0;

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

// One dialog's state; lives on the stack of Run while the window refers to it.
struct DialogState {
  const OPENFILENAMEA* ofn = nullptr;
  FileDialogKind kind = FileDialogKind::kOpen;
  FileDialogStart start;              // title, filters and where it began
  size_t filter = 0;                  // the filter chosen in the types combo
  std::vector<std::string> patterns;  // typed with wildcards; until the type changes
  std::string folder;                 // shown, absolute
  std::vector<std::string> chain;     // the look-in combo's items
  std::vector<FolderEntry> entries;   // the list's items, in order
  bool ended = false;
  bool accepted = false;
  FileDialogResult result;
};

DialogState* StateOf(HWND dialog) {
  return reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, 0));
}

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::string TextOf(HWND control) {
  const int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(control, text.data(), length + 1)));
  return text;
}

const std::vector<std::string>& CurrentPatterns(const DialogState& s) {
  static const std::vector<std::string> kEverything;
  if (!s.patterns.empty()) return s.patterns;
  return s.start.filters.empty() ? kEverything : s.start.filters[s.filter].patterns;
}

void End(HWND dialog, bool accepted, const std::string& path = {}) {
  DialogState* s = StateOf(dialog);
  if (s == nullptr || s->ended) return;
  s->ended = true;
  s->accepted = accepted;
  if (!accepted) return;
  s->result.path = path;
  s->result.filter_index = s->start.filters.empty() ? 0 : static_cast<DWORD>(s->filter + 1);
  s->result.read_only = SendMessageA(Item(dialog, kReadOnlyId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Back to the name field with its text selected, as after a refusal.
void FocusName(HWND dialog) {
  HWND name = Item(dialog, kNameId);
  FocusDialogControl(dialog, name);
  SendMessageA(name, EM_SETSEL, 0, -1);
}

// ---------------------------------------------------------------------------
// Showing a folder
// ---------------------------------------------------------------------------

void FillList(HWND dialog, DialogState& s) {
  HWND list = Item(dialog, kListId);
  s.entries = ListFolder(s.folder, CurrentPatterns(s));
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const FolderEntry& entry : s.entries) {
    const std::string text = entry.is_folder ? "[" + entry.name + "]" : entry.name;
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void FillLookIn(HWND dialog, DialogState& s) {
  HWND look_in = Item(dialog, kLookInId);
  s.chain = FolderChain(s.folder);
  SendMessageA(look_in, CB_RESETCONTENT, 0, 0);
  for (const std::string& folder : s.chain) {
    SendMessageA(look_in, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
  }
  SendMessageA(look_in, CB_SETCURSEL, s.chain.size() - 1, 0);
}

// Shows `folder` when it exists; says so and stays otherwise.
bool ShowFolder(HWND dialog, const std::string& folder) {
  DialogState* s = StateOf(dialog);
  if (s == nullptr) return false;
  if (!FolderExists(folder)) {
    const FileCheck missing = MissingFolder(folder);
    MessageBoxA(dialog, missing.message.c_str(), s->start.title.c_str(), missing.box_style);
    FocusName(dialog);
    return false;
  }
  s->folder = folder;
  FillLookIn(dialog, *s);
  FillList(dialog, *s);
  EnableWindow(Item(dialog, kUpId), folder != "/");
  return true;
}

// ---------------------------------------------------------------------------
// Choosing
// ---------------------------------------------------------------------------

// Runs the flags' checks on `path`; ends the dialog when the file is taken.
void TryChoose(HWND dialog, const std::string& path) {
  DialogState* s = StateOf(dialog);
  if (s == nullptr) return;
  const FileCheck check = CheckChosenFile(path, s->ofn->Flags, s->kind);
  bool take = check.action == FileCheck::Action::kAccept;
  if (!take) {
    const int answer =
        MessageBoxA(dialog, check.message.c_str(), s->start.title.c_str(), check.box_style);
    take = check.action == FileCheck::Action::kAsk && answer == IDYES;
  }
  if (take) {
    End(dialog, true, path);
  } else if (IsWindow(dialog)) {
    FocusName(dialog);
  }
}

// The entry selected in the list, or none.
const FolderEntry* SelectedEntry(HWND dialog, const DialogState& s) {
  const LRESULT index = SendMessageA(Item(dialog, kListId), LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<size_t>(index) >= s.entries.size()) return nullptr;
  return &s.entries[static_cast<size_t>(index)];
}

// OK, or Enter: a folder selected in the focused list is entered; else the
// name field's text says what to do.
void OnAccept(HWND dialog) {
  DialogState* s = StateOf(dialog);
  if (s == nullptr) return;
  const FolderEntry* selected = SelectedEntry(dialog, *s);
  if (GetFocus() == Item(dialog, kListId) && selected != nullptr && selected->is_folder) {
    ShowFolder(dialog, JoinPath(s->folder, selected->name));
    return;
  }
  const char* default_ext = s->ofn->lpstrDefExt ? s->ofn->lpstrDefExt : "";
  const TypedName typed = ResolveTypedName(TextOf(Item(dialog, kNameId)), s->folder, default_ext);
  switch (typed.kind) {
    case TypedKind::kNothing:
      return;
    case TypedKind::kFolder:
      if (ShowFolder(dialog, typed.path)) SetWindowTextA(Item(dialog, kNameId), "");
      return;
    case TypedKind::kFilter:
      s->patterns = typed.patterns;
      if (!ShowFolder(dialog, typed.path)) FillList(dialog, *s);
      FocusName(dialog);
      return;
    case TypedKind::kFile:
      TryChoose(dialog, typed.path);
      return;
  }
}

void OnListNotify(HWND dialog, WORD code) {
  DialogState* s = StateOf(dialog);
  const FolderEntry* selected = s ? SelectedEntry(dialog, *s) : nullptr;
  if (selected == nullptr) return;
  const FolderEntry entry = *selected;  // showing a folder replaces the entries
  if (code == LBN_SELCHANGE && !entry.is_folder) {
    SetWindowTextA(Item(dialog, kNameId), entry.name.c_str());
  } else if (code == LBN_DBLCLK && entry.is_folder) {
    ShowFolder(dialog, JoinPath(s->folder, entry.name));
  } else if (code == LBN_DBLCLK) {
    SetWindowTextA(Item(dialog, kNameId), entry.name.c_str());
    TryChoose(dialog, JoinPath(s->folder, entry.name));
  }
}

void OnTypeChanged(HWND dialog) {
  DialogState* s = StateOf(dialog);
  const LRESULT index = SendMessageA(Item(dialog, kTypesId), CB_GETCURSEL, 0, 0);
  if (s == nullptr || index < 0 || static_cast<size_t>(index) >= s->start.filters.size()) return;
  s->filter = static_cast<size_t>(index);
  s->patterns.clear();
  FillList(dialog, *s);
}

void OnLookInChanged(HWND dialog) {
  DialogState* s = StateOf(dialog);
  const LRESULT index = SendMessageA(Item(dialog, kLookInId), CB_GETCURSEL, 0, 0);
  if (s == nullptr || index < 0 || static_cast<size_t>(index) >= s->chain.size()) return;
  if (s->chain[static_cast<size_t>(index)] != s->folder) {
    ShowFolder(dialog, std::string(s->chain[static_cast<size_t>(index)]));
  }
}

void OnUp(HWND dialog) {
  if (const DialogState* s = StateOf(dialog)) ShowFolder(dialog, ParentFolder(s->folder));
}

// ---------------------------------------------------------------------------
// The window procedure
// ---------------------------------------------------------------------------

LRESULT OnCommand(HWND dialog, WPARAM wparam) {
  const int id = LOWORD(wparam);
  const WORD code = HIWORD(wparam);
  switch (id) {
    case IDOK:
      if (code == BN_CLICKED) OnAccept(dialog);
      break;
    case IDCANCEL:
      if (code == BN_CLICKED) End(dialog, false);
      break;
    case kUpId:
      if (code == BN_CLICKED) OnUp(dialog);
      break;
    case kListId:
      OnListNotify(dialog, code);
      break;
    case kTypesId:
      if (code == CBN_SELCHANGE) OnTypeChanged(dialog);
      break;
    case kLookInId:
      if (code == CBN_SELCHANGE) OnLookInChanged(dialog);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto cancel = [](HWND window) { End(window, false); };
  if (auto done = OnDialogLifetime(dialog, message, wparam, lparam, cancel)) return *done;
  if (message == WM_COMMAND) return OnCommand(dialog, wparam);
  return DefWindowProcA(dialog, message, wparam, lparam);
}

void RegisterDialogClass() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterDialogWindowClass(kClassName, DialogProc); });
}

// ---------------------------------------------------------------------------
// Building
// ---------------------------------------------------------------------------

constexpr int kClientWidth = 430;
constexpr int kClientHeight = 272;
constexpr int kReadOnlyRow = 26;  // added below when the check box shows

HWND AddControl(HWND dialog, const char* class_name, const std::string& text, DWORD style,
                DWORD ex_style, RECT at, int id) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return AddDialogControl(dialog, class_name, text.c_str(), WS_VISIBLE | style, at, id, font,
                          ex_style);
}

// Each label comes right before the control it names: its mnemonic moves
// the focus there.
bool AddControls(HWND dialog, const DialogState& s) {
  const DWORD stop = WS_TABSTOP | WS_GROUP;
  const DWORD combo = CBS_DROPDOWNLIST | WS_VSCROLL | stop;
  const bool save = s.kind == FileDialogKind::kSave;
  bool made = true;
  auto add = [&](const char* cls, const std::string& text, DWORD style, DWORD ex, RECT at, int id) {
    made = made && AddControl(dialog, cls, text, style, ex, at, id) != nullptr;
  };
  add("Static", Gbk("查找范围(&I):"), SS_LEFT, 0, {8, 13, 88, 29}, kLookInLabelId);
  add("ComboBox", "", combo, 0, {90, 9, 326, 209}, kLookInId);
  add("Button", Gbk("上一级(&U)"), BS_PUSHBUTTON | stop, 0, {334, 8, 422, 32}, kUpId);
  add("ListBox", "", LBS_NOTIFY | WS_VSCROLL | stop, WS_EX_CLIENTEDGE, {8, 40, 422, 198}, kListId);
  add("Static", Gbk("文件名(&N):"), SS_LEFT, 0, {8, 211, 88, 227}, kNameLabelId);
  add("Edit", s.start.name, ES_AUTOHSCROLL | stop, WS_EX_CLIENTEDGE, {90, 208, 326, 230}, kNameId);
  add("Static", Gbk("文件类型(&T):"), SS_LEFT, 0, {8, 241, 88, 257}, kTypesLabelId);
  add("ComboBox", "", combo, 0, {90, 238, 326, 398}, kTypesId);
  if (!(s.ofn->Flags & OFN_HIDEREADONLY)) {
    add("Button", Gbk("以只读方式打开(&R)"), BS_AUTOCHECKBOX | stop, 0, {90, 266, 326, 286},
        kReadOnlyId);
  }
  add("Button", Gbk(save ? "保存(&S)" : "打开(&O)"), BS_DEFPUSHBUTTON | stop, 0,
      {334, 207, 422, 231}, IDOK);
  add("Button", Gbk("取消"), BS_PUSHBUTTON | WS_TABSTOP, 0, {334, 237, 422, 261}, IDCANCEL);
  return made;
}

void FillControls(HWND dialog, DialogState& s) {
  HWND types = Item(dialog, kTypesId);
  for (const FileFilter& filter : s.start.filters) {
    SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(filter.name.c_str()));
  }
  SendMessageA(types, CB_SETCURSEL, s.filter, 0);
  EnableWindow(types, !s.start.filters.empty());
  if (s.ofn->Flags & OFN_READONLY)
    SendMessageA(Item(dialog, kReadOnlyId), BM_SETCHECK, BST_CHECKED, 0);
  FillLookIn(dialog, s);
  FillList(dialog, s);
  EnableWindow(Item(dialog, kUpId), s.folder != "/");
}

HWND Build(DialogState& s, HWND owner) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  const DWORD ex_style = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  const int height = kClientHeight + ((s.ofn->Flags & OFN_HIDEREADONLY) ? 0 : kReadOnlyRow);
  RECT frame{0, 0, kClientWidth, height};
  AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
  // Centred on the owner only when it shows.
  const POINT at =
      CentreInWorkArea(size, owner != nullptr && IsWindowVisible(owner) ? owner : nullptr);
  HWND dialog = CreateWindowExA(ex_style, kClassName, s.start.title.c_str(), style, at.x, at.y,
                                size.cx, size.cy, owner, nullptr, nullptr, &s);
  if (dialog == nullptr) return nullptr;
  if (!AddControls(dialog, s)) {
    DestroyWindow(dialog);
    return nullptr;
  }
  FillControls(dialog, s);
  return dialog;
}

// ---------------------------------------------------------------------------
// The loop and answering
// ---------------------------------------------------------------------------

// The letter a label marks with '&', lower-cased; 0 when none.
int MnemonicOf(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size();) {
    if (text[i] == '&') {
      if (text[i + 1] != '&') return std::tolower(static_cast<unsigned char>(text[i + 1]));
      i += 2;
      continue;
    }
    i += std::max<size_t>(1, gbk::CharLength(text.data() + i, text.size() - i));
  }
  return 0;
}

// Alt and a label's letter focus the control after the label, as the
// dialog manager does for static text.
bool FocusLabelledControl(HWND dialog, const MSG& msg) {
  if (msg.message != WM_SYSCHAR || msg.wParam > 0x7F) return false;
  if (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd)) return false;
  const int wanted = std::tolower(static_cast<int>(msg.wParam));
  for (int id : {kLookInLabelId, kNameLabelId, kTypesLabelId}) {
    HWND label = Item(dialog, id);
    if (label == nullptr || MnemonicOf(TextOf(label)) != wanted) continue;
    HWND target = GetWindow(label, GW_HWNDNEXT);
    if (target != nullptr && IsWindowEnabled(target)) FocusDialogControl(dialog, target);
    if (target == Item(dialog, kNameId)) SendMessageA(target, EM_SETSEL, 0, -1);
    return true;
  }
  return false;
}

void Click(HWND dialog, int id) { SendMessageA(Item(dialog, id), BM_CLICK, 0, 0); }

// Nobody is at the screen: a queued path is typed and accepted as a user
// would; a dialog that is still up after that, or has nothing queued, is
// cancelled and says so on stderr.
void AnswerUnattended(HWND dialog, const DialogState& s) {
  const std::optional<FileAnswer> answer = TakeFileDialogAnswer();
  if (!answer) {
    LogUnanswered("FileDialog", s.start.title, s.folder);
  } else if (!answer->cancelled) {
    SetWindowTextA(Item(dialog, kNameId), answer->path.c_str());
    Click(dialog, IDOK);
    if (IsWindow(dialog) && !s.ended) {
      LogUnanswered("FileDialog", s.start.title, answer->path + " was not taken");
    }
  }
  if (IsWindow(dialog) && !s.ended) Click(dialog, IDCANCEL);
}

void Show(HWND dialog) {
  ShowWindow(dialog, SW_SHOW);
  FocusName(dialog);
  UpdateWindow(dialog);
}

BOOL Run(LPOPENFILENAMEA ofn, FileDialogKind kind) {
  if (const DWORD error = CheckFileDialogRequest(ofn)) {
    SetCommDlgError(error);
    return FALSE;
  }
  RegisterDialogClass();
  DialogState s;
  s.ofn = ofn;
  s.kind = kind;
  s.start = StartOf(*ofn, kind);
  s.filter = s.start.filter;
  s.patterns = s.start.patterns;
  s.folder = s.start.folder;
  HWND owner = DialogOwner(ofn->hwndOwner);
  OwnerDisabled disabled(owner);
  HWND dialog = Build(s, owner);
  std::optional<int> quit;
  if (dialog != nullptr) {
    Show(dialog);
    quit = RunShownDialog(
        dialog, &s.ended, [&] { AnswerUnattended(dialog, s); }, FocusLabelledControl);
  }
  disabled.Restore();
  if (IsWindow(dialog)) DestroyWindow(dialog);
  if (quit) PostQuitMessage(*quit);
  if (dialog == nullptr || !s.accepted) {
    SetCommDlgError(dialog == nullptr ? CDERR_DIALOGFAILURE : 0);
    return FALSE;
  }
  const DWORD error = ApplyFileDialogResult(ofn, s.result);
  SetCommDlgError(error);
  return error == 0 ? TRUE : FALSE;
}

}  // namespace

}  // namespace platform::dialogs

// ---------------------------------------------------------------------------
// The entry points
// ---------------------------------------------------------------------------

BOOL GetOpenFileNameA(LPOPENFILENAMEA lpofn) {
  return platform::dialogs::Run(lpofn, platform::dialogs::FileDialogKind::kOpen);
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA lpofn) {
  return platform::dialogs::Run(lpofn, platform::dialogs::FileDialogKind::kSave);
}
