#include "tools/form_text/form_parser.h"

#include <gtest/gtest.h>

#include "runtime/forms/byte_reader.h"
#include "runtime/forms/record_fields.h"
#include "runtime/forms/template_segment.h"
#include "tools/form_text/cpp_source.h"
#include "tools/form_text/test_support.h"

namespace tools::form_text {
namespace {

namespace forms = runtime::forms;

CompiledForm Compile(const std::string& text, const FileLoader& load = Files({})) {
  CompileResult result = CompileForm(text, load);
  EXPECT_TRUE(result.form.has_value())
      << "line " << result.error.line << ": " << result.error.message;
  return result.form.value_or(CompiledForm{});
}

// The record of `id` in the segment's first window.
std::string RecordOf(const std::string& segment, uint32_t id) {
  auto windows = forms::ReadTemplateSegment(AsBytes(segment));
  if (!windows || windows->empty()) return "(unreadable segment)";
  const forms::UnitTable& table = windows->front().units;
  auto record = table.RecordAt(table.IndexOf(id));
  return std::string(record.begin(), record.end());
}

TEST(FormCompilerTest, ButtonOfTheMainWindowIsTheDocumentedRecord) {
  const std::string form =
      "form 1\n"
      "handlers OnPanelMouseMove OnClearAll\n"
      "window 0x52010001 {\n"
      "  unit 0x16010046 Button \"按钮6\" {\n"
      "    position 886 162 64 24\n"
      "    flags visible tabstop\n"
      "    on 0 OnClearAll\n"
      "    properties {\n"
      "      Caption \"清除所有\"\n"
      "    }\n"
      "  }\n"
      "}\n";
  // Field by field: the head, name and comment, the placement words, the
  // pointer block, tag, flags, the binding, the reserved tail, then the
  // 36-byte Button record.
  std::string expected;
  auto words = [&expected](std::initializer_list<uint32_t> values) {
    for (uint32_t value : values) forms::AppendWord(expected, value);
  };
  words({0x0001000B, 0, 0, 0, 0, 0});
  expected += std::string("\xB0\xB4\xC5\xA5\x36\x00", 6);  // "按钮6"
  expected += std::string(1, '\0');                        // comment
  words({0, 886, 162, 64, 24, 0, 0, 0});  // live slot, position, cursor slot, parent, no children
  words({4, 0});                          // pointer data: one 0 word
  expected += std::string(1, '\0');       // tag
  words({0, 5, 0, 1, 0, 1});  // reserved, visible + tab stop, tab order, binding (0 -> handler 1)
  words({0, 0, 0, 0, 0});
  words({1, 0, 1, 1, 0, 0, 8});  // version, ButtonType, Alignment, VerticalAlignment, no bytes
  expected += "\xC7\xE5\xB3\xFD\xCB\xF9\xD3\xD0";  // "清除所有"
  ASSERT_EQ(expected.size(), 152u);

  const CompiledForm compiled = Compile(form);
  EXPECT_EQ(RecordOf(compiled.segment, 0x16010046), expected);
  EXPECT_EQ(compiled.handlers, (std::vector<std::string>{"OnPanelMouseMove", "OnClearAll"}));
}

TEST(FormCompilerTest, WindowMapSlotsAndOmittedAttributes) {
  const CompiledForm compiled = Compile(
      "window 0x52010001 {\n  slot 9\n  unit 0x06010000 window \"\" {\n  }\n}\n"
      "window 0x52010002 {\n}\n");
  std::string head;
  forms::AppendWord(head, 16);
  for (uint32_t word : {0x52010001u, 0x52010002u, 9u, 0u}) forms::AppendWord(head, word);
  EXPECT_EQ(compiled.segment.substr(0, head.size()), head);
  // A unit without statements: visible, the class cursor, the default record.
  auto fields = forms::ReadUnitRecord(AsBytes(RecordOf(compiled.segment, 0x06010000)));
  ASSERT_TRUE(fields.has_value());
  EXPECT_EQ(fields->flags, forms::kUnitVisible);
  EXPECT_EQ(fields->mouse_pointer, std::string(4, '\0'));
  EXPECT_EQ(fields->properties.size(), 100u);  // a version-6 window record, all defaults
}

TEST(FormCompilerTest, ByteValuesFromFilesHexAndBase64) {
  const std::string form =
      "window 1 {\n"
      "  unit 2 PicBox \"p\" {\n"
      "    pointer hex 0102\n"
      "    properties {\n"
      "      version 1\n"
      "      Picture file \"assets/p.gif\"\n"
      "    }\n"
      "  }\n"
      "  unit 3 0x00010099 \"x\" {\n"
      "    properties base64 {\n"
      "      AAEC\n"
      "      Aw==\n"
      "    }\n"
      "  }\n"
      "}\n";
  const CompiledForm compiled = Compile(form, Files({{"assets/p.gif", "GIF89a"}}));
  EXPECT_EQ(compiled.files, std::vector<std::string>{"assets/p.gif"});
  auto picbox = forms::ReadUnitRecord(AsBytes(RecordOf(compiled.segment, 2)));
  ASSERT_TRUE(picbox.has_value());
  EXPECT_EQ(picbox->mouse_pointer, "\x01\x02");
  // Version 1: four integers and the picture, no data-binding texts.
  std::string record;
  for (uint32_t word : {1u, 0u, 0xFF000000u, 0u, 1u, 6u}) forms::AppendWord(record, word);
  EXPECT_EQ(picbox->properties, record + "GIF89a");
  auto raw = forms::ReadUnitRecord(AsBytes(RecordOf(compiled.segment, 3)));
  ASSERT_TRUE(raw.has_value());
  EXPECT_EQ(raw->properties, std::string("\x00\x01\x02\x03", 4));
}

struct ErrorCase {
  const char* text;
  int line;
  const char* message;  // a part of the message
};

TEST(FormCompilerTest, ErrorsNameTheLineAndTheFault) {
  const ErrorCase cases[] = {
      {"form 2\n", 1, "format 1"},
      {"\n\nbogus 1\n", 3, "unknown statement 'bogus'"},
      {"window 1 {\n", 1, "never closed"},
      {"}\n", 1, "without an open block"},
      {"handlers a b a\n", 1, "listed twice"},
      {"handlers 9lives\n", 1, "not a handler name"},
      {"window 1 {\n unit 2 Button \"b\" {\n on 0 Missing\n }\n}\n", 3, "unknown handler"},
      {"window 1 {\n unit 2 Buton \"b\" {\n }\n}\n", 2, "unknown unit type 'Buton'"},
      {"window 1 {\n unit 2 0x00010003 \"m\" {\n }\n}\n", 2, "written as 'menu'"},
      {"window 1 {\n unit 2 Button \"b\" {\n position 1 2 3\n }\n}\n", 3, "takes 4 values"},
      {"window 1 {\n unit 2 Button \"b\" {\n position 1 2 3 4294967296\n }\n}\n", 3,
       "out of range"},
      {"window 1 {\n unit 2 Button \"b\" {\n tab_order x\n }\n}\n", 3, "not a number"},
      {"window 1 {\n unit 2 Button \"b\" {\n flags visble\n }\n}\n", 3,
       "unknown flag 'visble' (disabled, none, tabstop, visible, or a number)"},
      {"window 1 {\n unit 2 Button \"b\" {\n tag \"a\\x00b\"\n }\n}\n", 3, "NUL"},
      {"window 1 {\n unit 2 Button \"b\" {\n tag \"😀\"\n }\n}\n", 3, "no GBK encoding"},
      {"window 1 {\n unit 2 Button \"b\" {\n tag \"open\n }\n}\n", 3, "no closing quote"},
      {"window 1 {\n unit 2 Button \"b\" {\n tag \"\\q\"\n }\n}\n", 3, "unknown escape"},
      {"window 1 {\n unit 2 Button \"b\" {\n flags visible\n flags none\n }\n}\n", 4,
       "given twice"},
      {"window 1 {\n unit 2 Button \"b\" {\n properties {\n Colour 1\n }\n }\n}\n", 4,
       "no stored property 'Colour'"},
      {"window 1 {\n unit 2 Button \"b\" {\n properties {\n version 2\n }\n }\n}\n", 4,
       "up to version 1"},
      {"window 1 {\n unit 2 PicBox \"p\" {\n properties {\n version 1\n DataField \"f\"\n"
       " }\n }\n}\n",
       5, "came with version 2"},
      {"window 1 {\n unit 2 Button \"b\" {\n properties {\n Caption 5\n }\n }\n}\n", 4,
       "quoted text"},
      {"window 1 {\n unit 2 EditBox \"e\" {\n properties {\n PasswordChar 65536\n }\n }\n}\n", 4,
       "out of range"},
      {"window 1 {\n unit 2 Button \"b\" {\n properties {\n Font hex 123\n }\n }\n}\n", 4,
       "hexadecimal"},
      {"window 1 {\n unit 2 Button \"b\" {\n properties {\n Font base64 {\n AB=C\n }\n }\n }\n}\n",
       4, "base64"},
      {"window 1 {\n unit 2 Button \"b\" {\n properties {\n Font file \"nope.bin\"\n }\n }\n}\n", 4,
       "cannot read the file \"nope.bin\""},
      {"window 1 {\n unit 2 0x00010099 \"x\" {\n properties {\n }\n }\n}\n", 3,
       "no known stored properties"},
      {"window 1 {\n unit 2 Button \"b\" {\n }\n layout {\n record 0\n record 0\n }\n}\n", 6,
       "placed twice"},
      {"window 1 {\n unit 2 Button \"b\" {\n }\n layout {\n }\n}\n", 4, "does not place entry 0"},
      {"window 1 {\n menu 2 \"m\" {\n level {\n }\n }\n}\n", 3, "takes no block"},
      {"window 1 { x\n}\n", 1, "may only end a line"},
  };
  for (const ErrorCase& c : cases) {
    CompileResult result = CompileForm(c.text, Files({}));
    EXPECT_FALSE(result.form.has_value()) << c.text;
    EXPECT_EQ(result.error.line, c.line) << c.text << "\n" << result.error.message;
    EXPECT_NE(result.error.message.find(c.message), std::string::npos)
        << c.text << "\nsaid: " << result.error.message << "\nexpected: " << c.message;
  }
}

TEST(FormCompilerTest, LayoutPlacesRecordsAndFillers) {
  const std::string form =
      "window 1 {\n"
      "  unit 0x10 Button \"a\" {\n  }\n"
      "  unit 0x20 Button \"b\" {\n  }\n"
      "  layout {\n    filler hex AABB\n    record 1\n    record 0\n    filler hex CC\n  }\n"
      "}\n";
  const CompiledForm compiled = Compile(form);
  auto windows = forms::ReadTemplateSegment(AsBytes(compiled.segment));
  ASSERT_TRUE(windows.has_value());
  const forms::UnitTable& table = windows->front().units;
  const auto& bytes = table.bytes();
  EXPECT_EQ(forms::LoadWord(bytes.data() + 8), 2u + 4u + table.RecordAt(1).size());  // entry 0
  EXPECT_EQ(forms::LoadWord(bytes.data() + 12), 2u);                                 // entry 1
  EXPECT_EQ(bytes.back(), 0xCC);
  EXPECT_EQ(forms::ReadUnitRecord(table.RecordAt(0))->name, "a");
}

TEST(CppSourceTest, BytesHandlerNamesAndTable) {
  const std::string source =
      CppSource(std::string("\x01\xFF", 2), {"OnA", "OnB"}, {"kForm", "main.form", "app"});
  EXPECT_NE(source.find("extern const uint8_t kForm[] = {\n    0x01, 0xFF,\n};"), std::string::npos)
      << source;
  EXPECT_NE(source.find("kForm_size = 2;"), std::string::npos);
  EXPECT_NE(source.find("\"OnA\",\n    \"OnB\",\n    nullptr};"), std::string::npos);
  EXPECT_NE(source.find("runtime::HandlerResult OnB(const uint32_t* arguments, int32_t count);"),
            std::string::npos);
  EXPECT_NE(source.find("kForm_handlers[] = {\n    &app::OnA,\n    &app::OnB,\n    nullptr};"),
            std::string::npos);
  EXPECT_EQ(CppSource("x", {}, {"s", "f", ""}).find("runtime::"), std::string::npos);
  EXPECT_TRUE(IsCppNamespace("mienzo::app"));
  EXPECT_FALSE(IsCppNamespace("mienzo::"));
  EXPECT_FALSE(IsCppIdentifier("1x"));
}

}  // namespace
}  // namespace tools::form_text
