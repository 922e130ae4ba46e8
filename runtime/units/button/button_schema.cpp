#include "runtime/units/button/button_schema.h"

#include <iterator>

namespace runtime::units {

namespace {

using forms::BytesField;
using forms::FieldSpec;
using forms::IntField;
using forms::RecordSchema;
using forms::TextField;

constexpr FieldSpec kFields[] = {
    IntField("ButtonType", 0),
    IntField("Alignment", 1),
    IntField("VerticalAlignment", 1),
    BytesField("Picture"),
    BytesField("Font"),
    TextField("Caption", "\xB0\xB4\xC5\xA5"),  // "按钮"
};
static_assert(std::size(kFields) == button::kFieldCount);

constexpr RecordSchema kSchema{"Button", 0x0001000B, 1, 1, kFields};

}  // namespace

const RecordSchema& ButtonSchema() { return kSchema; }

}  // namespace runtime::units
