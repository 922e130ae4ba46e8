// The font dialog's lists and boxes: filling them, showing a LOGFONTA in
// them, following a chosen face with its styles and scripts, reading the
// choice back, and the sample drawn in it.
//
// The face, style and size lists are simple combo boxes: the text of each
// edit field is the choice, typed or taken from the list (a click in the
// list copies the item into the field first).
//
// Index: names and numbers - small helpers - filling - following the face
// - showing a LOGFONTA - reading the choice - the sample.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/base/gbk.h"
#include "platform/dialogs/choose_font.h"

namespace platform::dialogs {

namespace {

// ---------------------------------------------------------------------------
// Names and numbers
// ---------------------------------------------------------------------------

constexpr const char* kStyleNames[kFontStyleCount] = {"常规", "斜体", "粗体", "粗偏斜体"};

struct NamedColour {
  const char* name;  // UTF-8
  COLORREF colour;
};
constexpr NamedColour kColours[] = {
    {"黑色", RGB(0, 0, 0)},       {"褐红色", RGB(128, 0, 0)},   {"绿色", RGB(0, 128, 0)},
    {"橄榄色", RGB(128, 128, 0)}, {"藏青色", RGB(0, 0, 128)},   {"紫色", RGB(128, 0, 128)},
    {"深青色", RGB(0, 128, 128)}, {"灰色", RGB(128, 128, 128)}, {"银色", RGB(192, 192, 192)},
    {"红色", RGB(255, 0, 0)},     {"酸橙色", RGB(0, 255, 0)},   {"黄色", RGB(255, 255, 0)},
    {"蓝色", RGB(0, 0, 255)},     {"紫红色", RGB(255, 0, 255)}, {"水绿色", RGB(0, 255, 255)},
    {"白色", RGB(255, 255, 255)},
};
constexpr char kCustomColourName[] = "自定义";

struct Script {
  const char* name;  // UTF-8
  BYTE charset;
};
constexpr Script kWestern{"西方", ANSI_CHARSET};
constexpr Script kChinese{"中文 GB2312", GB2312_CHARSET};

// ---------------------------------------------------------------------------
// Small helpers
// ---------------------------------------------------------------------------

HWND Item(const FontDialog& d, int id) { return GetDlgItem(d.window, id); }

std::string TextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return text;
}

int AddItem(HWND combo, const std::string& gbk_text, LPARAM data) {
  const LRESULT index =
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(gbk_text.c_str()));
  if (index >= 0) SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
  return static_cast<int>(index);
}

LPARAM DataOf(HWND combo, int index) {
  return static_cast<LPARAM>(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

int IndexOfData(HWND combo, LPARAM data) {
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (DataOf(combo, i) == data) return i;
  }
  return -1;
}

void Select(HWND combo, int index) {
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool SameName(const std::string& a, const std::string& b) {
  return !FontNameLess(a, b) && !FontNameLess(b, a);
}

const FontFamily* FamilyNamed(const FontDialog& d, const std::string& name) {
  for (const FontFamily& family : d.families) {
    if (SameName(family.name, name)) return &family;
  }
  return nullptr;
}

std::string FaceNameOf(const LOGFONTA& font) {
  return std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
}

int StyleNamed(const std::string& text) {
  for (int style = 0; style < kFontStyleCount; ++style) {
    if (text == FontStyleName(style)) return style;
  }
  return -1;
}

// ---------------------------------------------------------------------------
// Filling
// ---------------------------------------------------------------------------

void FillSizes(FontDialog& d) {
  HWND sizes = Item(d, kFontSizeList);
  const CHOOSEFONTA& r = *d.request;
  const bool limited = (r.Flags & CF_LIMITSIZE) != 0;
  for (int points : kFontSizes) {
    if (limited && (points < r.nSizeMin || points > r.nSizeMax)) continue;
    AddItem(sizes, std::to_string(points), points * 10);
  }
}

void FillColours(FontDialog& d) {
  HWND colours = Item(d, kFontColourList);
  for (const NamedColour& c : kColours) AddItem(colours, gbk::Gbk(c.name), c.colour);
}

// The styles a face offers: all four, simulated where the family lacks
// them, unless simulations are refused.
void FillStyles(FontDialog& d, const FontFamily* family) {
  HWND styles = Item(d, kFontStyleList);
  const std::string kept = TextOf(styles);
  SendMessageA(styles, CB_RESETCONTENT, 0, 0);
  const bool real_only = (d.request->Flags & CF_NOSIMULATIONS) && family != nullptr;
  for (int style = 0; style < kFontStyleCount; ++style) {
    if (!real_only || family->has_style[static_cast<size_t>(style)]) {
      AddItem(styles, FontStyleName(style), style);
    }
  }
  const int index = static_cast<int>(SendMessageA(
      styles, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(kept.c_str())));
  if (index >= 0) {
    Select(styles, index);
  } else if (!kept.empty()) {
    Select(styles, 0);  // the style is not there: the family's first
  }
}

void FillScripts(FontDialog& d, const FontFamily* family) {
  HWND scripts = Item(d, kFontScriptList);
  const int kept_index = static_cast<int>(SendMessageA(scripts, CB_GETCURSEL, 0, 0));
  const LPARAM kept = kept_index >= 0 ? DataOf(scripts, kept_index) : ANSI_CHARSET;
  SendMessageA(scripts, CB_RESETCONTENT, 0, 0);
  AddItem(scripts, gbk::Gbk(kWestern.name), kWestern.charset);
  if (family == nullptr || family->chinese)
    AddItem(scripts, gbk::Gbk(kChinese.name), kChinese.charset);
  Select(scripts, std::max(IndexOfData(scripts, kept), 0));
}

void SetSwatch(FontDialog& d, COLORREF colour) {
  d.colour = colour & 0x00FFFFFF;
  if (d.swatch_brush) DeleteObject(d.swatch_brush);
  d.swatch_brush = CreateSolidBrush(d.colour);
  InvalidateRect(Item(d, kFontColourSwatch), nullptr, TRUE);
}

// A colour of the list is selected; any other shows as "自定义", an item
// added for it.
void SelectColour(FontDialog& d, COLORREF colour) {
  HWND colours = Item(d, kFontColourList);
  colour &= 0x00FFFFFF;
  int index = -1;
  for (int i = 0; i < static_cast<int>(std::size(kColours)) && index < 0; ++i) {
    if (DataOf(colours, i) == static_cast<LPARAM>(colour)) index = i;
  }
  if (index < 0) {
    index = static_cast<int>(std::size(kColours));
    if (SendMessageA(colours, CB_GETCOUNT, 0, 0) <= index) {
      AddItem(colours, gbk::Gbk(kCustomColourName), 0);
    }
    SendMessageA(colours, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(colour));
  }
  Select(colours, index);
  SetSwatch(d, colour);
}

// The face field's text, or the family a list click chose.
const FontFamily* ChosenFamily(const FontDialog& d) {
  return FamilyNamed(d, TextOf(Item(d, kFontFaceList)));
}

// ---------------------------------------------------------------------------
// Showing a size
// ---------------------------------------------------------------------------

// Whole points for a LOGFONTA's height: a negative height is the em, a
// positive one the cell, of which the em is what the internal leading
// leaves.
int PointsOf(const FontDialog& d, const LOGFONTA& font) {
  int em = -font.lfHeight;
  if (font.lfHeight > 0) {
    em = font.lfHeight;
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT realised = CreateFontIndirectA(&font);
    if (dc && realised) {
      HGDIOBJ old = SelectObject(dc, realised);
      TEXTMETRICA tm{};
      if (GetTextMetricsA(dc, &tm)) em = tm.tmHeight - tm.tmInternalLeading;
      SelectObject(dc, old);
    }
    if (realised) DeleteObject(realised);
    if (dc) DeleteDC(dc);
  }
  return std::max(1, MulDiv(em, 72, d.dpi));
}

void ShowSize(FontDialog& d, int points) {
  HWND sizes = Item(d, kFontSizeList);
  const int index = IndexOfData(sizes, points * 10);
  if (index >= 0) {
    Select(sizes, index);
  } else {
    Select(sizes, -1);
    SetWindowTextA(sizes, std::to_string(points).c_str());
  }
}

void ShowFace(FontDialog& d, const std::string& face) {
  HWND faces = Item(d, kFontFaceList);
  const FontFamily* family = FamilyNamed(d, face);
  if (family != nullptr) {
    Select(faces, static_cast<int>(SendMessageA(faces, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(family->name.c_str()))));
  } else {
    Select(faces, -1);
    SetWindowTextA(faces, face.c_str());
  }
}

}  // namespace

std::string FitFaceName(const std::string& name) {
  size_t end = 0;
  while (end < name.size()) {
    const size_t step = gbk::CharLength(name.data() + end, name.size() - end);
    if (step == 0 || end + step > LF_FACESIZE - 1) break;
    end += step;
  }
  return name.substr(0, end);
}

std::string FontStyleName(int style) {
  return style >= 0 && style < kFontStyleCount ? gbk::Gbk(kStyleNames[style]) : std::string();
}

int ParseFontSize(const std::string& text) {
  size_t i = text.find_first_not_of(' ');
  const size_t end = text.find_last_not_of(' ');
  if (i == std::string::npos) return 0;
  int points = 0, digits = 0, tenths = 0;
  for (; i <= end && text[i] >= '0' && text[i] <= '9' && digits < 5; ++i, ++digits) {
    points = points * 10 + (text[i] - '0');
  }
  if (digits == 0) return 0;
  if (i <= end && text[i] == '.') {
    ++i;
    if (i <= end && text[i] >= '0' && text[i] <= '9') tenths = text[i++] - '0';
  }
  if (i <= end) return 0;
  return points * 10 + tenths;
}

// ---------------------------------------------------------------------------
// Filling, following the face, showing a LOGFONTA
// ---------------------------------------------------------------------------

void FillFontLists(FontDialog& d) {
  d.filling = true;
  HWND faces = Item(d, kFontFaceList);
  for (size_t i = 0; i < d.families.size(); ++i) {
    AddItem(faces, d.families[i].name, static_cast<LPARAM>(i));
  }
  FillSizes(d);
  FillColours(d);
  FillStyles(d, nullptr);
  Select(Item(d, kFontStyleList), kRegular);
  FillScripts(d, nullptr);
  SelectColour(d, RGB(0, 0, 0));
  d.filling = false;
}

void FaceChanged(FontDialog& d) {
  const bool was_filling = d.filling;
  d.filling = true;
  const FontFamily* family = ChosenFamily(d);
  FillStyles(d, family);
  FillScripts(d, family);
  d.filling = was_filling;
  UpdateSample(d);
}

void ColourChanged(FontDialog& d) {
  HWND colours = Item(d, kFontColourList);
  const int index = static_cast<int>(SendMessageA(colours, CB_GETCURSEL, 0, 0));
  if (index >= 0) SetSwatch(d, static_cast<COLORREF>(DataOf(colours, index)));
  UpdateSample(d);
}

void ShowLogFont(FontDialog& d, const LOGFONTA& font, COLORREF colour, DWORD flags) {
  d.filling = true;
  if (!(flags & CF_NOFACESEL)) ShowFace(d, FaceNameOf(font));
  const FontFamily* family = ChosenFamily(d);
  FillStyles(d, family);
  FillScripts(d, family);
  if (!(flags & CF_NOSTYLESEL)) {
    HWND styles = Item(d, kFontStyleList);
    const int style = StyleOf(font.lfWeight >= FW_BOLD, font.lfItalic != 0);
    Select(styles, std::max(IndexOfData(styles, style), 0));
  }
  if (!(flags & CF_NOSIZESEL) && font.lfHeight != 0) ShowSize(d, PointsOf(d, font));
  SendMessageA(Item(d, kFontUnderline), BM_SETCHECK, font.lfUnderline ? BST_CHECKED : BST_UNCHECKED,
               0);
  SendMessageA(Item(d, kFontStrikeOut), BM_SETCHECK, font.lfStrikeOut ? BST_CHECKED : BST_UNCHECKED,
               0);
  SelectColour(d, colour);
  HWND scripts = Item(d, kFontScriptList);
  const int script = IndexOfData(scripts, font.lfCharSet);
  if (script >= 0) Select(scripts, script);
  d.filling = false;
  UpdateSample(d);
}

// ---------------------------------------------------------------------------
// Reading the choice
// ---------------------------------------------------------------------------

FontChoice ReadChoice(const FontDialog& d) {
  FontChoice choice;
  choice.face = TextOf(Item(d, kFontFaceList));
  choice.family = FamilyNamed(d, choice.face);
  if (choice.family != nullptr) choice.face = choice.family->name;
  choice.style = StyleNamed(TextOf(Item(d, kFontStyleList)));
  choice.tenths = ParseFontSize(TextOf(Item(d, kFontSizeList)));
  if (d.request->Flags & CF_EFFECTS) {
    choice.underline = SendMessageA(Item(d, kFontUnderline), BM_GETCHECK, 0, 0) == BST_CHECKED;
    choice.strike_out = SendMessageA(Item(d, kFontStrikeOut), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  HWND scripts = Item(d, kFontScriptList);
  const int script = static_cast<int>(SendMessageA(scripts, CB_GETCURSEL, 0, 0));
  if (!(d.request->Flags & CF_NOSCRIPTSEL) && script >= 0) {
    choice.charset = static_cast<BYTE>(DataOf(scripts, script));
  }
  return choice;
}

LOGFONTA LogFontOf(const FontDialog& d, const FontChoice& choice) {
  LOGFONTA font{};
  font.lfHeight = -MulDiv(choice.tenths, d.dpi, 720);
  const int style = std::max(choice.style, 0);
  font.lfWeight = StyleIsBold(style) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = StyleIsItalic(style) ? 1 : 0;
  font.lfUnderline = choice.underline ? 1 : 0;
  font.lfStrikeOut = choice.strike_out ? 1 : 0;
  font.lfCharSet = choice.charset;
  font.lfOutPrecision = OUT_STROKE_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfQuality = DRAFT_QUALITY;
  if (choice.family != nullptr) {
    font.lfPitchAndFamily =
        choice.family->monospace ? (FIXED_PITCH | FF_MODERN) : (VARIABLE_PITCH | FF_SWISS);
  }
  const std::string face = FitFaceName(choice.face);
  std::memcpy(font.lfFaceName, face.data(), face.size());
  return font;
}

// ---------------------------------------------------------------------------
// The sample
// ---------------------------------------------------------------------------

// Drawn at the chosen size, or at 12 points while the size field holds no
// size; never taller than its box.
void UpdateSample(FontDialog& d) {
  if (d.filling) return;
  HWND sample = Item(d, kFontSample);
  FontChoice choice = ReadChoice(d);
  RECT box;
  GetClientRect(sample, &box);
  const int most_tenths = std::max(10, MulDiv(box.bottom - box.top, 720, d.dpi));
  choice.tenths = std::min(choice.tenths > 0 ? choice.tenths : 120, most_tenths);
  const LOGFONTA font = LogFontOf(d, choice);
  HFONT previous = d.sample_font;
  d.sample_font = CreateFontIndirectA(&font);
  SendMessageA(sample, WM_SETFONT, reinterpret_cast<WPARAM>(d.sample_font), TRUE);
  InvalidateRect(sample, nullptr, TRUE);
  if (previous) DeleteObject(previous);
}

}  // namespace platform::dialogs
