#include "runtime/units/unit_type_table.h"

namespace runtime::units {

const std::array<UnitTypeDescriptor, kUnitTypeSlots>& RuntimeUnitTypes() {
  static const std::array<UnitTypeDescriptor, kUnitTypeSlots> types = [] {
    std::array<UnitTypeDescriptor, kUnitTypeSlots> slots{};
    // Each unit type enters its descriptor here: slots[type number - 1].
    return slots;
  }();
  return types;
}

}  // namespace runtime::units
