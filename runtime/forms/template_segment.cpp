#include "runtime/forms/template_segment.h"

#include "runtime/forms/byte_reader.h"
#include "runtime/forms/unit_record.h"

namespace runtime::forms {

namespace {

std::string CountedText(ByteReader& reader) {
  auto bytes = reader.CountedBytes();
  return std::string(bytes.begin(), bytes.end());
}

std::optional<WindowTemplate> ReadWindowRecord(ByteReader& reader, uint32_t window_id) {
  WindowTemplate window;
  window.window_id = window_id;
  window.word_a = reader.Word();
  window.word_b = reader.Word();
  window.text_c = CountedText(reader);
  window.text_d = CountedText(reader);
  const uint32_t unit_count = reader.Word();
  auto table_bytes = reader.CountedBytes();
  if (!reader.ok()) return std::nullopt;
  auto table = UnitTable::FromBytes(table_bytes, unit_count);
  if (!table) return std::nullopt;
  window.units = std::move(*table);
  return window;
}

void AppendCountedText(std::string& out, const std::string& text) {
  AppendWord(out, static_cast<uint32_t>(text.size()));
  out += text;
}

constexpr uint32_t kNoHandler = 0xFFFFFFFF;

// The relocated form of one stored handler offset; false when it lies
// beyond the handler table.
bool RelocateWord(std::span<uint8_t> record, size_t at, size_t handler_count) {
  const uint32_t offset = RecordWord(record, at);
  if (offset == kNoHandler) {
    SetRecordWord(record, at, 0);
    return true;
  }
  if (offset >= handler_count) return false;
  SetRecordWord(record, at, offset + 1);
  return true;
}

}  // namespace

std::optional<std::vector<WindowTemplate>> ReadTemplateSegment(std::span<const uint8_t> segment) {
  ByteReader reader(segment);
  const uint32_t map_length = reader.Word();
  if (!reader.ok() || map_length % 8 != 0 || map_length > reader.remaining()) return std::nullopt;
  const uint32_t window_count = map_length / 8;
  std::vector<uint32_t> ids(window_count);
  for (uint32_t& id : ids) id = reader.Word();
  reader.Skip(static_cast<size_t>(window_count) * 4);  // slots for object addresses

  std::vector<WindowTemplate> windows;
  windows.reserve(window_count);
  for (uint32_t id : ids) {
    auto window = ReadWindowRecord(reader, id);
    if (!window) return std::nullopt;
    windows.push_back(std::move(*window));
  }
  if (!reader.AtEnd()) return std::nullopt;
  return windows;
}

std::string WriteTemplateSegment(const std::vector<WindowTemplate>& windows) {
  std::string out;
  AppendWord(out, static_cast<uint32_t>(windows.size() * 8));
  for (const WindowTemplate& window : windows) AppendWord(out, window.window_id);
  for (size_t i = 0; i < windows.size(); ++i) AppendWord(out, 0);
  for (const WindowTemplate& window : windows) {
    AppendWord(out, window.word_a);
    AppendWord(out, window.word_b);
    AppendCountedText(out, window.text_c);
    AppendCountedText(out, window.text_d);
    AppendWord(out, static_cast<uint32_t>(window.units.Count()));
    const auto& table = window.units.bytes();
    AppendWord(out, static_cast<uint32_t>(table.size()));
    out.append(table.begin(), table.end());
  }
  return out;
}

size_t CountHandlers(const void* const* table) {
  size_t count = 0;
  while (table != nullptr && table[count] != nullptr) ++count;
  return count;
}

bool RelocateHandlers(UnitTable& table, size_t handler_count) {
  for (int32_t i = 0; i < table.Count(); ++i) {
    auto record = table.RecordAt(i);
    if (RecordWord(record, kTypeCodeAt) == kMenuItemType) {
      auto layout = LocateMenuItemFields(record);
      if (!layout || !RelocateWord(record, layout->handler, handler_count)) return false;
      continue;
    }
    auto layout = LocateUnitFields(record);
    if (!layout) return false;
    for (uint32_t b = 0; b < layout->binding_count_value; ++b) {
      if (!RelocateWord(record, layout->bindings + b * 8 + 4, handler_count)) return false;
    }
  }
  return true;
}

}  // namespace runtime::forms
