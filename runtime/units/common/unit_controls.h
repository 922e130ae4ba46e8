// What the standard control units (edit box, label, button) share: the unit
// font rule, the border styles, the GlobalAlloc answer of save handlers and
// raising an event of a unit.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include "platform/win32.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/unit_object.h"
#include "runtime/forms/unit_types.h"

namespace runtime::units {

// A 60-byte font record (LOGFONTA) made into a font by the unit font rule:
// default character set, precisions 0, proof quality, pitch 0. Null for any
// other length: the caller then uses the stock GUI font.
HFONT MakeUnitFont(std::span<const uint8_t> record);
// The font a unit draws with: `own` when it has one, else the stock GUI font.
inline HFONT FontOrDefault(HFONT own) {
  return own != nullptr ? own : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Border styles 0..5: none, sunken client edge, raised dialog frame, thin
// static edge, client edge with dialog frame, single line. Values outside
// are clamped.
inline constexpr int32_t kLastBorderStyle = 5;
void ApplyBorderStyle(HWND window, int32_t border);

// A GlobalAlloc block holding `bytes`; null when out of memory.
HGLOBAL GlobalCopy(const std::string& bytes);

// Raises event `event` of `unit` through the framework; the handler's
// returned value (0 when none ran or it returned nothing).
uint32_t RaiseUnitEvent(const forms::UnitObject& unit, int32_t event,
                        std::initializer_list<uint32_t> arguments = {});

// Tells the framework the unit's window is gone (from WM_NCDESTROY).
void NotifyUnitDestroyed(const forms::UnitObject& unit);

// The stored record bytes a create handler receives.
inline std::span<const uint8_t> RecordBytes(const uint8_t* properties, int32_t length) {
  if (properties == nullptr || length <= 0) return {};
  return {properties, static_cast<size_t>(length)};
}

// List-texts handler (9) of the types: reports the texts of `fields` (a
// 60-byte font record field reports its face name) and answers the record
// written out again; null for a record that does not read.
HGLOBAL ListRecordTexts(const forms::RecordSchema& schema, const uint8_t* properties,
                        int32_t length, std::initializer_list<size_t> fields,
                        forms::ListTextCallback callback, void* context);

// `value` kept within low..high.
inline int32_t ClampTo(int32_t value, int32_t low, int32_t high) {
  return value < low ? low : (value > high ? high : value);
}

// BackColor's system colour marker: the button-face colour.
inline constexpr uint32_t kSystemColourMarker = 0xFF000000;
inline COLORREF ResolveBackColour(uint32_t colour) {
  return colour == kSystemColourMarker ? GetSysColor(COLOR_BTNFACE) : colour;
}

}  // namespace runtime::units
