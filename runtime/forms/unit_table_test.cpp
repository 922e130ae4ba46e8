#include "runtime/forms/unit_table.h"

#include <gtest/gtest.h>

#include "runtime/forms/byte_reader.h"
#include "runtime/forms/record_fields.h"
#include "runtime/forms/template_segment.h"

namespace runtime::forms {
namespace {

std::span<const uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

UnitRecordFields Unit(uint32_t type_code, std::string name, std::string tag = "") {
  UnitRecordFields fields;
  fields.type_code = type_code;
  fields.name = std::move(name);
  fields.tag = std::move(tag);
  return fields;
}

UnitTable ThreeEntryTable() {
  const uint32_t ids[] = {0x06010000, 0x16010001, 0x16010002};
  auto first = Unit(0x00010002, "one", "first");
  first.bindings = {{-1, 0}, {-6, 0xFFFFFFFF}};
  first.properties = std::string("\x01\0\0\0", 4);
  return UnitTable::Build(ids, {WriteUnitRecord(Unit(0x00010001, "")), WriteUnitRecord(first),
                                WriteUnitRecord(Unit(0x00010002, "two", "second"))});
}

TEST(UnitRecordTest, ButtonRecordOfTheWorkedExampleLaysOutItsFields) {
  UnitRecordFields button = Unit(0x0001000B, "\xB0\xB4\xC5\xA5\x36");
  button.left = 886;
  button.top = 162;
  button.width = 64;
  button.height = 24;
  button.flags = kUnitVisible | kUnitTabStop;
  button.bindings = {{0, 3}};
  button.properties = std::string(24, '\0') + std::string("\x08\0\0\0", 4) + "12345678";
  const std::string record = WriteUnitRecord(button);
  ASSERT_EQ(record.size(), 152u);
  auto at = LocateUnitFields(AsBytes(record));
  ASSERT_TRUE(at.has_value());
  EXPECT_EQ(at->live_slot, 31u);
  EXPECT_EQ(RecordWord(AsBytes(record), at->left), 886u);
  EXPECT_EQ(at->properties, 116u);
  EXPECT_EQ(at->properties_length, 36u);
  auto back = ReadUnitRecord(AsBytes(record));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(WriteUnitRecord(*back), record);
}

TEST(UnitRecordTest, RecordsThatRunPastTheirEndAreRefused) {
  std::string record = WriteUnitRecord(Unit(0x00010002, "x"));
  for (size_t cut = 0; cut + 20 < record.size(); ++cut) {
    EXPECT_FALSE(LocateUnitFields(AsBytes(record.substr(0, cut))).has_value()) << cut;
  }
  // A binding count far beyond the record.
  auto at = LocateUnitFields(AsBytes(record));
  ASSERT_TRUE(at.has_value());
  std::string huge = record;
  huge[at->binding_count + 3] = '\x7F';
  EXPECT_FALSE(LocateUnitFields(AsBytes(huge)).has_value());
  // No stored property record: the record ends at its reserved words.
  EXPECT_EQ(at->properties_length, 0u);
}

TEST(UnitTableTest, FindsEntriesByIdAndTheirStoredProperties) {
  UnitTable table = ThreeEntryTable();
  EXPECT_EQ(table.IndexOf(0x16010002), 2);
  EXPECT_EQ(table.IndexOf(0x16010009), -1);
  EXPECT_EQ(table.TypeCodeAt(0), 0x00010001u);
  EXPECT_EQ(table.StoredProperties(1).size(), 4u);
  EXPECT_TRUE(table.StoredProperties(2).empty());
}

TEST(UnitTableTest, RewritingATagKeepsEveryRecordReadable) {
  UnitTable table = ThreeEntryTable();
  auto at = LocateUnitFields(table.RecordAt(1));
  ASSERT_TRUE(at.has_value());
  const std::string longer = std::string("a much longer tag than before") + '\0';
  ASSERT_TRUE(table.Rewrite(1, at->tag, at->tag_length, AsBytes(longer)));
  for (int32_t i = 0; i < table.Count(); ++i) {
    ASSERT_TRUE(ReadUnitRecord(table.RecordAt(i)).has_value()) << i;
  }
  EXPECT_EQ(ReadUnitRecord(table.RecordAt(1))->tag, "a much longer tag than before");
  EXPECT_EQ(ReadUnitRecord(table.RecordAt(1))->properties, std::string("\x01\0\0\0", 4));
  EXPECT_EQ(ReadUnitRecord(table.RecordAt(2))->tag, "second");
  // The rebuilt block reads back as a table.
  EXPECT_TRUE(UnitTable::FromBytes(table.bytes(), 3).has_value());
  // A range outside the record changes nothing.
  EXPECT_FALSE(table.Rewrite(1, 10000, 1, AsBytes(longer)));
  // Cutting the terminator would leave a record that cannot be read.
  EXPECT_FALSE(table.Rewrite(2, 0, table.RecordAt(2).size(), {}));
}

TEST(UnitTableTest, RecordsOutOfOrderAreKeptApartAndSharedOnesRefused) {
  const std::string first = WriteUnitRecord(Unit(0x00010002, "first", "t"));
  const std::string second = WriteUnitRecord(Unit(0x00010002, "second"));
  // Entry 1's record first, three loose bytes, then entry 0's.
  std::string bytes;
  for (uint32_t word : {1u, 2u, static_cast<uint32_t>(4 + second.size() + 3), 0u}) {
    AppendWord(bytes, word);
  }
  AppendWord(bytes, static_cast<uint32_t>(second.size()));
  bytes += second + "gap";
  AppendWord(bytes, static_cast<uint32_t>(first.size()));
  bytes += first;
  auto table = UnitTable::FromBytes(AsBytes(bytes), 2);
  ASSERT_TRUE(table.has_value());
  auto at = LocateUnitFields(table->RecordAt(1));
  ASSERT_TRUE(at.has_value());
  const std::string tag = std::string("longer") + '\0';
  ASSERT_TRUE(table->Rewrite(1, at->tag, at->tag_length, AsBytes(tag)));
  EXPECT_EQ(ReadUnitRecord(table->RecordAt(0))->name, "first");
  EXPECT_EQ(ReadUnitRecord(table->RecordAt(1))->tag, "longer");
  EXPECT_TRUE(UnitTable::FromBytes(table->bytes(), 2).has_value());

  // Two entries naming one record: rewriting one would change the other.
  std::string shared = bytes;
  StoreWord(reinterpret_cast<uint8_t*>(shared.data()) + 8, 0);
  EXPECT_FALSE(UnitTable::FromBytes(AsBytes(shared), 2).has_value());
}

TEST(UnitTableTest, MenuItemRunsAndRelocation) {
  MenuItemFields item;
  item.caption = "File";
  item.handler = 1;
  const uint32_t ids[] = {0x06010000, 0x26010001, 0x26010002, 0x16010003, 0x26010004};
  const std::string menu = WriteMenuItemRecord(item);
  auto unit = Unit(0x00010002, "u");
  unit.bindings = {{-1, 0}, {0, 0xFFFFFFFF}};
  UnitTable table = UnitTable::Build(
      ids, {WriteUnitRecord(Unit(0x00010001, "")), menu, menu, WriteUnitRecord(unit), menu});
  EXPECT_TRUE(table.IsMenuItem(1));
  EXPECT_FALSE(table.IsMenuItem(3));
  EXPECT_EQ(table.FirstMenuRun().start, 1);
  EXPECT_EQ(table.FirstMenuRun().length, 2);

  ASSERT_TRUE(RelocateHandlers(table, 2));
  EXPECT_EQ(ReadMenuItemRecord(table.RecordAt(1))->handler, 2u);
  auto bindings = ReadUnitRecord(table.RecordAt(3))->bindings;
  EXPECT_EQ(bindings[0].handler, 1u);  // offset 0 is the first handler
  EXPECT_EQ(bindings[1].handler, 0u);  // none
  EXPECT_EQ(HandlerPosition(1), 0);
  EXPECT_EQ(HandlerPosition(0), -1);

  UnitTable short_table = ThreeEntryTable();
  EXPECT_FALSE(RelocateHandlers(short_table, 0));  // offset 0 with no handlers at all
}

TEST(TemplateSegmentTest, RoundTripsAndRefusesEveryTruncation) {
  WindowTemplate window;
  window.window_id = 0x52010001;
  window.word_a = 7;
  window.text_c = "c";
  window.units = ThreeEntryTable();
  const std::string segment = WriteTemplateSegment({window, window});
  auto windows = ReadTemplateSegment(AsBytes(segment));
  ASSERT_TRUE(windows.has_value());
  ASSERT_EQ(windows->size(), 2u);
  EXPECT_EQ((*windows)[1].word_a, 7u);
  EXPECT_EQ((*windows)[1].text_c, "c");
  EXPECT_EQ(WriteTemplateSegment(*windows), segment);
  for (size_t cut = 0; cut < segment.size(); ++cut) {
    EXPECT_FALSE(ReadTemplateSegment(AsBytes(segment.substr(0, cut))).has_value()) << cut;
  }
  EXPECT_FALSE(ReadTemplateSegment(AsBytes(segment + "x")).has_value());
}

}  // namespace
}  // namespace runtime::forms
