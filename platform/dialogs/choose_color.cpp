// ChooseColorA: a modal top-level window of standard controls (STATIC,
// BUTTON, EDIT) and the dialog's own colour grids and pictures
// (colour_cells.h, choose_color_paint.cpp), built on the public facade.
//
// The dialog holds one colour in two forms (ColourModel): every part that
// changes it (a grid cell, the spectrum, the bar, a typed field) updates
// the model and then every other part. The right half (the full dialog) is
// built hidden and shown when "规定自定义颜色(&D) >>" is pressed.
//
// Index: the basic colours - layout - the dialog's state - keeping the
// parts in step - commands - the window procedure - building - answering
// and running - ChooseColorA.
#include "platform/dialogs/choose_color.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/dialogs/colour_cells.h"
#include "platform/dialogs/comm_dlg_error.h"
#include "platform/dialogs/common_dialog.h"

namespace platform::dialogs {

// ---------------------------------------------------------------------------
// The basic colours: eight hues (red, orange, yellow, green, cyan, blue,
// violet, magenta) as tints, full colours, two darker steps and a muted
// step, then eight greys from black to white.
// ---------------------------------------------------------------------------
const COLORREF kBasicColours[kBasicColumns * kBasicRows] = {
    RGB(255, 128, 128), RGB(255, 192, 128), RGB(255, 255, 128), RGB(128, 255, 128),
    RGB(128, 255, 255), RGB(128, 128, 255), RGB(192, 128, 255), RGB(255, 128, 255),
    RGB(255, 0, 0),     RGB(255, 128, 0),   RGB(255, 255, 0),   RGB(0, 255, 0),
    RGB(0, 255, 255),   RGB(0, 0, 255),     RGB(128, 0, 255),   RGB(255, 0, 255),
    RGB(192, 0, 0),     RGB(192, 96, 0),    RGB(192, 192, 0),   RGB(0, 192, 0),
    RGB(0, 192, 192),   RGB(0, 0, 192),     RGB(96, 0, 192),    RGB(192, 0, 192),
    RGB(128, 0, 0),     RGB(128, 64, 0),    RGB(128, 128, 0),   RGB(0, 128, 0),
    RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(64, 0, 128),    RGB(128, 0, 128),
    RGB(128, 64, 64),   RGB(128, 96, 64),   RGB(128, 128, 64),  RGB(64, 128, 64),
    RGB(64, 128, 128),  RGB(64, 64, 128),   RGB(96, 64, 128),   RGB(128, 64, 128),
    RGB(0, 0, 0),       RGB(32, 32, 32),    RGB(64, 64, 64),    RGB(96, 96, 96),
    RGB(128, 128, 128), RGB(160, 160, 160), RGB(192, 192, 192), RGB(255, 255, 255),
};

namespace {

constexpr char kClassName[] = "Mienzo.ChooseColor";

// ---------------------------------------------------------------------------
// Layout (client pixels): the compact dialog is the left column; the full
// dialog adds the right one.
// ---------------------------------------------------------------------------
constexpr SIZE kCompactClient{240, 328};
constexpr SIZE kFullClient{520, 328};

constexpr RECT kBasicLabelAt{8, 8, 232, 24};
constexpr RECT kBasicAt{8, 26, 232, 26 + kBasicRows * 24};
constexpr RECT kCustomLabelAt{8, 178, 232, 194};
constexpr RECT kCustomAt{8, 196, 232, 244};
constexpr RECT kDefineAt{8, 256, 232, 282};
constexpr RECT kOkAt{8, 292, 88, 318};
constexpr RECT kCancelAt{96, 292, 176, 318};

constexpr RECT kSpectrumAt{248, 8, 476, 198};
constexpr RECT kLumBarAt{484, 8, 512, 198};
constexpr RECT kSampleAt{248, 206, 318, 250};
constexpr RECT kSolidLabelAt{248, 254, 324, 276};
constexpr RECT kAddAt{248, 292, 512, 318};

// One of the six number fields and its label.
struct Field {
  int id;
  const char* label;  // UTF-8
  int max;
  int column;  // 0: hue, saturation, luminance; 1: red, green, blue
  int row;
};
constexpr Field kFields[] = {
    {kColourHue, "色调(&E):", kHueMax, 0, 0}, {kColourSat, "饱和度(&S):", kHlsMax, 0, 1},
    {kColourLum, "亮度(&L):", kHlsMax, 0, 2}, {kColourRed, "红(&R):", kRgbMax, 1, 0},
    {kColourGreen, "绿(&G):", kRgbMax, 1, 1}, {kColourBlue, "蓝(&U):", kRgbMax, 1, 2},
};
constexpr int kFieldLabelLeft[] = {322, 422};
constexpr int kFieldEditLeft[] = {382, 470};
constexpr int kFieldEditWidth = 42;
constexpr int kFieldTop = 206, kFieldPitch = 24, kFieldHeight = 22;

RECT FieldLabelAt(const Field& f) {
  const int top = kFieldTop + f.row * kFieldPitch;
  return RECT{kFieldLabelLeft[f.column], top, kFieldEditLeft[f.column] - 2, top + kFieldHeight};
}

RECT FieldEditAt(const Field& f) {
  const int top = kFieldTop + f.row * kFieldPitch;
  const int left = kFieldEditLeft[f.column];
  return RECT{left, top, left + kFieldEditWidth, top + kFieldHeight};
}

bool IsHlsField(int id) { return id >= kColourHue && id <= kColourLum; }
bool IsField(int id) { return id >= kColourHue && id <= kColourBlue; }

// ---------------------------------------------------------------------------
// The dialog's state, kept behind its window while it runs
// ---------------------------------------------------------------------------
struct Dialog {
  CHOOSECOLORA* request = nullptr;  // the caller's; rgbResult is written on OK only
  ColourModel model;
  std::array<COLORREF, kCustomColours> custom{};
  ColourCellsInit basic_cells{kBasicColours, kBasicColumns, kBasicRows};
  ColourCellsInit custom_cells{nullptr, kBasicColumns, kCustomColours / kBasicColumns};
  HWND window = nullptr;
  HFONT font = nullptr;         // ours to delete
  std::vector<HWND> full_only;  // the right half, hidden until the dialog widens
  std::string caption;          // GBK
  bool full = false;            // the right half shows
  bool writing_fields = false;  // the dialog writes the fields: their EN_CHANGE is its own
  bool ended = false;
  bool accepted = false;
};

Dialog* DialogOf(HWND window) { return reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, 0)); }

HWND Item(const Dialog& d, int id) { return GetDlgItem(d.window, id); }

// ---------------------------------------------------------------------------
// Keeping the parts in step
// ---------------------------------------------------------------------------

// Which field the user typed the colour into: its group of fields is not
// written back, so the typing (and its caret) stays as it is.
enum class Source { kNone, kHlsField, kRgbField };

void WriteField(Dialog& d, int id, int value) {
  SetWindowTextA(Item(d, id), std::to_string(value).c_str());
}

void ShowModel(Dialog& d, Source source) {
  d.writing_fields = true;
  if (source != Source::kHlsField) {
    WriteField(d, kColourHue, d.model.hls.hue);
    WriteField(d, kColourSat, d.model.hls.sat);
    WriteField(d, kColourLum, d.model.hls.lum);
  }
  if (source != Source::kRgbField) {
    WriteField(d, kColourRed, GetRValue(d.model.rgb));
    WriteField(d, kColourGreen, GetGValue(d.model.rgb));
    WriteField(d, kColourBlue, GetBValue(d.model.rgb));
  }
  d.writing_fields = false;
  for (int id : {kColourSpectrum, kColourLumBar, kColourSample}) {
    InvalidateRect(Item(d, id), nullptr, FALSE);
  }
}

void SetRgb(Dialog& d, COLORREF rgb, Source source) {
  d.model.rgb = rgb & 0x00FFFFFF;
  d.model.hls = RgbToHls(d.model.rgb);
  ShowModel(d, source);
}

void SelectCell(Dialog& d, int grid_id, int cell) {
  SendMessageA(Item(d, grid_id), kCellsSetSelection, static_cast<WPARAM>(cell), 0);
}

// Marks the first basic cell of the current colour, else the first custom
// one; none when neither has it.
void SelectMatchingCell(Dialog& d) {
  int basic = -1, custom = -1;
  for (int i = 0; i < kBasicColumns * kBasicRows && basic < 0; ++i) {
    if (kBasicColours[i] == d.model.rgb) basic = i;
  }
  for (int i = 0; i < kCustomColours && basic < 0 && custom < 0; ++i) {
    if ((d.custom[i] & 0x00FFFFFF) == d.model.rgb) custom = i;
  }
  SelectCell(d, kColourBasic, basic);
  SelectCell(d, kColourCustom, custom);
}

// ---------------------------------------------------------------------------
// Commands
// ---------------------------------------------------------------------------

void End(Dialog& d, bool accepted) {
  if (d.ended) return;
  if (accepted) d.request->rgbResult = d.model.rgb;
  d.accepted = accepted;
  d.ended = true;
}

void OnCellPicked(Dialog& d, int grid_id) {
  const int cell = static_cast<int>(SendMessageA(Item(d, grid_id), kCellsGetSelection, 0, 0));
  if (cell < 0) return;
  const bool basic = grid_id == kColourBasic;
  SelectCell(d, basic ? kColourCustom : kColourBasic, -1);
  SetRgb(d, basic ? kBasicColours[cell] : d.custom[static_cast<size_t>(cell)], Source::kNone);
}

void OnPictureChanged(Dialog& d) {
  d.model.rgb = HlsToRgb(d.model.hls);
  SelectCell(d, kColourBasic, -1);
  SelectCell(d, kColourCustom, -1);
  ShowModel(d, Source::kNone);
}

// The number typed so far: an empty field counts as 0 and stays empty, a
// number over the field's limit is replaced by the limit.
int ReadField(Dialog& d, const Field& f) {
  char text[16] = {};
  GetWindowTextA(Item(d, f.id), text, sizeof text);
  const long value = std::strtol(text, nullptr, 10);
  if (value <= f.max) return static_cast<int>(value);
  d.writing_fields = true;
  WriteField(d, f.id, f.max);
  SendMessageA(Item(d, f.id), EM_SETSEL, 4, 4);
  d.writing_fields = false;
  return f.max;
}

void OnFieldChanged(Dialog& d, const Field& f) {
  const int value = ReadField(d, f);
  Hls& hls = d.model.hls;
  const int r = GetRValue(d.model.rgb), g = GetGValue(d.model.rgb), b = GetBValue(d.model.rgb);
  switch (f.id) {
    case kColourHue:
      hls.hue = value;
      break;
    case kColourSat:
      hls.sat = value;
      break;
    case kColourLum:
      hls.lum = value;
      break;
    case kColourRed:
      d.model.rgb = RGB(value, g, b);
      break;
    case kColourGreen:
      d.model.rgb = RGB(r, value, b);
      break;
    default:
      d.model.rgb = RGB(r, g, value);
      break;
  }
  if (IsHlsField(f.id)) {
    d.model.rgb = HlsToRgb(hls);
  } else {
    hls = RgbToHls(d.model.rgb);
  }
  SelectCell(d, kColourBasic, -1);
  SelectCell(d, kColourCustom, -1);
  ShowModel(d, IsHlsField(f.id) ? Source::kHlsField : Source::kRgbField);
}

void OnField(Dialog& d, int id, WORD code) {
  if (code == EN_SETFOCUS) {
    SendMessageA(Item(d, id), EM_SETSEL, 0, -1);
    return;
  }
  if (code != EN_CHANGE || d.writing_fields) return;
  for (const Field& f : kFields) {
    if (f.id == id) OnFieldChanged(d, f);
  }
}

// The current colour goes into the custom cell under the cursor (and to the
// caller's array at once); the cursor moves on to the next cell.
void AddCustom(Dialog& d) {
  HWND grid = Item(d, kColourCustom);
  const int cell = static_cast<int>(SendMessageA(grid, kCellsGetCursor, 0, 0));
  if (cell < 0 || cell >= kCustomColours) return;
  d.custom[static_cast<size_t>(cell)] = d.model.rgb;
  d.request->lpCustColors[cell] = d.model.rgb;
  SelectCell(d, kColourBasic, -1);
  SelectCell(d, kColourCustom, cell);
  SendMessageA(grid, kCellsSetCursor, static_cast<WPARAM>((cell + 1) % kCustomColours), 0);
  InvalidateRect(grid, nullptr, FALSE);
}

// Shows the right half. The define button goes grey; if it held the
// default-button role, OK takes it back, so Enter still accepts.
void Expand(Dialog& d, bool move_focus) {
  if (d.full) return;
  d.full = true;
  RECT frame{0, 0, kFullClient.cx, kFullClient.cy};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, kDialogExStyle);
  RECT now, work;
  GetWindowRect(d.window, &now);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left;
  const int left = std::max<int>(work.left, std::min<int>(now.left, work.right - width));
  SetWindowPos(d.window, nullptr, left, now.top, width, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  for (HWND part : d.full_only) ShowWindow(part, SW_SHOWNA);
  HWND define = Item(d, kColourDefine);
  SendMessageA(define, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  SendMessageA(Item(d, IDOK), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  if (move_focus) SetFocus(Item(d, kColourHue));
  EnableWindow(define, FALSE);
}

LRESULT OnCommand(Dialog& d, WPARAM wparam) {
  const int id = LOWORD(wparam);
  const WORD code = HIWORD(wparam);
  if (IsField(id)) {
    OnField(d, id, code);
    return 0;
  }
  if (id == kColourBasic || id == kColourCustom) {
    if (code == kCellsPicked) OnCellPicked(d, id);
    return 0;
  }
  if (id == kColourSpectrum || id == kColourLumBar) {
    if (code == kPictureChanged) OnPictureChanged(d);
    return 0;
  }
  if (code != BN_CLICKED) return 0;
  switch (id) {
    case IDOK:
      End(d, true);
      break;
    case IDCANCEL:
      End(d, false);
      break;
    case kColourDefine:
      Expand(d, true);
      break;
    case kColourAdd:
      AddCustom(d);
      break;
    default:
      break;
  }
  return 0;
}

// ---------------------------------------------------------------------------
// The window procedure
// ---------------------------------------------------------------------------

LRESULT DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Dialog* d = DialogOf(window);
  if (d == nullptr && message != WM_NCCREATE)
    return DefWindowProcA(window, message, wparam, lparam);
  const auto cancel = [](HWND w) { End(*DialogOf(w), false); };
  if (auto done = OnDialogLifetime(window, message, wparam, lparam, cancel)) return *done;
  if (message == WM_COMMAND) return OnCommand(*d, wparam);
  return DefWindowProcA(window, message, wparam, lparam);
}

void RegisterClasses() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterDialogWindowClass(kClassName, DialogProc); });
  RegisterColourCellsClass();
  RegisterColourPictureClasses();
}

// ---------------------------------------------------------------------------
// Building
// ---------------------------------------------------------------------------

HWND Add(Dialog& d, const char* class_name, const char* utf8_text, DWORD style, const RECT& at,
         int id, DWORD ex_style = 0, void* params = nullptr) {
  const std::string text = utf8_text ? gbk::Gbk(utf8_text) : std::string();
  return AddDialogControl(d.window, class_name, utf8_text ? text.c_str() : nullptr, style, at, id,
                          d.font, ex_style, params);
}

// The right half: hidden until the dialog widens.
void AddFullOnly(Dialog& d, HWND part) {
  if (part != nullptr) d.full_only.push_back(part);
}

void BuildRightHalf(Dialog& d) {
  AddFullOnly(d, Add(d, kSpectrumClass, nullptr, WS_TABSTOP | WS_GROUP, kSpectrumAt,
                     kColourSpectrum, 0, &d.model));
  AddFullOnly(d, Add(d, kLuminanceClass, nullptr, WS_TABSTOP | WS_GROUP, kLumBarAt, kColourLumBar,
                     0, &d.model));
  AddFullOnly(d, Add(d, kSampleClass, nullptr, 0, kSampleAt, kColourSample, 0, &d.model));
  AddFullOnly(d, Add(d, "Static", "颜色|纯色(&O)", SS_LEFT, kSolidLabelAt, kColourSolid));
  for (size_t i = 0; i < std::size(kFields); ++i) {
    const Field& f = kFields[i];
    AddFullOnly(d, Add(d, "Static", f.label, SS_RIGHT | SS_CENTERIMAGE, FieldLabelAt(f),
                       kColourHueLabel + static_cast<int>(i)));
    HWND edit = Add(d, "Edit", nullptr, WS_TABSTOP | WS_GROUP | ES_NUMBER | ES_AUTOHSCROLL,
                    FieldEditAt(f), f.id, WS_EX_CLIENTEDGE);
    if (edit) SendMessageA(edit, EM_LIMITTEXT, 3, 0);
    AddFullOnly(d, edit);
  }
  AddFullOnly(d, Add(d, "Button", "添加到自定义颜色(&A)", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON,
                     kAddAt, kColourAdd));
}

bool BuildControls(Dialog& d) {
  const DWORD flags = d.request->Flags;
  const DWORD shown = WS_VISIBLE;
  Add(d, "Static", "基本颜色(&B):", shown | SS_LEFT, kBasicLabelAt, kColourBasicLabel);
  HWND basic = Add(d, kColourCellsClass, nullptr, shown | WS_TABSTOP | WS_GROUP, kBasicAt,
                   kColourBasic, 0, &d.basic_cells);
  Add(d, "Static", "自定义颜色(&C):", shown | SS_LEFT, kCustomLabelAt, kColourCustomLabel);
  HWND custom = Add(d, kColourCellsClass, nullptr, shown | WS_TABSTOP | WS_GROUP, kCustomAt,
                    kColourCustom, 0, &d.custom_cells);
  const DWORD define_state = (flags & (CC_PREVENTFULLOPEN | CC_FULLOPEN)) ? WS_DISABLED : 0;
  HWND define =
      Add(d, "Button", "规定自定义颜色(&D) >>",
          shown | define_state | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, kDefineAt, kColourDefine);
  HWND ok = Add(d, "Button", "确定", shown | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, kOkAt, IDOK);
  HWND cancel = Add(d, "Button", "取消", shown | WS_TABSTOP | BS_PUSHBUTTON, kCancelAt, IDCANCEL);
  BuildRightHalf(d);
  constexpr size_t kRightHalfParts = 4 + 2 * std::size(kFields) + 1;
  return basic && custom && define && ok && cancel && d.full_only.size() == kRightHalfParts;
}

bool Build(Dialog& d, HWND owner) {
  d.font = CreateDialogFont();
  d.caption = gbk::Gbk("颜色");
  const RECT place = PlaceDialog(kCompactClient, owner);
  d.window = CreateWindowExA(kDialogExStyle, kClassName, d.caption.c_str(), kDialogStyle,
                             place.left, place.top, place.right - place.left,
                             place.bottom - place.top, owner, nullptr, nullptr, &d);
  return d.window != nullptr && BuildControls(d);
}

// ---------------------------------------------------------------------------
// Answering and running
// ---------------------------------------------------------------------------

void Click(Dialog& d, int id) { SendMessageA(Item(d, id), BM_CLICK, 0, 0); }

// Nobody is at the screen: the queued colour is chosen as a click would
// choose it and OK pressed; a queued cancel, or none, presses Cancel.
void AnswerUnattended(Dialog& d) {
  const std::optional<ColorAnswer> answer = TakeColorDialogAnswer();
  if (!answer) {
    LogUnanswered("ChooseColor", d.caption, "no answer queued: cancelled");
  } else if (!answer->cancelled) {
    SetRgb(d, answer->color, Source::kNone);
    SelectMatchingCell(d);
    Click(d, IDOK);
  }
  if (!d.ended) Click(d, IDCANCEL);
}

void Start(Dialog& d) {
  for (int i = 0; i < kCustomColours; ++i)
    d.custom[static_cast<size_t>(i)] = d.request->lpCustColors[i];
  d.custom_cells.colours = d.custom.data();
  const COLORREF initial = (d.request->Flags & CC_RGBINIT) ? d.request->rgbResult : RGB(0, 0, 0);
  d.model.rgb = initial & 0x00FFFFFF;
  d.model.hls = RgbToHls(d.model.rgb);
}

void Show(Dialog& d) {
  SelectMatchingCell(d);
  ShowModel(d, Source::kNone);
  if (d.request->Flags & CC_FULLOPEN) Expand(d, false);
  ShowWindow(d.window, SW_SHOW);
  SetFocus(Item(d, kColourBasic));
  UpdateWindow(d.window);
}

BOOL Run(CHOOSECOLORA* request) {
  RegisterClasses();
  Dialog d;
  d.request = request;
  Start(d);
  HWND owner = DialogOwner(request->hwndOwner);
  OwnerDisabled disabled(owner);
  std::optional<int> quit;
  const bool built = Build(d, owner);
  if (built) {
    Show(d);
    quit = RunShownDialog(d.window, &d.ended, [&d] { AnswerUnattended(d); });
  }
  disabled.Restore();
  if (IsWindow(d.window)) DestroyWindow(d.window);
  if (d.font) DeleteObject(d.font);
  if (quit) PostQuitMessage(*quit);
  SetCommDlgError(built ? 0 : CDERR_DIALOGFAILURE);
  return built && d.accepted ? TRUE : FALSE;
}

DWORD RequestError(const CHOOSECOLORA* request) {
  if (request == nullptr) return CDERR_INITIALIZATION;
  if (request->lStructSize != sizeof(CHOOSECOLORA)) return CDERR_STRUCTSIZE;
  if (request->Flags & (CC_ENABLETEMPLATE | CC_ENABLETEMPLATEHANDLE)) return CDERR_FINDRESFAILURE;
  if (request->Flags & CC_ENABLEHOOK) return CDERR_NOHOOK;
  if (request->lpCustColors == nullptr) return CDERR_INITIALIZATION;
  if (!IsUsableOwner(request->hwndOwner)) return CDERR_DIALOGFAILURE;
  return 0;
}

}  // namespace

}  // namespace platform::dialogs

BOOL ChooseColorA(LPCHOOSECOLORA lpcc) {
  const DWORD error = platform::dialogs::RequestError(lpcc);
  if (error != 0) {
    platform::dialogs::SetCommDlgError(error);
    return FALSE;
  }
  return platform::dialogs::Run(lpcc);
}
