// Stored property records described as data.
//
// Every unit type keeps its stored properties in one record of its own
// layout: a 32-bit version word, then fixed-width integers, counted byte sets
// and counted texts in a fixed order, some of them present only from a
// certain version on. A type declares that layout once as a schema; its
// create routine reads records through it, its save routine writes them, and
// the form compiler and dumper use the same schema, so the layout lives in
// exactly one place.
//
// Reading trusts nothing in the record: a version the type does not accept,
// a record that ends before its last field, or a count that runs past the
// end rejects the record without reading past it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace runtime::forms {

enum class FieldKind : uint8_t {
  kInt32,     // 32-bit little-endian
  kInt16,     // 16-bit little-endian, read as 0..65535
  kBytes,     // 32-bit byte count, then the bytes
  kText,      // 32-bit byte count, then GBK bytes, no terminator
  kItemList,  // item count, then every item as a counted text (below)
};

// How an integer reads best to a person; nothing in a record depends on it.
enum class IntStyle : uint8_t { kNumber, kColor, kLogical };

struct FieldSpec {
  std::string_view name;  // the property's English name
  FieldKind kind = FieldKind::kInt32;
  int32_t default_int = 0;        // integer kinds
  std::string_view default_text;  // texts (GBK) and byte sets; item lists start empty
  uint32_t since = 0;             // the first record version that holds the field
  IntStyle style = IntStyle::kNumber;
};

constexpr FieldSpec IntField(std::string_view name, int32_t default_value, uint32_t since = 0) {
  return {name, FieldKind::kInt32, default_value, {}, since, IntStyle::kNumber};
}
constexpr FieldSpec ColorField(std::string_view name, uint32_t default_value, uint32_t since = 0) {
  return {name,  FieldKind::kInt32, static_cast<int32_t>(default_value), {},
          since, IntStyle::kColor};
}
constexpr FieldSpec LogicalField(std::string_view name, bool default_value, uint32_t since = 0) {
  return {name, FieldKind::kInt32, default_value ? 1 : 0, {}, since, IntStyle::kLogical};
}
constexpr FieldSpec Int16Field(std::string_view name, int32_t default_value, uint32_t since = 0) {
  return {name, FieldKind::kInt16, default_value, {}, since, IntStyle::kNumber};
}
constexpr FieldSpec BytesField(std::string_view name, uint32_t since = 0) {
  return {name, FieldKind::kBytes, 0, {}, since, IntStyle::kNumber};
}
constexpr FieldSpec TextField(std::string_view name, std::string_view default_gbk = {},
                              uint32_t since = 0) {
  return {name, FieldKind::kText, 0, default_gbk, since, IntStyle::kNumber};
}
constexpr FieldSpec ItemListField(std::string_view name, uint32_t since = 0) {
  return {name, FieldKind::kItemList, 0, {}, since, IntStyle::kNumber};
}

struct RecordSchema {
  std::string_view type_name;  // the unit type's English name
  uint32_t type_code = 0;      // library type code of the unit type
  uint32_t written_version = 0;
  uint32_t accepted_version = 0;  // records of a higher version are rejected
  std::span<const FieldSpec> fields;

  // Position of the field called `name` (exact match), or -1.
  int32_t IndexOf(std::string_view name) const;
};

// The value of every field of one record, by field position.
class RecordValues {
 public:
  // Every field at its default, as of the schema's written version.
  explicit RecordValues(const RecordSchema& schema);

  const RecordSchema& schema() const { return *schema_; }
  size_t size() const { return values_.size(); }

  // The version of the record the values were read from.
  uint32_t version() const { return version_; }
  void set_version(uint32_t version) { version_ = version; }

  // Typed access by position. Reading a position out of range or of another
  // kind gives 0, an empty string or no items; setting one does nothing and
  // returns false. 16-bit fields keep the low 16 bits of what is set.
  int32_t Int(size_t index) const;
  const std::string& Text(size_t index) const;  // counted texts and byte sets
  std::span<const uint8_t> Bytes(size_t index) const;
  const std::vector<std::string>& Items(size_t index) const;
  bool SetInt(size_t index, int32_t value);
  bool SetText(size_t index, std::string value);
  bool SetItems(size_t index, std::vector<std::string> items);

  // Whether field `index` holds its default value.
  bool IsDefault(size_t index) const;

 private:
  using Value = std::variant<int32_t, std::string, std::vector<std::string>>;

  const RecordSchema* schema_;
  uint32_t version_;
  std::vector<Value> values_;
};

enum class RecordError : uint8_t {
  kNone,
  kVersionTooHigh,  // the version word is above the accepted version
  kTruncated,       // a field, or the bytes a count announces, runs past the end
};

// Reads `record` through `schema`: defaults first, then every field of the
// record's version in order; fields introduced by a later version keep their
// defaults. Bytes after the last field are ignored. A record of no bytes at
// all is the "no stored properties" case of the template: every field keeps
// its default. Null, with the reason in `error` when given, when the record
// is rejected.
std::optional<RecordValues> ReadRecord(const RecordSchema& schema, std::span<const uint8_t> record,
                                       RecordError* error = nullptr);

// The record of `values` at the schema's written version, or at `version`
// (the fields introduced after it are left out).
std::string WriteRecord(const RecordValues& values);
std::string WriteRecord(const RecordValues& values, uint32_t version);

// The item-list format, also what a combo box hands out as its item bytes: a
// 16-bit count (0xFFFF followed by a 32-bit count when there are more than
// 65534 items), then every item as a counted text.
std::string EncodeItemList(const std::vector<std::string>& items);
// No bytes at all is an empty list. Null when the list runs past the end of
// `bytes` or leaves bytes after it.
std::optional<std::vector<std::string>> DecodeItemList(std::span<const uint8_t> bytes);

}  // namespace runtime::forms
