#include "runtime/units/unit_schemas.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "runtime/forms/byte_reader.h"
#include "runtime/units/button/button_schema.h"
#include "runtime/units/combobox/combobox_schema.h"
#include "runtime/units/editbox/editbox_schema.h"
#include "runtime/units/window/window_schema.h"

namespace runtime::units {
namespace {

using forms::ReadRecord;
using forms::RecordValues;
using forms::WriteRecord;

std::span<const uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(UnitSchemasTest, EveryTypeByCodeAndByName) {
  const std::pair<uint32_t, const char*> types[] = {
      {0x00010001, "window"},    {0x00010005, "EditBox"},     {0x00010006, "PicBox"},
      {0x00010008, "DrawPanel"}, {0x0001000A, "Label"},       {0x0001000B, "Button"},
      {0x0001000E, "ComboBox"},  {0x0001001C, "ColorPicker"}, {0x0001001F, "CommonDlg"}};
  for (const auto& [code, name] : types) {
    const forms::RecordSchema* schema = SchemaForType(code);
    ASSERT_NE(schema, nullptr) << name;
    EXPECT_EQ(schema->type_name, name);
    EXPECT_EQ(SchemaForTypeName(name), schema);
  }
  EXPECT_EQ(AllSchemas().size(), std::size(types));
  EXPECT_EQ(SchemaForType(0x00010003), nullptr);  // menu items have no stored properties
  EXPECT_EQ(SchemaForTypeName("button"), nullptr);
}

// What every schema must satisfy for records to be read and written back.
TEST(UnitSchemasTest, SchemasAreConsistent) {
  for (const forms::RecordSchema* schema : AllSchemas()) {
    SCOPED_TRACE(std::string(schema->type_name));
    EXPECT_EQ(schema->written_version, schema->accepted_version);
    std::set<std::string_view> names;
    for (const forms::FieldSpec& field : schema->fields) {
      EXPECT_TRUE(names.insert(field.name).second) << field.name;
      EXPECT_LE(field.since, schema->written_version) << field.name;
    }
    // Defaults survive a write and a read at every accepted version.
    RecordValues defaults(*schema);
    for (uint32_t version = 0; version <= schema->accepted_version; ++version) {
      const std::string record = WriteRecord(defaults, version);
      auto back = ReadRecord(*schema, AsBytes(record));
      ASSERT_TRUE(back.has_value()) << version;
      for (size_t i = 0; i < back->size(); ++i) EXPECT_TRUE(back->IsDefault(i)) << i;
      EXPECT_EQ(WriteRecord(*back, version), record);
    }
  }
}

TEST(UnitSchemasTest, FieldPositionsMatchTheirNames) {
  EXPECT_EQ(ButtonSchema().IndexOf("Caption"), button::kCaption);
  EXPECT_EQ(ButtonSchema().fields.size(), button::kFieldCount);
  EXPECT_EQ(WindowSchema().IndexOf("ClassName"), window::kClassName);
  EXPECT_EQ(WindowSchema().IndexOf("HelpFile"), window::kHelpFile);
  EXPECT_EQ(EditBoxSchema().IndexOf("PasswordChar"), editbox::kPasswordChar);
  EXPECT_EQ(ComboBoxSchema().IndexOf("DataBindFlag"), combobox::kDataBindFlag);
}

// The caption "清除所有" of a button makes a 36-byte record: version, three
// integers, two empty byte sets and the counted caption.
TEST(UnitSchemasTest, ButtonRecordLayout) {
  RecordValues values(ButtonSchema());
  EXPECT_EQ(values.Text(button::kCaption), "\xB0\xB4\xC5\xA5");  // "按钮"
  values.SetText(button::kCaption, "\xC7\xE5\xB3\xFD\xCB\xF9\xD3\xD0");
  std::string expected;
  for (uint32_t word : {1u, 0u, 1u, 1u, 0u, 0u, 8u}) forms::AppendWord(expected, word);
  expected += "\xC7\xE5\xB3\xFD\xCB\xF9\xD3\xD0";
  EXPECT_EQ(WriteRecord(values), expected);
  EXPECT_EQ(expected.size(), 36u);
}

// Versions 2 to 5 of the window record add integers in the middle, version 6
// a text after them; the byte sets and texts follow in every version.
TEST(UnitSchemasTest, WindowRecordsOfEveryVersion) {
  RecordValues values(WindowSchema());
  values.SetText(window::kCaption, "Mienzo");
  values.SetInt(window::kShape, 3);
  const size_t sizes[] = {4 + 13 * 4 + 5 * 4 + 6, 4 + 13 * 4 + 5 * 4 + 6, 4 + 14 * 4 + 5 * 4 + 6,
                          4 + 16 * 4 + 5 * 4 + 6, 4 + 17 * 4 + 5 * 4 + 6, 4 + 18 * 4 + 5 * 4 + 6,
                          4 + 18 * 4 + 6 * 4 + 6};
  for (uint32_t version = 0; version <= 6; ++version) {
    const std::string record = WriteRecord(values, version);
    EXPECT_EQ(record.size(), sizes[version]) << version;
    auto back = ReadRecord(WindowSchema(), AsBytes(record));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Text(window::kCaption), "Mienzo");
    EXPECT_EQ(back->Int(window::kShape), version >= 3 ? 3 : 0);
  }
  std::string too_new = WriteRecord(values);
  too_new[0] = 7;
  EXPECT_FALSE(ReadRecord(WindowSchema(), AsBytes(too_new)).has_value());
}

TEST(UnitSchemasTest, EditBoxPasswordCharIsSixteenBits) {
  RecordValues values(EditBoxSchema());
  const std::string record = WriteRecord(values);
  // version, nine integers, then the 16-bit '*'.
  EXPECT_EQ(record.substr(40, 2), std::string("*\0", 2));
  EXPECT_EQ(record.size(), 4u + 9 * 4 + 2 + 6 * 4 + 4 * 4);
}

TEST(UnitSchemasTest, ComboBoxItemsSitBetweenContentAndDataSource) {
  RecordValues values(ComboBoxSchema());
  values.SetItems(combobox::kItems, {".bmp", ".png", ".jpg"});
  values.SetText(combobox::kContent, ".jpg");
  const std::string record = WriteRecord(values);
  const size_t items_at = 4 + 9 * 4 + 4 + 4 + 4 + 4;
  EXPECT_EQ(record.substr(items_at, 2), std::string("\x03\x00", 2));
  auto version2 = ReadRecord(ComboBoxSchema(), AsBytes(WriteRecord(values, 2)));
  ASSERT_TRUE(version2.has_value());
  EXPECT_EQ(version2->Items(combobox::kItems).size(), 3u);
  EXPECT_EQ(version2->Int(combobox::kListIndex), -1);
}

}  // namespace
}  // namespace runtime::units
