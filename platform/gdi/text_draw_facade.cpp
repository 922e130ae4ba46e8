// DrawTextA: formatted text in a rectangle. The lines come from
// text_format; each is drawn as ExtTextOutA would draw it with TA_LEFT |
// TA_TOP, whatever the DC's alignment, clipped to the rectangle unless
// DT_NOCLIP.
#include <algorithm>
#include <cstring>

#include "platform/gdi/text_format.h"
#include "platform/gdi/text_units.h"

namespace platform::gdi {

namespace {

constexpr int kDefaultTabCharacters = 8;

constexpr UINT kInternalFont = 0x1000;  // DT_INTERNAL, which Mienzo does not offer

// DT_TABSTOP keeps the tab size in bits 8-15, where these flags would be.
constexpr UINT kTabStopExcludes =
    DT_CALCRECT | DT_EXTERNALLEADING | DT_NOCLIP | DT_NOPREFIX | kInternalFont;

// Characters from one tab stop to the next.
int TabCharacters(UINT format) {
  const int count = (format & DT_TABSTOP) ? static_cast<int>((format >> 8) & 0xFF) : 0;
  return count > 0 ? count : kDefaultTabCharacters;
}

DrawTextRules RulesFor(UINT format, int tab_characters, const RECT& rect,
                       const TextTarget& target) {
  DrawTextRules rules;
  rules.format = format;
  rules.max_width = ClampCoordinate(int64_t{rect.right} - rect.left);
  rules.tab_width = tab_characters * target.font->metrics().tmAveCharWidth;
  rules.char_extra = target.char_extra;
  rules.advance = [font = target.font, escapement = target.escapement](char32_t code) {
    return font->GlyphFor(code, escapement)->advance;
  };
  return rules;
}

int LineLeft(UINT format, const RECT& rect, int width) {
  if (format & DT_CENTER) return ClampCoordinate((int64_t{rect.left} + rect.right - width) / 2);
  if (format & DT_RIGHT) return ClampCoordinate(int64_t{rect.right} - width);
  return rect.left;
}

// The first line's top: single lines may sit in the middle or at the bottom.
int64_t TextTop(UINT format, const RECT& rect, int64_t line_height) {
  if (!(format & DT_SINGLELINE)) return rect.top;
  if (format & DT_VCENTER) return (int64_t{rect.top} + rect.bottom - line_height) / 2;
  if (format & DT_BOTTOM) return int64_t{rect.bottom} - line_height;
  return rect.top;
}

// Device distances as logical offsets (negative along an axis that runs
// the other way).
int64_t ToLogicalX(const Mapping& mapping, int64_t device) {
  if (mapping.IsIdentity()) return device;
  return LogicalOffset(mapping, POINT{ClampCoordinate(device), 0}).x;
}

int64_t ToLogicalY(const Mapping& mapping, int64_t device) {
  if (mapping.IsIdentity()) return device;
  return LogicalOffset(mapping, POINT{0, ClampCoordinate(device)}).y;
}

void DrawLines(const TextTarget& target, const std::vector<DrawTextLine>& lines, UINT format,
               const RECT& rect, int64_t top, int64_t line_height) {
  const RECT clip = OrderedRect(rect.left, rect.top, rect.right, rect.bottom);
  int64_t y = top;
  for (const DrawTextLine& line : lines) {
    RunPlacement placement;
    placement.reference = POINT{LineLeft(format, rect, line.width), ClampCoordinate(y)};
    placement.align = TA_LEFT | TA_TOP;
    if (!(format & DT_NOCLIP)) {
      placement.options = ETO_CLIPPED;
      placement.rect = clip;
    }
    placement.underlines = line.underlines;
    DrawRun(target, LayOutRun(*target.font, target.escapement, line.text, 0, line.dx.data()),
            placement);
    y += line_height;
  }
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

// The rectangle is converted to device pixels, the lines laid out and drawn
// there, and what comes back (the height, DT_CALCRECT's rectangle) is
// converted to logical units. Returns the height of the text; for a single
// line placed with DT_VCENTER or DT_BOTTOM, the distance from the
// rectangle's top to the bottom of the text.
int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  if (!lprc || (!lpchText && cchText != 0) || cchText < -1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int tab_characters = TabCharacters(format);
  if (format & DT_TABSTOP) format &= ~kTabStopExcludes;
  auto target = TextTargetOf(hdc);
  if (!target) return 0;
  const Mapping& mapping = target->mapping;
  // Unordered rectangles keep their corners in MM_TEXT, as they always have.
  const RECT rect = mapping.IsIdentity() ? *lprc : ToDeviceRect(mapping, *lprc);
  const size_t length = cchText < 0 ? std::strlen(lpchText) : static_cast<size_t>(cchText);
  const std::string_view text(lpchText ? lpchText : "", length);
  const std::vector<DrawTextLine> lines =
      FormatDrawText(text, RulesFor(format, tab_characters, rect, *target));

  const TEXTMETRICA& metrics = target->font->metrics();
  const int64_t line_height =
      metrics.tmHeight + ((format & DT_EXTERNALLEADING) ? metrics.tmExternalLeading : 0);
  const int64_t height = line_height * static_cast<int64_t>(lines.size());
  int width = 0;
  for (const DrawTextLine& line : lines) width = std::max(width, line.width);
  if (format & DT_CALCRECT) {
    lprc->right = ClampCoordinate(lprc->left + ToLogicalX(mapping, width));
    lprc->bottom = ClampCoordinate(lprc->top + ToLogicalY(mapping, height));
    return ClampCoordinate(ToLogicalY(mapping, height));
  }
  const int64_t top = TextTop(format, rect, line_height);
  DrawLines(*target, lines, format, rect, top, line_height);
  const bool placed = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM));
  return ClampCoordinate(ToLogicalY(mapping, placed ? top - rect.top + height : height));
}
