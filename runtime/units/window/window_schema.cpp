#include "runtime/units/window/window_schema.h"

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
    IntField("Border", 2),
    IntField("BackPictureMode", 1),
    ColorField("BackColor", 0xFF000000),
    LogicalField("MaxButton", false),
    LogicalField("MinButton", true),
    LogicalField("ControlBox", true),
    IntField("StartPosition", 1),
    LogicalField("Movable", true),
    IntField("BackMusicMode", 0),
    LogicalField("EnterMovesFocus", false),
    LogicalField("EscCloses", true),
    LogicalField("F1OpensHelp", false),
    IntField("HelpContext", 0),
    LogicalField("ShowInTaskbar", true, 2),
    LogicalField("DragAnywhere", false, 3),
    IntField("Shape", 0, 3),
    LogicalField("AlwaysOnTop", false, 4),
    LogicalField("KeepTitleActive", false, 5),
    TextField("ClassName", "", 6),
    BytesField("BackPicture"),
    BytesField("Icon"),
    BytesField("BackMusic"),
    TextField("Caption"),
    TextField("HelpFile"),
};
static_assert(std::size(kFields) == window::kFieldCount);

constexpr RecordSchema kSchema{"window", 0x00010001, 6, 6, kFields};

}  // namespace

const RecordSchema& WindowSchema() { return kSchema; }

}  // namespace runtime::units
