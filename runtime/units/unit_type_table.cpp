#include "runtime/units/unit_type_table.h"

#include "runtime/units/button/button_type.h"
#include "runtime/units/colorpicker/colorpicker_type.h"
#include "runtime/units/combobox/combobox_type.h"
#include "runtime/units/commondlg/commondlg_type.h"
#include "runtime/units/drawpanel/drawpanel_type.h"
#include "runtime/units/editbox/editbox_type.h"
#include "runtime/units/label/label_type.h"
#include "runtime/units/picbox/picbox_type.h"
#include "runtime/units/window/window_type.h"

namespace runtime::units {

const std::array<UnitTypeDescriptor, kUnitTypeSlots>& RuntimeUnitTypes() {
  static const std::array<UnitTypeDescriptor, kUnitTypeSlots> types = [] {
    std::array<UnitTypeDescriptor, kUnitTypeSlots> slots{};
    // Each unit type enters its descriptor here: slots[type number - 1].
    slots[0] = WindowTypeDescriptor();
    slots[kEditBoxTypeNumber - 1] = EditBoxTypeDescriptor();
    slots[kLabelTypeNumber - 1] = LabelTypeDescriptor();
    slots[kButtonTypeNumber - 1] = ButtonTypeDescriptor();
    slots[kDrawPanelTypeNumber - 1] = DrawPanelTypeDescriptor();
    slots[kPicBoxTypeNumber - 1] = PicBoxTypeDescriptor();
    slots[kComboBoxTypeNumber - 1] = ComboBoxTypeDescriptor();
    slots[kColorPickerTypeNumber - 1] = ColorPickerTypeDescriptor();
    slots[kCommonDlgTypeNumber - 1] = CommonDlgTypeDescriptor();
    return slots;
  }();
  return types;
}

}  // namespace runtime::units
