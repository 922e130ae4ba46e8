#include "tools/form_text/form_printer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "runtime/forms/byte_reader.h"
#include "runtime/forms/record_fields.h"
#include "runtime/forms/template_segment.h"
#include "tools/form_text/form_parser.h"
#include "tools/form_text/test_support.h"

namespace tools::form_text {
namespace {

namespace forms = runtime::forms;

const char kTestData[] = MIENZO_FORM_TESTDATA;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

CompiledForm CompileSample(const std::string& name) {
  CompileResult result =
      CompileForm(ReadFile(std::string(kTestData) + "/" + name), FilesRelativeTo(kTestData));
  EXPECT_TRUE(result.form.has_value())
      << name << ":" << result.error.line << ": " << result.error.message;
  return result.form.value_or(CompiledForm{});
}

// Prints `segment` and compiles the text again: the bytes must come back.
std::string ExpectRoundTrip(const std::string& segment, const PrintOptions& options = {}) {
  PrintResult printed = PrintForm(AsBytes(segment), options);
  EXPECT_TRUE(printed.ok) << printed.error;
  std::map<std::string, std::string> files;
  for (const Asset& asset : printed.assets) files[asset.path] = asset.bytes;
  CompileResult again = CompileForm(printed.text, Files(files));
  EXPECT_TRUE(again.form.has_value()) << again.error.line << ": " << again.error.message << "\n"
                                      << printed.text;
  if (again.form) {
    EXPECT_EQ(again.form->segment, segment) << printed.text;
  }
  return printed.text;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(FormPrinterTest, SampleFormsComeBackByteForByte) {
  for (const char* name : {"mienzo_window.form", "every_feature.form"}) {
    SCOPED_TRACE(name);
    const CompiledForm compiled = CompileSample(name);
    PrintOptions named;
    named.handler_names = compiled.handlers;
    const std::string text = ExpectRoundTrip(compiled.segment, named);
    ExpectRoundTrip(compiled.segment);
    PrintOptions everything = named;
    everything.all_fields = true;
    ExpectRoundTrip(compiled.segment, everything);
    // Printing is stable: the printed form prints the same again.
    CompileResult again = CompileForm(text, Files({}));
    ASSERT_TRUE(again.form.has_value());
    EXPECT_EQ(PrintForm(AsBytes(again.form->segment), named).text, text);
  }
}

TEST(FormPrinterTest, MainWindowReadsAsWritten) {
  const CompiledForm compiled = CompileSample("mienzo_window.form");
  EXPECT_EQ(compiled.handlers.size(), 10u);
  PrintOptions options;
  options.handler_names = compiled.handlers;
  const std::string text = PrintForm(AsBytes(compiled.segment), options).text;
  EXPECT_TRUE(Contains(text, "handlers OnPanelMouseMove OnPanelMouseDown")) << text;
  EXPECT_TRUE(Contains(text,
                       "  unit 0x16010046 Button \"按钮6\" {\n"
                       "    position 886 162 64 24\n"
                       "    flags visible tabstop\n"
                       "    on 0 OnClearAll\n"
                       "    properties {\n"
                       "      Caption \"清除所有\"\n"
                       "    }\n"))
      << text;
  EXPECT_TRUE(Contains(text, "Items \".bmp\" \".png\" \".jpg\"\n"));
  EXPECT_TRUE(Contains(text, "BackColor 0x00C080FF\n"));
  EXPECT_TRUE(Contains(text, "Sorted true\n"));
  EXPECT_TRUE(Contains(text, "    flags none\n"));
  EXPECT_TRUE(Contains(text, "Content \"Kerlo制作， 你可以在这里写字\"\n"));
  // Without the program's names, positions name the handlers.
  const std::string unnamed = PrintForm(AsBytes(compiled.segment), {}).text;
  EXPECT_TRUE(Contains(unnamed, "handlers h0 h1 h2 h3 h4 h5 h6 h7 h8 h9\n")) << unnamed;
  EXPECT_TRUE(Contains(unnamed, "on -6 h0\n"));
}

TEST(FormPrinterTest, LargeByteValuesBecomeAssetFiles) {
  const CompiledForm compiled = CompileSample("every_feature.form");
  PrintOptions options;
  options.asset_dir = "dump assets";
  options.asset_min_size = 40;
  const std::string text = ExpectRoundTrip(compiled.segment, options);
  PrintResult printed = PrintForm(AsBytes(compiled.segment), options);
  ASSERT_EQ(printed.assets.size(), 3u);  // the cursor twice (icon and pointer), the font
  EXPECT_EQ(printed.assets[0].path, "dump assets/06010000-Icon.cur");
  EXPECT_EQ(printed.assets[1].path, "dump assets/16010002-pointer.cur");
  EXPECT_EQ(printed.assets[1].bytes, ReadFile(std::string(kTestData) + "/assets/cursor_32.cur"));
  EXPECT_TRUE(Contains(text, "pointer file \"dump assets/16010002-pointer.cur\"\n")) << text;
}

TEST(FormPrinterTest, TextsThatAreNoGbkAreEscaped) {
  const CompiledForm compiled = CompileSample("every_feature.form");
  const std::string text = PrintForm(AsBytes(compiled.segment), {}).text;
  EXPECT_TRUE(Contains(text, "unit 0x16010003 Button \"\\x81\\x30\\xFF\" {")) << text;
  EXPECT_TRUE(Contains(text, "text_c \"c\\x00d\"\n"));
  EXPECT_TRUE(Contains(text, "tag \"tag\\twith\\ttabs\"\n"));
  EXPECT_TRUE(Contains(text, "on 5 @70000\n"));
  EXPECT_TRUE(Contains(text, "handler @4096\n"));
  EXPECT_TRUE(Contains(text, "flags hidden 0x00000010\n"));
}

// A unit table built by hand: records are (id, record bytes).
std::string Segment(const std::vector<uint32_t>& ids, const std::vector<std::string>& records) {
  forms::WindowTemplate window;
  window.window_id = 0x52010001;
  window.units = forms::UnitTable::Build(ids, records);
  return forms::WriteTemplateSegment({window});
}

std::string ButtonWithProperties(const std::string& properties) {
  forms::UnitRecordFields button;
  button.type_code = 0x0001000B;
  button.name = "b";
  button.properties = properties;
  return forms::WriteUnitRecord(button);
}

TEST(FormPrinterTest, RecordsTheSchemaCannotReproduceStayBytes) {
  std::string newer;
  for (uint32_t word : {2u, 0u, 1u, 1u, 0u, 0u, 0u}) forms::AppendWord(newer, word);
  std::string trailing = newer;
  trailing[0] = 1;
  trailing += "x";
  std::string long_count_form;  // a combo box item list in the long count form
  forms::AppendWord(long_count_form, 3);
  for (int i = 0; i < 9; ++i) forms::AppendWord(long_count_form, 0);
  for (int i = 0; i < 3; ++i) forms::AppendWord(long_count_form, 0);
  long_count_form += std::string("\xFF\xFF\x00\x00\x00\x00", 6);
  for (int i = 0; i < 3; ++i) forms::AppendWord(long_count_form, 0);
  forms::UnitRecordFields combo;
  combo.type_code = 0x0001000E;
  combo.properties = long_count_form;
  const std::string segment =
      Segment({1, 2, 3, 4}, {ButtonWithProperties(newer), ButtonWithProperties(trailing),
                             ButtonWithProperties("\x01"), forms::WriteUnitRecord(combo)});
  const std::string text = ExpectRoundTrip(segment);
  EXPECT_TRUE(Contains(text, "# not a Button record as this runtime writes them\n")) << text;
  EXPECT_TRUE(Contains(text, "properties hex 01\n"));
  EXPECT_TRUE(Contains(text, "# not a ComboBox record")) << text;
}

TEST(FormPrinterTest, TablesWithRecordsOutOfOrder) {
  const std::string first = ButtonWithProperties("");
  const std::string second = ButtonWithProperties(std::string(5, 'z'));
  forms::WindowTemplate window;
  window.window_id = 7;
  // Second record first, a gap, bytes after the last record.
  std::string placed;
  for (uint32_t word : {1u, 2u}) forms::AppendWord(placed, word);
  forms::AppendWord(placed, static_cast<uint32_t>(4 + second.size() + 3));
  forms::AppendWord(placed, 0);
  forms::AppendWord(placed, static_cast<uint32_t>(second.size()));
  placed += second + "gap";
  forms::AppendWord(placed, static_cast<uint32_t>(first.size()));
  placed += first + "end";
  auto placed_table = forms::UnitTable::FromBytes(AsBytes(placed), 2);
  ASSERT_TRUE(placed_table.has_value());
  window.units = *placed_table;
  const std::string segment = forms::WriteTemplateSegment({window});
  const std::string text = ExpectRoundTrip(segment);
  EXPECT_TRUE(Contains(text,
                       "  layout {\n    record 1\n    filler hex 676170\n    record 0\n"
                       "    filler hex 656E64\n  }\n"))
      << text;
}

TEST(FormPrinterTest, RefusesWhatItCannotPrint) {
  EXPECT_FALSE(PrintForm(AsBytes(std::string("\x08\0\0", 3)), {}).ok);
  PrintOptions bad_names;
  bad_names.handler_names = {"OnA", "On A"};
  PrintResult printed = PrintForm(AsBytes(Segment({}, {})), bad_names);
  EXPECT_FALSE(printed.ok);
  EXPECT_TRUE(Contains(printed.error, "'On A'")) << printed.error;
  // No windows at all is a readable segment.
  EXPECT_TRUE(Contains(ExpectRoundTrip(std::string(4, '\0')), "handlers\n"));
}

}  // namespace
}  // namespace tools::form_text
