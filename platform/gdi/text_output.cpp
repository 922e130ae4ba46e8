#include "platform/gdi/text_output.h"

#include "platform/gdi/drawing.h"
#include "platform/gdi/glyph_paint.h"
#include "platform/gdi/text_space.h"
#include "platform/gdi/text_units.h"

namespace platform::gdi {

namespace {

constexpr uint8_t kPatCopy = 0xF0;

Pattern Solid(const Canvas& canvas, COLORREF color) {
  Pattern pattern;
  pattern.pixel = CanvasPixel(canvas, color);
  return pattern;
}

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
  POINT reference;  // device coordinates
  Region clip;      // device coordinates
  int start;        // text space: the cell's first column
  int baseline;     // text space: the first row below the baseline
};

// The device pixels a text-space rectangle covers, inside the clip.
Region AreaOf(const RunFrame& frame, const RECT& text) {
  const Escapement& escapement = frame.target.escapement;
  if (!escapement.is_quarter_turn()) {
    Region area = escapement.Area(frame.reference, text, frame.clip.Bounds());
    area.Intersect(frame.clip);
    return area;
  }
  Region area(TextSpace{frame.reference, escapement.quarter_turns()}.ToDevice(text));
  area.Intersect(frame.clip);
  return area;
}

void FillText(const RunFrame& frame, const RECT& text_rect, COLORREF color) {
  const Region area = AreaOf(frame, text_rect);
  if (area.IsEmpty()) return;
  PaintArea(frame.target.canvas, area, kPatCopy, Solid(frame.target.canvas, color));
}

void FillLine(const RunFrame& frame, int first, int last, int top, int thickness) {
  FillText(frame,
           RECT{frame.start + first, frame.baseline + top, frame.start + last,
                frame.baseline + top + thickness},
           frame.target.text_color);
}

// Upright glyphs go into text space, which turns them by quarter turns.
// Turned glyphs already lie on the screen's axes: each goes to its pen
// position on the turned baseline, in device coordinates.
void PaintRunGlyphs(const RunFrame& frame, const TextRun& run) {
  const Escapement& escapement = frame.target.escapement;
  const bool upright = escapement.is_quarter_turn();
  std::vector<PlacedGlyph> placed;
  placed.reserve(run.chars.size());
  for (const PlacedChar& c : run.chars) {
    const Glyph* glyph = c.glyph.get();
    if (upright) {
      placed.push_back(
          PlacedGlyph{glyph, POINT{frame.start + c.x + glyph->left, frame.baseline - glyph->top}});
      continue;
    }
    const POINT pen = escapement.Offset(static_cast<double>(frame.start) + c.x, frame.baseline);
    placed.push_back(PlacedGlyph{
        glyph, POINT{ClampCoordinate(int64_t{frame.reference.x} + pen.x + glyph->left),
                     ClampCoordinate(int64_t{frame.reference.y} + pen.y - glyph->top)}});
  }
  const TextSpace space =
      upright ? TextSpace{frame.reference, escapement.quarter_turns()} : TextSpace{};
  PaintGlyphs(frame.target.canvas, frame.clip, space, placed,
              CanvasPixel(frame.target.canvas, frame.target.text_color));
}

}  // namespace

std::optional<TextTarget> TextTargetOf(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return std::nullopt;
  TextTarget target;
  std::shared_ptr<Font> font;
  int char_extra = 0;
  {
    std::lock_guard lock(dc->mutex());
    target.canvas = dc->CanvasLocked();
    target.text_color = dc->state.text_color;
    target.bk_color = dc->state.bk_color;
    target.bk_mode = dc->state.bk_mode;
    target.align = dc->state.text_align;
    target.mapping = dc->state.mapping;
    target.position = dc->state.position;
    char_extra = dc->state.char_extra;
    font = dc->state.font.shared();
  }
  target.char_extra = ClampCoordinate(WidthToDevice(target.mapping, char_extra));
  target.escapement = Escapement(font->logical().lfEscapement);
  // Made outside the DC's lock: the first use of a font reads font files.
  target.font = RealizeFont(DeviceFont(font->logical(), target.mapping));
  return target;
}

std::shared_ptr<const RealizedFont> RealizedFontOf(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return nullptr;
  std::shared_ptr<Font> font;
  Mapping mapping;
  {
    std::lock_guard lock(dc->mutex());
    font = dc->state.font.shared();
    mapping = dc->state.mapping;
  }
  return RealizeFont(DeviceFont(font->logical(), mapping));
}

void MoveCurrentPosition(HDC hdc, POINT logical_offset) {
  auto dc = FindDc(hdc);
  if (!dc) return;
  std::lock_guard lock(dc->mutex());
  POINT& position = dc->state.position;
  position = POINT{ClampCoordinate(int64_t{position.x} + logical_offset.x),
                   ClampCoordinate(int64_t{position.y} + logical_offset.y)};
}

POINT CurrentPositionStep(const Escapement& escapement, UINT align, int width) {
  if ((align & TA_CENTER) == TA_CENTER) return POINT{0, 0};
  return escapement.Offset(
      (align & TA_RIGHT) ? -static_cast<double>(width) : static_cast<double>(width), 0.0);
}

void DrawRun(const TextTarget& target, const TextRun& run, const RunPlacement& placement) {
  const RealizedFont& font = *target.font;
  const TEXTMETRICA& metrics = font.metrics();
  const POINT reference{ClampCoordinate(placement.reference.x),
                        ClampCoordinate(placement.reference.y)};
  const RunFrame frame{target, reference, DeviceClip(target, placement),
                       RunStart(placement.align, run.width), BaselineRow(placement.align, metrics)};
  if ((placement.options & ETO_OPAQUE) && placement.rect) {
    PaintArea(target.canvas, Region(*placement.rect), kPatCopy,
              Solid(target.canvas, target.bk_color));
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
