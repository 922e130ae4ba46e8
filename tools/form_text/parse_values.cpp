#include "tools/form_text/parse_values.h"

#include <optional>
#include <set>
#include <string_view>

#include "tools/form_text/byte_text.h"

namespace tools::form_text {

using runtime::forms::FieldKind;
using runtime::forms::FieldSpec;
using runtime::forms::RecordSchema;
using runtime::forms::RecordValues;

namespace {

std::optional<int64_t> ParseNumber(std::string_view word) {
  const bool negative = !word.empty() && word[0] == '-';
  if (negative) word.remove_prefix(1);
  const bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
  if (hex) word.remove_prefix(2);
  if (word.empty() || word.size() > (hex ? 8u : 10u) || (hex && negative)) return std::nullopt;
  int64_t value = 0;
  for (char c : word) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + digit;
  }
  return negative ? -value : value;
}

const Token& ArgumentToken(const Statement& statement, size_t index) {
  if (index >= statement.tokens.size()) {
    Fail(statement, "'" + Keyword(statement) + "' needs more values");
  }
  return statement.tokens[index];
}

int64_t NumberArgument(const Statement& statement, size_t index, int64_t lowest, int64_t highest) {
  const Token& token = ArgumentToken(statement, index);
  auto value = token.quoted ? std::nullopt : ParseNumber(token.text);
  if (!value) Fail(statement, "'" + token.text + "' is not a number");
  if (*value < lowest || *value > highest) {
    Fail(statement, token.text + " is out of range (" + std::to_string(lowest) + " to " +
                        std::to_string(highest) + ")");
  }
  return *value;
}

void ExpectNoBlock(const Statement& statement) {
  if (statement.has_block) Fail(statement, "'" + Keyword(statement) + "' takes no block");
}

// The words of a data block (hex or base64 lines), joined.
std::string BlockWords(const Statement& statement) {
  std::string joined;
  for (const Statement& line : statement.block) {
    if (line.has_block) Fail(line, "a block cannot hold another block here");
    for (const Token& token : line.tokens) {
      if (token.quoted) Fail(line, "expected digits, not a quoted text");
      joined += token.text;
    }
  }
  return joined;
}

std::string EncodedBytes(const Statement& statement, size_t index, bool base64) {
  std::string digits;
  if (statement.has_block) {
    if (statement.tokens.size() != index + 1) Fail(statement, "the block follows the encoding");
    digits = BlockWords(statement);
  } else {
    ExpectArguments(statement, index + 1);
    const Token& token = statement.tokens[index + 1];
    if (token.quoted) Fail(statement, "expected digits, not a quoted text");
    digits = token.text;
  }
  auto bytes = base64 ? FromBase64(digits) : FromHex(digits);
  if (!bytes) {
    Fail(statement, base64 ? "not base64 (A-Z a-z 0-9 + /, padded with '=' to groups of four)"
                           : "not hexadecimal bytes (an even number of 0-9 A-F)");
  }
  return *bytes;
}

std::string FileBytes(const Statement& statement, size_t index, const ValueContext& context) {
  ExpectArguments(statement, index + 1);
  const Token& name = statement.tokens[index + 1];
  if (!name.quoted) Fail(statement, "the file name must be quoted");
  auto bytes = context.load != nullptr && *context.load ? (*context.load)(name.utf8) : std::nullopt;
  if (!bytes) Fail(statement, "cannot read the file \"" + name.utf8 + "\"");
  if (context.files != nullptr) context.files->push_back(name.utf8);
  return *bytes;
}

void ReadIntField(const Statement& statement, const FieldSpec& field, size_t index,
                  RecordValues& values) {
  ExpectArguments(statement, 1);
  const Token& token = statement.tokens[1];
  int32_t value = 0;
  if (!token.quoted && (token.text == "true" || token.text == "false")) {
    value = token.text == "true" ? 1 : 0;
  } else if (field.kind == FieldKind::kInt16) {
    value = static_cast<int32_t>(NumberArgument(statement, 1, -32768, 65535));
  } else {
    value = SignedArgument(statement, 1);
  }
  values.SetInt(index, value);
}

std::vector<std::string> ItemTexts(const Statement& statement) {
  std::vector<std::string> items;
  for (size_t i = 1; i < statement.tokens.size(); ++i) items.push_back(TextArgument(statement, i));
  for (const Statement& line : statement.block) {
    if (line.has_block) Fail(line, "a block cannot hold another block here");
    for (size_t i = 0; i < line.tokens.size(); ++i) items.push_back(TextArgument(line, i));
  }
  return items;
}

void ReadField(const Statement& statement, const FieldSpec& field, size_t index,
               RecordValues& values, const ValueContext& context) {
  switch (field.kind) {
    case FieldKind::kInt32:
    case FieldKind::kInt16:
      ReadIntField(statement, field, index, values);
      break;
    case FieldKind::kBytes:
      values.SetText(index, BytesArgument(statement, 1, context));
      break;
    case FieldKind::kText:
      ExpectArguments(statement, 1);
      values.SetText(index, TextArgument(statement, 1));
      break;
    case FieldKind::kItemList:
      values.SetItems(index, ItemTexts(statement));
      break;
  }
}

std::string SchemaRecord(const Statement& statement, const RecordSchema& schema,
                         const ValueContext& context) {
  RecordValues values(schema);
  uint32_t version = schema.written_version;
  std::set<size_t> seen;
  for (const Statement& line : statement.block) {
    const std::string& name = Keyword(line);
    if (name == "version") {
      if (!seen.empty()) Fail(line, "'version' must come before the properties");
      ExpectArguments(line, 1);
      version = WordArgument(line, 1);
      if (version > schema.accepted_version) {
        Fail(line, std::string(schema.type_name) + " records go up to version " +
                       std::to_string(schema.accepted_version));
      }
      continue;
    }
    const int32_t index = schema.IndexOf(name);
    if (index < 0)
      Fail(line, std::string(schema.type_name) + " has no stored property '" + name + "'");
    const FieldSpec& field = schema.fields[static_cast<size_t>(index)];
    if (!seen.insert(static_cast<size_t>(index)).second)
      Fail(line, "'" + name + "' is given twice");
    if (field.since > version) {
      Fail(line, "'" + name + "' came with version " + std::to_string(field.since) +
                     " and is not part of a version " + std::to_string(version) + " record");
    }
    ReadField(line, field, static_cast<size_t>(index), values, context);
  }
  return WriteRecord(values, version);
}

}  // namespace

void Fail(const Statement& statement, const std::string& message) {
  throw FormError{statement.line, message};
}

const std::string& Keyword(const Statement& statement) { return statement.tokens.front().text; }

void ExpectArguments(const Statement& statement, size_t count) {
  ExpectNoBlock(statement);
  if (statement.tokens.size() != count + 1) {
    Fail(statement, "'" + Keyword(statement) + "' takes " + std::to_string(count) +
                        (count == 1 ? " value" : " values") + ", not " +
                        std::to_string(statement.tokens.size() - 1));
  }
}

uint32_t WordArgument(const Statement& statement, size_t index) {
  return static_cast<uint32_t>(NumberArgument(statement, index, INT32_MIN, UINT32_MAX));
}

int32_t SignedArgument(const Statement& statement, size_t index) {
  return static_cast<int32_t>(WordArgument(statement, index));
}

std::string TextArgument(const Statement& statement, size_t index) {
  const Token& token = ArgumentToken(statement, index);
  if (!token.quoted) Fail(statement, "expected a quoted text, not '" + token.text + "'");
  if (!token.gbk_error.empty()) Fail(statement, token.gbk_error);
  return token.text;
}

std::string RecordTextArgument(const Statement& statement, size_t index) {
  std::string text = TextArgument(statement, index);
  if (text.find('\0') != std::string::npos) {
    Fail(statement, "this text ends at its first NUL in the record; it cannot hold \\x00");
  }
  return text;
}

std::string BytesArgument(const Statement& statement, size_t index, const ValueContext& context) {
  const Token& kind = ArgumentToken(statement, index);
  if (!kind.quoted && kind.text == "none") {
    ExpectArguments(statement, index);
    return {};
  }
  if (!kind.quoted && (kind.text == "hex" || kind.text == "base64")) {
    return EncodedBytes(statement, index, kind.text == "base64");
  }
  if (!kind.quoted && kind.text == "file") return FileBytes(statement, index, context);
  Fail(statement, "expected bytes: none, hex ..., base64 ... or file \"...\"");
}

std::string PropertiesRecord(const Statement& statement, const RecordSchema* schema,
                             const ValueContext& context) {
  if (statement.has_block && statement.tokens.size() == 1) {
    if (schema == nullptr) {
      Fail(statement, "this unit type has no known stored properties; give its record as bytes");
    }
    return SchemaRecord(statement, *schema, context);
  }
  return BytesArgument(statement, 1, context);
}

}  // namespace tools::form_text
