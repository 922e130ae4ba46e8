#include "runtime/units/unit_schemas.h"

#include <array>

#include "runtime/units/button/button_schema.h"
#include "runtime/units/colorpicker/colorpicker_schema.h"
#include "runtime/units/combobox/combobox_schema.h"
#include "runtime/units/commondlg/commondlg_schema.h"
#include "runtime/units/drawpanel/drawpanel_schema.h"
#include "runtime/units/editbox/editbox_schema.h"
#include "runtime/units/label/label_schema.h"
#include "runtime/units/picbox/picbox_schema.h"
#include "runtime/units/window/window_schema.h"

namespace runtime::units {

namespace {

const std::array<const forms::RecordSchema*, 9>& Schemas() {
  static const std::array<const forms::RecordSchema*, 9> schemas = {
      &WindowSchema(), &EditBoxSchema(),  &PicBoxSchema(),      &DrawPanelSchema(), &LabelSchema(),
      &ButtonSchema(), &ComboBoxSchema(), &ColorPickerSchema(), &CommonDlgSchema()};
  return schemas;
}

}  // namespace

const forms::RecordSchema* SchemaForType(uint32_t type_code) {
  for (const forms::RecordSchema* schema : Schemas()) {
    if (schema->type_code == type_code) return schema;
  }
  return nullptr;
}

const forms::RecordSchema* SchemaForTypeName(std::string_view type_name) {
  for (const forms::RecordSchema* schema : Schemas()) {
    if (schema->type_name == type_name) return schema;
  }
  return nullptr;
}

std::span<const forms::RecordSchema* const> AllSchemas() { return Schemas(); }

}  // namespace runtime::units
