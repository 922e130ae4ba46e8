#include "tools/form_text/form_printer.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "runtime/forms/byte_reader.h"
#include "runtime/forms/record_fields.h"
#include "runtime/forms/template_segment.h"
#include "runtime/units/unit_schemas.h"
#include "tools/form_text/cpp_source.h"
#include "tools/form_text/form_writer.h"
#include "tools/form_text/text_quote.h"

namespace tools::form_text {

namespace forms = runtime::forms;

namespace {

constexpr uint32_t kNoHandler = 0xFFFFFFFF;
// Without the program's names, handlers up to this position are named hN.
constexpr uint32_t kAutoNamedHandlers = 256;
constexpr size_t kHandlerLineWidth = 90;

std::string_view AsView(std::span<const uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string IdName(uint32_t id) { return Hex(id).substr(2); }

// Every handler word of the segment's records.
std::vector<uint32_t> HandlersInUse(const std::vector<forms::WindowTemplate>& windows) {
  std::vector<uint32_t> used;
  for (const forms::WindowTemplate& window : windows) {
    for (int32_t i = 0; i < window.units.Count(); ++i) {
      auto record = window.units.RecordAt(i);
      if (forms::RecordWord(record, forms::kTypeCodeAt) == forms::kMenuItemType) {
        used.push_back(forms::ReadMenuItemRecord(record)->handler);
        continue;
      }
      const auto unit = forms::ReadUnitRecord(record);
      for (const forms::EventBinding& binding : unit->bindings) used.push_back(binding.handler);
    }
  }
  return used;
}

// Where each entry's record lies in the record area of a unit table.
struct Placement {
  int32_t entry;
  size_t offset;
  size_t end;  // after the record
};

// Records lie in entry order without gaps, or elsewhere (a layout says
// where). The table reader refuses records that share bytes.
enum class TableShape { kInOrder, kPlaced };

class SegmentPrinter {
 public:
  SegmentPrinter(const PrintOptions& options, std::vector<std::string> handlers)
      : writer_(options), handlers_(std::move(handlers)) {}

  void Header() {
    writer_.Line("# Window template segment; `formc` compiles this file back into it.");
    writer_.Line("form 1");
    std::string line = "handlers";
    for (const std::string& name : handlers_) {
      if (line.size() + 1 + name.size() > kHandlerLineWidth && line != "handlers") {
        writer_.Line(line);
        line = "handlers";
      }
      line += " " + name;
    }
    writer_.Line(line);
  }

  void Window(const forms::WindowTemplate& window, uint32_t slot);

  FormWriter& writer() { return writer_; }

 private:
  std::string Handler(uint32_t offset) const {
    if (offset == kNoHandler) return "none";
    if (offset < handlers_.size()) return handlers_[offset];
    return "@" + std::to_string(offset);
  }

  void Words(std::string_view keyword, std::span<const uint32_t> words) {
    if (std::all_of(words.begin(), words.end(), [](uint32_t w) { return w == 0; })) return;
    std::string line(keyword);
    for (uint32_t word : words) line += " " + Hex(word);
    writer_.Line(line);
  }
  void Word(std::string_view keyword, uint32_t word) { Words(keyword, {&word, 1}); }

  void Entry(const forms::UnitTable& table, int32_t index);
  void Unit(uint32_t id, const forms::UnitRecordFields& unit);
  void MenuItem(uint32_t id, const forms::MenuItemFields& item);
  void Layout(const forms::UnitTable& table, const std::vector<Placement>& placements);

  FormWriter writer_;
  std::vector<std::string> handlers_;
};

std::string FlagText(uint32_t flags, const std::array<const char*, 3>& names) {
  std::string text;
  for (uint32_t bit = 0; bit < 3; ++bit) {
    if ((flags & (1u << bit)) == 0) continue;
    text += text.empty() ? "" : " ";
    text += names[bit];
  }
  if ((flags & ~7u) != 0) text += (text.empty() ? "" : " ") + Hex(flags & ~7u);
  return text.empty() ? "none" : text;
}

void SegmentPrinter::Unit(uint32_t id, const forms::UnitRecordFields& unit) {
  const forms::RecordSchema* schema = runtime::units::SchemaForType(unit.type_code);
  const std::string type = schema != nullptr ? std::string(schema->type_name) : Hex(unit.type_code);
  writer_.Open("unit " + Hex(id) + " " + type + " " + QuoteGbk(unit.name));
  if (!unit.comment.empty()) writer_.Line("comment " + QuoteGbk(unit.comment));
  Word("event_source", unit.event_source);
  Words("reserved_head", unit.reserved_head);
  Word("live_slot", unit.live_slot);
  writer_.Line("position " + Decimal(unit.left) + " " + Decimal(unit.top) + " " +
               Decimal(unit.width) + " " + Decimal(unit.height));
  Word("cursor_slot", unit.cursor_slot);
  Word("parent", unit.parent_id);
  if (!unit.children.empty()) {
    std::string line = "children";
    for (uint32_t child : unit.children) line += " " + (child == 0 ? "0" : Hex(child));
    writer_.Line(line);
  }
  if (unit.mouse_pointer.size() == 4) {
    const auto number = static_cast<int32_t>(
        forms::LoadWord(reinterpret_cast<const uint8_t*>(unit.mouse_pointer.data())));
    if (number != 0) writer_.Line("pointer " + Decimal(number));
  } else {
    writer_.Bytes("pointer", unit.mouse_pointer, IdName(id) + "-pointer");
  }
  if (!unit.tag.empty()) writer_.Line("tag " + QuoteGbk(unit.tag));
  Word("reserved_after_tag", unit.reserved_after_tag);
  writer_.Line("flags " + FlagText(unit.flags, {"visible", "disabled", "tabstop"}));
  if (unit.tab_order != 0) writer_.Line("tab_order " + Decimal(unit.tab_order));
  for (const forms::EventBinding& binding : unit.bindings) {
    writer_.Line("on " + Decimal(binding.event) + " " + Handler(binding.handler));
  }
  Words("reserved_tail", unit.reserved_tail);
  writer_.Properties(unit.type_code, unit.properties, IdName(id));
  writer_.Close();
}

void SegmentPrinter::MenuItem(uint32_t id, const forms::MenuItemFields& item) {
  writer_.Open("menu " + Hex(id) + " " + QuoteGbk(item.name));
  if (!item.comment.empty()) writer_.Line("comment " + QuoteGbk(item.comment));
  Word("event_source", item.event_source);
  Words("reserved_head", item.reserved_head);
  writer_.Line("caption " + QuoteGbk(item.caption));
  if (item.level != 0) writer_.Line("level " + std::to_string(item.level));
  if (item.shortcut != 0) writer_.Line("shortcut " + std::to_string(item.shortcut));
  if (item.flags != 0)
    writer_.Line("flags " + FlagText(item.flags, {"hidden", "disabled", "checked"}));
  writer_.Line("handler " + Handler(item.handler));
  Words("reserved_tail", item.reserved_tail);
  if (!item.trailing.empty()) writer_.Bytes("trailing", item.trailing, IdName(id) + "-trailing");
  writer_.Close();
}

void SegmentPrinter::Entry(const forms::UnitTable& table, int32_t index) {
  auto record = table.RecordAt(index);
  if (forms::RecordWord(record, forms::kTypeCodeAt) == forms::kMenuItemType) {
    MenuItem(table.IdAt(index), *forms::ReadMenuItemRecord(record));
  } else {
    Unit(table.IdAt(index), *forms::ReadUnitRecord(record));
  }
}

// The records of `table` by their place in the record area.
std::vector<Placement> Placements(const forms::UnitTable& table) {
  std::vector<Placement> placements;
  const auto& bytes = table.bytes();
  const size_t ids_size = static_cast<size_t>(table.Count()) * 4;  // the offsets follow
  for (int32_t i = 0; i < table.Count(); ++i) {
    const size_t offset = forms::LoadWord(bytes.data() + ids_size + static_cast<size_t>(i) * 4);
    placements.push_back({i, offset, offset + 4 + table.RecordAt(i).size()});
  }
  return placements;
}

TableShape Shape(const forms::UnitTable& table, std::vector<Placement>& placements) {
  const size_t area_size = table.bytes().size() - static_cast<size_t>(table.Count()) * 8;
  size_t expected = 0;
  bool in_order = true;
  for (const Placement& placement : placements) {
    in_order = in_order && placement.offset == expected;
    expected = placement.end;
  }
  if (in_order && expected == area_size) return TableShape::kInOrder;
  std::sort(placements.begin(), placements.end(),
            [](const Placement& a, const Placement& b) { return a.offset < b.offset; });
  return TableShape::kPlaced;
}

void SegmentPrinter::Layout(const forms::UnitTable& table,
                            const std::vector<Placement>& placements) {
  const std::string_view area =
      AsView(table.bytes()).substr(static_cast<size_t>(table.Count()) * 8);
  writer_.Open("layout");
  size_t at = 0;
  for (const Placement& placement : placements) {
    if (placement.offset > at) {
      writer_.Bytes("filler", area.substr(at, placement.offset - at), "filler");
    }
    writer_.Line("record " + std::to_string(placement.entry));
    at = placement.end;
  }
  if (at < area.size()) writer_.Bytes("filler", area.substr(at), "filler");
  writer_.Close();
}

void SegmentPrinter::Window(const forms::WindowTemplate& window, uint32_t slot) {
  writer_.Blank();
  writer_.Open("window " + Hex(window.window_id));
  Word("word_a", window.word_a);
  Word("word_b", window.word_b);
  if (!window.text_c.empty()) writer_.Line("text_c " + QuoteGbk(window.text_c));
  if (!window.text_d.empty()) writer_.Line("text_d " + QuoteGbk(window.text_d));
  Word("slot", slot);
  const forms::UnitTable& table = window.units;
  std::vector<Placement> placements = Placements(table);
  for (int32_t i = 0; i < table.Count(); ++i) {
    writer_.Blank();
    Entry(table, i);
  }
  if (Shape(table, placements) == TableShape::kPlaced) {
    writer_.Blank();
    Layout(table, placements);
  }
  writer_.Close();
}

// The names to print for the handler table: the given ones, or hN for the
// positions in use.
std::optional<std::vector<std::string>> HandlerNames(
    const PrintOptions& options, const std::vector<forms::WindowTemplate>& windows,
    std::string* error) {
  if (!options.handler_names.empty()) {
    std::set<std::string> seen;
    for (const std::string& name : options.handler_names) {
      if (name == "none" || !IsCppIdentifier(name) || !seen.insert(name).second) {
        *error = "'" + name + "' cannot name a handler (letters, digits, '_'; each once)";
        return std::nullopt;
      }
    }
    return options.handler_names;
  }
  uint32_t count = 0;
  for (uint32_t offset : HandlersInUse(windows)) {
    if (offset < kAutoNamedHandlers) count = std::max(count, offset + 1);
  }
  std::vector<std::string> names;
  for (uint32_t i = 0; i < count; ++i) names.push_back("h" + std::to_string(i));
  return names;
}

}  // namespace

PrintResult PrintForm(std::span<const uint8_t> segment, const PrintOptions& options) {
  PrintResult result;
  auto windows = forms::ReadTemplateSegment(segment);
  if (!windows) {
    result.error = "not a readable window template segment";
    return result;
  }
  auto handlers = HandlerNames(options, *windows, &result.error);
  if (!handlers) return result;
  SegmentPrinter printer(options, std::move(*handlers));
  printer.Header();
  for (size_t i = 0; i < windows->size(); ++i) {
    // The map slots follow the window ids.
    const uint32_t slot = forms::LoadWord(segment.data() + 4 + 4 * windows->size() + 4 * i);
    printer.Window((*windows)[i], slot);
  }
  result.ok = true;
  result.text = std::move(printer.writer().text());
  result.assets = std::move(printer.writer().assets());
  return result;
}

}  // namespace tools::form_text
