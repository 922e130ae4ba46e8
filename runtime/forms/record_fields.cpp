#include "runtime/forms/record_fields.h"

#include "runtime/forms/byte_reader.h"

namespace runtime::forms {

namespace {

void AppendText(std::string& out, const std::string& text) {
  out += text;
  out.push_back('\0');
}

template <size_t N>
void AppendWords(std::string& out, const std::array<uint32_t, N>& words) {
  for (uint32_t word : words) AppendWord(out, word);
}

std::string TextAt(std::span<const uint8_t> record, size_t at) {
  return std::string(reinterpret_cast<const char*>(record.data() + at));
}

template <size_t N>
void ReadWords(std::span<const uint8_t> record, size_t at, std::array<uint32_t, N>& words) {
  for (size_t i = 0; i < N; ++i) words[i] = RecordWord(record, at + i * 4);
}

void AppendHead(std::string& out, uint32_t type_code, uint32_t event_source,
                const std::array<uint32_t, 4>& reserved, const std::string& name,
                const std::string& comment) {
  AppendWord(out, type_code);
  AppendWord(out, event_source);
  AppendWords(out, reserved);
  AppendText(out, name);
  AppendText(out, comment);
}

}  // namespace

std::string WriteUnitRecord(const UnitRecordFields& f) {
  std::string out;
  AppendHead(out, f.type_code, f.event_source, f.reserved_head, f.name, f.comment);
  for (uint32_t word : {f.live_slot, static_cast<uint32_t>(f.left), static_cast<uint32_t>(f.top),
                        static_cast<uint32_t>(f.width), static_cast<uint32_t>(f.height),
                        f.cursor_slot, f.parent_id, static_cast<uint32_t>(f.children.size())}) {
    AppendWord(out, word);
  }
  for (uint32_t child : f.children) AppendWord(out, child);
  AppendWord(out, static_cast<uint32_t>(f.mouse_pointer.size()));
  out += f.mouse_pointer;
  AppendText(out, f.tag);
  AppendWord(out, f.reserved_after_tag);
  AppendWord(out, f.flags);
  AppendWord(out, static_cast<uint32_t>(f.tab_order));
  AppendWord(out, static_cast<uint32_t>(f.bindings.size()));
  for (const EventBinding& binding : f.bindings) {
    AppendWord(out, static_cast<uint32_t>(binding.event));
    AppendWord(out, binding.handler);
  }
  AppendWords(out, f.reserved_tail);
  out += f.properties;
  return out;
}

std::string WriteMenuItemRecord(const MenuItemFields& f) {
  std::string out;
  AppendHead(out, kMenuItemType, f.event_source, f.reserved_head, f.name, f.comment);
  AppendWord(out, f.shortcut);
  AppendWord(out, f.level);
  AppendWord(out, f.flags);
  AppendText(out, f.caption);
  AppendWord(out, f.handler);
  AppendWords(out, f.reserved_tail);
  out += f.trailing;
  return out;
}

std::optional<UnitRecordFields> ReadUnitRecord(std::span<const uint8_t> record) {
  auto at = LocateUnitFields(record);
  if (!at) return std::nullopt;
  UnitRecordFields f;
  f.type_code = RecordWord(record, kTypeCodeAt);
  f.event_source = RecordWord(record, kEventSourceAt);
  ReadWords(record, 8, f.reserved_head);
  f.name = TextAt(record, at->name);
  f.comment = TextAt(record, at->comment);
  f.live_slot = RecordWord(record, at->live_slot);
  f.left = static_cast<int32_t>(RecordWord(record, at->left));
  f.top = static_cast<int32_t>(RecordWord(record, at->top));
  f.width = static_cast<int32_t>(RecordWord(record, at->width));
  f.height = static_cast<int32_t>(RecordWord(record, at->height));
  f.cursor_slot = RecordWord(record, at->cursor_slot);
  f.parent_id = RecordWord(record, at->parent_id);
  for (uint32_t i = 0; i < at->child_count_value; ++i) {
    f.children.push_back(RecordWord(record, at->children + i * 4));
  }
  f.mouse_pointer.assign(reinterpret_cast<const char*>(record.data() + at->pointer_data),
                         at->pointer_length_value);
  f.tag = TextAt(record, at->tag);
  f.reserved_after_tag = RecordWord(record, at->reserved);
  f.flags = RecordWord(record, at->flags);
  f.tab_order = static_cast<int32_t>(RecordWord(record, at->tab_order));
  for (uint32_t i = 0; i < at->binding_count_value; ++i) {
    f.bindings.push_back({static_cast<int32_t>(RecordWord(record, at->bindings + i * 8)),
                          RecordWord(record, at->bindings + i * 8 + 4)});
  }
  ReadWords(record, at->reserved_tail, f.reserved_tail);
  f.properties.assign(reinterpret_cast<const char*>(record.data() + at->properties),
                      at->properties_length);
  return f;
}

std::optional<MenuItemFields> ReadMenuItemRecord(std::span<const uint8_t> record) {
  auto at = LocateMenuItemFields(record);
  if (!at) return std::nullopt;
  MenuItemFields f;
  f.event_source = RecordWord(record, kEventSourceAt);
  ReadWords(record, 8, f.reserved_head);
  f.name = TextAt(record, at->name);
  f.comment = TextAt(record, at->comment);
  f.shortcut = RecordWord(record, at->shortcut);
  f.level = RecordWord(record, at->level);
  f.flags = RecordWord(record, at->flags);
  f.caption = TextAt(record, at->caption);
  f.handler = RecordWord(record, at->handler);
  ReadWords(record, at->handler + 4, f.reserved_tail);
  f.trailing.assign(reinterpret_cast<const char*>(record.data() + at->end),
                    record.size() - at->end);
  return f;
}

}  // namespace runtime::forms
