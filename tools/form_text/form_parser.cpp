#include "tools/form_text/form_parser.h"

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "runtime/forms/byte_reader.h"
#include "runtime/forms/record_fields.h"
#include "runtime/forms/template_segment.h"
#include "runtime/units/unit_schemas.h"
#include "tools/form_text/cpp_source.h"
#include "tools/form_text/parse_values.h"

namespace tools::form_text {

namespace forms = runtime::forms;

namespace {

constexpr uint32_t kNoHandler = 0xFFFFFFFF;

// A window statement turned into bytes, with its map slot.
struct ParsedWindow {
  forms::WindowTemplate window;
  uint32_t slot = 0;
};

class FormCompiler {
 public:
  explicit FormCompiler(const FileLoader& load) : load_(load) {
    context_.load = &load_;
    context_.files = &form_.files;
  }
  FormCompiler(const FormCompiler&) = delete;
  FormCompiler& operator=(const FormCompiler&) = delete;

  CompiledForm Compile(std::string_view text) {
    const std::vector<Statement> statements = ParseStatements(text);
    for (const Statement& statement : statements) {
      if (Keyword(statement) == "handlers") AddHandlers(statement);
    }
    std::vector<ParsedWindow> windows;
    for (const Statement& statement : statements) {
      const std::string& keyword = Keyword(statement);
      if (keyword == "window") {
        windows.push_back(Window(statement));
      } else if (keyword == "form") {
        ExpectArguments(statement, 1);
        if (WordArgument(statement, 1) != 1) Fail(statement, "this is form format 1");
      } else if (keyword != "handlers") {
        Fail(statement, "unknown statement '" + keyword + "' (expected form, handlers or window)");
      }
    }
    std::vector<forms::WindowTemplate> templates;
    for (ParsedWindow& parsed : windows) templates.push_back(std::move(parsed.window));
    form_.segment = forms::WriteTemplateSegment(templates);
    // The map slots follow the window ids.
    for (size_t i = 0; i < windows.size(); ++i) {
      forms::StoreWord(
          reinterpret_cast<uint8_t*>(form_.segment.data()) + 4 + 4 * windows.size() + 4 * i,
          windows[i].slot);
    }
    return std::move(form_);
  }

 private:
  void AddHandlers(const Statement& statement) {
    if (statement.has_block) Fail(statement, "'handlers' takes no block");
    for (size_t i = 1; i < statement.tokens.size(); ++i) {
      const Token& token = statement.tokens[i];
      if (token.quoted || !IsCppIdentifier(token.text) || token.text == "none") {
        Fail(statement, "'" + token.text + "' is not a handler name (letters, digits, '_')");
      }
      if (!handler_positions_.emplace(token.text, form_.handlers.size()).second) {
        Fail(statement, "the handler '" + token.text + "' is listed twice");
      }
      form_.handlers.push_back(token.text);
    }
  }

  // A handler reference: a name from the handler list, none, or @offset.
  uint32_t Handler(const Statement& statement, size_t index) {
    const Token& token = statement.tokens[index];
    if (token.quoted) Fail(statement, "a handler is named without quotes");
    if (token.text == "none") return kNoHandler;
    if (token.text.size() > 1 && token.text[0] == '@') {
      Statement offset = statement;
      offset.tokens[index].text = token.text.substr(1);
      return WordArgument(offset, index);
    }
    auto found = handler_positions_.find(token.text);
    if (found == handler_positions_.end()) {
      Fail(statement, "unknown handler '" + token.text + "' (not in the handlers list)");
    }
    return static_cast<uint32_t>(found->second);
  }

  ParsedWindow Window(const Statement& statement);
  std::string Unit(const Statement& statement);
  std::string MenuItem(const Statement& statement);
  bool UnitAttribute(const Statement& line, forms::UnitRecordFields& unit);
  static std::string Layout(const Statement& statement, const std::vector<uint32_t>& ids,
                            const std::vector<std::string>& records, const ValueContext& context);

  // Refuses a second statement of a kind that may appear once.
  static void Once(std::set<std::string>& seen, const Statement& line) {
    if (!seen.insert(Keyword(line)).second) Fail(line, "'" + Keyword(line) + "' is given twice");
  }

  FileLoader load_;
  ValueContext context_;
  CompiledForm form_;
  std::map<std::string, size_t> handler_positions_;
};

template <size_t N>
void Words(const Statement& line, std::array<uint32_t, N>& words) {
  ExpectArguments(line, N);
  for (size_t i = 0; i < N; ++i) words[i] = WordArgument(line, i + 1);
}

uint32_t Flags(const Statement& line, const std::map<std::string, uint32_t>& names) {
  if (line.has_block) Fail(line, "'flags' takes no block");
  uint32_t flags = 0;
  for (size_t i = 1; i < line.tokens.size(); ++i) {
    const Token& token = line.tokens[i];
    auto named = names.find(token.text);
    if (named != names.end() && !token.quoted) {
      flags |= named->second;
      continue;
    }
    if (token.quoted || token.text.empty() || token.text[0] < '0' || token.text[0] > '9') {
      std::string known;
      for (const auto& [name, bit] : names) known += name + ", ";
      Fail(line, "unknown flag '" + token.text + "' (" + known + "or a number)");
    }
    flags |= WordArgument(line, i);
  }
  return flags;
}

ParsedWindow FormCompiler::Window(const Statement& statement) {
  if (statement.tokens.size() != 2 || !statement.has_block) {
    Fail(statement, "expected: window <id> {");
  }
  ParsedWindow parsed;
  forms::WindowTemplate& window = parsed.window;
  window.window_id = WordArgument(statement, 1);
  std::vector<uint32_t> ids;
  std::vector<std::string> records;
  std::set<std::string> seen;
  const Statement* layout = nullptr;
  for (const Statement& line : statement.block) {
    const std::string& keyword = Keyword(line);
    if (keyword == "unit" || keyword == "menu") {
      if (line.tokens.size() < 2) Fail(line, "'" + keyword + "' needs an id");
      ids.push_back(WordArgument(line, 1));
      records.push_back(keyword == "unit" ? Unit(line) : MenuItem(line));
      continue;
    }
    Once(seen, line);
    if (keyword == "word_a" || keyword == "word_b" || keyword == "slot") {
      ExpectArguments(line, 1);
      uint32_t& word = keyword == "word_a"   ? window.word_a
                       : keyword == "word_b" ? window.word_b
                                             : parsed.slot;
      word = WordArgument(line, 1);
    } else if (keyword == "text_c" || keyword == "text_d") {
      ExpectArguments(line, 1);
      (keyword == "text_c" ? window.text_c : window.text_d) = TextArgument(line, 1);
    } else if (keyword == "layout") {
      layout = &line;
    } else {
      Fail(line, "unknown statement '" + keyword + "' in a window");
    }
  }
  std::string bytes;
  if (layout != nullptr) {
    bytes = Layout(*layout, ids, records, context_);
  } else {
    const forms::UnitTable built = forms::UnitTable::Build(ids, records);
    bytes.assign(built.bytes().begin(), built.bytes().end());
  }
  auto units =
      forms::UnitTable::FromBytes({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()},
                                  static_cast<uint32_t>(ids.size()));
  // Records written here always read; this guards the layout's arithmetic.
  if (!units) Fail(statement, "the unit table would not be readable");
  window.units = std::move(*units);
  return parsed;
}

// The table bytes with the records placed in the order (and with the filler
// bytes) that the layout lists.
std::string FormCompiler::Layout(const Statement& statement, const std::vector<uint32_t>& ids,
                                 const std::vector<std::string>& records,
                                 const ValueContext& context) {
  if (!statement.has_block || statement.tokens.size() != 1) Fail(statement, "expected: layout {");
  std::string area;
  std::vector<int64_t> offsets(ids.size(), -1);
  for (const Statement& line : statement.block) {
    if (Keyword(line) == "filler") {
      area += BytesArgument(line, 1, context);
      continue;
    }
    if (Keyword(line) != "record") Fail(line, "a layout lists 'record <entry>' and 'filler' lines");
    ExpectArguments(line, 1);
    const uint32_t entry = WordArgument(line, 1);
    if (entry >= ids.size()) Fail(line, "there is no entry " + std::to_string(entry));
    if (offsets[entry] >= 0) Fail(line, "entry " + std::to_string(entry) + " is placed twice");
    offsets[entry] = static_cast<int64_t>(area.size());
    forms::AppendWord(area, static_cast<uint32_t>(records[entry].size()));
    area += records[entry];
  }
  std::string bytes;
  for (uint32_t id : ids) forms::AppendWord(bytes, id);
  for (size_t i = 0; i < ids.size(); ++i) {
    if (offsets[i] < 0) Fail(statement, "the layout does not place entry " + std::to_string(i));
    forms::AppendWord(bytes, static_cast<uint32_t>(offsets[i]));
  }
  return bytes + area;
}

std::string FormCompiler::Unit(const Statement& statement) {
  if (statement.tokens.size() != 4 || !statement.has_block) {
    Fail(statement, "expected: unit <id> <type> \"<name>\" {");
  }
  forms::UnitRecordFields unit;
  const Token& type = statement.tokens[2];
  const runtime::forms::RecordSchema* schema =
      type.quoted ? nullptr : runtime::units::SchemaForTypeName(type.text);
  const bool numeric = !type.quoted && !type.text.empty() &&
                       ((type.text[0] >= '0' && type.text[0] <= '9') || type.text[0] == '-');
  if (schema == nullptr && !numeric) {
    Fail(statement, "unknown unit type '" + type.text + "' (a type name or a type code)");
  }
  unit.type_code = schema != nullptr ? schema->type_code : WordArgument(statement, 2);
  if (unit.type_code == forms::kMenuItemType) Fail(statement, "menu items are written as 'menu'");
  schema = runtime::units::SchemaForType(unit.type_code);
  unit.name = RecordTextArgument(statement, 3);
  unit.properties = schema != nullptr ? WriteRecord(forms::RecordValues(*schema)) : std::string();

  std::set<std::string> seen;
  for (const Statement& line : statement.block) {
    if (Keyword(line) == "on") {
      ExpectArguments(line, 2);
      unit.bindings.push_back({SignedArgument(line, 1), Handler(line, 2)});
      continue;
    }
    Once(seen, line);
    if (Keyword(line) == "properties") {
      unit.properties = PropertiesRecord(line, schema, context_);
    } else if (!UnitAttribute(line, unit)) {
      Fail(line, "unknown statement '" + Keyword(line) + "' in a unit");
    }
  }
  return forms::WriteUnitRecord(unit);
}

bool FormCompiler::UnitAttribute(const Statement& line, forms::UnitRecordFields& unit) {
  static const std::map<std::string, uint32_t> kFlagNames = {{"none", 0},
                                                             {"visible", forms::kUnitVisible},
                                                             {"disabled", forms::kUnitDisabled},
                                                             {"tabstop", forms::kUnitTabStop}};
  const std::string& keyword = Keyword(line);
  if (keyword == "position") {
    ExpectArguments(line, 4);
    unit.left = SignedArgument(line, 1);
    unit.top = SignedArgument(line, 2);
    unit.width = SignedArgument(line, 3);
    unit.height = SignedArgument(line, 4);
  } else if (keyword == "children") {
    if (line.has_block) Fail(line, "'children' takes no block");
    for (size_t i = 1; i < line.tokens.size(); ++i) unit.children.push_back(WordArgument(line, i));
  } else if (keyword == "pointer") {
    static const std::set<std::string> kByteForms = {"none", "hex", "base64", "file"};
    const bool number = line.tokens.size() == 2 && !line.tokens[1].quoted && !line.has_block &&
                        !kByteForms.contains(line.tokens[1].text);
    unit.mouse_pointer.clear();
    if (number) {
      forms::AppendWord(unit.mouse_pointer, WordArgument(line, 1));
    } else {
      unit.mouse_pointer = BytesArgument(line, 1, context_);
    }
  } else if (keyword == "flags") {
    unit.flags = Flags(line, kFlagNames);
  } else if (keyword == "comment" || keyword == "tag") {
    ExpectArguments(line, 1);
    (keyword == "comment" ? unit.comment : unit.tag) = RecordTextArgument(line, 1);
  } else if (keyword == "reserved_head") {
    Words(line, unit.reserved_head);
  } else if (keyword == "reserved_tail") {
    Words(line, unit.reserved_tail);
  } else {
    static const std::map<std::string, uint32_t forms::UnitRecordFields::*> kWords = {
        {"event_source", &forms::UnitRecordFields::event_source},
        {"live_slot", &forms::UnitRecordFields::live_slot},
        {"cursor_slot", &forms::UnitRecordFields::cursor_slot},
        {"parent", &forms::UnitRecordFields::parent_id},
        {"reserved_after_tag", &forms::UnitRecordFields::reserved_after_tag}};
    if (keyword == "tab_order") {
      ExpectArguments(line, 1);
      unit.tab_order = SignedArgument(line, 1);
      return true;
    }
    auto word = kWords.find(keyword);
    if (word == kWords.end()) return false;
    ExpectArguments(line, 1);
    unit.*(word->second) = WordArgument(line, 1);
  }
  return true;
}

std::string FormCompiler::MenuItem(const Statement& statement) {
  static const std::map<std::string, uint32_t> kFlagNames = {{"none", 0},
                                                             {"hidden", forms::kMenuHidden},
                                                             {"disabled", forms::kMenuDisabled},
                                                             {"checked", forms::kMenuChecked}};
  if (statement.tokens.size() != 3 || !statement.has_block) {
    Fail(statement, "expected: menu <id> \"<name>\" {");
  }
  forms::MenuItemFields item;
  item.name = RecordTextArgument(statement, 2);
  std::set<std::string> seen;
  for (const Statement& line : statement.block) {
    const std::string& keyword = Keyword(line);
    Once(seen, line);
    if (keyword == "comment" || keyword == "caption") {
      ExpectArguments(line, 1);
      (keyword == "comment" ? item.comment : item.caption) = RecordTextArgument(line, 1);
    } else if (keyword == "event_source" || keyword == "shortcut" || keyword == "level") {
      ExpectArguments(line, 1);
      uint32_t& word = keyword == "event_source" ? item.event_source
                       : keyword == "shortcut"   ? item.shortcut
                                                 : item.level;
      word = WordArgument(line, 1);
    } else if (keyword == "flags") {
      item.flags = Flags(line, kFlagNames);
    } else if (keyword == "handler") {
      ExpectArguments(line, 1);
      item.handler = Handler(line, 1);
    } else if (keyword == "reserved_head") {
      Words(line, item.reserved_head);
    } else if (keyword == "reserved_tail") {
      Words(line, item.reserved_tail);
    } else if (keyword == "trailing") {
      item.trailing = BytesArgument(line, 1, context_);
    } else {
      Fail(line, "unknown statement '" + keyword + "' in a menu item");
    }
  }
  return forms::WriteMenuItemRecord(item);
}

}  // namespace

FileLoader FilesRelativeTo(std::filesystem::path dir) {
  return [dir = std::move(dir)](const std::string& path) -> std::optional<std::string> {
    const std::filesystem::path file = dir / std::filesystem::path(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return bytes.str();
  };
}

CompileResult CompileForm(std::string_view text, const FileLoader& load) {
  CompileResult result;
  try {
    result.form = FormCompiler(load).Compile(text);
  } catch (const FormError& error) {
    result.error = error;
  }
  return result;
}

}  // namespace tools::form_text
