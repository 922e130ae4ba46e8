// ChooseFontA: a modal top-level window of standard controls (STATIC,
// BUTTON with check boxes and group boxes, COMBOBOX), built on the public
// facade. The lists and the sample are in choose_font_lists.cpp; this file
// builds the window, follows its controls, checks the choice on OK and
// writes it to the caller's structures.
//
// Index: layout - the window procedure - building - OK - answering and
// running - ChooseFontA.
#include "platform/dialogs/choose_font.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>

#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/dialogs/comm_dlg_error.h"
#include "platform/dialogs/common_dialog.h"

namespace platform::dialogs {

namespace {

constexpr char kClassName[] = "Mienzo.ChooseFont";

// ---------------------------------------------------------------------------
// Layout (client pixels)
// ---------------------------------------------------------------------------
constexpr SIZE kClient{448, 326};

constexpr RECT kFaceLabelAt{8, 8, 160, 24};
constexpr RECT kFaceAt{8, 26, 160, 186};
constexpr RECT kStyleLabelAt{168, 8, 280, 24};
constexpr RECT kStyleAt{168, 26, 280, 186};
constexpr RECT kSizeLabelAt{288, 8, 348, 24};
constexpr RECT kSizeAt{288, 26, 348, 186};
constexpr RECT kOkAt{360, 26, 440, 52};
constexpr RECT kCancelAt{360, 58, 440, 84};
constexpr RECT kEffectsAt{8, 194, 160, 318};
constexpr RECT kStrikeOutAt{18, 212, 150, 232};
constexpr RECT kUnderlineAt{18, 234, 150, 254};
constexpr RECT kColourLabelAt{18, 258, 150, 274};
constexpr RECT kColourAt{18, 276, 118, 496};  // with its dropped list
constexpr RECT kSwatchAt{124, 277, 150, 299};
constexpr RECT kSampleGroupAt{168, 194, 440, 270};
constexpr RECT kSampleAt{176, 212, 432, 264};
constexpr RECT kScriptLabelAt{168, 276, 440, 292};
constexpr RECT kScriptAt{168, 294, 348, 414};

FontDialog* DialogOf(HWND window) {
  return reinterpret_cast<FontDialog*>(GetWindowLongPtrA(window, 0));
}

HWND Item(const FontDialog& d, int id) { return GetDlgItem(d.window, id); }

void End(FontDialog& d, bool accepted) {
  if (d.ended) return;
  d.accepted = accepted;
  d.ended = true;
}

bool TryAccept(FontDialog& d);

// ---------------------------------------------------------------------------
// The window procedure
// ---------------------------------------------------------------------------

void OnListCommand(FontDialog& d, int id, WORD code) {
  if (code != CBN_SELCHANGE && code != CBN_EDITCHANGE) return;
  switch (id) {
    case kFontFaceList:
      FaceChanged(d);
      break;
    case kFontColourList:
      ColourChanged(d);
      break;
    default:
      UpdateSample(d);
      break;
  }
}

LRESULT OnCommand(FontDialog& d, WPARAM wparam) {
  const int id = LOWORD(wparam);
  const WORD code = HIWORD(wparam);
  if (d.filling) return 0;
  if (id >= kFontFaceList && id <= kFontScriptList) {
    OnListCommand(d, id, code);
    return 0;
  }
  if (code != BN_CLICKED) return 0;
  switch (id) {
    case IDOK:
      if (TryAccept(d)) End(d, true);
      break;
    case IDCANCEL:
      End(d, false);
      break;
    case kFontStrikeOut:
    case kFontUnderline:
      UpdateSample(d);
      break;
    default:
      break;
  }
  return 0;
}

// The sample's text takes the chosen colour; the swatch is that colour.
LRESULT OnCtlColorStatic(FontDialog& d, HDC dc, HWND control) {
  if (control == Item(d, kFontColourSwatch) && d.swatch_brush) {
    return reinterpret_cast<LRESULT>(d.swatch_brush);
  }
  if (control == Item(d, kFontSample)) {
    SetTextColor(dc, (d.request->Flags & CF_EFFECTS) ? d.colour : GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
  }
  return DefWindowProcA(d.window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(control));
}

LRESULT DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  FontDialog* d = DialogOf(window);
  if (d == nullptr && message != WM_NCCREATE)
    return DefWindowProcA(window, message, wparam, lparam);
  const auto cancel = [](HWND w) { End(*DialogOf(w), false); };
  if (auto done = OnDialogLifetime(window, message, wparam, lparam, cancel)) return *done;
  switch (message) {
    case WM_COMMAND:
      return OnCommand(*d, wparam);
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(*d, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

void RegisterDialogClass() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterDialogWindowClass(kClassName, DialogProc); });
}

// ---------------------------------------------------------------------------
// Building
// ---------------------------------------------------------------------------

HWND Add(FontDialog& d, const char* class_name, const char* utf8_text, DWORD style, const RECT& at,
         int id, DWORD ex_style = 0) {
  const std::string text = utf8_text ? gbk::Gbk(utf8_text) : std::string();
  return AddDialogControl(d.window, class_name, utf8_text ? text.c_str() : nullptr,
                          WS_VISIBLE | style, at, id, d.font, ex_style);
}

bool BuildLists(FontDialog& d) {
  constexpr DWORD kList = CBS_SIMPLE | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
  Add(d, "Static", "字体(&F):", SS_LEFT, kFaceLabelAt, kFontFaceLabel);
  HWND faces = Add(d, "ComboBox", nullptr, kList, kFaceAt, kFontFaceList);
  Add(d, "Static", "字形(&Y):", SS_LEFT, kStyleLabelAt, kFontStyleLabel);
  HWND styles = Add(d, "ComboBox", nullptr, kList, kStyleAt, kFontStyleList);
  Add(d, "Static", "大小(&S):", SS_LEFT, kSizeLabelAt, kFontSizeLabel);
  HWND sizes = Add(d, "ComboBox", nullptr, kList, kSizeAt, kFontSizeList);
  SendMessageA(faces, CB_LIMITTEXT, LF_FACESIZE - 1, 0);
  SendMessageA(sizes, CB_LIMITTEXT, 6, 0);
  HWND ok = Add(d, "Button", "确定", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kOkAt, IDOK);
  HWND cancel = Add(d, "Button", "取消", BS_PUSHBUTTON | WS_TABSTOP, kCancelAt, IDCANCEL);
  return faces && styles && sizes && ok && cancel;
}

// Strike-out, underline and colour: only with CF_EFFECTS.
bool BuildEffects(FontDialog& d) {
  if (!(d.request->Flags & CF_EFFECTS)) return true;
  Add(d, "Button", "效果", BS_GROUPBOX | WS_GROUP, kEffectsAt, kFontEffectsGroup);
  HWND strike = Add(d, "Button", "删除线(&K)", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
                    kStrikeOutAt, kFontStrikeOut);
  HWND underline =
      Add(d, "Button", "下划线(&U)", BS_AUTOCHECKBOX | WS_TABSTOP, kUnderlineAt, kFontUnderline);
  Add(d, "Static", "颜色(&C):", SS_LEFT, kColourLabelAt, kFontColourLabel);
  HWND colours = Add(d, "ComboBox", nullptr, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                     kColourAt, kFontColourList);
  HWND swatch = Add(d, "Static", nullptr, SS_LEFT, kSwatchAt, kFontColourSwatch, WS_EX_CLIENTEDGE);
  return strike && underline && colours && swatch;
}

bool BuildSample(FontDialog& d) {
  Add(d, "Button", "示例", BS_GROUPBOX | WS_GROUP, kSampleGroupAt, kFontSampleGroup);
  HWND sample = Add(d, "Static", kFontSampleText, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX,
                    kSampleAt, kFontSample);
  Add(d, "Static", "字符集(&R):", SS_LEFT, kScriptLabelAt, kFontScriptLabel);
  const DWORD disabled = (d.request->Flags & CF_NOSCRIPTSEL) ? WS_DISABLED : 0;
  HWND scripts =
      Add(d, "ComboBox", nullptr, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP | disabled,
          kScriptAt, kFontScriptList);
  return sample && scripts;
}

bool Build(FontDialog& d, HWND owner) {
  d.font = CreateDialogFont();
  d.caption = gbk::Gbk("字体");
  const RECT place = PlaceDialog(kClient, owner);
  d.window = CreateWindowExA(kDialogExStyle, kClassName, d.caption.c_str(), kDialogStyle,
                             place.left, place.top, place.right - place.left,
                             place.bottom - place.top, owner, nullptr, nullptr, &d);
  return d.window != nullptr && BuildLists(d) && BuildEffects(d) && BuildSample(d);
}

// ---------------------------------------------------------------------------
// OK: the choice is checked, then written to the caller's structures
// ---------------------------------------------------------------------------

// Tells what is wrong and puts the focus (and a selection) on that field.
bool Refuse(FontDialog& d, int field, const std::string& utf8_message) {
  MessageBoxA(d.window, gbk::Gbk(utf8_message).c_str(), d.caption.c_str(),
              MB_OK | MB_ICONEXCLAMATION);
  if (IsWindow(d.window)) {
    HWND control = Item(d, field);
    SetFocus(control);
    SendMessageA(control, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  }
  return false;
}

bool CheckChoice(FontDialog& d, const FontChoice& c) {
  const CHOOSEFONTA& r = *d.request;
  const bool forced = (r.Flags & CF_FORCEFONTEXIST) != 0;
  if (c.face.empty() || (forced && c.family == nullptr)) {
    return Refuse(d, kFontFaceList, "没有该名称的字体。\n请从字体列表中选择字体。");
  }
  if (forced && c.style < 0) {
    return Refuse(d, kFontStyleList, "没有该样式的字体。\n请从样式列表中选择样式。");
  }
  const bool limited = (r.Flags & CF_LIMITSIZE) != 0;
  const int least = limited ? r.nSizeMin : kLeastFontSize;
  const int most = limited ? r.nSizeMax : kGreatestFontSize;
  if (c.tenths == 0) return Refuse(d, kFontSizeList, "大小必须是数字。");
  if (c.tenths < least * 10 || c.tenths > most * 10) {
    return Refuse(
        d, kFontSizeList,
        "大小必须介于 " + std::to_string(least) + " 和 " + std::to_string(most) + " 磅之间。");
  }
  return true;
}

WORD FontTypeOf(const FontDialog& d, const FontChoice& c) {
  const int style = std::max(c.style, 0);
  WORD type = (d.request->Flags & CF_SCREENFONTS) || !(d.request->Flags & CF_PRINTERFONTS)
                  ? SCREEN_FONTTYPE
                  : PRINTER_FONTTYPE;
  type |= StyleIsBold(style) ? BOLD_FONTTYPE : REGULAR_FONTTYPE;
  if (StyleIsItalic(style)) type |= ITALIC_FONTTYPE;
  if (c.family != nullptr && !c.family->has_style[static_cast<size_t>(style)]) {
    type |= SIMULATED_FONTTYPE;
  }
  return type;
}

void Commit(FontDialog& d, const FontChoice& c) {
  CHOOSEFONTA& r = *d.request;
  *r.lpLogFont = LogFontOf(d, c);
  r.iPointSize = c.tenths;
  if (r.Flags & CF_EFFECTS) r.rgbColors = d.colour;
  r.nFontType = FontTypeOf(d, c);
  if ((r.Flags & CF_USESTYLE) && r.lpszStyle != nullptr) {
    const std::string name = FitFaceName(FontStyleName(std::max(c.style, 0)));
    std::memcpy(r.lpszStyle, name.data(), name.size());
    r.lpszStyle[name.size()] = '\0';
  }
}

bool TryAccept(FontDialog& d) {
  const FontChoice choice = ReadChoice(d);
  if (!CheckChoice(d, choice)) return false;
  Commit(d, choice);
  return true;
}

// ---------------------------------------------------------------------------
// Answering and running
// ---------------------------------------------------------------------------

void Click(FontDialog& d, int id) { SendMessageA(Item(d, id), BM_CLICK, 0, 0); }

// Nobody is at the screen: a queued font and colour are put into the
// controls and OK pressed; a cancel, no answer, or an answer OK refused
// presses Cancel.
void AnswerUnattended(FontDialog& d) {
  const std::optional<FontAnswer> answer = TakeFontDialogAnswer();
  if (!answer) {
    LogUnanswered("ChooseFont", d.caption, "no answer queued: cancelled");
  } else if (!answer->cancelled) {
    ShowLogFont(d, answer->font, answer->color, 0);
    Click(d, IDOK);
  }
  if (IsWindow(d.window) && !d.ended) Click(d, IDCANCEL);
}

// The style a CF_USESTYLE name stands for, or -1.
int StyleFromName(LPCSTR name) {
  if (name == nullptr) return -1;
  const std::string text(name, strnlen(name, LF_FACESIZE));
  for (int style = 0; style < kFontStyleCount; ++style) {
    if (text == FontStyleName(style)) return style;
  }
  return -1;
}

void ShowInitial(FontDialog& d) {
  const CHOOSEFONTA& r = *d.request;
  FillFontLists(d);
  LOGFONTA initial{};
  DWORD unselected = CF_NOFACESEL | CF_NOSIZESEL;  // nothing to start from
  if (r.Flags & CF_INITTOLOGFONTSTRUCT) {
    initial = *r.lpLogFont;
    unselected = r.Flags & (CF_NOFACESEL | CF_NOSTYLESEL | CF_NOSIZESEL);
  }
  const int named_style = (r.Flags & CF_USESTYLE) ? StyleFromName(r.lpszStyle) : -1;
  if (named_style >= 0) {
    initial.lfWeight = StyleIsBold(named_style) ? FW_BOLD : FW_NORMAL;
    initial.lfItalic = StyleIsItalic(named_style) ? 1 : 0;
  }
  ShowLogFont(d, initial, (r.Flags & CF_EFFECTS) ? r.rgbColors : RGB(0, 0, 0), unselected);
  ShowWindow(d.window, SW_SHOW);
  SetFocus(Item(d, kFontFaceList));
  UpdateWindow(d.window);
}

std::vector<FontFamily> ListedFamilies(const CHOOSEFONTA& r) {
  std::vector<FontFamily> families = ListFontFamilies();
  const bool chinese_only = (r.Flags & CF_SELECTSCRIPT) && r.lpLogFont->lfCharSet == GB2312_CHARSET;
  std::erase_if(families, [&](const FontFamily& f) {
    return ((r.Flags & CF_FIXEDPITCHONLY) && !f.monospace) || (chinese_only && !f.chinese);
  });
  return families;
}

void Release(FontDialog& d) {
  if (IsWindow(d.window)) DestroyWindow(d.window);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(d.font), static_cast<HGDIOBJ>(d.sample_font),
                         static_cast<HGDIOBJ>(d.swatch_brush)}) {
    if (object) DeleteObject(object);
  }
}

BOOL Run(CHOOSEFONTA* request, std::vector<FontFamily> families) {
  RegisterDialogClass();
  FontDialog d;
  d.request = request;
  d.families = std::move(families);
  HDC screen = GetDC(nullptr);
  d.dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  HWND owner = DialogOwner(request->hwndOwner);
  OwnerDisabled disabled(owner);
  std::optional<int> quit;
  const bool built = Build(d, owner);
  if (built) {
    ShowInitial(d);
    quit = RunShownDialog(d.window, &d.ended, [&d] { AnswerUnattended(d); });
  }
  disabled.Restore();
  Release(d);
  if (quit) PostQuitMessage(*quit);
  SetCommDlgError(built ? 0 : CDERR_DIALOGFAILURE);
  return built && d.accepted ? TRUE : FALSE;
}

DWORD RequestError(const CHOOSEFONTA* r) {
  if (r == nullptr) return CDERR_INITIALIZATION;
  if (r->lStructSize != sizeof(CHOOSEFONTA)) return CDERR_STRUCTSIZE;
  if (r->lpLogFont == nullptr) return CDERR_INITIALIZATION;
  if (r->Flags & (CF_ENABLETEMPLATE | CF_ENABLETEMPLATEHANDLE)) return CDERR_FINDRESFAILURE;
  if (r->Flags & (CF_ENABLEHOOK | CF_APPLY)) return CDERR_NOHOOK;
  if ((r->Flags & CF_LIMITSIZE) && r->nSizeMax < r->nSizeMin) {
    return CFERR_MAXLESSTHANMIN;
  }
  if (!IsUsableOwner(r->hwndOwner)) return CDERR_DIALOGFAILURE;
  return 0;
}

}  // namespace

}  // namespace platform::dialogs

BOOL ChooseFontA(LPCHOOSEFONTA lpcf) {
  using namespace platform::dialogs;
  DWORD error = RequestError(lpcf);
  std::vector<FontFamily> families;
  if (error == 0) {
    families = ListedFamilies(*lpcf);
    if (families.empty()) error = CFERR_NOFONTS;
  }
  if (error != 0) {
    SetCommDlgError(error);
    return FALSE;
  }
  return Run(lpcf, std::move(families));
}
