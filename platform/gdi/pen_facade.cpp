// Pens and the DC settings that steer pen drawing: CreatePen,
// CreatePenIndirect, ExtCreatePen, SetROP2, SetPolyFillMode.
#include <memory>
#include <mutex>

#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing_objects.h"
#include "platform/gdi/rop2.h"

namespace platform::gdi {

namespace {

HPEN MakePen(const LOGPEN& logical, DWORD type = OBJ_PEN, DWORD ext_style = 0) {
  auto pen = std::make_shared<Pen>(logical, type, ext_style);
  return reinterpret_cast<HPEN>(Register(pen));
}

bool KnownStyle(UINT style) { return style <= PS_INSIDEFRAME; }

// ExtCreatePen: the predefined styles, and PS_ALTERNATE for cosmetic pens.
bool ExtStyleAllowed(UINT style, bool cosmetic) {
  return KnownStyle(style) ? !(cosmetic && style == PS_INSIDEFRAME)
                           : cosmetic && style == PS_ALTERNATE;
}

// Replaces one int setting of a DC, returning the old value or 0.
template <typename Valid>
int SwapSetting(HDC hdc, int DcState::*field, int value, Valid valid) {
  if (!valid(value)) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto dc = FindDc(hdc);
  if (!dc) return 0;
  std::lock_guard lock(dc->mutex());
  const int previous = dc->state.*field;
  dc->state.*field = value;
  return previous;
}

int ReadSetting(HDC hdc, int DcState::*field) {
  auto dc = FindDc(hdc);
  if (!dc) return 0;
  std::lock_guard lock(dc->mutex());
  return dc->state.*field;
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

// A negative width counts as zero: a one-pixel cosmetic pen.
HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
  const LOGPEN logical{static_cast<UINT>(iStyle), POINT{cWidth < 0 ? 0 : cWidth, 0}, color};
  return CreatePenIndirect(&logical);
}

// Styles beyond PS_INSIDEFRAME (PS_USERSTYLE, PS_ALTERNATE, anything else)
// make a solid pen, as on Windows, and read back as PS_SOLID.
HPEN CreatePenIndirect(const LOGPEN* plpen) {
  if (!plpen) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  LOGPEN logical = *plpen;
  if (!KnownStyle(logical.lopnStyle)) logical.lopnStyle = PS_SOLID;
  if (logical.lopnWidth.x < 0) logical.lopnWidth.x = 0;
  logical.lopnWidth.y = 0;
  return MakePen(logical);
}

// The pen keeps the LOGPEN it draws by; its whole style word is kept beside it.
HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle,
                  const DWORD* pstyle) {
  const UINT style = iPenStyle & PS_STYLE_MASK;
  const DWORD type = iPenStyle & PS_TYPE_MASK;
  const bool cosmetic = type == PS_COSMETIC;
  const bool valid = plbrush && ExtStyleAllowed(style, cosmetic) && cStyle == 0 && !pstyle &&
                     (cosmetic || type == PS_GEOMETRIC) && (!cosmetic || cWidth == 1) &&
                     cWidth <= 0x7FFFFFFF &&
                     (plbrush->lbStyle == BS_SOLID || plbrush->lbStyle == BS_NULL);
  if (!valid) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const UINT drawn = plbrush->lbStyle == BS_NULL ? PS_NULL : style;
  const LOGPEN logical{drawn, POINT{static_cast<LONG>(cWidth), 0}, plbrush->lbColor};
  return MakePen(logical, OBJ_EXTPEN, iPenStyle);
}

int SetROP2(HDC hdc, int rop2) { return SwapSetting(hdc, &DcState::rop2, rop2, IsRop2); }

int GetROP2(HDC hdc) { return ReadSetting(hdc, &DcState::rop2); }

int SetPolyFillMode(HDC hdc, int mode) {
  return SwapSetting(hdc, &DcState::poly_fill_mode, mode,
                     [](int value) { return value == ALTERNATE || value == WINDING; });
}

int GetPolyFillMode(HDC hdc) { return ReadSetting(hdc, &DcState::poly_fill_mode); }
