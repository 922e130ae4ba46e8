// The combo box's background brush and font.
#include <cstring>

#include "runtime/units/combobox/combobox_schema.h"
#include "runtime/units/combobox/combobox_unit.h"

namespace runtime::units::combobox {

void MakeBrush(ComboBoxUnit& unit) {
  const auto colour = static_cast<uint32_t>(unit.record.Int(kBackColor));
  const COLORREF resolved = colour == kSystemColourMarker ? GetSysColor(COLOR_BTNFACE) : colour;
  if (unit.back_brush != nullptr) DeleteObject(unit.back_brush);
  unit.back_brush = CreateSolidBrush(resolved);
}

// The unit font rule: a stored 60-byte record with character set 1, both
// precisions 0, quality 2 and pitch 0; without one the default GUI font.
void ApplyFont(ComboBoxUnit& unit) {
  const std::string& stored = unit.record.Text(kFont);
  HFONT made = nullptr;
  if (stored.size() == sizeof(LOGFONTA)) {
    LOGFONTA font{};
    std::memcpy(&font, stored.data(), sizeof font);
    font.lfCharSet = 1;
    font.lfOutPrecision = 0;
    font.lfClipPrecision = 0;
    font.lfQuality = 2;
    font.lfPitchAndFamily = 0;
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    made = CreateFontIndirectA(&font);
  }
  HFONT shown = made != nullptr ? made : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(unit.window, WM_SETFONT, reinterpret_cast<WPARAM>(shown), TRUE);
  if (unit.font != nullptr) DeleteObject(unit.font);
  unit.font = made;
}

}  // namespace runtime::units::combobox
