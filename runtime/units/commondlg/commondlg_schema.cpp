#include "runtime/units/commondlg/commondlg_schema.h"

#include <iterator>

namespace runtime::units {

namespace {

using forms::ColorField;
using forms::FieldSpec;
using forms::IntField;
using forms::LogicalField;
using forms::RecordSchema;
using forms::TextField;

constexpr FieldSpec kFields[] = {
    IntField("DialogType", 0),
    IntField("FilterIndex", 0),
    LogicalField("CreatePrompt", false),
    LogicalField("FileMustExist", true),
    LogicalField("OverwritePrompt", true),
    LogicalField("PathMustExist", true),
    LogicalField("NoChangeDir", false),
    ColorField("FontColor", 0x000000),
    LogicalField("FontBold", false),
    LogicalField("FontItalic", false),
    LogicalField("FontStrikeOut", false),
    LogicalField("FontUnderline", false),
    IntField("FontSize", 0),
    IntField("HelpCommand", 0),
    IntField("HelpContext", 0),
    TextField("Title"),
    TextField("FileName"),
    TextField("Filter"),
    TextField("InitialDir"),
    TextField("DefaultExt"),
    TextField("FontName"),
    TextField("HelpFile"),
};
static_assert(std::size(kFields) == commondlg::kFieldCount);

constexpr RecordSchema kSchema{"CommonDlg", 0x0001001F, 1, 1, kFields};

}  // namespace

const RecordSchema& CommonDlgSchema() { return kSchema; }

}  // namespace runtime::units
