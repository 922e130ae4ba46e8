// The font dialog's parts shared by its files: control ids, the dialog's
// state, and the lists (choose_font_lists.cpp) that show and read the
// chosen font.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs/font_families.h"
#include "platform/win32.h"

namespace platform::dialogs {

// Control ids, those of the Windows font dialog (dlgs.h), and the swatch
// beside the colour list.
enum FontControlId : int {
  kFontStrikeOut = 0x410,
  kFontUnderline = 0x411,
  kFontEffectsGroup = 0x430,
  kFontSampleGroup = 0x431,
  kFontFaceLabel = 0x440,
  kFontStyleLabel = 0x441,
  kFontSizeLabel = 0x442,
  kFontColourLabel = 0x443,
  kFontSample = 0x444,
  kFontScriptLabel = 0x446,
  kFontFaceList = 0x470,
  kFontStyleList = 0x471,
  kFontSizeList = 0x472,
  kFontColourList = 0x473,
  kFontScriptList = 0x474,
  kFontColourSwatch = 0x4A0,
};

// The size list's sizes, in points.
inline constexpr int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
// What may be typed without CF_LIMITSIZE, in points.
inline constexpr int kLeastFontSize = 1;
inline constexpr int kGreatestFontSize = 1638;

// The sample's text.
inline constexpr char kFontSampleText[] = "字体样例 AaBbYyZz";

// The dialog's state, kept behind its window while it runs.
struct FontDialog {
  CHOOSEFONTA* request = nullptr;    // the caller's; written on OK only
  std::vector<FontFamily> families;  // those the flags let the list show
  int dpi = 96;                      // the screen's LOGPIXELSY
  HWND window = nullptr;
  HFONT font = nullptr;           // the dialog's text, ours to delete
  HFONT sample_font = nullptr;    // the sample's, ours to delete
  HBRUSH swatch_brush = nullptr;  // the colour beside the colour list, ours
  COLORREF colour = 0;            // the chosen text colour (CF_EFFECTS)
  std::string caption;            // GBK
  bool filling = false;           // the dialog fills the lists: their notices are its own
  bool ended = false;
  bool accepted = false;
};

// What the controls say now.
struct FontChoice {
  std::string face;                    // GBK, as typed or chosen
  const FontFamily* family = nullptr;  // the listed family of that name, if any
  int style = -1;                      // FontStyle, or -1 when the text names none
  int tenths = 0;                      // size in tenths of a point; 0 when it is no size
  bool underline = false;
  bool strike_out = false;
  BYTE charset = DEFAULT_CHARSET;
};

// The style list's names (GBK), in FontStyle order.
std::string FontStyleName(int style);

// The longest run of whole characters of `name` (GBK) that fits a
// LOGFONTA's face name with its NUL: a longer name never overruns it, nor
// ends in half a character.
std::string FitFaceName(const std::string& name);

// "12", "10.5": tenths of a point; 0 for anything else.
int ParseFontSize(const std::string& text);

// Fills the face, size, colour lists (and the style and script lists for
// the face) when the dialog is built.
void FillFontLists(FontDialog& d);
// Shows `font` (and `colour`) in the controls: CF_INITTOLOGFONTSTRUCT and
// queued answers. `flags` may hold CF_NOFACESEL, CF_NOSTYLESEL and
// CF_NOSIZESEL, which leave that part unselected.
void ShowLogFont(FontDialog& d, const LOGFONTA& font, COLORREF colour, DWORD flags);
// A face was chosen or typed: its styles and scripts, then the sample.
void FaceChanged(FontDialog& d);
// The colour list's choice: the swatch and the sample.
void ColourChanged(FontDialog& d);
// Draws the sample in the font the controls describe.
void UpdateSample(FontDialog& d);

FontChoice ReadChoice(const FontDialog& d);
// The LOGFONTA that `choice` stands for on this screen.
LOGFONTA LogFontOf(const FontDialog& d, const FontChoice& choice);

}  // namespace platform::dialogs
