#include "platform/gdi/text_output.h"

#include "platform/gdi/drawing.h"
#include "platform/gdi/glyph_paint.h"
#include "platform/gdi/text_space.h"

namespace platform::gdi {

namespace {

constexpr uint8_t kPatCopy = 0xF0;

// Where the run's cell starts along the baseline, from the alignment.
int RunStart(UINT align, int width) {
  if ((align & TA_CENTER) == TA_CENTER) return -(width / 2);
  if (align & TA_RIGHT) return -width;
  return 0;
}

// The first row below the baseline, from the alignment.
int BaselineRow(UINT align, const TEXTMETRICA& metrics) {
  if ((align & TA_BASELINE) == TA_BASELINE) return 0;
  if (align & TA_BOTTOM) return -metrics.tmDescent;
  return metrics.tmAscent;
}

Region DeviceClip(const TextTarget& target, const RunPlacement& placement) {
  Region clip = target.canvas.clip;
  clip.Offset(-target.canvas.origin.x, -target.canvas.origin.y);
  if ((placement.options & ETO_CLIPPED) && placement.rect) clip.Intersect(*placement.rect);
  return clip;
}

struct RunFrame {
  const TextTarget& target;
  TextSpace space;
  Region clip;   // device coordinates
  int start;     // text space: the cell's first column
  int baseline;  // text space: the first row below the baseline
};

void FillText(const RunFrame& frame, const RECT& text_rect, COLORREF color) {
  Region area(frame.space.ToDevice(text_rect));
  area.Intersect(frame.clip);
  if (area.IsEmpty()) return;
  PaintArea(frame.target.canvas, area, kPatCopy, Pattern{CanvasPixel(frame.target.canvas, color)});
}

void FillLine(const RunFrame& frame, int first, int last, int top, int thickness) {
  FillText(frame,
           RECT{frame.start + first, frame.baseline + top, frame.start + last,
                frame.baseline + top + thickness},
           frame.target.text_color);
}

void PaintRunGlyphs(const RunFrame& frame, const TextRun& run) {
  std::vector<PlacedGlyph> placed;
  placed.reserve(run.chars.size());
  for (const PlacedChar& c : run.chars) {
    const Glyph* glyph = c.glyph.get();
    placed.push_back(
        PlacedGlyph{glyph, POINT{frame.start + c.x + glyph->left, frame.baseline - glyph->top}});
  }
  PaintGlyphs(frame.target.canvas, frame.clip, frame.space, placed,
              CanvasPixel(frame.target.canvas, frame.target.text_color));
}

}  // namespace

std::optional<TextTarget> TextTargetOf(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return std::nullopt;
  TextTarget target;
  std::shared_ptr<Font> font;
  {
    std::lock_guard lock(dc->mutex());
    target.canvas = dc->CanvasLocked();
    target.text_color = dc->state.text_color;
    target.bk_color = dc->state.bk_color;
    target.bk_mode = dc->state.bk_mode;
    target.align = dc->state.text_align;
    target.char_extra = dc->state.char_extra;
    font = dc->state.font.shared();
  }
  // Made outside the DC's lock: the first use of a font reads font files.
  target.font = RealizeFont(font->logical());
  return target;
}

std::shared_ptr<const RealizedFont> RealizedFontOf(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return nullptr;
  std::shared_ptr<Font> font;
  {
    std::lock_guard lock(dc->mutex());
    font = dc->state.font.shared();
  }
  return RealizeFont(font->logical());
}

void DrawRun(const TextTarget& target, const TextRun& run, const RunPlacement& placement) {
  const RealizedFont& font = *target.font;
  const TEXTMETRICA& metrics = font.metrics();
  const POINT reference{ClampCoordinate(placement.reference.x),
                        ClampCoordinate(placement.reference.y)};
  const RunFrame frame{target, TextSpace{reference, font.quarter_turns()},
                       DeviceClip(target, placement), RunStart(placement.align, run.width),
                       BaselineRow(placement.align, metrics)};
  if ((placement.options & ETO_OPAQUE) && placement.rect) {
    PaintArea(target.canvas, Region(*placement.rect), kPatCopy,
              Pattern{CanvasPixel(target.canvas, target.bk_color)});
  }
  if (target.bk_mode == OPAQUE) {
    FillText(frame,
             RECT{frame.start, frame.baseline - metrics.tmAscent, frame.start + run.width,
                  frame.baseline + metrics.tmDescent},
             target.bk_color);
  }
  PaintRunGlyphs(frame, run);
  const TextLines& lines = font.lines();
  if (font.underlined()) {
    FillLine(frame, 0, run.width, lines.underline_top, lines.underline_thickness);
  }
  if (font.struck_out()) {
    FillLine(frame, 0, run.width, lines.strikeout_top, lines.strikeout_thickness);
  }
  for (const Underline& underline : placement.underlines) {
    FillLine(frame, underline.first, underline.last, lines.underline_top,
             lines.underline_thickness);
  }
}

}  // namespace platform::gdi
