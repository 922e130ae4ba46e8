#include "runtime/units/drawpanel/panel_resources.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <span>

#include "runtime/units/drawpanel/brush_patterns.h"
#include "runtime/units/drawpanel/coordinate_unit.h"

namespace runtime::units::drawpanel {

namespace {

constexpr std::array<int, 7> kPenStyles = {PS_ALTERNATE, PS_SOLID,      PS_DASH,       PS_DOT,
                                           PS_DASHDOT,   PS_DASHDOTDOT, PS_INSIDEFRAME};

constexpr int32_t kFirstHatchStyle = 2;
constexpr std::array<int, 6> kHatches = {HS_BDIAGONAL, HS_CROSS,      HS_DIAGCROSS,
                                         HS_FDIAGONAL, HS_HORIZONTAL, HS_VERTICAL};

// Font units per inch of each CoordinateUnit, negative: the height becomes
// a character height.
constexpr std::array<double, 6> kUnitsPerInch = {
    0.0, -253.8071065989848, -2538.0710659898477, -100.0, -1000.0, -1440.0};

constexpr size_t kFontRecordBytes = sizeof(LOGFONTA);
static_assert(kFontRecordBytes == 60, "the Font property is a 60-byte LOGFONTA");

HBRUSH MakePatternBrushOf(int32_t style) {
  // Monochrome rows are WORD aligned: two bytes a row.
  uint8_t rows[16] = {};
  const BrushPattern& pattern = PatternForStyle(style);
  for (size_t row = 0; row < pattern.size(); ++row) rows[row * 2] = pattern[row];
  HBITMAP bits = CreateBitmap(8, 8, 1, 1, rows);
  if (bits == nullptr) return nullptr;
  HBRUSH brush = CreatePatternBrush(bits);
  DeleteObject(bits);  // the brush keeps its own copy of the pattern
  return brush;
}

template <class Handle>
void Replace(Handle& slot, Handle fresh) {
  if (slot != nullptr) DeleteObject(slot);
  slot = fresh;
}

}  // namespace

HPEN MakePanelPen(int32_t style, int32_t width, COLORREF colour) {
  if (style < 0 || style >= static_cast<int32_t>(kPenStyles.size())) style = 1;
  return CreatePen(kPenStyles[static_cast<size_t>(style)], style == 0 ? 0 : width, colour);
}

HBRUSH MakePanelBrush(int32_t style, COLORREF colour) {
  if (style <= 0) {
    const LOGBRUSH hollow{BS_HOLLOW, 0, 0};
    return CreateBrushIndirect(&hollow);
  }
  if (style == 1) return CreateSolidBrush(colour);
  if (style < kFirstPatternStyle) {
    return CreateHatchBrush(kHatches[static_cast<size_t>(style - kFirstHatchStyle)], colour);
  }
  return MakePatternBrushOf(style);
}

int32_t FontHeightInUnits(int32_t height, int32_t unit, int32_t pixels_per_inch) {
  if (unit <= kUnitPixel || unit > kLastCoordinateUnit || pixels_per_inch <= 0) return height;
  const double inches = std::fabs(static_cast<double>(height)) / pixels_per_inch;
  return static_cast<int32_t>(std::trunc(inches * kUnitsPerInch[static_cast<size_t>(unit)]));
}

LOGFONTA PanelLogFont(const Panel& panel, int32_t pixels_per_inch) {
  LOGFONTA font{};
  const std::span<const uint8_t> stored = panel.record.Bytes(kFont);
  if (stored.size() == kFontRecordBytes) {
    std::memcpy(&font, stored.data(), kFontRecordBytes);
  } else {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  }
  font.lfFaceName[LF_FACESIZE - 1] = '\0';  // a stored record need not end its name
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = 0;
  font.lfClipPrecision = 0;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = 0;
  font.lfHeight = FontHeightInUnits(font.lfHeight, panel.Int(kCoordinateUnit), pixels_per_inch);
  return font;
}

int32_t ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int32_t dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi;
}

void RebuildPen(Panel& panel) {
  Replace(panel.pen, MakePanelPen(panel.Int(kPenStyle), panel.Int(kPenWidth),
                                  static_cast<COLORREF>(panel.Int(kPenColor))));
}

void RebuildBrush(Panel& panel) {
  Replace(panel.brush,
          MakePanelBrush(panel.Int(kBrushStyle), static_cast<COLORREF>(panel.Int(kBrushColor))));
}

void RebuildFont(Panel& panel) {
  const LOGFONTA font = PanelLogFont(panel, ScreenPixelsPerInch());
  Replace(panel.font, CreateFontIndirectA(&font));
}

COLORREF ResolvedBackColor(const Panel& panel) {
  const uint32_t colour = static_cast<uint32_t>(panel.Int(kBackColor));
  return colour == kSystemColourMarker ? GetSysColor(COLOR_BTNFACE) : colour;
}

Panel::~Panel() {
  ReleasePicture(background);
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (font != nullptr) DeleteObject(font);
  if (brush != nullptr) DeleteObject(brush);
  if (pen != nullptr) DeleteObject(pen);
}

}  // namespace runtime::units::drawpanel
