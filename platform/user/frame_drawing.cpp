// Frames drawn in the system colours: DrawEdge, DrawFocusRect and the
// scroll arrows of DrawFrameControl.
//
// They take logical coordinates; the rectangle is turned into device pixels
// first, and the lines are one device pixel wide whatever the mapping, as
// the pen-drawn frames of Windows are.
//
// Index: edge colours, DrawEdge, DrawFocusRect, arrows, DrawFrameControl.
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/gdi/drawing.h"
#include "platform/gdi/mapping.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

using gdi::DrawSnapshot;
using gdi::Region;

constexpr uint8_t kPatCopy = 0xF0;
constexpr uint8_t kDstInvert = 0x55;
constexpr int kNoColor = -1;

void Fill(const DrawSnapshot& dc, const Region& area, int color) {
  gdi::PaintArea(dc.canvas, area, kPatCopy,
                 gdi::Pattern(gdi::CanvasPixel(dc.canvas, GetSysColor(color))));
}

void Fill(const DrawSnapshot& dc, const RECT& r, int color) { Fill(dc, Region(r), color); }

// The logical rectangle in device pixels, in order (an axis the mapping
// turns round would otherwise turn it inside out) and inside the
// coordinate range, so widths and steps along the sides cannot overflow.
RECT DeviceRect(const DrawSnapshot& dc, const RECT& logical) {
  const RECT device = gdi::ToDeviceRect(dc.mapping, logical);
  return gdi::ClampedRect(device.left, device.top, device.right, device.bottom);
}

// ---------------------------------------------------------------------------
// Edge colours
// ---------------------------------------------------------------------------

// One line of an edge: the colour of its top and left sides and of its
// bottom and right sides.
struct EdgeLine {
  int top_left = kNoColor;
  int bottom_right = kNoColor;
};

// A raised or sunken border of a pair (outer or inner); none when the pair
// has neither or both.
std::optional<bool> Raised(UINT pair, UINT raised, UINT sunken) {
  if ((pair & raised) && !(pair & sunken)) return true;
  if ((pair & sunken) && !(pair & raised)) return false;
  return std::nullopt;
}

// The 3-D colours: light comes from the top left, so a raised border is
// light there and dark at the bottom right, a sunken one the other way
// round; the outer line is the extreme one (3DLIGHT / 3DDKSHADOW), and
// BF_SOFT moves the brightest and darkest colours of the top and left sides
// to the inner line.
EdgeLine ThreeD(bool outer, bool raised, bool soft) {
  if (outer) {
    if (raised) return {soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    return {soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  }
  if (raised) return {soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
  return {soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// BF_MONO: a window-frame line and a window-colour line; BF_FLAT: a shadow
// line and a face-colour line. Neither has a light side.
EdgeLine Plain(bool outer, UINT flags) {
  const int color = (flags & BF_MONO) ? (outer ? COLOR_WINDOWFRAME : COLOR_WINDOW)
                                      : (outer ? COLOR_BTNSHADOW : COLOR_BTNFACE);
  return {color, color};
}

// The lines from the outside in. A lone inner border is drawn at the outer
// place in its own colours.
std::vector<EdgeLine> EdgeLines(UINT edge, UINT flags) {
  std::vector<EdgeLine> lines;
  const std::optional<bool> outer = Raised(edge & BDR_OUTER, BDR_RAISEDOUTER, BDR_SUNKENOUTER);
  const std::optional<bool> inner = Raised(edge & BDR_INNER, BDR_RAISEDINNER, BDR_SUNKENINNER);
  const bool plain = flags & (BF_MONO | BF_FLAT);
  const bool soft = flags & BF_SOFT;
  if (outer) lines.push_back(plain ? Plain(true, flags) : ThreeD(true, *outer, soft));
  if (inner) lines.push_back(plain ? Plain(false, flags) : ThreeD(false, *inner, soft));
  return lines;
}

// ---------------------------------------------------------------------------
// DrawEdge
// ---------------------------------------------------------------------------

// Draws one line on the sides asked for and returns the rectangle inside
// it. The bottom and right sides own the corners they share with the top
// and left ones.
RECT DrawLine(const DrawSnapshot& dc, RECT r, const EdgeLine& line, UINT sides) {
  if (r.right <= r.left || r.bottom <= r.top) return r;
  const LONG top_end = (sides & BF_RIGHT) ? r.right - 1 : r.right;
  const LONG left_end = (sides & BF_BOTTOM) ? r.bottom - 1 : r.bottom;
  if (sides & BF_TOP) Fill(dc, RECT{r.left, r.top, top_end, r.top + 1}, line.top_left);
  if (sides & BF_LEFT) Fill(dc, RECT{r.left, r.top, r.left + 1, left_end}, line.top_left);
  if (sides & BF_BOTTOM) Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, line.bottom_right);
  if (sides & BF_RIGHT) Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, line.bottom_right);
  if (sides & BF_LEFT) ++r.left;
  if (sides & BF_TOP) ++r.top;
  if (sides & BF_RIGHT) --r.right;
  if (sides & BF_BOTTOM) --r.bottom;
  return r;
}

// Draws the edge's lines and middle in device pixels; returns the device
// rectangle inside the lines.
RECT PaintEdge(const DrawSnapshot& dc, RECT r, UINT edge, UINT flags) {
  for (const EdgeLine& line : EdgeLines(edge, flags)) r = DrawLine(dc, r, line, flags & BF_RECT);
  if ((flags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top) {
    Fill(dc, r, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
  }
  return r;
}

// ---------------------------------------------------------------------------
// DrawFocusRect
// ---------------------------------------------------------------------------

// Every other pixel of the rectangle's one-pixel frame, the first corner
// included: a checkerboard anchored at the top-left corner, so each frame
// pixel is in it at most once and the corners agree. Only the part within
// `limit` is made, so a huge rectangle costs what shows.
Region FocusDots(const RECT& r, const RECT& limit) {
  if (r.right <= r.left || r.bottom <= r.top) return Region();
  std::vector<RECT> dots;
  auto dot = [&](LONG x, LONG y) {
    if (((x - r.left) + (y - r.top)) % 2 == 0) dots.push_back(RECT{x, y, x + 1, y + 1});
  };
  const LONG x_from = std::max(r.left, limit.left);
  const LONG x_to = std::min(r.right, limit.right);
  for (LONG x = x_from; x < x_to; ++x) {
    dot(x, r.top);
    if (r.bottom - 1 > r.top) dot(x, r.bottom - 1);
  }
  const LONG y_from = std::max(r.top + 1, limit.top);
  const LONG y_to = std::min(r.bottom - 1, limit.bottom);
  for (LONG y = y_from; y < y_to; ++y) {
    dot(r.left, y);
    if (r.right - 1 > r.left) dot(r.right - 1, y);
  }
  return Region::FromRects(dots);
}

// ---------------------------------------------------------------------------
// Arrows
// ---------------------------------------------------------------------------

enum class Direction { kUp, kDown, kLeft, kRight };

// A solid triangle centred in `r`: `depth` rows (or columns) from the point
// to a base 2 * depth - 1 pixels across, the depth a third of the smaller
// side less the button's edge, so a 16 or 17 pixel button gets the classic
// 7 x 4 arrow.
// Only the steps within `limit` are made.
Region ArrowIn(const RECT& r, Direction direction, const RECT& limit) {
  const LONG width = r.right - r.left;
  const LONG height = r.bottom - r.top;
  const LONG depth = std::max<LONG>(1, (std::min(width, height) - 4) / 3);
  const LONG base = 2 * depth - 1;
  const bool vertical = direction == Direction::kUp || direction == Direction::kDown;
  const LONG left = r.left + (width - (vertical ? base : depth)) / 2;
  const LONG top = r.top + (height - (vertical ? depth : base)) / 2;
  // Step i from the point lies at apex + sign * i along the arrow and spans
  // i pixels either side of the middle across it.
  const bool backwards = direction == Direction::kDown || direction == Direction::kRight;
  const LONG along = vertical ? top : left;
  const LONG apex = backwards ? along + depth - 1 : along;
  const LONG sign = backwards ? -1 : 1;
  const LONG low = vertical ? limit.top : limit.left;
  const LONG high = vertical ? limit.bottom : limit.right;
  const LONG first = std::max<LONG>(0, backwards ? apex - high + 1 : low - apex);
  const LONG last = std::min<LONG>(depth, backwards ? apex - low + 1 : high - apex);
  std::vector<RECT> steps;
  for (LONG i = first; i < last; ++i) {
    const LONG at = apex + sign * i;
    const LONG from = depth - 1 - i;
    const LONG to = depth + i;
    steps.push_back(vertical ? RECT{left + from, at, left + to, at + 1}
                             : RECT{at, top + from, at + 1, top + to});
  }
  Region arrow = Region::FromRects(steps);
  arrow.Intersect(r);
  return arrow;
}

std::optional<Direction> ScrollDirection(UINT state) {
  switch (state & 0xFF) {
    case DFCS_SCROLLUP:
      return Direction::kUp;
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLCOMBOBOX:
      return Direction::kDown;
    case DFCS_SCROLLLEFT:
      return Direction::kLeft;
    case DFCS_SCROLLRIGHT:
      return Direction::kRight;
    default:
      return std::nullopt;
  }
}

// A raised button (flat when pushed or DFCS_FLAT) with its arrow; a pushed
// arrow sits one pixel right and down, an inactive one is grey with a
// highlight-coloured copy one pixel right and down behind it.
void PaintScrollButton(const DrawSnapshot& dc, const RECT& r, Direction direction, UINT state) {
  UINT flags = BF_RECT | BF_MIDDLE;
  if (state & (DFCS_PUSHED | DFCS_FLAT)) flags |= BF_FLAT;
  if (state & DFCS_MONO) flags |= BF_MONO;
  PaintEdge(dc, r, EDGE_RAISED, flags);
  Region arrow = ArrowIn(r, direction, dc.canvas.ReachableArea().Bounds());
  if (state & DFCS_PUSHED) arrow.Offset(1, 1);
  if (state & DFCS_INACTIVE) {
    Region shadow = arrow;
    shadow.Offset(1, 1);
    Fill(dc, shadow, COLOR_BTNHIGHLIGHT);
    Fill(dc, arrow, COLOR_GRAYTEXT);
    return;
  }
  Fill(dc, arrow, COLOR_BTNTEXT);
}

}  // namespace

}  // namespace platform::user

using platform::user::PaintEdge;

// BF_DIAGONAL edges are not drawn: the call fails rather than drawing
// something else.
BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
  if (!qrc || (grfFlags & BF_DIAGONAL)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto dc = platform::gdi::Snapshot(hdc);
  if (!dc) return FALSE;
  const RECT device = platform::user::DeviceRect(*dc, *qrc);
  const RECT inside = PaintEdge(*dc, device, edge, grfFlags);
  if (grfFlags & BF_ADJUST) *qrc = platform::gdi::ToLogicalRect(dc->mapping, inside);
  return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto dc = platform::gdi::Snapshot(hDC);
  if (!dc) return FALSE;
  const RECT device = platform::user::DeviceRect(*dc, *lprc);
  const RECT limit = dc->canvas.ReachableArea().Bounds();
  platform::gdi::PaintArea(dc->canvas, platform::user::FocusDots(device, limit),
                           platform::user::kDstInvert, platform::gdi::Pattern());
  return TRUE;
}

// DFC_SCROLL arrows only; other kinds of control fail.
BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState) {
  const auto direction = platform::user::ScrollDirection(uState);
  if (!lprc || uType != DFC_SCROLL || !direction) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto dc = platform::gdi::Snapshot(hdc);
  if (!dc) return FALSE;
  const RECT device = platform::user::DeviceRect(*dc, *lprc);
  platform::user::PaintScrollButton(*dc, device, *direction, uState);
  return TRUE;
}
