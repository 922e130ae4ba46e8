#include "runtime/units/colorpicker/colour_popup.h"

#include <algorithm>
#include <memory>
#include <string>

#include "runtime/units/colorpicker/colour_palette.h"
#include "runtime/units/colorpicker/colour_popup_layout.h"

namespace runtime::units::colorpicker {

namespace {

struct Popup {
  ColorPickerUnit* unit = nullptr;
  HWND window = nullptr;
  HWND tooltip = nullptr;
  HFONT font = nullptr;
  PopupLayout layout;
  uint32_t initial = 0;
  int32_t current = kNoEntry;
  int32_t column = 0;
  bool pressed = false;
  bool ending = false;
};

Popup* PopupOf(HWND window) {
  return reinterpret_cast<Popup*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

uint32_t ColourOf(int32_t entry, uint32_t initial) {
  if (entry >= 0 && entry < kPaletteSize) return Palette()[static_cast<size_t>(entry)].value;
  if (entry == kTransparentEntry) return kTransparent;
  return initial;
}

int32_t EntryOf(uint32_t colour, bool has_transparent) {
  if (colour == kTransparent && has_transparent) return kTransparentEntry;
  for (int32_t i = 0; i < kPaletteSize; ++i) {
    if (Palette()[static_cast<size_t>(i)].value == colour) return i;
  }
  return kNoEntry;
}

void SetCurrent(Popup& popup, int32_t entry) {
  if (entry == popup.current || entry == kNoEntry) return;
  popup.current = entry;
  InvalidateRect(popup.window, nullptr, FALSE);
  if (entry != kOtherEntry) PreviewColour(*popup.unit, ColourOf(entry, popup.initial));
}

// Ends the popup once: the button hears of it after the window is gone.
void End(Popup& popup, bool accepted, uint32_t colour) {
  if (popup.ending) return;
  popup.ending = true;
  ColorPickerUnit* unit = popup.unit;
  if (GetCapture() == popup.window) ReleaseCapture();
  DestroyWindow(popup.window);
  PopupEnded(*unit, accepted, colour);
}

void Accept(Popup& popup) {
  if (popup.current == kNoEntry) return End(popup, false, 0);
  if (popup.current != kOtherEntry) return End(popup, true, ColourOf(popup.current, popup.initial));
  // The system dialog needs the mouse; a cancelled or failed dialog
  // cancels the whole choice.
  ReleaseCapture();
  COLORREF custom[16] = {};
  CHOOSECOLORA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = popup.window;
  dialog.rgbResult = popup.initial == kTransparent ? 0 : popup.initial;
  dialog.lpCustColors = custom;
  dialog.Flags = CC_ANYCOLOR | CC_RGBINIT;
  const bool chosen = ChooseColorA(&dialog) != FALSE;
  End(popup, chosen, dialog.rgbResult);
}

void DrawEntryBox(const Popup& popup, HDC dc, const RECT& box, int32_t entry,
                  const std::string& text) {
  RECT r = box;
  if (entry == popup.current) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  } else if (EntryOf(popup.initial, popup.layout.has_transparent) == entry) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void DrawCell(const Popup& popup, HDC dc, int32_t index) {
  RECT r = popup.layout.CellRect(index);
  if (EntryOf(popup.initial, false) == index) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
  }
  if (index == popup.current) DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  RECT swatch = r;
  InflateRect(&swatch, -3, -3);
  HBRUSH brush = CreateSolidBrush(Palette()[static_cast<size_t>(index)].value);
  FillRect(dc, &swatch, brush);
  DeleteObject(brush);
  FrameRect(dc, &swatch, GetSysColorBrush(COLOR_BTNSHADOW));
}

void Paint(Popup& popup) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(popup.window, &paint);
  if (dc == nullptr) return;
  RECT client{};
  GetClientRect(popup.window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
  HGDIOBJ old_font = SelectObject(dc, popup.font);
  for (int32_t i = 0; i < kPaletteSize; ++i) DrawCell(popup, dc, i);
  if (popup.layout.has_transparent) {
    DrawEntryBox(popup, dc, popup.layout.transparent_box, kTransparentEntry,
                 popup.unit->transparent_text);
  }
  DrawEntryBox(popup, dc, popup.layout.other_box, kOtherEntry, popup.unit->other_text);
  SelectObject(dc, old_font);
  EndPaint(popup.window, &paint);
}

void OnKey(Popup& popup, WPARAM key) {
  const bool transparent = popup.layout.has_transparent;
  const int32_t from = popup.current == kNoEntry ? 0 : popup.current;
  switch (key) {
    case VK_LEFT:
      return SetCurrent(popup, MoveEntry(from, Arrow::kLeft, transparent, &popup.column));
    case VK_RIGHT:
      return SetCurrent(popup, MoveEntry(from, Arrow::kRight, transparent, &popup.column));
    case VK_UP:
      return SetCurrent(popup, MoveEntry(from, Arrow::kUp, transparent, &popup.column));
    case VK_DOWN:
      return SetCurrent(popup, MoveEntry(from, Arrow::kDown, transparent, &popup.column));
    case VK_RETURN:
    case VK_SPACE:
      return Accept(popup);
    case VK_ESCAPE:
      return End(popup, false, 0);
    default:
      return;
  }
}

void OnButtonUp(Popup& popup, LPARAM lparam) {
  if (!popup.pressed) return;
  popup.pressed = false;
  RECT client{};
  GetClientRect(popup.window, &client);
  const POINT at{static_cast<int16_t>(LOWORD(lparam)), static_cast<int16_t>(HIWORD(lparam))};
  if (!PtInRect(&client, at)) return End(popup, false, 0);
  SetCurrent(popup, popup.layout.HitTest(at.x, at.y));
  Accept(popup);
}

LRESULT PopupProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Popup* popup = PopupOf(window);
  if (popup == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_PAINT:
      Paint(*popup);
      return 0;
    case WM_MOUSEMOVE:
      SetCurrent(*popup, popup->layout.HitTest(static_cast<int16_t>(LOWORD(lparam)),
                                               static_cast<int16_t>(HIWORD(lparam))));
      return 0;
    case WM_LBUTTONDOWN:
      popup->pressed = true;
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(*popup, lparam);
      return 0;
    case WM_KEYDOWN:
      OnKey(*popup, wparam);
      return 0;
    case WM_CAPTURECHANGED:
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      if (popup->font != nullptr) DeleteObject(popup->font);
      popup->unit->popup = nullptr;
      delete popup;
      return DefWindowProcA(window, message, wparam, lparam);
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

bool RegisterPopupClass() {
  WNDCLASSA known{};
  if (GetClassInfoA(nullptr, kPopupClass, &known)) return true;
  WNDCLASSA window_class{};
  window_class.style = 0x843;  // redraw on size, double clicks, drop shadow
  window_class.lpfnWndProc = PopupProc;
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kPopupClass;
  return RegisterClassA(&window_class) != 0;
}

HFONT EntryFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return nullptr;
  }
  return CreateFontIndirectA(&metrics.lfMessageFont);
}

// One line's height and the wider entry text's width in the entry font.
SIZE TextExtent(const ColorPickerUnit& unit, HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE widest{0, 0};
  for (const std::string* text : {&unit.transparent_text, &unit.other_text}) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text->empty() ? "M" : text->c_str(),
                          text->empty() ? 1 : static_cast<int>(text->size()), &size);
    if (!text->empty()) widest.cx = std::max(widest.cx, size.cx);
    widest.cy = std::max(widest.cy, size.cy);
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return widest;
}

void AddTooltips(Popup& popup) {
  popup.tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                  popup.window, nullptr, nullptr, nullptr);
  if (popup.tooltip == nullptr) return;
  for (int32_t i = 0; i < kPaletteSize; ++i) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = popup.window;
    tool.uId = static_cast<UINT_PTR>(i + 1);
    tool.rect = popup.layout.CellRect(i);
    tool.lpszText = const_cast<char*>(Palette()[static_cast<size_t>(i)].name);
    SendMessageA(popup.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

// At the button's bottom-left corner, moved left and up to stay on screen.
POINT PlaceBelow(HWND button, SIZE size) {
  RECT frame{};
  GetWindowRect(button, &frame);
  POINT at{frame.left, frame.bottom};
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  const int screen_height = GetSystemMetrics(SM_CYSCREEN);
  if (at.x + size.cx > screen_width) at.x = std::max(0, screen_width - static_cast<int>(size.cx));
  if (at.y + size.cy > screen_height) at.y = std::max(0, screen_height - static_cast<int>(size.cy));
  return at;
}

}  // namespace

HWND OpenColourPopup(ColorPickerUnit& unit) {
  if (!RegisterPopupClass()) return nullptr;
  auto popup = std::make_unique<Popup>();
  popup->unit = &unit;
  popup->initial = unit.shown;
  popup->font = EntryFont();
  const SIZE text = TextExtent(unit, popup->font);
  popup->layout =
      LayOutPopup(GetSystemMetrics(SM_CXEDGE), text.cy, text.cx, !unit.transparent_text.empty());
  popup->current = EntryOf(popup->initial, popup->layout.has_transparent);
  if (popup->current >= 0 && popup->current < kPaletteSize) {
    popup->column = popup->current % kColumns;
  }
  const POINT at = PlaceBelow(unit.window, popup->layout.size);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kPopupClass, "", WS_POPUP, at.x, at.y,
                                popup->layout.size.cx, popup->layout.size.cy, unit.window, nullptr,
                                nullptr, nullptr);
  if (window == nullptr) {
    if (popup->font != nullptr) DeleteObject(popup->font);
    return nullptr;
  }
  popup->window = window;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(popup.get()));
  Popup* live = popup.release();
  AddTooltips(*live);
  unit.popup = window;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetFocus(window);
  SetCapture(window);
  return window;
}

}  // namespace runtime::units::colorpicker
