#include "runtime/forms/record_schema.h"

#include <gtest/gtest.h>

#include "runtime/forms/byte_reader.h"

namespace runtime::forms {
namespace {

// A small record with every kind, two of its fields added by later versions
// in the middle and at the end, as real unit types grew theirs.
constexpr FieldSpec kFields[] = {
    IntField("Width", 7),       Int16Field("Mark", '*'),     LogicalField("Shown", true, 2),
    BytesField("Picture"),      TextField("Caption", "cap"), ItemListField("Items"),
    TextField("Source", "", 3),
};
constexpr RecordSchema kSchema{"Sample", 0x00010099, 3, 3, kFields};

std::span<const uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

std::string Word(uint32_t value) {
  std::string out;
  AppendWord(out, value);
  return out;
}

std::string Counted(const std::string& bytes) { return Word(bytes.size()) + bytes; }

// A version-1 record: no `Shown`, no `Source`.
std::string VersionOneRecord() {
  return Word(1) + Word(40) + std::string("\x23\x00", 2) + Counted("PIC") + Counted("hello") +
         std::string("\x02\x00", 2) + Counted("a") + Counted("bc");
}

TEST(RecordSchemaTest, DefaultsAndLookupByName) {
  RecordValues values(kSchema);
  EXPECT_EQ(values.version(), 3u);
  EXPECT_EQ(values.Int(0), 7);
  EXPECT_EQ(values.Int(1), '*');
  EXPECT_EQ(values.Text(4), "cap");
  EXPECT_TRUE(values.Items(5).empty());
  for (size_t i = 0; i < values.size(); ++i) EXPECT_TRUE(values.IsDefault(i)) << i;
  EXPECT_EQ(kSchema.IndexOf("Caption"), 4);
  EXPECT_EQ(kSchema.IndexOf("caption"), -1);
  EXPECT_EQ(kSchema.IndexOf(""), -1);
}

TEST(RecordSchemaTest, TypedAccessRefusesOtherKindsAndPositions) {
  RecordValues values(kSchema);
  EXPECT_FALSE(values.SetInt(4, 1));
  EXPECT_FALSE(values.SetText(0, "x"));
  EXPECT_FALSE(values.SetItems(3, {"x"}));
  EXPECT_FALSE(values.SetInt(99, 1));
  EXPECT_EQ(values.Int(4), 0);
  EXPECT_EQ(values.Text(0), "");
  EXPECT_TRUE(values.Items(99).empty());
  // A 16-bit field keeps the low half of what is set.
  EXPECT_TRUE(values.SetInt(1, 0x12345));
  EXPECT_EQ(values.Int(1), 0x2345);
  EXPECT_TRUE(values.SetInt(1, -1));
  EXPECT_EQ(values.Int(1), 0xFFFF);
  EXPECT_FALSE(values.IsDefault(1));
}

TEST(RecordSchemaTest, OlderRecordsKeepTheDefaultsOfNewerFields) {
  const std::string record = VersionOneRecord();
  auto values = ReadRecord(kSchema, AsBytes(record));
  ASSERT_TRUE(values.has_value());
  EXPECT_EQ(values->version(), 1u);
  EXPECT_EQ(values->Int(0), 40);
  EXPECT_EQ(values->Int(1), 0x23);
  EXPECT_EQ(values->Int(2), 1);  // not in version 1: its default
  EXPECT_EQ(values->Text(3), "PIC");
  EXPECT_EQ(values->Text(4), "hello");
  EXPECT_EQ(values->Items(5), (std::vector<std::string>{"a", "bc"}));
  EXPECT_EQ(values->Text(6), "");
  // Written back at its own version it is the same record; at the written
  // version it gains the fields of versions 2 and 3.
  EXPECT_EQ(WriteRecord(*values, 1), record);
  const std::string current = WriteRecord(*values);
  EXPECT_EQ(current.size(), record.size() + 4 + 4);
  auto again = ReadRecord(kSchema, AsBytes(current));
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->version(), 3u);
  EXPECT_EQ(again->Int(2), 1);
  EXPECT_EQ(WriteRecord(*again), current);
}

TEST(RecordSchemaTest, RejectsVersionsAboveTheAcceptedOne) {
  RecordError error = RecordError::kNone;
  std::string record = WriteRecord(RecordValues(kSchema));
  record.replace(0, 4, Word(4));
  EXPECT_FALSE(ReadRecord(kSchema, AsBytes(record), &error).has_value());
  EXPECT_EQ(error, RecordError::kVersionTooHigh);
  record.replace(0, 4, Word(0xFFFFFFFF));
  EXPECT_FALSE(ReadRecord(kSchema, AsBytes(record), &error).has_value());
  EXPECT_EQ(error, RecordError::kVersionTooHigh);
  record.replace(0, 4, Word(3));
  EXPECT_TRUE(ReadRecord(kSchema, AsBytes(record), &error).has_value());
  EXPECT_EQ(error, RecordError::kNone);
}

TEST(RecordSchemaTest, RejectsEveryTruncationAndCountsPastTheEnd) {
  RecordError error = RecordError::kNone;
  const std::string record = VersionOneRecord();
  // Every cut except "nothing at all", which is the no-record case.
  for (size_t cut = 1; cut < record.size(); ++cut) {
    EXPECT_FALSE(ReadRecord(kSchema, AsBytes(record.substr(0, cut)), &error).has_value()) << cut;
    EXPECT_EQ(error, RecordError::kTruncated) << cut;
  }
  auto empty = ReadRecord(kSchema, {});
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->IsDefault(0));

  // A byte count one past the end: offset 10 is the `Picture` count.
  std::string long_count = record;
  long_count.replace(10, 4, Word(static_cast<uint32_t>(record.size() - 14 + 1)));
  EXPECT_FALSE(ReadRecord(kSchema, AsBytes(long_count), &error).has_value());
  EXPECT_EQ(error, RecordError::kTruncated);
  // Counts near 2^32 must not wrap around the bounds check.
  long_count.replace(10, 4, Word(0xFFFFFFFF));
  EXPECT_FALSE(ReadRecord(kSchema, AsBytes(long_count), &error).has_value());
  // An item count that promises more items than bytes remain.
  const size_t items_at = 4 + 4 + 2 + 7 + 9;
  std::string many_items = record;
  many_items.replace(items_at, 2, std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6));
  EXPECT_FALSE(ReadRecord(kSchema, AsBytes(many_items), &error).has_value());
  EXPECT_EQ(error, RecordError::kTruncated);
}

TEST(RecordSchemaTest, BytesAfterTheLastFieldAreIgnored) {
  const std::string record = WriteRecord(RecordValues(kSchema));
  auto values = ReadRecord(kSchema, AsBytes(record + "tail"));
  ASSERT_TRUE(values.has_value());
  EXPECT_EQ(WriteRecord(*values), record);
}

TEST(ItemListTest, ShortAndLongCountForms) {
  EXPECT_EQ(EncodeItemList({}), std::string("\0\0", 2));
  EXPECT_EQ(EncodeItemList({"ab"}), std::string("\x01\x00", 2) + Counted("ab"));
  std::vector<std::string> many(65535, "");
  const std::string long_form = EncodeItemList(many);
  EXPECT_EQ(long_form.substr(0, 6), std::string("\xFF\xFF\xFF\xFF\x00\x00", 6));
  EXPECT_EQ(long_form.size(), 6u + 65535u * 4u);
  auto back = DecodeItemList(AsBytes(long_form));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->size(), 65535u);
  // 65534 items still fit the short form.
  many.pop_back();
  EXPECT_EQ(EncodeItemList(many).substr(0, 2), "\xFE\xFF");

  EXPECT_TRUE(DecodeItemList({})->empty());
  EXPECT_FALSE(DecodeItemList(AsBytes(EncodeItemList({"ab"}) + "x")).has_value());
  EXPECT_FALSE(DecodeItemList(AsBytes(std::string("\x02\x00", 2) + Counted("a"))).has_value());
}

}  // namespace
}  // namespace runtime::forms
