// Win32 common dialogs and message boxes: MessageBoxA, GetOpenFileNameA,
// GetSaveFileNameA, ChooseColorA, ChooseFontA, WinHelpA.
//
// Sections: one a dialog, in that order.
#pragma once

#include "platform/win32/base_types.h"
#include "platform/win32/gdi.h"
#include "platform/win32/user.h"

// ---------------------------------------------------------------------------
// MessageBoxA
// ---------------------------------------------------------------------------
// A modal window of STATIC and BUTTON controls with Chinese button captions
// (确定, 取消, 是(&Y) ...). Enter clicks the default button, Esc answers
// IDCANCEL when the box has a Cancel button (IDOK for MB_OK alone), Tab and
// the arrow keys move between the buttons, a button's letter (with or
// without Alt) clicks it. A NULL caption shows "错误". Unknown button sets
// fail with ERROR_INVALID_MSGBOX_STYLE, a bad owner with
// ERROR_INVALID_WINDOW_HANDLE; both return 0.
//
// On the headless display a box answers itself (platform/dialogs/answers.h):
// with a queued answer, or else with its default button after logging
// "MessageBox: <caption>: <text>" to stderr.

// Buttons: the low four bits
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_CANCELTRYCONTINUE 0x00000006L
#define MB_TYPEMASK 0x0000000FL
// Icons
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0L
// Default button (the first when the box has fewer buttons)
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_DEFBUTTON4 0x00000300L
#define MB_DEFMASK 0x00000F00L
// Modality: the owner (MB_APPLMODAL) or every top-level window of the
// thread (MB_TASKMODAL) is disabled while the box is up; MB_SYSTEMMODAL
// also keeps the box above all others.
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_MODEMASK 0x00003000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_TOPMOST 0x00040000L
#define MB_RIGHT 0x00080000L  // the text is right-aligned

// Results (and the ids of the box's buttons)
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9
#define IDTRYAGAIN 10
#define IDCONTINUE 11

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

// ---------------------------------------------------------------------------
// Common dialog errors
// ---------------------------------------------------------------------------
// Why the last common dialog of this thread returned FALSE: 0 after a
// cancel (or a success), one of these codes after a failure.
#define CDERR_DIALOGFAILURE 0xFFFF
#define CDERR_GENERALCODES 0x0000
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_NOTEMPLATE 0x0003
#define CDERR_NOHINSTANCE 0x0004
#define CDERR_LOADSTRFAILURE 0x0005
#define CDERR_FINDRESFAILURE 0x0006
#define CDERR_LOADRESFAILURE 0x0007
#define CDERR_LOCKRESFAILURE 0x0008
#define CDERR_MEMALLOCFAILURE 0x0009
#define CDERR_MEMLOCKFAILURE 0x000A
#define CDERR_NOHOOK 0x000B
#define CDERR_REGISTERMSGFAILURE 0x000C
#define CFERR_CHOOSEFONTCODES 0x2000
#define CFERR_NOFONTS 0x2001
#define CFERR_MAXLESSTHANMIN 0x2002

DWORD CommDlgExtendedError();

// ---------------------------------------------------------------------------
// GetOpenFileNameA, GetSaveFileNameA
// ---------------------------------------------------------------------------
// A modal window "打开" / "另存为" (or lpstrTitle): the "查找范围(&I):"
// combo with the folder and its ancestors, an up-one-level button, the list
// of sub-folders ("[name]") and the files the chosen filter matches, the
// "文件名(&N):" field, the "文件类型(&T):" combo of lpstrFilter's
// descriptions (nFilterIndex, 1-based, picks the first shown and receives
// the one chosen), "打开(&O)" / "保存(&S)" and "取消", and, unless
// OFN_HIDEREADONLY, the "以只读方式打开(&R)" check box (OFN_READONLY in
// and out). Double-clicking a folder enters it, a file chooses it; Enter in
// the name field takes the typed name: a folder is entered, a name with '*'
// or '?' becomes the filter, anything else is the file chosen (relative to
// the folder shown, lpstrDefExt appended when it has no extension).
//
// The first folder is lpstrFile's folder when it names one, else
// lpstrInitialDir, else the current directory. Paths use '/' and are GBK.
// OK returns TRUE with the full path in lpstrFile, nFileOffset and
// nFileExtension (0 when the name ends with '.', the path's length when it
// has no extension), lpstrFileTitle (cut to fit), nFilterIndex, and Flags
// with OFN_READONLY and OFN_EXTENSIONDIFFERENT (an extension other than
// lpstrDefExt) updated; the current directory becomes the file's folder
// unless OFN_NOCHANGEDIR. Cancel (and Esc) returns FALSE, changes nothing
// and leaves CommDlgExtendedError() 0.
//
// Checked before accepting, with a message box that keeps the dialog open:
// OFN_PATHMUSTEXIST (implied by OFN_FILEMUSTEXIST) a missing folder,
// OFN_FILEMUSTEXIST a missing file, OFN_CREATEPROMPT asks whether to create
// a missing file (是 accepts), OFN_OVERWRITEPROMPT (save only) asks whether
// to replace an existing one (否 keeps the dialog open).
//
// Failures return FALSE and set CommDlgExtendedError(): a NULL structure,
// NULL lpstrFile or nMaxFile 0 CDERR_INITIALIZATION, an lStructSize other
// than sizeof(OPENFILENAMEA) or OPENFILENAME_SIZE_VERSION_400A
// CDERR_STRUCTSIZE, a bad owner CDERR_DIALOGFAILURE, templates
// CDERR_FINDRESFAILURE, hooks CDERR_NOHOOK; OFN_ALLOWMULTISELECT is not
// offered here and fails with CDERR_DIALOGFAILURE. A chosen path longer
// than nMaxFile - 1 fails with FNERR_BUFFERTOOSMALL and the size needed
// (NUL included) in the first two bytes of lpstrFile (when nMaxFile >= 2).
// lpstrCustomFilter is not kept.
//
// On the headless display the dialog answers itself once it is shown
// (platform/dialogs/answers.h): a queued path is typed into the name field
// and accepted as a user would (so the checks and their message boxes
// happen; a dialog still open after that is cancelled, logged as
// "FileDialog: <title>: ..."); a queued cancel cancels; with nothing queued
// it logs "FileDialog: <title>: <folder>" to stderr and is cancelled.
#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_ENABLEHOOK 0x00000020
#define OFN_ENABLETEMPLATE 0x00000040
#define OFN_ENABLETEMPLATEHANDLE 0x00000080
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_SHAREAWARE 0x00004000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_NOTESTFILECREATE 0x00010000
#define OFN_NONETWORKBUTTON 0x00020000
#define OFN_NOLONGNAMES 0x00040000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_LONGNAMES 0x00200000
#define OFN_ENABLEINCLUDENOTIFY 0x00400000
#define OFN_ENABLESIZING 0x00800000
#define OFN_DONTADDTORECENT 0x02000000
#define OFN_FORCESHOWHIDDEN 0x10000000

#define FNERR_FILENAMECODES 0x3000
#define FNERR_SUBCLASSFAILURE 0x3001
#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL 0x3003

typedef UINT_PTR (*LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAMEA {
  DWORD lStructSize;        // sizeof(OPENFILENAMEA) or OPENFILENAME_SIZE_VERSION_400A
  HWND hwndOwner;           // disabled while the dialog is up; may be NULL
  HINSTANCE hInstance;      // unused: there are no templates
  LPCSTR lpstrFilter;       // "desc\0patterns\0...\0\0"; patterns separated by ';'
  LPSTR lpstrCustomFilter;  // not kept
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;    // 1-based, in and out
  LPSTR lpstrFile;       // initial name in, full path out
  DWORD nMaxFile;        // bytes of lpstrFile
  LPSTR lpstrFileTitle;  // out: the name without its folder; may be NULL
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;    // NULL: "打开" / "另存为"
  DWORD Flags;          // OFN_xxx, in and out
  WORD nFileOffset;     // out
  WORD nFileExtension;  // out
  LPCSTR lpstrDefExt;   // without the '.'
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
};
typedef OPENFILENAMEA* LPOPENFILENAMEA;
// The structure before its last three members (Windows NT 4.0's).
#define OPENFILENAME_SIZE_VERSION_400A (offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR))

BOOL GetOpenFileNameA(LPOPENFILENAMEA lpofn);
BOOL GetSaveFileNameA(LPOPENFILENAMEA lpofn);

// ---------------------------------------------------------------------------
// ChooseColorA
// ---------------------------------------------------------------------------
// A modal window "颜色": 48 basic colours, 16 custom colours and the
// "规定自定义颜色(&D) >>" button that widens it to the full dialog (a
// hue/saturation spectrum, a luminance bar, the colour|solid sample, edit
// fields for 色调/饱和度/亮度 (hue 0..239, saturation and luminance
// 0..240) and 红/绿/蓝 (0..255), and "添加到自定义颜色(&A)"). Arrow keys
// move in the colour grids, the spectrum and the bar; Enter is OK, Esc
// Cancel.
//
// OK returns TRUE with rgbResult; Cancel returns FALSE and leaves rgbResult,
// with CommDlgExtendedError() 0. Colours added to the custom colours are
// written to lpCustColors at once, so they stay even when the dialog is
// cancelled, as on Windows. The screen has 32-bit colour: every colour is a
// solid colour, so CC_SOLIDCOLOR and CC_ANYCOLOR change nothing and both
// halves of the sample show the same colour.
//
// Failures return FALSE and set CommDlgExtendedError(): a NULL structure or
// NULL lpCustColors CDERR_INITIALIZATION, a wrong lStructSize
// CDERR_STRUCTSIZE, a bad owner CDERR_DIALOGFAILURE. There are no dialog
// resources and no hooks here: CC_ENABLETEMPLATE and
// CC_ENABLETEMPLATEHANDLE fail with CDERR_FINDRESFAILURE, CC_ENABLEHOOK
// with CDERR_NOHOOK. CC_SHOWHELP adds no Help button, as there is no
// registered help message (HELPMSGSTRING) to send the owner.
//
// On the headless display the dialog answers itself once it is shown
// (platform/dialogs/answers.h): with a queued colour (chosen as if
// clicked, then OK) or a queued cancel, or else it is cancelled after
// logging "ChooseColor: 颜色: ..." to stderr.
#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_PREVENTFULLOPEN 0x00000004
#define CC_SHOWHELP 0x00000008
#define CC_ENABLEHOOK 0x00000010
#define CC_ENABLETEMPLATE 0x00000020
#define CC_ENABLETEMPLATEHANDLE 0x00000040
#define CC_SOLIDCOLOR 0x00000080
#define CC_ANYCOLOR 0x00000100

typedef UINT_PTR (*LPCCHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

struct CHOOSECOLORA {
  DWORD lStructSize;       // sizeof(CHOOSECOLORA)
  HWND hwndOwner;          // disabled while the dialog is up; may be NULL
  HWND hInstance;          // unused: there are no templates
  COLORREF rgbResult;      // in with CC_RGBINIT, out on OK
  COLORREF* lpCustColors;  // 16 colours, in and out
  DWORD Flags;
  LPARAM lCustData;
  LPCCHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
};
typedef CHOOSECOLORA* LPCHOOSECOLORA;

BOOL ChooseColorA(LPCHOOSECOLORA lpcc);

// ---------------------------------------------------------------------------
// ChooseFontA
// ---------------------------------------------------------------------------
// A modal window "字体": the font (family) list, the style list (常规,
// 斜体, 粗体, 粗偏斜体), the size list (8 to 72 points; any size typed,
// tenths included, is taken), with CF_EFFECTS the 删除线/下划线 check boxes
// and the 16-colour combo, a sample drawn in the chosen font and the
// script (字符集) combo. Families come from fontconfig: scalable ones, each
// once, under its Chinese name where fontconfig has one ("文泉驿正黑"),
// else its own name, in GBK.
//
// OK fills *lpLogFont (lfHeight = -MulDiv(tenths, LOGPIXELSY, 720) for the
// screen, lfWeight FW_NORMAL or FW_BOLD, italic, and with CF_EFFECTS
// underline and strike-out, the face name, lfCharSet from the script combo
// or DEFAULT_CHARSET with CF_NOSCRIPTSEL), iPointSize in tenths of a point,
// rgbColors (CF_EFFECTS), nFontType and, with CF_USESTYLE, lpszStyle.
// CF_INITTOLOGFONTSTRUCT starts from *lpLogFont (a face name filling all
// 32 bytes is cut to whole characters), CF_EFFECTS from rgbColors (a
// colour not in the list shows as 自定义). CF_LIMITSIZE refuses sizes
// outside nSizeMin..nSizeMax with a message box, as CF_FORCEFONTEXIST
// does a face or style that does not exist (without it a typed face name
// is taken as it is). Cancel returns FALSE with CommDlgExtendedError() 0.
//
// Every DC here has the same fonts, so CF_SCREENFONTS, CF_PRINTERFONTS and
// CF_BOTH list the same families (hDC is not needed); all of them are
// scalable TrueType-like faces, so CF_TTONLY, CF_SCALABLEONLY,
// CF_NOVECTORFONTS and CF_NOVERTFONTS change nothing. CF_FIXEDPITCHONLY
// lists the families fontconfig calls monospaced, CF_NOSIMULATIONS the
// styles a family really has, CF_SELECTSCRIPT the families of lfCharSet's
// script. Failures
// return FALSE and set CommDlgExtendedError(): a NULL structure or
// lpLogFont CDERR_INITIALIZATION, a wrong lStructSize CDERR_STRUCTSIZE,
// CF_LIMITSIZE with nSizeMax < nSizeMin CFERR_MAXLESSTHANMIN, no family to
// list CFERR_NOFONTS, templates CDERR_FINDRESFAILURE, hooks (CF_ENABLEHOOK;
// CF_APPLY needs one) CDERR_NOHOOK. CF_SHOWHELP adds no Help button.
//
// On the headless display the dialog answers itself once it is shown: a
// queued LOGFONTA and colour are put into the dialog's lists and boxes and
// OK is pressed (an answer the dialog refuses ends as a cancel); with
// nothing queued it is cancelled after logging "ChooseFont: 字体: ...".
#define CF_SCREENFONTS 0x00000001
#define CF_PRINTERFONTS 0x00000002
#define CF_BOTH (CF_SCREENFONTS | CF_PRINTERFONTS)
#define CF_SHOWHELP 0x00000004
#define CF_ENABLEHOOK 0x00000008
#define CF_ENABLETEMPLATE 0x00000010
#define CF_ENABLETEMPLATEHANDLE 0x00000020
#define CF_INITTOLOGFONTSTRUCT 0x00000040
#define CF_USESTYLE 0x00000080
#define CF_EFFECTS 0x00000100
#define CF_APPLY 0x00000200
#define CF_ANSIONLY 0x00000400
#define CF_SCRIPTSONLY CF_ANSIONLY
#define CF_NOVECTORFONTS 0x00000800
#define CF_NOOEMFONTS CF_NOVECTORFONTS
#define CF_NOSIMULATIONS 0x00001000
#define CF_LIMITSIZE 0x00002000
#define CF_FIXEDPITCHONLY 0x00004000
#define CF_WYSIWYG 0x00008000
#define CF_FORCEFONTEXIST 0x00010000
#define CF_SCALABLEONLY 0x00020000
#define CF_TTONLY 0x00040000
#define CF_NOFACESEL 0x00080000
#define CF_NOSTYLESEL 0x00100000
#define CF_NOSIZESEL 0x00200000
#define CF_SELECTSCRIPT 0x00400000
#define CF_NOSCRIPTSEL 0x00800000
#define CF_NOVERTFONTS 0x01000000
#define CF_INACTIVEFONTS 0x02000000

// nFontType
#define SIMULATED_FONTTYPE 0x8000
#define PRINTER_FONTTYPE 0x4000
#define SCREEN_FONTTYPE 0x2000
#define BOLD_FONTTYPE 0x0100
#define ITALIC_FONTTYPE 0x0200
#define REGULAR_FONTTYPE 0x0400

typedef UINT_PTR (*LPCFHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

struct CHOOSEFONTA {
  DWORD lStructSize;     // sizeof(CHOOSEFONTA)
  HWND hwndOwner;        // disabled while the dialog is up; may be NULL
  HDC hDC;               // unused: every DC has the same fonts
  LPLOGFONTA lpLogFont;  // in with CF_INITTOLOGFONTSTRUCT, out on OK
  INT iPointSize;        // out: tenths of a point
  DWORD Flags;
  COLORREF rgbColors;  // CF_EFFECTS: in and out
  LPARAM lCustData;
  LPCFHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
  HINSTANCE hInstance;
  LPSTR lpszStyle;  // CF_USESTYLE: in and out, LF_FACESIZE bytes
  WORD nFontType;   // out
  WORD ___MISSING_ALIGNMENT__;
  INT nSizeMin;  // CF_LIMITSIZE, in points
  INT nSizeMax;
};
typedef CHOOSEFONTA* LPCHOOSEFONTA;

BOOL ChooseFontA(LPCHOOSEFONTA lpcf);

// ---------------------------------------------------------------------------
// WinHelpA
// ---------------------------------------------------------------------------
// Opens the help file with the desktop's viewer (xdg-open found on PATH),
// started on its own and never waited for, so the program goes on at once.
// The viewer shows the file from its start: topics (HELP_CONTEXT,
// HELP_CONTEXTPOPUP) and keywords (HELP_KEY, HELP_PARTIALKEY,
// HELP_MULTIKEY) cannot be passed to it. A ">window" suffix of the file
// name is dropped.
//
// FALSE and the last error: no file name ERROR_INVALID_PARAMETER, a file
// that does not exist ERROR_FILE_NOT_FOUND (or ERROR_PATH_NOT_FOUND), no
// desktop (the headless display, or neither DISPLAY nor WAYLAND_DISPLAY)
// ERROR_NOT_SUPPORTED, no viewer ERROR_NO_ASSOCIATION, a viewer that could
// not be started the reason, an unknown command ERROR_INVALID_PARAMETER.
// HELP_QUIT returns TRUE without a file: a viewer started on its own is not
// ours to close. HELP_HELPONHELP fails with ERROR_FILE_NOT_FOUND: there is
// no help about help on this system. HELP_SETCONTENTS, HELP_SETWINPOS and
// HELP_SETPOPUP_POS change nothing a viewer could use and return TRUE.
// HELP_COMMAND (a help macro) fails with ERROR_NOT_SUPPORTED.
#define HELP_CONTEXT 0x0001L
#define HELP_QUIT 0x0002L
#define HELP_INDEX 0x0003L
#define HELP_CONTENTS 0x0003L
#define HELP_HELPONHELP 0x0004L
#define HELP_SETINDEX 0x0005L
#define HELP_SETCONTENTS 0x0005L
#define HELP_CONTEXTPOPUP 0x0008L
#define HELP_FORCEFILE 0x0009L
#define HELP_CONTEXTMENU 0x000AL
#define HELP_FINDER 0x000BL
#define HELP_WM_HELP 0x000CL
#define HELP_SETPOPUP_POS 0x000DL
#define HELP_KEY 0x0101L
#define HELP_COMMAND 0x0102L
#define HELP_PARTIALKEY 0x0105L
#define HELP_MULTIKEY 0x0201L
#define HELP_SETWINPOS 0x0203L

BOOL WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData);
