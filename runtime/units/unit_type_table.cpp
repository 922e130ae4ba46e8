#include "runtime/units/unit_type_table.h"

#include "runtime/units/drawpanel/drawpanel_type.h"
#include "runtime/units/picbox/picbox_type.h"
#include "runtime/units/window/window_type.h"

namespace runtime::units {

const std::array<UnitTypeDescriptor, kUnitTypeSlots>& RuntimeUnitTypes() {
  static const std::array<UnitTypeDescriptor, kUnitTypeSlots> types = [] {
    std::array<UnitTypeDescriptor, kUnitTypeSlots> slots{};
    // Each unit type enters its descriptor here: slots[type number - 1].
    slots[0] = WindowTypeDescriptor();
    slots[kDrawPanelTypeNumber - 1] = DrawPanelTypeDescriptor();
    slots[kPicBoxTypeNumber - 1] = PicBoxTypeDescriptor();
    return slots;
  }();
  return types;
}

}  // namespace runtime::units
