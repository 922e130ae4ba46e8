// The panel's own properties (index 8 on): their get, set and save
// handlers, and the stored record read with every ranged value in range.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/win32.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/unit_types.h"
#include "runtime/units/drawpanel/panel.h"

namespace runtime::units::drawpanel {

// The range a property keeps to: values outside are moved to the nearer
// end. Properties without a range (colours, bytes) take any value.
struct ValueRange {
  int32_t lowest;
  int32_t highest;
};
std::optional<ValueRange> RangeOf(int32_t property);
int32_t Clamped(int32_t property, int32_t value);

// A stored record through the panel's schema, defaults first, ranged
// fields put in range; null when the record is rejected (a version above
// 1, or one that ends early). No bytes at all is the all-defaults record.
std::optional<forms::RecordValues> ReadPanelRecord(const uint8_t* bytes, int32_t length);

// DrawAreaWidth and DrawAreaHeight: the client size in CoordinateUnit.
SIZE DrawAreaSize(const Panel& panel);

// The handlers (unit object, property index - 8, ...).
void GetPanelProperty(void* unit, int32_t index, forms::PropertyPair* pair);
// Never asks to be re-created: every property applies to the live panel.
int32_t SetPanelProperty(void* unit, int32_t index, const forms::PropertyPair* pair, int32_t zero);
HGLOBAL SavePanelProperties(void* unit);
// Reports the Font's face name when Font is a whole font record.
HGLOBAL ListPanelTexts(const uint8_t* bytes, int32_t length, forms::ListTextCallback callback,
                       void* context);

}  // namespace runtime::units::drawpanel
