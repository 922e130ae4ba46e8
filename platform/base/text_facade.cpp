// The Win32 text functions over the GBK codec. The ANSI code page of this
// layer is always 936.
#include <cstring>
#include <string>

#include "platform/base/gbk.h"
#include "platform/win32.h"

namespace platform {

namespace {

constexpr UINT kGbkCodePage = 936;

bool IsGbkCodePage(UINT code_page) {
  return code_page == CP_ACP || code_page == CP_OEMCP || code_page == CP_THREAD_ACP ||
         code_page == kGbkCodePage;
}

// Length of a counted or NUL-terminated (-1, terminator included) input.
template <typename Char>
bool InputLength(const Char* text, int count, size_t* length) {
  if (text == nullptr || count == 0 || count < -1) return false;
  if (count > 0) {
    *length = static_cast<size_t>(count);
    return true;
  }
  size_t n = 0;
  while (text[n] != 0) ++n;
  *length = n + 1;
  return true;
}

// Copies a converted result out as Win32 does: size query when the buffer
// size is 0, ERROR_INSUFFICIENT_BUFFER when it does not fit.
template <typename Char>
int CopyOut(const std::basic_string<Char>& converted, Char* out, int capacity) {
  if (capacity == 0) return static_cast<int>(converted.size());
  if (out == nullptr || capacity < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (converted.size() > static_cast<size_t>(capacity)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(out, converted.data(), converted.size() * sizeof(Char));
  return static_cast<int>(converted.size());
}

bool HasInvalidGbk(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    gbk::DecodedChar c = gbk::DecodeChar(text.data() + i, text.size() - i);
    if (c.code == gbk::kReplacementChar) return true;
    i += c.length;
  }
  return false;
}

// GBK for UTF-16 text, with '?' (or the caller's default byte) for what GBK
// cannot hold; reports whether any such substitution happened.
std::string EncodeWithDefault(std::u16string_view text, char default_byte, bool* used_default) {
  std::string out;
  out.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size();) {
    char32_t c = gbk::NextUtf16(text, &i);
    char bytes[2];
    size_t n = gbk::EncodeChar(c, bytes);
    if (n == 1 && bytes[0] == gbk::kUnmappableByte && c != U'?') {
      bytes[0] = default_byte;
      *used_default = true;
    }
    out.append(bytes, n);
  }
  return out;
}

}  // namespace

}  // namespace platform

UINT GetACP() { return platform::kGbkCodePage; }

BOOL IsDBCSLeadByte(BYTE TestChar) { return platform::gbk::IsLeadByte(TestChar) ? TRUE : FALSE; }

LPSTR CharNextA(LPCSTR lpsz) {
  if (lpsz == nullptr || *lpsz == '\0') return const_cast<LPSTR>(lpsz);
  // A NUL ends the scan, so two bytes are always safe to look at.
  return const_cast<LPSTR>(platform::gbk::CharNext(lpsz, lpsz + 2));
}

LPSTR CharPrevA(LPCSTR lpszStart, LPCSTR lpszCurrent) {
  if (lpszStart == nullptr || lpszCurrent == nullptr) return const_cast<LPSTR>(lpszCurrent);
  return const_cast<LPSTR>(platform::gbk::CharPrev(lpszStart, lpszCurrent));
}

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
  size_t length = 0;
  if (!platform::IsGbkCodePage(CodePage) ||
      !platform::InputLength(lpMultiByteStr, cbMultiByte, &length)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string_view input(lpMultiByteStr, length);
  if ((dwFlags & MB_ERR_INVALID_CHARS) && platform::HasInvalidGbk(input)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  return platform::CopyOut(platform::gbk::ToUtf16(input), lpWideCharStr, cchWideChar);
}

int WideCharToMultiByte(UINT CodePage, DWORD, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar) {
  size_t length = 0;
  if (!platform::IsGbkCodePage(CodePage) ||
      !platform::InputLength(lpWideCharStr, cchWideChar, &length)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  bool used_default = false;
  char default_byte = lpDefaultChar && *lpDefaultChar ? *lpDefaultChar : '?';
  std::string converted = platform::EncodeWithDefault(std::u16string_view(lpWideCharStr, length),
                                                      default_byte, &used_default);
  if (lpUsedDefaultChar) *lpUsedDefaultChar = used_default ? TRUE : FALSE;
  return platform::CopyOut(converted, lpMultiByteStr, cbMultiByte);
}
