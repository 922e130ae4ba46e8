#include "runtime/forms/record_schema.h"

#include <utility>

#include "runtime/forms/byte_reader.h"

namespace runtime::forms {

namespace {

// A count that does not fit the 16-bit form is written as this, then in full.
constexpr uint16_t kLongCountMark = 0xFFFF;

const std::string& EmptyText() {
  static const std::string empty;
  return empty;
}

const std::vector<std::string>& NoItems() {
  static const std::vector<std::string> none;
  return none;
}

bool IsIntKind(FieldKind kind) { return kind == FieldKind::kInt32 || kind == FieldKind::kInt16; }

bool IsTextKind(FieldKind kind) { return kind == FieldKind::kBytes || kind == FieldKind::kText; }

int32_t Narrow16(int32_t value) { return static_cast<int32_t>(static_cast<uint16_t>(value)); }

uint32_t ReadHalfWord(ByteReader& reader) {
  auto bytes = reader.Bytes(2);
  return bytes.size() == 2 ? static_cast<uint32_t>(bytes[0] | (bytes[1] << 8)) : 0;
}

void AppendHalfWord(std::string& out, uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void AppendCounted(std::string& out, const std::string& bytes) {
  AppendWord(out, static_cast<uint32_t>(bytes.size()));
  out += bytes;
}

std::string ReadCounted(ByteReader& reader) {
  auto bytes = reader.CountedBytes();
  return std::string(bytes.begin(), bytes.end());
}

// The items of an item list; stops (leaving the reader failed) at the first
// item that runs past the end.
std::vector<std::string> ReadItems(ByteReader& reader) {
  uint32_t count = ReadHalfWord(reader);
  if (count == kLongCountMark) count = reader.Word();
  std::vector<std::string> items;
  // Every item takes at least its 4-byte count: a larger count cannot be
  // genuine, and must not decide how much is reserved.
  if (!reader.ok() || count > reader.remaining() / 4) {
    reader.Skip(reader.remaining() + 1);
    return items;
  }
  items.reserve(count);
  for (uint32_t i = 0; i < count && reader.ok(); ++i) items.push_back(ReadCounted(reader));
  return items;
}

void AppendItems(std::string& out, const std::vector<std::string>& items) {
  if (items.size() < kLongCountMark) {
    AppendHalfWord(out, static_cast<uint32_t>(items.size()));
  } else {
    AppendHalfWord(out, kLongCountMark);
    AppendWord(out, static_cast<uint32_t>(items.size()));
  }
  for (const std::string& item : items) AppendCounted(out, item);
}

}  // namespace

int32_t RecordSchema::IndexOf(std::string_view name) const {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].name == name) return static_cast<int32_t>(i);
  }
  return -1;
}

RecordValues::RecordValues(const RecordSchema& schema)
    : schema_(&schema), version_(schema.written_version) {
  values_.reserve(schema.fields.size());
  for (const FieldSpec& field : schema.fields) {
    switch (field.kind) {
      case FieldKind::kInt32:
        values_.emplace_back(field.default_int);
        break;
      case FieldKind::kInt16:
        values_.emplace_back(Narrow16(field.default_int));
        break;
      case FieldKind::kBytes:
      case FieldKind::kText:
        values_.emplace_back(std::string(field.default_text));
        break;
      case FieldKind::kItemList:
        values_.emplace_back(std::vector<std::string>());
        break;
    }
  }
}

int32_t RecordValues::Int(size_t index) const {
  if (index >= values_.size()) return 0;
  const auto* value = std::get_if<int32_t>(&values_[index]);
  return value != nullptr ? *value : 0;
}

const std::string& RecordValues::Text(size_t index) const {
  if (index >= values_.size()) return EmptyText();
  const auto* value = std::get_if<std::string>(&values_[index]);
  return value != nullptr ? *value : EmptyText();
}

std::span<const uint8_t> RecordValues::Bytes(size_t index) const {
  const std::string& text = Text(index);
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

const std::vector<std::string>& RecordValues::Items(size_t index) const {
  if (index >= values_.size()) return NoItems();
  const auto* value = std::get_if<std::vector<std::string>>(&values_[index]);
  return value != nullptr ? *value : NoItems();
}

bool RecordValues::SetInt(size_t index, int32_t value) {
  if (index >= values_.size() || !IsIntKind(schema_->fields[index].kind)) return false;
  values_[index] = schema_->fields[index].kind == FieldKind::kInt16 ? Narrow16(value) : value;
  return true;
}

bool RecordValues::SetText(size_t index, std::string value) {
  if (index >= values_.size() || !IsTextKind(schema_->fields[index].kind)) return false;
  values_[index] = std::move(value);
  return true;
}

bool RecordValues::SetItems(size_t index, std::vector<std::string> items) {
  if (index >= values_.size() || schema_->fields[index].kind != FieldKind::kItemList) return false;
  values_[index] = std::move(items);
  return true;
}

bool RecordValues::IsDefault(size_t index) const {
  if (index >= values_.size()) return false;
  const FieldSpec& field = schema_->fields[index];
  switch (field.kind) {
    case FieldKind::kInt32:
      return Int(index) == field.default_int;
    case FieldKind::kInt16:
      return Int(index) == Narrow16(field.default_int);
    case FieldKind::kBytes:
    case FieldKind::kText:
      return Text(index) == field.default_text;
    case FieldKind::kItemList:
      return Items(index).empty();
  }
  return false;
}

std::optional<RecordValues> ReadRecord(const RecordSchema& schema, std::span<const uint8_t> record,
                                       RecordError* error) {
  auto fail = [error](RecordError why) -> std::optional<RecordValues> {
    if (error != nullptr) *error = why;
    return std::nullopt;
  };
  if (error != nullptr) *error = RecordError::kNone;
  RecordValues values(schema);
  if (record.empty()) return values;

  ByteReader reader(record);
  const uint32_t version = reader.Word();
  if (!reader.ok()) return fail(RecordError::kTruncated);
  if (version > schema.accepted_version) return fail(RecordError::kVersionTooHigh);
  values.set_version(version);
  for (size_t i = 0; i < schema.fields.size(); ++i) {
    const FieldSpec& field = schema.fields[i];
    if (field.since > version) continue;
    switch (field.kind) {
      case FieldKind::kInt32:
        values.SetInt(i, reader.SignedWord());
        break;
      case FieldKind::kInt16:
        values.SetInt(i, static_cast<int32_t>(ReadHalfWord(reader)));
        break;
      case FieldKind::kBytes:
      case FieldKind::kText:
        values.SetText(i, ReadCounted(reader));
        break;
      case FieldKind::kItemList:
        values.SetItems(i, ReadItems(reader));
        break;
    }
    if (!reader.ok()) return fail(RecordError::kTruncated);
  }
  return values;
}

std::string WriteRecord(const RecordValues& values) {
  return WriteRecord(values, values.schema().written_version);
}

std::string WriteRecord(const RecordValues& values, uint32_t version) {
  const RecordSchema& schema = values.schema();
  std::string out;
  AppendWord(out, version);
  for (size_t i = 0; i < schema.fields.size(); ++i) {
    const FieldSpec& field = schema.fields[i];
    if (field.since > version) continue;
    switch (field.kind) {
      case FieldKind::kInt32:
        AppendWord(out, static_cast<uint32_t>(values.Int(i)));
        break;
      case FieldKind::kInt16:
        AppendHalfWord(out, static_cast<uint32_t>(values.Int(i)));
        break;
      case FieldKind::kBytes:
      case FieldKind::kText:
        AppendCounted(out, values.Text(i));
        break;
      case FieldKind::kItemList:
        AppendItems(out, values.Items(i));
        break;
    }
  }
  return out;
}

std::string EncodeItemList(const std::vector<std::string>& items) {
  std::string out;
  AppendItems(out, items);
  return out;
}

std::optional<std::vector<std::string>> DecodeItemList(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return std::vector<std::string>();  // the empty byte set: no items
  ByteReader reader(bytes);
  auto items = ReadItems(reader);
  if (!reader.AtEnd()) return std::nullopt;
  return items;
}

}  // namespace runtime::forms
