#include "runtime/units/label/label_schema.h"

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
    IntField("TextEffect", 0),
    IntField("FrameWidth", 8),
    IntField("Border", 0),
    ColorField("FrameColor1", 0x808080),
    ColorField("FrameColor2", 0xFFFFFF),
    ColorField("FrameColor3", 0x808080),
    ColorField("TextColor", 0x000000),
    ColorField("BackColor", 0xFF000000),
    IntField("BackPictureMode", 1),
    IntField("GradientMode", 0),
    ColorField("GradientColor1", 0x808080),
    ColorField("GradientColor2", 0xFFFFFF),
    ColorField("GradientColor3", 0x808080),
    IntField("Alignment", 0),
    IntField("VerticalAlignment", 1),
    LogicalField("WordWrap", false),
    BytesField("Font"),
    BytesField("BackPicture"),
    TextField("Caption", "\xB1\xEA\xC7\xA9"),  // "标签"
    TextField("DataSource", "", 2),
    TextField("DataField", "", 2),
};
static_assert(std::size(kFields) == label::kFieldCount);

constexpr RecordSchema kSchema{"Label", 0x0001000A, 2, 2, kFields};

}  // namespace

const RecordSchema& LabelSchema() { return kSchema; }

}  // namespace runtime::units
