// How push buttons look: the classic raised face, a black frame around the
// default button, a sunken face with the content one pixel down and right
// while pressed, a dotted focus rectangle, and text, a bitmap or an icon
// placed by the alignment styles. Owner-drawn buttons are drawn by their
// parent.
#include <algorithm>
#include <string>

#include "platform/controls/button.h"
#include "platform/controls/control_paint.h"

namespace platform::controls {

namespace {

// The image's place in `area` by the BS_ alignment bits (centred when unset).
POINT ImageOrigin(const RECT& area, SIZE size, DWORD style) {
  POINT at{area.left + (area.right - area.left - size.cx) / 2,
           area.top + (area.bottom - area.top - size.cy) / 2};
  const DWORD horizontal = style & BS_CENTER;
  if (horizontal == BS_LEFT) at.x = area.left;
  if (horizontal == BS_RIGHT) at.x = area.right - size.cx;
  const DWORD vertical = style & BS_VCENTER;
  if (vertical == BS_TOP) at.y = area.top;
  if (vertical == BS_BOTTOM) at.y = area.bottom - size.cy;
  return at;
}

// True when the button shows its image (and drew it) instead of its text.
bool DrawImage(HDC dc, const ButtonState& s, const RECT& area, DWORD style) {
  const bool wants_bitmap = (style & BS_BITMAP) && s.image_kind == IMAGE_BITMAP;
  const bool wants_icon = (style & BS_ICON) && s.image_kind == IMAGE_ICON;
  if (s.image == nullptr || (!wants_bitmap && !wants_icon)) return false;
  const SIZE size = ImageSize(s.image, s.image_kind);
  if (size.cx <= 0 || size.cy <= 0) return false;
  const POINT at = ImageOrigin(area, size, style);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  if (wants_bitmap) {
    DrawBitmapAt(dc, static_cast<HBITMAP>(s.image), at, size);
  } else {
    DrawIconEx(dc, at.x, at.y, static_cast<HICON>(s.image), 0, 0, 0, nullptr, DI_NORMAL);
  }
  RestoreDC(dc, saved);
  return true;
}

void PaintPushButton(HWND hwnd, HDC dc, const ButtonState& s) {
  const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  if (HWND parent = GetParent(hwnd)) {
    // Asked as Windows asks it; a push button keeps the system colours.
    SendMessageA(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(hwnd));
  }
  RECT client;
  GetClientRect(hwnd, &client);
  RECT face = client;
  const bool is_default = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  if (is_default) {
    FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&face, -1, -1);
  }
  if (s.pushed) {
    DrawEdge(dc, &face, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
  } else {
    DrawEdge(dc, &face, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT | BF_ADJUST);
  }
  RECT content = face;
  InflateRect(&content, -1, -1);
  if (s.pushed) OffsetRect(&content, 1, 1);
  if (!DrawImage(dc, s, content, style)) {
    const std::string text = ControlText(hwnd);
    DrawButtonText(dc, text.c_str(), content, TextFormatOfStyle(style, ButtonKind::kPush), style,
                   IsWindowEnabled(hwnd) != FALSE, GetSysColor(COLOR_BTNTEXT));
  }
  if (s.focused) {
    RECT focus = client;
    InflateRect(&focus, is_default ? -4 : -3, is_default ? -4 : -3);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace

SIZE ImageSize(HANDLE image, UINT kind) {
  if (image == nullptr) return SIZE{0, 0};
  if (kind == IMAGE_BITMAP) {
    BITMAP bm{};
    if (GetObjectA(image, sizeof bm, &bm) != sizeof bm) return SIZE{0, 0};
    return SIZE{bm.bmWidth, std::abs(bm.bmHeight)};
  }
  ICONINFO info{};
  if (!GetIconInfo(static_cast<HICON>(image), &info)) return SIZE{0, 0};
  BITMAP bm{};
  GetObjectA(info.hbmColor, sizeof bm, &bm);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return SIZE{bm.bmWidth, std::abs(bm.bmHeight)};
}

UINT TextFormatOfStyle(DWORD style, ButtonKind kind) {
  UINT format = 0;
  switch (style & BS_CENTER) {
    case BS_LEFT:
      format = DT_LEFT;
      break;
    case BS_RIGHT:
      format = DT_RIGHT;
      break;
    case BS_CENTER:
      format = DT_CENTER;
      break;
    default:
      format = kind == ButtonKind::kPush ? DT_CENTER : DT_LEFT;
      break;
  }
  if (style & BS_MULTILINE) return format | DT_WORDBREAK;
  switch (style & BS_VCENTER) {
    case BS_TOP:
      return format | DT_SINGLELINE | DT_TOP;
    case BS_BOTTOM:
      return format | DT_SINGLELINE | DT_BOTTOM;
    default:
      return format | DT_SINGLELINE | DT_VCENTER;
  }
}

void DrawButtonText(HDC dc, const char* text, RECT area, UINT format, DWORD style, bool enabled,
                    COLORREF color) {
  if (text == nullptr || *text == '\0') return;
  RECT place = area;
  if (!(format & DT_SINGLELINE)) {
    RECT measure = area;
    DrawTextA(dc, text, -1, &measure, format | DT_CALCRECT);
    const int height = measure.bottom - measure.top;
    const DWORD vertical = style & BS_VCENTER;
    if (vertical == BS_BOTTOM) {
      place.top = area.bottom - height;
    } else if (vertical != BS_TOP) {
      place.top = area.top + (area.bottom - area.top - height) / 2;
    }
    place.bottom = place.top + height;
  }
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF old_color = GetTextColor(dc);
  if (enabled) {
    SetTextColor(dc, color);
    DrawTextA(dc, text, -1, &place, format);
  } else {
    // Embossed, as Windows greys a disabled caption: a light copy one pixel
    // down and right under the shadow-coloured text.
    RECT light = place;
    OffsetRect(&light, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextA(dc, text, -1, &light, format);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
    DrawTextA(dc, text, -1, &place, format);
  }
  SetTextColor(dc, old_color);
  SetBkMode(dc, old_mode);
}

void DrawOwnerButton(HWND hwnd, HDC dc, const ButtonState& state, UINT action) {
  HWND parent = GetParent(hwnd);
  if (parent == nullptr) return;
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
  item.itemAction = action;
  item.itemState = (state.pushed ? ODS_SELECTED : 0u) | (state.focused ? ODS_FOCUS : 0u) |
                   (IsWindowEnabled(hwnd) ? 0u : ODS_DISABLED);
  item.hwndItem = hwnd;
  item.hDC = dc;
  GetClientRect(hwnd, &item.rcItem);
  HGDIOBJ old_font = state.font ? SelectObject(dc, state.font) : nullptr;
  SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  if (old_font) SelectObject(dc, old_font);
}

void PaintButton(HWND hwnd, HDC dc, const ButtonState& state) {
  const ButtonKind kind = KindOfStyle(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)));
  if (kind == ButtonKind::kOwnerDraw) {
    DrawOwnerButton(hwnd, dc, state, ODA_DRAWENTIRE);
    return;
  }
  HGDIOBJ old_font = state.font ? SelectObject(dc, state.font) : nullptr;
  if (kind == ButtonKind::kPush) {
    PaintPushButton(hwnd, dc, state);
  } else {
    PaintCheckLike(hwnd, dc, state, kind);
  }
  if (old_font) SelectObject(dc, old_font);
}

}  // namespace platform::controls
