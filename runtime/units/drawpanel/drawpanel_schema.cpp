#include "runtime/units/drawpanel/drawpanel_schema.h"

#include <iterator>

namespace runtime::units {

namespace {

using forms::BytesField;
using forms::ColorField;
using forms::FieldSpec;
using forms::IntField;
using forms::LogicalField;
using forms::RecordSchema;

constexpr FieldSpec kFields[] = {
    IntField("Border", 0),
    ColorField("BackColor", 0xFF000000),
    IntField("BackPictureMode", 1),
    LogicalField("AutoRedraw", false),
    IntField("CoordinateUnit", 0),
    IntField("PenStyle", 1),
    IntField("DrawMode", 12),
    IntField("PenWidth", 0),
    ColorField("PenColor", 0x000000),
    IntField("BrushStyle", 1),
    ColorField("BrushColor", 0xFFFFFF),
    ColorField("TextColor", 0x000000),
    ColorField("TextBackColor", 0xFF000000),
    BytesField("Font"),
    BytesField("BackPicture"),
};
static_assert(std::size(kFields) == drawpanel::kFieldCount);

constexpr RecordSchema kSchema{"DrawPanel", 0x00010008, 1, 1, kFields};

}  // namespace

const RecordSchema& DrawPanelSchema() { return kSchema; }

}  // namespace runtime::units
