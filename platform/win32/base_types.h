// Basic Win32 types, shared by every part of the facade.
#pragma once

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------
// Basic types. Widths are those of the Win32 data model (LLP64): LONG and
// DWORD are 32-bit, pointers and handles are pointer-sized.
// ---------------------------------------------------------------------------
typedef int32_t BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef int32_t INT;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int64_t LONGLONG;
typedef char CHAR;
typedef char16_t WCHAR;  // UTF-16 code unit, as on Windows
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void VOID;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef BOOL* LPBOOL;
typedef uintptr_t UINT_PTR;
typedef intptr_t INT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;

// ---------------------------------------------------------------------------
// Geometry and colour
// ---------------------------------------------------------------------------
struct POINT {
  LONG x;
  LONG y;
};
typedef POINT* LPPOINT;

struct SIZE {
  LONG cx;
  LONG cy;
};
typedef SIZE* LPSIZE;

// right and bottom are exclusive.
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;

struct POINTS {
  int16_t x;
  int16_t y;
};

typedef DWORD COLORREF;  // 0x00BBGGRR
#define RGB(r, g, b)                                                                             \
  (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | \
                         (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(rgb) (static_cast<BYTE>(rgb))
#define GetGValue(rgb) (static_cast<BYTE>(static_cast<WORD>(rgb) >> 8))
#define GetBValue(rgb) (static_cast<BYTE>((rgb) >> 16))
#define CLR_INVALID 0xFFFFFFFFu

#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xFFFF))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xFFFF))
#define LOBYTE(w) (static_cast<BYTE>(static_cast<DWORD_PTR>(w) & 0xFF))
#define HIBYTE(w) (static_cast<BYTE>((static_cast<DWORD_PTR>(w) >> 8) & 0xFF))
#define MAKELONG(a, b) \
  (static_cast<LONG>(static_cast<WORD>(a) | (static_cast<DWORD>(static_cast<WORD>(b)) << 16)))
#define MAKEWPARAM(l, h) (static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKELPARAM(l, h) (static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKELRESULT(l, h) (static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(l, h))))
#define GET_X_LPARAM(lp) (static_cast<int>(static_cast<int16_t>(LOWORD(lp))))
#define GET_Y_LPARAM(lp) (static_cast<int>(static_cast<int16_t>(HIWORD(lp))))

// ---------------------------------------------------------------------------
// Handles. Each kind is a distinct pointer type, as with STRICT on Windows;
// the values are table indices, never addresses.
// ---------------------------------------------------------------------------
#define MIENZO_DECLARE_HANDLE(name) \
  struct name##__;                  \
  typedef name##__* name

MIENZO_DECLARE_HANDLE(HWND);
MIENZO_DECLARE_HANDLE(HDC);
typedef void* HGDIOBJ;
MIENZO_DECLARE_HANDLE(HBITMAP);
MIENZO_DECLARE_HANDLE(HBRUSH);
MIENZO_DECLARE_HANDLE(HPEN);
MIENZO_DECLARE_HANDLE(HFONT);
MIENZO_DECLARE_HANDLE(HRGN);
MIENZO_DECLARE_HANDLE(HPALETTE);
MIENZO_DECLARE_HANDLE(HICON);
typedef HICON HCURSOR;
MIENZO_DECLARE_HANDLE(HMENU);
MIENZO_DECLARE_HANDLE(HMONITOR);
MIENZO_DECLARE_HANDLE(HACCEL);
MIENZO_DECLARE_HANDLE(HINSTANCE);
typedef HINSTANCE HMODULE;
typedef void* HANDLE;
typedef HANDLE* PHANDLE;

#undef MIENZO_DECLARE_HANDLE

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define MAX_PATH 260
