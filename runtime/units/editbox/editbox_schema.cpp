#include "runtime/units/editbox/editbox_schema.h"

#include <iterator>

namespace runtime::units {

namespace {

using forms::BytesField;
using forms::ColorField;
using forms::FieldSpec;
using forms::Int16Field;
using forms::IntField;
using forms::LogicalField;
using forms::RecordSchema;
using forms::TextField;

constexpr FieldSpec kFields[] = {
    IntField("Border", 1),
    ColorField("TextColor", 0x000000),
    ColorField("BackColor", 0xFFFFFF),
    LogicalField("HideSelection", true),
    IntField("MaxLength", 0),
    LogicalField("MultiLine", false),
    IntField("ScrollBars", 0),
    IntField("Alignment", 0),
    IntField("InputMode", 0),
    Int16Field("PasswordChar", '*'),
    IntField("CaseConversion", 0),
    IntField("SpinMode", 0),
    IntField("SpinMin", 0),
    IntField("SpinMax", 100),
    IntField("SelStart", 0),
    IntField("SelLength", 0),
    BytesField("Font"),
    TextField("Content"),
    TextField("DataSource", "", 2),
    TextField("DataField", "", 2),
};
static_assert(std::size(kFields) == editbox::kFieldCount);

constexpr RecordSchema kSchema{"EditBox", 0x00010005, 2, 2, kFields};

}  // namespace

const RecordSchema& EditBoxSchema() { return kSchema; }

}  // namespace runtime::units
