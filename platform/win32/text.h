// Win32 text services over the ANSI code page, which is always 936 (GBK).
#pragma once

#include "platform/win32/base_types.h"

// ---------------------------------------------------------------------------
// Text: the ANSI code page is 936 (GBK) everywhere in this layer.
// ---------------------------------------------------------------------------
// Code pages accepted by the conversions: CP_ACP, CP_OEMCP, CP_THREAD_ACP and
// 936 all mean GBK. Any other code page fails with ERROR_INVALID_PARAMETER.
#define CP_ACP 0
#define CP_OEMCP 1
#define CP_THREAD_ACP 3

#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008

UINT GetACP();
BOOL IsDBCSLeadByte(BYTE TestChar);
LPSTR CharNextA(LPCSTR lpsz);
LPSTR CharPrevA(LPCSTR lpszStart, LPCSTR lpszCurrent);
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar);
