// Win32 GDI: device contexts, bitmaps, brushes, fonts and text, regions,
// clipping, raster operations and system colours.
//
// Sections: object kinds and stock objects - structures (brushes, pens,
// fonts, text metrics, bitmaps) - raster operations - regions and clipping -
// system colours and device capabilities - text constants - functions.
//
// The screen is 32-bit colour with no palette; memory DCs draw in the format
// of their bitmap (1, 24 or 32 bits). COLORREF values are 0x00BBGGRR; the
// high byte (palette-relative colours) is ignored, as on a true-colour
// display.
#pragma once

#include "platform/win32/base_types.h"

// ---------------------------------------------------------------------------
// Object kinds (GetObjectType) and stock objects (GetStockObject)
// ---------------------------------------------------------------------------
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_METADC 4
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_METAFILE 9
#define OBJ_MEMDC 10
#define OBJ_EXTPEN 11
#define OBJ_ENHMETADC 12
#define OBJ_ENHMETAFILE 13
#define OBJ_COLORSPACE 14

#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define DEFAULT_GUI_FONT 17

// SelectObject's failure value for regions.
#define HGDI_ERROR (reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(-1)))
#define GDI_ERROR 0xFFFFFFFFL

// ---------------------------------------------------------------------------
// Brushes, pens and fonts
// ---------------------------------------------------------------------------
#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
#define BS_HATCHED 2
#define BS_PATTERN 3

// Hatch styles (CreateHatchBrush, LOGBRUSH.lbHatch of BS_HATCHED): lines in
// the brush colour over the background colour (or over what is there, with
// the TRANSPARENT background mode), on an 8 x 8 grid fixed to the device.
#define HS_HORIZONTAL 0
#define HS_VERTICAL 1
#define HS_FDIAGONAL 2
#define HS_BDIAGONAL 3
#define HS_CROSS 4
#define HS_DIAGCROSS 5

struct LOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
};
typedef LOGBRUSH* LPLOGBRUSH;

// Pens. A pen's width is in logical units (0: one pixel in any mapping
// mode). Dashed and dotted styles draw the screen's dash patterns on lines
// one pixel wide, their gaps in the background colour in the OPAQUE
// background mode, and solid when wider. A one-pixel line leaves out its
// last pixel. Wider pens draw with round ends and joins whatever end cap and
// join ExtCreatePen is given; PS_INSIDEFRAME keeps the outline of Rectangle
// and Ellipse inside the box. CreatePen makes any style it does not know a
// PS_SOLID pen.
#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_DASHDOT 3
#define PS_DASHDOTDOT 4
#define PS_NULL 5
#define PS_INSIDEFRAME 6
#define PS_USERSTYLE 7
#define PS_ALTERNATE 8
#define PS_STYLE_MASK 0x0000000F
#define PS_ENDCAP_ROUND 0x00000000
#define PS_ENDCAP_SQUARE 0x00000100
#define PS_ENDCAP_FLAT 0x00000200
#define PS_ENDCAP_MASK 0x00000F00
#define PS_JOIN_ROUND 0x00000000
#define PS_JOIN_BEVEL 0x00001000
#define PS_JOIN_MITER 0x00002000
#define PS_JOIN_MASK 0x0000F000
#define PS_COSMETIC 0x00000000
#define PS_GEOMETRIC 0x00010000
#define PS_TYPE_MASK 0x000F0000

struct LOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;  // only x is used
  COLORREF lopnColor;
};
typedef LOGPEN* LPLOGPEN;

// Binary raster operations (SetROP2): bit (P << 1 | D) of (code - 1) is the
// result for pen bit P and destination bit D, for every bit of a pixel.
#define R2_BLACK 1
#define R2_NOTMERGEPEN 2
#define R2_MASKNOTPEN 3
#define R2_NOTCOPYPEN 4
#define R2_MASKPENNOT 5
#define R2_NOT 6
#define R2_XORPEN 7
#define R2_NOTMASKPEN 8
#define R2_MASKPEN 9
#define R2_NOTXORPEN 10
#define R2_NOP 11
#define R2_MERGENOTPEN 12
#define R2_COPYPEN 13
#define R2_MERGEPENNOT 14
#define R2_MERGEPEN 15
#define R2_WHITE 16

// Polygon fill modes (SetPolyFillMode).
#define ALTERNATE 1
#define WINDING 2

#define LF_FACESIZE 32

#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_EXTRALIGHT 200
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define FW_EXTRABOLD 800
#define FW_HEAVY 900

#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define SHIFTJIS_CHARSET 128
#define HANGUL_CHARSET 129
#define GB2312_CHARSET 134
#define CHINESEBIG5_CHARSET 136
#define OEM_CHARSET 255

// Precisions are kept in the LOGFONTA; font matching does not read them.
#define OUT_DEFAULT_PRECIS 0
#define OUT_STRING_PRECIS 1
#define OUT_CHARACTER_PRECIS 2
#define OUT_STROKE_PRECIS 3
#define OUT_TT_PRECIS 4
#define OUT_DEVICE_PRECIS 5
#define OUT_RASTER_PRECIS 6
#define OUT_TT_ONLY_PRECIS 7
#define OUT_OUTLINE_PRECIS 8
#define CLIP_DEFAULT_PRECIS 0
#define CLIP_CHARACTER_PRECIS 1
#define CLIP_STROKE_PRECIS 2

// NONANTIALIASED_QUALITY draws every glyph in one bit; the others draw
// outlines in grey levels (and embedded bitmaps, where the face has them for
// the size, in one bit).
#define DEFAULT_QUALITY 0
#define DRAFT_QUALITY 1
#define PROOF_QUALITY 2
#define NONANTIALIASED_QUALITY 3
#define ANTIALIASED_QUALITY 4
#define CLEARTYPE_QUALITY 5

// lfPitchAndFamily: pitch in the low two bits, family in the high nibble.
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30
#define FF_SCRIPT 0x40
#define FF_DECORATIVE 0x50

// Face names are GBK text.
//
// lfHeight < 0 asks for characters (the em) of -lfHeight logical units, > 0
// for cells (ascent + descent) of at most lfHeight, 0 for 12-pixel
// characters; a DC scales heights by its mapping's y axis and lfWidth by its
// x axis. lfWidth != 0 stretches the glyphs so that the average character
// is |lfWidth| wide. lfEscapement turns the baseline counter-clockwise by
// any angle, in tenths of a degree, reduced modulo 3600: quarter turns turn
// the upright glyphs pixel for pixel, other angles draw outlines rotated by
// FreeType (embedded bitmaps cannot turn), and alignment, the opaque cell,
// underline and strike-out all turn with the text. lfOrientation is
// ignored, as in the GM_COMPATIBLE graphics mode.
struct LOGFONTA {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
};
typedef LOGFONTA* LPLOGFONTA;
static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA has the Win32 layout");

// What the font realised for a DC looks like (GetTextMetricsA).
struct TEXTMETRICA {
  LONG tmHeight;  // ascent + descent
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;  // tmHeight less the em
  LONG tmExternalLeading;  // space the face asks for between lines
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;  // TMPF_xxx | FF_xxx
  BYTE tmCharSet;
};
typedef TEXTMETRICA* LPTEXTMETRICA;
static_assert(sizeof(TEXTMETRICA) == 56, "TEXTMETRICA has the Win32 layout");

// tmPitchAndFamily bits. TMPF_FIXED_PITCH set means a variable-pitch font.
#define TMPF_FIXED_PITCH 0x01
#define TMPF_VECTOR 0x02
#define TMPF_TRUETYPE 0x04
#define TMPF_DEVICE 0x08

// SystemParametersInfoA(SPI_GETNONCLIENTMETRICS): cbSize must be set to
// sizeof(NONCLIENTMETRICSA) by the caller.
struct NONCLIENTMETRICSA {
  UINT cbSize;
  int iBorderWidth;
  int iScrollWidth;
  int iScrollHeight;
  int iCaptionWidth;
  int iCaptionHeight;
  LOGFONTA lfCaptionFont;
  int iSmCaptionWidth;
  int iSmCaptionHeight;
  LOGFONTA lfSmCaptionFont;
  int iMenuWidth;
  int iMenuHeight;
  LOGFONTA lfMenuFont;
  LOGFONTA lfStatusFont;
  LOGFONTA lfMessageFont;
  int iPaddedBorderWidth;
};
typedef NONCLIENTMETRICSA* LPNONCLIENTMETRICSA;
static_assert(sizeof(NONCLIENTMETRICSA) == 344, "NONCLIENTMETRICSA has the Win32 layout");

// Background modes (SetBkMode)
#define TRANSPARENT 1
#define OPAQUE 2

// Mapping modes (SetMapMode). Logical units per device pixel follow from the
// window and viewport extents; the fixed metric and English modes take
// theirs from the screen's size in millimetres (GetDeviceCaps HORZSIZE,
// VERTSIZE) and its resolution, and run y upwards.
#define MM_TEXT 1
#define MM_LOMETRIC 2
#define MM_HIMETRIC 3
#define MM_LOENGLISH 4
#define MM_HIENGLISH 5
#define MM_TWIPS 6
#define MM_ISOTROPIC 7
#define MM_ANISOTROPIC 8

// Stretch modes (SetStretchBltMode): what StretchBlt and StretchDIBits do
// with the pixels they drop when shrinking. HALFTONE averages them;
// COLORONCOLOR takes the nearest; BLACKONWHITE and WHITEONBLACK keep the
// darker or lighter of the pixels that meet.
#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4
#define STRETCH_ANDSCANS BLACKONWHITE
#define STRETCH_ORSCANS WHITEONBLACK
#define STRETCH_DELETESCANS COLORONCOLOR
#define STRETCH_HALFTONE HALFTONE

// ---------------------------------------------------------------------------
// Bitmaps
// ---------------------------------------------------------------------------
struct BITMAP {
  LONG bmType;  // always 0
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;  // bytes per row: even for DDBs, a multiple of 4 for DIBs
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;  // DIB sections only
};
typedef BITMAP* LPBITMAP;

#define BI_RGB 0L
#define BI_BITFIELDS 3L

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // negative for top-down rows
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER has the Win32 layout");

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};
typedef BITMAPINFO* LPBITMAPINFO;

struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
};

#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1

// CreateDIBitmap: initialise the new bitmap from the bits given.
#define CBM_INIT 0x04L

// ---------------------------------------------------------------------------
// Raster operations (ROP3: bits 16-23 are the truth table over pattern,
// source and destination)
// ---------------------------------------------------------------------------
#define SRCCOPY 0x00CC0020u
#define SRCPAINT 0x00EE0086u
#define SRCAND 0x008800C6u
#define SRCINVERT 0x00660046u
#define SRCERASE 0x00440328u
#define NOTSRCCOPY 0x00330008u
#define NOTSRCERASE 0x001100A6u
#define MERGECOPY 0x00C000CAu
#define MERGEPAINT 0x00BB0226u
#define PATCOPY 0x00F00021u
#define PATPAINT 0x00FB0A09u
#define PATINVERT 0x005A0049u
#define DSTINVERT 0x00550009u
#define BLACKNESS 0x00000042u
#define WHITENESS 0x00FF0062u
#define NOMIRRORBITMAP 0x80000000u
#define CAPTUREBLT 0x40000000u

// ---------------------------------------------------------------------------
// Regions and clipping
// ---------------------------------------------------------------------------
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_ERROR ERROR

#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5

// ---------------------------------------------------------------------------
// System colours (GetSysColor, GetSysColorBrush, FillRect's COLOR_xxx + 1)
// ---------------------------------------------------------------------------
#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_DESKTOP COLOR_BACKGROUND
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_3DFACE COLOR_BTNFACE
#define COLOR_BTNSHADOW 16
#define COLOR_3DSHADOW COLOR_BTNSHADOW
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_BTNHILIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DHIGHLIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DHILIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_HOTLIGHT 26
#define COLOR_GRADIENTACTIVECAPTION 27
#define COLOR_GRADIENTINACTIVECAPTION 28
#define COLOR_MENUHILIGHT 29
#define COLOR_MENUBAR 30

// ---------------------------------------------------------------------------
// Device capabilities (GetDeviceCaps)
// ---------------------------------------------------------------------------
#define TECHNOLOGY 2
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMCOLORS 24
#define CLIPCAPS 36
#define RASTERCAPS 38
#define ASPECTX 40
#define ASPECTY 42
#define ASPECTXY 44
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104
#define NUMRESERVED 106
#define COLORRES 108
#define DESKTOPVERTRES 117
#define DESKTOPHORZRES 118

#define DT_RASDISPLAY 1
#define CP_RECTANGLE 1
#define RC_BITBLT 1
#define RC_BITMAP64 8
#define RC_DI_BITMAP 0x0080
#define RC_PALETTE 0x0100
#define RC_DIBTODEV 0x0200
#define RC_STRETCHBLT 0x0800
#define RC_STRETCHDIB 0x2000

// ---------------------------------------------------------------------------
// Text alignment (SetTextAlign), ExtTextOutA options, DrawTextA formats
// ---------------------------------------------------------------------------
#define TA_NOUPDATECP 0
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24
#define TA_RTLREADING 256
#define TA_MASK (TA_BASELINE + TA_CENTER + TA_UPDATECP + TA_RTLREADING)

#define ETO_OPAQUE 0x0002
#define ETO_CLIPPED 0x0004

#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_EXPANDTABS 0x00000040
#define DT_TABSTOP 0x00000080
#define DT_NOCLIP 0x00000100
#define DT_EXTERNALLEADING 0x00000200
#define DT_CALCRECT 0x00000400
#define DT_NOPREFIX 0x00000800
#define DT_END_ELLIPSIS 0x00008000
#define DT_HIDEPREFIX 0x00100000

// ---------------------------------------------------------------------------
// Device contexts and objects
// ---------------------------------------------------------------------------
// hdc may be NULL (the screen), a window DC or a memory DC. The new DC holds a
// 1x1 monochrome bitmap until the caller selects one of its own.
HDC CreateCompatibleDC(HDC hdc);
// Memory DCs only; window DCs go back to the window manager (ReleaseDC).
BOOL DeleteDC(HDC hdc);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int nSavedDC);
int GetDeviceCaps(HDC hdc, int index);
HWND WindowFromDC(HDC hdc);
BOOL GetDCOrgEx(HDC hdc, LPPOINT lppt);

// ---------------------------------------------------------------------------
// Mapping modes. Logical coordinates become device coordinates as
// (logical - window origin) * viewport extent / window extent + viewport
// origin, rounded to the nearest pixel.
// ---------------------------------------------------------------------------
int SetMapMode(HDC hdc, int iMode);
int GetMapMode(HDC hdc);
// Extents change only in MM_ISOTROPIC and MM_ANISOTROPIC (elsewhere the call
// succeeds and changes nothing); MM_ISOTROPIC then shrinks one viewport
// extent so that a logical unit is as tall as it is wide.
BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
BOOL GetWindowExtEx(HDC hdc, LPSIZE lpsize);
BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
BOOL GetViewportExtEx(HDC hdc, LPSIZE lpsize);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppoint);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppoint);
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c);
BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c);

HGDIOBJ GetStockObject(int i);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
BOOL DeleteObject(HGDIOBJ ho);
DWORD GetObjectType(HGDIOBJ h);
int GetObjectA(HANDLE h, int c, LPVOID pv);

COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);

// ---------------------------------------------------------------------------
// Bitmaps
// ---------------------------------------------------------------------------
// 1, 24 and 32 bits per pixel, one plane; rows of lpBits are WORD aligned.
HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits);
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
// 24 and 32 bits per pixel BI_RGB, top-down or bottom-up; hSection must be
// NULL. The bits stay where they are for as long as the bitmap lives.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits,
                         HANDLE hSection, DWORD offset);
// A bitmap compatible with hdc (the screen's 32 bits when hdc is NULL), of
// pbmih's size, filled from lpbInit when flInit is CBM_INIT. Sources of 1,
// 4, 8, 24 and 32 bits per pixel, BI_RGB, either row order.
HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                       const BITMAPINFO* pbmi, UINT iUsage);
// Copies rows start .. start + cLines - 1 of the bitmap (counted from the
// bottom, as in a bottom-up DIB) into lpvBits in the format lpbmi asks for
// (1, 4, 8, 24 or 32 bits, BI_RGB), filling in biSizeImage and, for
// formats with a colour table, the table. With lpvBits NULL only the header
// is filled in. Returns the rows copied.
int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi,
              UINT usage);
// Draws DIB rows straight onto the device, unstretched: the rectangle of
// the DIB at (xSrc, ySrc) in w x h goes to (xDest, yDest). Returns the rows
// drawn.
int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                      UINT StartScan, UINT cLines, const VOID* lpvBits, const BITMAPINFO* lpbmi,
                      UINT ColorUse);
// Stretches the source rectangle of a DIB onto the destination rectangle
// with a raster operation and the DC's stretch mode. Returns the rows of
// the source, or 0 on failure.
int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                  int SrcWidth, int SrcHeight, const VOID* lpBits, const BITMAPINFO* lpbmi,
                  UINT iUsage, DWORD rop);

// ---------------------------------------------------------------------------
// Brushes, fills and blits
// ---------------------------------------------------------------------------
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush);
HBRUSH CreateHatchBrush(int iHatch, COLORREF color);
// From the top-left 8 x 8 pixels of the bitmap (which must be at least that
// big). A monochrome pattern paints its 1 bits in the DC's background
// colour and its 0 bits in the text colour.
HBRUSH CreatePatternBrush(HBITMAP hbm);
HBRUSH GetSysColorBrush(int nIndex);
DWORD GetSysColor(int nIndex);

// hbr may also be (HBRUSH)(COLOR_xxx + 1).
int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
BOOL InvertRect(HDC hDC, const RECT* lprc);
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
// A negative width or height on one side mirrors the picture.
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                int ySrc, int wSrc, int hSrc, DWORD rop);
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);
COLORREF GetPixel(HDC hdc, int x, int y);

// ---------------------------------------------------------------------------
// Pens, lines and shapes. Pens and shape interiors combine with the pixels
// through the DC's binary raster operation (SetROP2).
// ---------------------------------------------------------------------------
HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* plpen);
// Solid (BS_SOLID) or hollow (BS_NULL) pens only; a cosmetic pen must be one
// pixel wide, and only a cosmetic pen may be PS_ALTERNATE (every other
// pixel). No user styles (cStyle 0, pstyle NULL). Geometric dashes are in
// units of the pen's width, drawn while that is one pixel.
HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle,
                  const DWORD* pstyle);
int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);
int SetPolyFillMode(HDC hdc, int mode);
int GetPolyFillMode(HDC hdc);

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt);
BOOL LineTo(HDC hdc, int x, int y);
// Neither moves the current position.
BOOL Polyline(HDC hdc, const POINT* apt, int cpt);
// A 1-pixel pen outlines (left, top)-(right - 1, bottom - 1); with PS_NULL the
// interior alone is one pixel smaller each way than the box.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Polygon(HDC hdc, const POINT* apt, int cpt);
// A rectangle with corners rounded by ellipses width x height.
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);

// ---------------------------------------------------------------------------
// Regions
// ---------------------------------------------------------------------------
HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
HRGN CreateRectRgnIndirect(const RECT* lprect);
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);
HRGN CreateEllipticRgnIndirect(const RECT* lprect);
HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h);
// iMode is ALTERNATE or WINDING.
HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode);
BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom);
int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode);
int OffsetRgn(HRGN hrgn, int x, int y);
BOOL PtInRegion(HRGN hrgn, int x, int y);
BOOL RectInRegion(HRGN hrgn, const RECT* lprect);
int GetRgnBox(HRGN hrgn, LPRECT lprc);
BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2);
// The fills take the region in logical units (FrameRgn's w and h too).
BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr);
BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h);
BOOL PaintRgn(HDC hdc, HRGN hrgn);
BOOL InvertRgn(HDC hdc, HRGN hrgn);

// ---------------------------------------------------------------------------
// Clipping. Clip regions are in device coordinates; IntersectClipRect and
// ExcludeClipRect take logical rectangles and GetClipBox answers in logical
// units. The results describe the region output actually goes through (the
// window's visible part included).
// ---------------------------------------------------------------------------
int SelectClipRgn(HDC hdc, HRGN hrgn);
int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode);
int GetClipBox(HDC hdc, LPRECT lprect);
int GetClipRgn(HDC hdc, HRGN hrgn);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);

// ---------------------------------------------------------------------------
// Paths. Between BeginPath and EndPath, MoveToEx, LineTo, Polyline, Polygon,
// Rectangle and Ellipse (as a polygon) add figures to the DC's path in
// device coordinates instead of drawing; PathToRegion turns the ended path
// into a region with the DC's fill mode, every figure closed, and lets the
// path go. Calls made with the bracket in the wrong state fail with
// ERROR_CAN_NOT_COMPLETE.
// ---------------------------------------------------------------------------
BOOL BeginPath(HDC hdc);
BOOL EndPath(HDC hdc);
BOOL AbortPath(HDC hdc);
BOOL CloseFigure(HDC hdc);
HRGN PathToRegion(HDC hdc);

// ---------------------------------------------------------------------------
// Fonts and text. Strings are GBK; counts are in bytes, and a double-byte
// character is never split.
// ---------------------------------------------------------------------------
HFONT CreateFontIndirectA(const LOGFONTA* lplf);
HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                  DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                  LPCSTR pszFaceName);

// With TA_UPDATECP, TextOutA and ExtTextOutA ignore the point given, draw
// at the current position and move it along the baseline by the text's
// advance: to the run's far end for TA_LEFT, to its near end for TA_RIGHT,
// not at all for TA_CENTER. TA_RTLREADING is kept, but text always runs left
// to right.
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
// Added to the advance of every character, by TextOutA, ExtTextOutA (without
// lpDx), DrawTextA and GetTextExtentPoint32A.
int SetTextCharacterExtra(HDC hdc, int extra);
int GetTextCharacterExtra(HDC hdc);

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
// lpDx has one entry per byte; a double-byte character advances by the sum
// of its two entries. lpString may be NULL when c is 0 (ETO_OPAQUE alone
// fills lprect).
BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
                 const INT* lpDx);
// How lines break, prefixes, tabs and ellipses work: platform/gdi/text_format.h.
int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format);
BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl);
BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm);
// The face of the DC's font: a Chinese name as it was asked for, any other
// name as the face it found. Returns the bytes copied with the NUL, or
// without a buffer the bytes the name needs.
int GetTextFaceA(HDC hdc, int c, LPSTR lpName);
