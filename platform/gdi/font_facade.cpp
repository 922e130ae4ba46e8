// Font functions: CreateFontIndirectA and CreateFontA. What the font looks
// like is worked out when text first uses it (font_realize).
#include <cstring>
#include <memory>

#include "platform/base/gbk.h"
#include "platform/gdi/drawing_objects.h"

namespace platform::gdi {

namespace {

// Face names hold at most LF_FACESIZE - 1 bytes and end with a NUL; a name
// cut there loses the whole character that would be split, never half.
void TerminateFaceName(CHAR (&face)[LF_FACESIZE]) {
  const size_t length = strnlen(face, LF_FACESIZE - 1);
  size_t kept = 0;
  while (kept < length) {
    const size_t step = gbk::CharLength(face + kept, LF_FACESIZE - kept);
    if (kept + step > length) break;
    kept += step;
  }
  std::memset(face + kept, 0, LF_FACESIZE - kept);
}

HFONT MakeFont(LOGFONTA logical) {
  TerminateFaceName(logical.lfFaceName);
  auto font = std::make_shared<Font>(logical);
  return reinterpret_cast<HFONT>(Register(font));
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

HFONT CreateFontIndirectA(const LOGFONTA* lplf) {
  if (!lplf) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return MakeFont(*lplf);
}

HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                  DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                  LPCSTR pszFaceName) {
  LOGFONTA logical{};
  logical.lfHeight = cHeight;
  logical.lfWidth = cWidth;
  logical.lfEscapement = cEscapement;
  logical.lfOrientation = cOrientation;
  logical.lfWeight = cWeight;
  logical.lfItalic = static_cast<BYTE>(bItalic);
  logical.lfUnderline = static_cast<BYTE>(bUnderline);
  logical.lfStrikeOut = static_cast<BYTE>(bStrikeOut);
  logical.lfCharSet = static_cast<BYTE>(iCharSet);
  logical.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
  logical.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
  logical.lfQuality = static_cast<BYTE>(iQuality);
  logical.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
  if (pszFaceName) std::memcpy(logical.lfFaceName, pszFaceName, strnlen(pszFaceName, LF_FACESIZE));
  return MakeFont(logical);
}
