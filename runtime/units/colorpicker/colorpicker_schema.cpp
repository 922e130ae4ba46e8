#include "runtime/units/colorpicker/colorpicker_schema.h"

#include <iterator>

namespace runtime::units {

namespace {

using forms::ColorField;
using forms::FieldSpec;
using forms::LogicalField;
using forms::RecordSchema;

constexpr FieldSpec kFields[] = {
    ColorField("Color", 0x000000),
    LogicalField("AllowTransparent", false),
};
static_assert(std::size(kFields) == colorpicker::kFieldCount);

constexpr RecordSchema kSchema{"ColorPicker", 0x0001001C, 1, 1, kFields};

}  // namespace

const RecordSchema& ColorPickerSchema() { return kSchema; }

}  // namespace runtime::units
