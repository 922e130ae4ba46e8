#include "runtime/units/picbox/picbox_schema.h"

#include <iterator>

namespace runtime::units {

namespace {

using forms::BytesField;
using forms::ColorField;
using forms::FieldSpec;
using forms::IntField;
using forms::LogicalField;
using forms::RecordSchema;
using forms::TextField;

constexpr FieldSpec kFields[] = {
    IntField("Border", 0),         ColorField("BackColor", 0xFF000000),
    IntField("DisplayMode", 0),    LogicalField("PlayAnimation", true),
    BytesField("Picture"),         TextField("DataSource", "", 2),
    TextField("DataField", "", 2),
};
static_assert(std::size(kFields) == picbox::kFieldCount);

constexpr RecordSchema kSchema{"PicBox", 0x00010006, 2, 2, kFields};

}  // namespace

const RecordSchema& PicBoxSchema() { return kSchema; }

}  // namespace runtime::units
