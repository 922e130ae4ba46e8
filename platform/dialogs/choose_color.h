// The colour dialog's parts shared by its files: control ids, the colour
// the dialog holds, and the picture controls (choose_color_paint.cpp) that
// show and change it.
#pragma once

#include "platform/dialogs/colour_space.h"
#include "platform/win32.h"

namespace platform::dialogs {

// Control ids, those of the Windows colour dialog (colordlg.h).
enum ColourControlId : int {
  kColourLumBar = 702,
  kColourHue = 703,
  kColourSat = 704,
  kColourLum = 705,
  kColourRed = 706,
  kColourGreen = 707,
  kColourBlue = 708,
  kColourSample = 709,
  kColourSpectrum = 710,
  kColourAdd = 712,
  kColourSolid = 713,
  kColourDefine = 719,
  kColourBasic = 720,
  kColourCustom = 721,
  kColourHueLabel = 723,  // the labels of the six fields follow in order
  kColourBasicLabel = 1088,
  kColourCustomLabel = 1089,
};

inline constexpr int kBasicColumns = 8;
inline constexpr int kBasicRows = 6;
inline constexpr int kCustomColours = 16;

// The 48 basic colours, row by row.
extern const COLORREF kBasicColours[kBasicColumns * kBasicRows];

// The colour the dialog holds, in both forms. They are kept apart because a
// grey has no hue of its own: moving to a grey and back keeps the hue.
struct ColourModel {
  Hls hls;
  COLORREF rgb = 0;
};

// The spectrum (hue across, saturation up), the luminance bar with its
// arrow, and the sample. Each gets the dialog's ColourModel* as
// lpCreateParams, shows it, and (the spectrum and the bar) changes it on
// mouse and arrow-key input, then tells the parent with WM_COMMAND /
// kPictureChanged.
inline constexpr char kSpectrumClass[] = "Mienzo.ColourSpectrum";
inline constexpr char kLuminanceClass[] = "Mienzo.ColourLuminance";
inline constexpr char kSampleClass[] = "Mienzo.ColourSample";
inline constexpr WORD kPictureChanged = 1;
void RegisterColourPictureClasses();

// Where the pictures put a hue, saturation or luminance in a picture of
// `width` or `height` pixels (inside its edge, at most 240), and back. A
// pixel maps to a value that maps back to that pixel, so the marker lands
// where the click was.
int SpectrumX(int hue, int width);
int SpectrumY(int sat, int height);
int HueAtX(int x, int width);
int SatAtY(int y, int height);
// The luminance bar runs like the saturation: 240 at the top.
inline int LumBarY(int lum, int height) { return SpectrumY(lum, height); }
inline int LumAtY(int y, int height) { return SatAtY(y, height); }

// The luminance bar's width of the bar itself; the arrow takes the rest.
inline constexpr int kLumBarWidth = 18;
// The edge around each picture.
inline constexpr int kPictureEdge = 2;

}  // namespace platform::dialogs
