#include "runtime/units/combobox/combobox_schema.h"

#include <iterator>

namespace runtime::units {

namespace {

using forms::BytesField;
using forms::ColorField;
using forms::FieldSpec;
using forms::IntField;
using forms::ItemListField;
using forms::LogicalField;
using forms::RecordSchema;
using forms::TextField;

constexpr FieldSpec kFields[] = {
    IntField("ComboStyle", 1),
    IntField("MaxLength", 0),
    IntField("SelStart", 0),
    IntField("SelLength", 0),
    LogicalField("Sorted", false),
    IntField("ItemSpacing", 1),
    ColorField("TextColor", 0x000000),
    ColorField("BackColor", 0xFFFFFF),
    IntField("ListIndex", -1),
    BytesField("Font"),
    BytesField("ItemData"),
    TextField("Content"),
    ItemListField("Items"),
    TextField("DataSource", "", 2),
    TextField("DataField", "", 2),
    LogicalField("DataBindFlag", false, 3),
};
static_assert(std::size(kFields) == combobox::kFieldCount);

constexpr RecordSchema kSchema{"ComboBox", 0x0001000E, 3, 3, kFields};

}  // namespace

const RecordSchema& ComboBoxSchema() { return kSchema; }

}  // namespace runtime::units
