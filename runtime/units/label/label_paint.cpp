// Painting the label: gradient frame, background (picture, gradient or
// colour), then the caption with its effect.
#include <algorithm>
#include <string>

#include "runtime/pictures/decode.h"
#include "runtime/pictures/paint_picture.h"
#include "runtime/units/common/unit_controls.h"
#include "runtime/units/label/gradient.h"
#include "runtime/units/label/label_unit.h"

namespace runtime::units::label {

namespace {

constexpr int32_t kTopLeft = 0;
constexpr int32_t kTiled = 1;

// A side band clipped to the trapezoid between the corner diagonals.
void FillSideBand(HDC dc, const RECT& band, const POINT (&corners)[4],
                  const std::vector<COLORREF>& stops) {
  HRGN trapezoid = CreatePolygonRgn(corners, 4, WINDING);
  const int saved = SaveDC(dc);
  ExtSelectClipRgn(dc, trapezoid, RGN_AND);
  FillGradient(dc, band, 2, stops);
  RestoreDC(dc, saved);
  DeleteObject(trapezoid);
}

// Draws the gradient frame inside `rect` and shrinks `rect` by its width.
void PaintFrame(const LabelUnit& unit, HDC dc, RECT& rect) {
  if (unit.Int(kBorder) != kGradientFrame || unit.Int(kFrameWidth) <= 0) return;
  const std::vector<COLORREF> stops = GradientStops(
      {static_cast<uint32_t>(unit.Int(kFrameColor1)), static_cast<uint32_t>(unit.Int(kFrameColor2)),
       static_cast<uint32_t>(unit.Int(kFrameColor3))});
  if (stops.size() < 2) return;
  const int32_t w = rect.right - rect.left;
  const int32_t h = rect.bottom - rect.top;
  const int32_t band = std::min({unit.Int(kFrameWidth), w / 2, h / 2});
  if (band <= 0) return;
  const LONG l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  FillGradient(dc, RECT{l, t, r, t + band}, 1, stops);
  FillGradient(dc, RECT{l, b - band, r, b}, 1, stops);
  const POINT left[4] = {{l, t}, {l + band, t + band}, {l + band, b - band}, {l, b}};
  const POINT right[4] = {{r, t}, {r - band, t + band}, {r - band, b - band}, {r, b}};
  FillSideBand(dc, RECT{l, t, l + band, b}, left, stops);
  FillSideBand(dc, RECT{r - band, t, r, b}, right, stops);
  InflateRect(&rect, -band, -band);
}

void FillColour(HDC dc, const RECT& rect, uint32_t colour) {
  HBRUSH brush = CreateSolidBrush(ResolveBackColour(colour));
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

// Decodes BackPicture once; bytes that do not decode leave the property.
const Picture* BackPicture(LabelUnit& unit) {
  if (unit.picture == nullptr && !unit.record.Bytes(kBackPicture).empty()) {
    unit.picture = DecodePictureBytes(unit.record.Bytes(kBackPicture));
    if (unit.picture == nullptr) unit.record.SetText(kBackPicture, {});
  }
  return unit.picture;
}

void PaintPictureByMode(const Picture& picture, int32_t mode, HDC dc, const RECT& rect,
                        COLORREF back) {
  const int32_t w = rect.right - rect.left;
  const int32_t h = rect.bottom - rect.top;
  if (picture.width <= 0 || picture.height <= 0) return;
  if (mode == kTopLeft) {
    PaintPicture(picture, dc, rect.left, rect.top, -1, -1, SRCCOPY, back);
  } else if (mode == kTiled) {
    for (int32_t y = rect.top; y < rect.bottom; y += picture.height) {
      for (int32_t x = rect.left; x < rect.right; x += picture.width) {
        PaintPicture(picture, dc, x, y, -1, -1, SRCCOPY, back);
      }
    }
  } else {
    double scale = 1.0;
    if (picture.width > w || picture.height > h) {
      scale =
          std::min(static_cast<double>(w) / picture.width, static_cast<double>(h) / picture.height);
    }
    const auto pw = static_cast<int32_t>(picture.width * scale);
    const auto ph = static_cast<int32_t>(picture.height * scale);
    PaintPicture(picture, dc, rect.left + (w - pw) / 2, rect.top + (h - ph) / 2, pw, ph, SRCCOPY,
                 back);
  }
}

void PaintBackground(LabelUnit& unit, HDC dc, const RECT& rect) {
  const auto back = static_cast<uint32_t>(unit.Int(kBackColor));
  if (const Picture* picture = BackPicture(unit)) {
    FillColour(dc, rect, back);
    PaintPictureByMode(*picture, unit.Int(kBackPictureMode), dc, rect, ResolveBackColour(back));
    return;
  }
  const std::vector<COLORREF> stops =
      GradientStops({static_cast<uint32_t>(unit.Int(kGradientColor1)),
                     static_cast<uint32_t>(unit.Int(kGradientColor2)),
                     static_cast<uint32_t>(unit.Int(kGradientColor3))});
  if (unit.Int(kGradientMode) != 0 && stops.size() >= 2) {
    FillGradient(dc, rect, unit.Int(kGradientMode), stops);
    return;
  }
  FillColour(dc, rect, back);
}

UINT TextFormat(const LabelUnit& unit) {
  UINT format = DT_NOPREFIX;
  if (unit.Int(kAlignment) == 1) format |= DT_CENTER;
  if (unit.Int(kAlignment) == 2) format |= DT_RIGHT;
  if (unit.Int(kWordWrap) != 0) return format | DT_WORDBREAK;
  format |= DT_SINGLELINE;
  if (unit.Int(kVerticalAlignment) == 1) format |= DT_VCENTER;
  if (unit.Int(kVerticalAlignment) == 2) format |= DT_BOTTOM;
  return format;
}

void DrawText(HDC dc, const std::string& text, RECT rect, COLORREF colour, UINT format,
              int32_t dx = 0, int32_t dy = 0) {
  OffsetRect(&rect, dx, dy);
  SetTextColor(dc, colour);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

void PaintCaption(const LabelUnit& unit, HDC dc, RECT rect) {
  const int length = GetWindowTextLengthA(unit.window);
  if (length <= 0) return;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(unit.window, text.data(), length + 1)));
  HGDIOBJ old_font = SelectObject(dc, FontOrDefault(unit.font));
  SetBkMode(dc, TRANSPARENT);
  const UINT format = TextFormat(unit);
  constexpr COLORREF kWhite = RGB(255, 255, 255);
  switch (unit.Int(kTextEffect)) {
    case 1:
      DrawText(dc, text, rect, kWhite, format, 1, 1);
      break;
    case 2:
      DrawText(dc, text, rect, kWhite, format);
      OffsetRect(&rect, 1, 1);
      break;
    case 3:
      DrawText(dc, text, rect, RGB(0, 0, 0), format, 2, 2);
      break;
    default:
      break;
  }
  DrawText(dc, text, rect, static_cast<COLORREF>(unit.Int(kTextColor)), format);
  SelectObject(dc, old_font);
}

}  // namespace

void PaintLabel(LabelUnit& unit, HDC dc) {
  RECT rect{};
  GetClientRect(unit.window, &rect);
  const int saved = SaveDC(dc);
  PaintFrame(unit, dc, rect);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  PaintBackground(unit, dc, rect);
  PaintCaption(unit, dc, rect);
  RestoreDC(dc, saved);
}

}  // namespace runtime::units::label
