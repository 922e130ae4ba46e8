// Text functions: TextOutA, ExtTextOutA, measuring, metrics, the face name,
// alignment and character extra. DrawTextA is in text_draw_facade.cpp.
#include <climits>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/gdi/text_output.h"
#include "platform/gdi/text_units.h"

namespace platform::gdi {

namespace {

constexpr int kCharExtraError = static_cast<int>(0x80000000u);

// Reads or changes one text field of a DC's state under its lock.
template <typename Field>
std::optional<Field> ExchangeText(HDC hdc, Field DcState::*field, std::optional<Field> value) {
  auto dc = FindDc(hdc);
  if (!dc) return std::nullopt;
  std::lock_guard lock(dc->mutex());
  const Field previous = dc->state.*field;
  if (value) dc->state.*field = *value;
  return previous;
}

bool ValidText(LPCSTR text, int64_t count) {
  if (count < 0 || count > INT_MAX || (count > 0 && !text)) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return true;
}

// The length of the longest prefix of `text` that fits `capacity` bytes
// without splitting a double-byte character.
size_t WholeCharacters(std::string_view text, size_t capacity) {
  size_t kept = 0;
  while (kept < text.size()) {
    const size_t step = gbk::CharLength(text.data() + kept, text.size() - kept);
    if (step == 0 || kept + step > capacity) break;
    kept += step;
  }
  return kept;
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

UINT SetTextAlign(HDC hdc, UINT align) {
  auto previous = ExchangeText(hdc, &DcState::text_align, std::optional<UINT>(align & TA_MASK));
  return previous ? *previous : GDI_ERROR;
}

UINT GetTextAlign(HDC hdc) {
  auto current = ExchangeText(hdc, &DcState::text_align, std::optional<UINT>());
  return current ? *current : GDI_ERROR;
}

int SetTextCharacterExtra(HDC hdc, int extra) {
  auto previous = ExchangeText(hdc, &DcState::char_extra, std::optional<int>(extra));
  return previous ? *previous : kCharExtraError;
}

int GetTextCharacterExtra(HDC hdc) {
  auto current = ExchangeText(hdc, &DcState::char_extra, std::optional<int>());
  return current ? *current : kCharExtraError;
}

// With TA_UPDATECP the run starts at the current position, not at (x, y),
// and moves it on along the baseline (text_output: CurrentPositionStep).
BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
                 const INT* lpDx) {
  if (!ValidText(lpString, c)) return FALSE;
  auto target = TextTargetOf(hdc);
  if (!target) return FALSE;
  const Mapping& mapping = target->mapping;
  const bool update_cp = (target->align & TA_UPDATECP) != 0;
  RunPlacement placement;
  placement.reference = ToDevice(mapping, update_cp ? target->position : POINT{x, y});
  placement.align = target->align;
  placement.options = options & (ETO_OPAQUE | ETO_CLIPPED);
  if (lprect) {
    const RECT device = ToDeviceRect(
        mapping, OrderedRect(lprect->left, lprect->top, lprect->right, lprect->bottom));
    placement.rect = ClampedRect(device.left, device.top, device.right, device.bottom);
  }
  std::vector<INT> device_dx;
  if (lpDx && !mapping.IsIdentity()) device_dx = DeviceAdvances(mapping, lpDx, c);
  const INT* dx = device_dx.empty() ? lpDx : device_dx.data();
  const std::string_view text(lpString ? lpString : "", c);
  const TextRun run = LayOutRun(*target->font, target->escapement, text, target->char_extra, dx);
  DrawRun(*target, run, placement);
  if (update_cp) {
    const POINT step = CurrentPositionStep(target->escapement, target->align, run.width);
    MoveCurrentPosition(hdc, LogicalOffset(mapping, step));
  }
  return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  if (!ValidText(lpString, c)) return FALSE;
  return ExtTextOutA(hdc, x, y, 0, nullptr, lpString, static_cast<UINT>(c), nullptr);
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
  if (!ValidText(lpString, c)) return FALSE;
  if (!psizl) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto target = TextTargetOf(hdc);
  if (!target) return FALSE;
  const TextRun run = LayOutRun(*target->font, target->escapement,
                                std::string_view(lpString ? lpString : "", c), target->char_extra);
  *psizl = SIZE{LogicalWidth(target->mapping, run.width),
                LogicalHeight(target->mapping, target->font->metrics().tmHeight)};
  return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
  if (!lptm) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto target = TextTargetOf(hdc);
  if (!target) return FALSE;
  *lptm = LogicalMetrics(target->font->metrics(), target->mapping);
  return TRUE;
}

// Without a buffer: the name's length with its NUL. With one: the bytes
// copied, NUL included.
int GetTextFaceA(HDC hdc, int c, LPSTR lpName) {
  auto font = RealizedFontOf(hdc);
  if (!font) return 0;
  const std::string& name = font->face_name();
  if (!lpName) return static_cast<int>(name.size()) + 1;
  if (c <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const size_t copied = WholeCharacters(name, static_cast<size_t>(c) - 1);
  std::memcpy(lpName, name.data(), copied);
  lpName[copied] = '\0';
  return static_cast<int>(copied) + 1;
}
