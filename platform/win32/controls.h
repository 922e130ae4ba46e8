// Win32 standard controls: their class names, styles, messages and
// notifications (EDIT, BUTTON, STATIC, COMBOBOX and its list, scroll bars,
// msctls_updown32, tooltips).
//
// Sections: one a control, in that order.
#pragma once

#include "platform/win32/base_types.h"
#include "platform/win32/user.h"

// ---------------------------------------------------------------------------
// Dialog codes (WM_GETDLGCODE answers), shared by every control
// ---------------------------------------------------------------------------
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_WANTMESSAGE 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000

// ---------------------------------------------------------------------------
// Owner drawing (WM_DRAWITEM) and control images, shared by the controls
// ---------------------------------------------------------------------------
#define ODT_MENU 1
#define ODT_LISTBOX 2
#define ODT_COMBOBOX 3
#define ODT_BUTTON 4
#define ODT_STATIC 5

#define ODA_DRAWENTIRE 0x0001
#define ODA_SELECT 0x0002
#define ODA_FOCUS 0x0004

#define ODS_SELECTED 0x0001
#define ODS_GRAYED 0x0002
#define ODS_DISABLED 0x0004
#define ODS_CHECKED 0x0008
#define ODS_FOCUS 0x0010
#define ODS_DEFAULT 0x0020
#define ODS_COMBOBOXEDIT 0x1000

// Sent to the parent with wParam the control's id; return TRUE when drawn.
struct DRAWITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemAction;  // ODA_xxx: what changed
  UINT itemState;   // ODS_xxx: the state after the change
  HWND hwndItem;
  HDC hDC;  // clipped to the control, its font selected
  RECT rcItem;
  ULONG_PTR itemData;
};
typedef DRAWITEMSTRUCT* LPDRAWITEMSTRUCT;

// The other owner-drawing notifications of sorted and item-data lists; no
// control of this layer sends them, but windows pass them on.
#define WM_DELETEITEM 0x002D
#define WM_COMPAREITEM 0x0039

struct DELETEITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  HWND hwndItem;
  ULONG_PTR itemData;
};

struct COMPAREITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  HWND hwndItem;
  UINT itemID1;
  ULONG_PTR itemData1;
  UINT itemID2;
  ULONG_PTR itemData2;
  DWORD dwLocaleId;
};

// Image kinds of BM_SETIMAGE / STM_SETIMAGE.
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2

// ---------------------------------------------------------------------------
// EDIT
// ---------------------------------------------------------------------------
// Positions and lengths are bytes of GBK text; a double-byte character is
// never split. Lines break at "\r\n" only.
#define WC_EDITA "Edit"

#define ES_LEFT 0x0000L
#define ES_CENTER 0x0001L
#define ES_RIGHT 0x0002L
#define ES_MULTILINE 0x0004L
#define ES_UPPERCASE 0x0008L
#define ES_LOWERCASE 0x0010L
#define ES_PASSWORD 0x0020L
#define ES_AUTOVSCROLL 0x0040L
#define ES_AUTOHSCROLL 0x0080L
#define ES_NOHIDESEL 0x0100L
#define ES_OEMCONVERT 0x0400L
#define ES_READONLY 0x0800L
#define ES_WANTRETURN 0x1000L
#define ES_NUMBER 0x2000L

#define EM_GETSEL 0x00B0
#define EM_SETSEL 0x00B1
#define EM_GETRECT 0x00B2
#define EM_SCROLL 0x00B5
#define EM_LINESCROLL 0x00B6
#define EM_SCROLLCARET 0x00B7
#define EM_GETMODIFY 0x00B8
#define EM_SETMODIFY 0x00B9
#define EM_GETLINECOUNT 0x00BA
#define EM_LINEINDEX 0x00BB
#define EM_LINELENGTH 0x00C1
#define EM_REPLACESEL 0x00C2
#define EM_GETLINE 0x00C4
#define EM_LIMITTEXT 0x00C5
#define EM_SETLIMITTEXT EM_LIMITTEXT
#define EM_CANUNDO 0x00C6
#define EM_UNDO 0x00C7
#define EM_LINEFROMCHAR 0x00C9
#define EM_SETPASSWORDCHAR 0x00CC
#define EM_EMPTYUNDOBUFFER 0x00CD
#define EM_GETFIRSTVISIBLELINE 0x00CE
#define EM_SETREADONLY 0x00CF
#define EM_GETPASSWORDCHAR 0x00D2
#define EM_SETMARGINS 0x00D3
#define EM_GETMARGINS 0x00D4
#define EM_GETLIMITTEXT 0x00D5
#define EM_POSFROMCHAR 0x00D6
#define EM_CHARFROMPOS 0x00D7

// EM_SETMARGINS
#define EC_LEFTMARGIN 0x0001
#define EC_RIGHTMARGIN 0x0002
#define EC_USEFONTINFO 0xFFFF

// Notifications: WM_COMMAND to the parent, HIWORD(wParam) the code,
// LOWORD(wParam) the control's id, lParam its window.
#define EN_SETFOCUS 0x0100
#define EN_KILLFOCUS 0x0200
#define EN_CHANGE 0x0300
#define EN_UPDATE 0x0400
#define EN_ERRSPACE 0x0500
#define EN_MAXTEXT 0x0501
#define EN_HSCROLL 0x0601
#define EN_VSCROLL 0x0602

// ---------------------------------------------------------------------------
// BUTTON
// ---------------------------------------------------------------------------
// Push buttons (plain, default, owner-drawn, with a bitmap or an icon),
// check boxes, radio buttons and group boxes. The default-button role
// (Enter) belongs to the window that owns the buttons.
#define WC_BUTTONA "Button"

#define BS_PUSHBUTTON 0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L  // a thicker black frame: Enter clicks it
#define BS_CHECKBOX 0x00000002L
#define BS_AUTOCHECKBOX 0x00000003L
#define BS_RADIOBUTTON 0x00000004L
#define BS_3STATE 0x00000005L
#define BS_AUTO3STATE 0x00000006L
#define BS_GROUPBOX 0x00000007L
#define BS_AUTORADIOBUTTON 0x00000009L
#define BS_OWNERDRAW 0x0000000BL  // the parent draws it (WM_DRAWITEM)
#define BS_TYPEMASK 0x0000000FL
#define BS_LEFTTEXT 0x00000020L
#define BS_RIGHTBUTTON BS_LEFTTEXT
#define BS_TEXT 0x00000000L
#define BS_ICON 0x00000040L    // shows the BM_SETIMAGE icon instead of the text
#define BS_BITMAP 0x00000080L  // shows the BM_SETIMAGE bitmap instead of the text
#define BS_LEFT 0x00000100L    // horizontal placement: mask BS_CENTER
#define BS_RIGHT 0x00000200L
#define BS_CENTER 0x00000300L
#define BS_TOP 0x00000400L  // vertical placement: mask BS_VCENTER
#define BS_BOTTOM 0x00000800L
#define BS_VCENTER 0x00000C00L
#define BS_PUSHLIKE 0x00001000L
#define BS_MULTILINE 0x00002000L  // the text wraps at words
#define BS_NOTIFY 0x00004000L     // adds BN_SETFOCUS, BN_KILLFOCUS, BN_DOUBLECLICKED
#define BS_FLAT 0x00008000L

#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_GETSTATE 0x00F2
#define BM_SETSTATE 0x00F3  // wParam TRUE: looks pressed
#define BM_SETSTYLE 0x00F4  // wParam: the new BS_ style word; LOWORD(lParam) TRUE repaints
#define BM_CLICK 0x00F5
#define BM_GETIMAGE 0x00F6  // wParam IMAGE_BITMAP or IMAGE_ICON
#define BM_SETIMAGE 0x00F7  // wParam the kind, lParam the handle (not owned); returns the old one

#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BST_INDETERMINATE 0x0002
#define BST_PUSHED 0x0004
#define BST_FOCUS 0x0008

// Notifications: WM_COMMAND to the parent, HIWORD(wParam) the code,
// LOWORD(wParam) the button's id, lParam its window.
#define BN_CLICKED 0
#define BN_PAINT 1
#define BN_HILITE 2
#define BN_UNHILITE 3
#define BN_DISABLE 4
#define BN_DOUBLECLICKED 5
#define BN_PUSHED BN_HILITE
#define BN_UNPUSHED BN_UNHILITE
#define BN_DBLCLK BN_DOUBLECLICKED
#define BN_SETFOCUS 6
#define BN_KILLFOCUS 7

// ---------------------------------------------------------------------------
// STATIC
// ---------------------------------------------------------------------------
// Text (wrapped at words unless SS_LEFTNOWORDWRAP or SS_SIMPLE), an icon or
// a bitmap. Colours come from the parent's WM_CTLCOLORSTATIC answer. Mouse
// input passes through to the parent unless SS_NOTIFY.
#define WC_STATICA "Static"

#define SS_LEFT 0x00000000L
#define SS_CENTER 0x00000001L
#define SS_RIGHT 0x00000002L
#define SS_ICON 0x00000003L
#define SS_SIMPLE 0x0000000BL
#define SS_LEFTNOWORDWRAP 0x0000000CL
#define SS_BITMAP 0x0000000EL
#define SS_TYPEMASK 0x0000001FL
#define SS_NOPREFIX 0x00000080L  // '&' is shown, not taken as a mnemonic
#define SS_NOTIFY 0x00000100L
#define SS_CENTERIMAGE 0x00000200L  // text: one line centred vertically; images: centred
#define SS_REALSIZEIMAGE 0x00000800L
#define SS_ENDELLIPSIS 0x00004000L

#define STM_SETICON 0x0170  // wParam the icon (not owned); returns the old one
#define STM_GETICON 0x0171
#define STM_SETIMAGE 0x0172  // wParam IMAGE_ICON or IMAGE_BITMAP, lParam the handle
#define STM_GETIMAGE 0x0173

// Notifications (SS_NOTIFY only): WM_COMMAND to the parent.
#define STN_CLICKED 0
#define STN_DBLCLK 1
#define STN_ENABLE 2
#define STN_DISABLE 3

// ---------------------------------------------------------------------------
// COMBOBOX
// ---------------------------------------------------------------------------
// An edit field (CBS_SIMPLE, CBS_DROPDOWN) or a selection field
// (CBS_DROPDOWNLIST) over a list of GBK items. The dropped list is a popup
// below the combo box (above it when the work area ends first); a drop-down
// combo box is as tall as its field, and the height it was made with (or
// last given) is the field plus the dropped list. Items compare as lstrcmpi
// does in code page 936: ASCII letters without case, double-byte
// characters by their GBK code. Strings only: the owner-drawn styles are
// not supported.
#define WC_COMBOBOXA "ComboBox"

#define CBS_SIMPLE 0x0001L        // the list always shows below the edit field
#define CBS_DROPDOWN 0x0002L      // an edit field and a button that drops the list
#define CBS_DROPDOWNLIST 0x0003L  // a selection field and a button that drops the list
#define CBS_TYPEMASK 0x0003L
#define CBS_AUTOHSCROLL 0x0040L  // the edit field scrolls instead of refusing text
#define CBS_SORT 0x0100L
#define CBS_HASSTRINGS 0x0200L  // items are strings (always so here)

#define CB_GETEDITSEL 0x0140    // LOWORD start, HIWORD end; wParam/lParam DWORD* or NULL
#define CB_LIMITTEXT 0x0141     // wParam bytes; 0 for the edit's greatest limit
#define CB_SETEDITSEL 0x0142    // lParam MAKELPARAM(start, end); -1 start: none, -1 end: to the end
#define CB_ADDSTRING 0x0143     // in sorted place with CBS_SORT; returns the index
#define CB_DELETESTRING 0x0144  // returns the items left
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148  // lParam: a buffer of CB_GETLBTEXTLEN + 1 bytes
#define CB_GETLBTEXTLEN 0x0149
#define CB_INSERTSTRING 0x014A  // wParam index, -1 for the end; never sorts
#define CB_RESETCONTENT 0x014B  // removes every item and empties the edit field
#define CB_FINDSTRING 0x014C    // wParam the item before the first searched, or -1
#define CB_SELECTSTRING 0x014D  // as CB_FINDSTRING, then selects it
#define CB_SETCURSEL 0x014E     // -1 or an index past the end clears it and returns CB_ERR
#define CB_SHOWDROPDOWN 0x014F  // wParam TRUE drops the list, FALSE closes it
#define CB_GETITEMDATA 0x0150
#define CB_SETITEMDATA 0x0151
#define CB_GETDROPPEDCONTROLRECT 0x0152  // lParam RECT*: the dropped list, screen coordinates
#define CB_SETITEMHEIGHT 0x0153  // wParam -1: the selection field; otherwise the list's items
#define CB_GETITEMHEIGHT 0x0154
#define CB_GETDROPPEDSTATE 0x0157
#define CB_FINDSTRINGEXACT 0x0158
#define CB_GETTOPINDEX 0x015B
#define CB_SETTOPINDEX 0x015C
#define CB_GETDROPPEDWIDTH 0x015F
#define CB_SETDROPPEDWIDTH 0x0160  // wParam the least width; the combo's own width at the least

#define CB_OKAY 0
#define CB_ERR (-1)
#define CB_ERRSPACE (-2)

// Notifications: WM_COMMAND to the parent, HIWORD(wParam) the code,
// LOWORD(wParam) the combo box's id, lParam its window. Closing a dropped
// list on an item sends CBN_SELENDOK, CBN_CLOSEUP, then CBN_SELCHANGE when
// the item differs from the selection before; cancelling sends
// CBN_SELENDCANCEL, CBN_CLOSEUP. CBS_SIMPLE sends CBN_SELENDOK before every
// CBN_SELCHANGE.
#define CBN_ERRSPACE (-1)
#define CBN_SELCHANGE 1
#define CBN_DBLCLK 2
#define CBN_SETFOCUS 3
#define CBN_KILLFOCUS 4
#define CBN_EDITCHANGE 5
#define CBN_EDITUPDATE 6
#define CBN_DROPDOWN 7
#define CBN_CLOSEUP 8
#define CBN_SELENDOK 9
#define CBN_SELENDCANCEL 10

// ---------------------------------------------------------------------------
// LISTBOX
// ---------------------------------------------------------------------------
// A list of GBK items with one selection at most (the multiple-selection
// styles are not supported), sorted as the combo box sorts. Colours come
// from the parent's WM_CTLCOLORLISTBOX answer.
#define WC_LISTBOXA "ListBox"

#define LBS_NOTIFY 0x0001L  // LBN_SELCHANGE and LBN_DBLCLK go to the parent
#define LBS_SORT 0x0002L
#define LBS_HASSTRINGS 0x0040L  // items are strings (always so here)
#define LBS_STANDARD (LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER)

#define LB_ADDSTRING 0x0180
#define LB_INSERTSTRING 0x0181
#define LB_DELETESTRING 0x0182
#define LB_RESETCONTENT 0x0184
#define LB_SETCURSEL 0x0186
#define LB_GETSEL 0x0187
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189  // lParam: a buffer of LB_GETTEXTLEN + 1 bytes
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_SELECTSTRING 0x018C
#define LB_GETTOPINDEX 0x018E
#define LB_FINDSTRING 0x018F
#define LB_SETTOPINDEX 0x0197
#define LB_GETITEMRECT 0x0198
#define LB_GETITEMDATA 0x0199
#define LB_SETITEMDATA 0x019A
#define LB_SETCARETINDEX 0x019E
#define LB_GETCARETINDEX 0x019F
#define LB_SETITEMHEIGHT 0x01A0  // 1 to 255 pixels
#define LB_GETITEMHEIGHT 0x01A1
#define LB_FINDSTRINGEXACT 0x01A2
#define LB_ITEMFROMPOINT 0x01A9  // LOWORD the nearest item, HIWORD 1 when outside the items

#define LB_OKAY 0
#define LB_ERR (-1)
#define LB_ERRSPACE (-2)

#define LBN_ERRSPACE (-2)
#define LBN_SELCHANGE 1
#define LBN_DBLCLK 2
#define LBN_SELCANCEL 3
#define LBN_SETFOCUS 4
#define LBN_KILLFOCUS 5

// ---------------------------------------------------------------------------
// SCROLLBAR
// ---------------------------------------------------------------------------
// A scroll bar as a child window: SetScrollInfo and the other scroll bar
// functions reach it with SB_CTL. Requests go to the parent as WM_HSCROLL /
// WM_VSCROLL with lParam the control. The range starts empty (0, 0).
#define WC_SCROLLBARA "ScrollBar"

#define SBS_HORZ 0x0000L
#define SBS_VERT 0x0001L

#define SBM_SETPOS 0x00E0  // wParam the position, lParam TRUE redraws; returns the old one
#define SBM_GETPOS 0x00E1
#define SBM_SETRANGE 0x00E2       // wParam min, lParam max; returns the old position
#define SBM_GETRANGE 0x00E3       // wParam, lParam: int* receiving min and max
#define SBM_ENABLE_ARROWS 0x00E4  // wParam ESB_ flags
#define SBM_SETRANGEREDRAW 0x00E6
#define SBM_SETSCROLLINFO 0x00E9  // wParam TRUE redraws, lParam the SCROLLINFO
#define SBM_GETSCROLLINFO 0x00EA

// ---------------------------------------------------------------------------
// Common controls: the notification header and InitCommonControlsEx
// ---------------------------------------------------------------------------
// WM_NOTIFY (user.h) carries the control's id in wParam and in lParam an
// NMHDR, or a larger structure that starts with one.
struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
typedef NMHDR* LPNMHDR;

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004  // toolbar, status bar, trackbar, tooltips
#define ICC_TAB_CLASSES 0x00000008  // tab control, tooltips
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_STANDARD_CLASSES 0x00004000

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;  // sizeof(INITCOMMONCONTROLSEX)
  DWORD dwICC;   // ICC_xxx
};
typedef INITCOMMONCONTROLSEX* LPINITCOMMONCONTROLSEX;

// The common control classes always exist here, so these only check their
// argument: a wrong dwSize fails with ERROR_INVALID_PARAMETER.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);
void InitCommonControls();

// ---------------------------------------------------------------------------
// msctls_updown32 (up-down control, spin button)
// ---------------------------------------------------------------------------
// Two arrow buttons that step a position through a range, optionally shown
// as text in a buddy window. Each step asks the parent first (WM_NOTIFY,
// UDN_DELTAPOS: a non-zero answer refuses it), then moves the position and
// sends WM_VSCROLL (WM_HSCROLL with UDS_HORZ) with SB_THUMBPOSITION and the
// position in HIWORD(wParam); SB_ENDSCROLL follows when the arrow is let go.
// The range starts at 100 (minimum) .. 0 (maximum), so "up" counts down
// until UDM_SETRANGE says otherwise: up always moves toward the maximum.
#define UPDOWN_CLASSA "msctls_updown32"

#define UD_MAXVAL 0x7FFF
#define UD_MINVAL (-UD_MAXVAL)

#define UDS_WRAP 0x0001         // stepping past one end goes to the other
#define UDS_SETBUDDYINT 0x0002  // the buddy's text shows the position
#define UDS_ALIGNRIGHT 0x0004   // sits at the buddy's right, which narrows
#define UDS_ALIGNLEFT 0x0008
#define UDS_AUTOBUDDY 0x0010  // the sibling created just before is the buddy
#define UDS_ARROWKEYS 0x0020  // Up and Down in the buddy step the position
#define UDS_HORZ 0x0040       // left and right arrows, WM_HSCROLL
#define UDS_NOTHOUSANDS 0x0080
#define UDS_HOTTRACK 0x0100

#define UDM_SETRANGE (WM_USER + 101)  // lParam MAKELONG(short max, short min)
#define UDM_GETRANGE (WM_USER + 102)  // returns MAKELONG(max, min)
#define UDM_SETPOS (WM_USER + 103)    // LOWORD(lParam) a short; returns the old position
#define UDM_GETPOS (WM_USER + 104)    // LOWORD the position, HIWORD non-zero on error
#define UDM_SETBUDDY (WM_USER + 105)  // wParam the window; returns the old buddy
#define UDM_GETBUDDY (WM_USER + 106)
#define UDM_SETACCEL (WM_USER + 107)  // wParam the count, lParam the UDACCEL array
#define UDM_GETACCEL (WM_USER + 108)  // fills up to wParam entries; returns the count
#define UDM_SETBASE (WM_USER + 109)   // 10 or 16; returns the old base, 0 if refused
#define UDM_GETBASE (WM_USER + 110)
#define UDM_SETRANGE32 (WM_USER + 111)  // wParam min, lParam max
#define UDM_GETRANGE32 (WM_USER + 112)  // wParam, lParam: int* receiving min and max
#define UDM_SETPOS32 (WM_USER + 113)    // lParam the position; returns the old one
#define UDM_GETPOS32 (WM_USER + 114)    // lParam: BOOL* set non-zero on error

// After nSec seconds of holding an arrow the position moves nInc a step.
struct UDACCEL {
  UINT nSec;
  UINT nInc;
};
typedef UDACCEL* LPUDACCEL;

#define UDN_FIRST (0U - 721)
#define UDN_LAST (0U - 729)
#define UDN_DELTAPOS (UDN_FIRST - 1)

// UDN_DELTAPOS: the position and the step proposed (positive toward the
// maximum); the parent may change iDelta before it is applied.
struct NMUPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
};
typedef NMUPDOWN* LPNMUPDOWN;

// ---------------------------------------------------------------------------
// tooltips_class32 (tooltip control)
// ---------------------------------------------------------------------------
// A topmost popup that shows a tool's text once the pointer has rested on
// the tool for the initial delay. Tools are areas of windows: (hwnd, uId)
// with a rectangle in hwnd's client coordinates, or with TTF_IDISHWND the
// whole window uId. The tooltip sees the mouse through TTM_RELAYEVENT or,
// with TTF_SUBCLASS, by subclassing the tool's window. Notifications
// (WM_NOTIFY, idFrom the tool's uId) go to the tool's hwnd.
#define TOOLTIPS_CLASSA "tooltips_class32"

#define TTS_ALWAYSTIP 0x01  // also while the tool's window is inactive
#define TTS_NOPREFIX 0x02   // '&' shown as it is, tabs kept
#define TTS_NOANIMATE 0x10
#define TTS_NOFADE 0x20
#define TTS_BALLOON 0x40
#define TTS_CLOSE 0x80

#define TTF_IDISHWND 0x0001   // uId is a window: the tool is all of it
#define TTF_CENTERTIP 0x0002  // centred below the tool instead of below the pointer
#define TTF_RTLREADING 0x0004
#define TTF_SUBCLASS 0x0010  // the tooltip subclasses the tool's window
#define TTF_TRACK 0x0020
#define TTF_ABSOLUTE 0x0080
#define TTF_TRANSPARENT 0x0100
#define TTF_PARSELINKS 0x1000
#define TTF_DI_SETITEM 0x8000  // TTN_GETDISPINFO: keep the text given

// TTM_SETDELAYTIME / TTM_GETDELAYTIME
#define TTDT_AUTOMATIC 0  // initial t, auto-pop 10 t, reshow t / 5
#define TTDT_RESHOW 1
#define TTDT_AUTOPOP 2
#define TTDT_INITIAL 3

#define TTM_ACTIVATE (WM_USER + 1)      // wParam FALSE hides and stops the tips
#define TTM_SETDELAYTIME (WM_USER + 3)  // wParam TTDT_xxx, LOWORD(lParam) ms (-1: default)
#define TTM_ADDTOOLA (WM_USER + 4)      // lParam the TOOLINFOA; TRUE when added
#define TTM_DELTOOLA (WM_USER + 5)      // lParam: cbSize, hwnd and uId name the tool
#define TTM_NEWTOOLRECTA (WM_USER + 6)
#define TTM_RELAYEVENT (WM_USER + 7)  // lParam a MSG of the tool's window
#define TTM_GETTOOLINFOA (WM_USER + 8)
#define TTM_UPDATETIPTEXTA (WM_USER + 12)
#define TTM_GETTOOLCOUNT (WM_USER + 13)
#define TTM_GETDELAYTIME (WM_USER + 21)
#define TTM_SETMAXTIPWIDTH (WM_USER + 24)  // lParam pixels (-1: one line); returns the old
#define TTM_GETMAXTIPWIDTH (WM_USER + 25)
#define TTM_POP (WM_USER + 28)

#define TTN_FIRST (0U - 520)
#define TTN_LAST (0U - 549)
#define TTN_GETDISPINFOA (TTN_FIRST - 0)  // the tool's text is asked for
#define TTN_NEEDTEXTA TTN_GETDISPINFOA
#define TTN_SHOW (TTN_FIRST - 1)  // about to show; non-zero: the receiver placed it
#define TTN_POP (TTN_FIRST - 2)

// lpszText: GBK text (copied), LPSTR_TEXTCALLBACKA to ask with
// TTN_GETDISPINFOA each time, or for TTM_GETTOOLINFOA a buffer of at least
// 80 bytes.
#define LPSTR_TEXTCALLBACKA (reinterpret_cast<LPSTR>(static_cast<INT_PTR>(-1)))

struct TOOLINFOA {
  UINT cbSize;
  UINT uFlags;  // TTF_xxx
  HWND hwnd;    // the window that holds the tool and hears its notifications
  UINT_PTR uId;
  RECT rect;  // client coordinates of hwnd; not used with TTF_IDISHWND
  HINSTANCE hinst;
  LPSTR lpszText;
  LPARAM lParam;
  void* lpReserved;
};
typedef TOOLINFOA TTTOOLINFOA;
typedef TOOLINFOA* LPTOOLINFOA;
typedef TOOLINFOA* LPTTTOOLINFOA;
#define TTTOOLINFOA_V1_SIZE (offsetof(TOOLINFOA, lParam))
#define TTTOOLINFOA_V2_SIZE (offsetof(TOOLINFOA, lpReserved))
#define TTTOOLINFOA_V3_SIZE (sizeof(TOOLINFOA))

// TTN_GETDISPINFOA: point lpszText at the text (it is read before the
// message returns) or copy it into szText.
struct NMTTDISPINFOA {
  NMHDR hdr;
  LPSTR lpszText;
  char szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
};
typedef NMTTDISPINFOA* LPNMTTDISPINFOA;
typedef NMTTDISPINFOA NMTTDISPINFO;
