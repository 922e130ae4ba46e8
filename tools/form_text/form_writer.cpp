#include "tools/form_text/form_writer.h"

#include <cstdio>
#include <cstring>

#include "runtime/units/unit_schemas.h"
#include "tools/form_text/byte_text.h"
#include "tools/form_text/text_quote.h"

namespace tools::form_text {

using runtime::forms::FieldKind;
using runtime::forms::FieldSpec;
using runtime::forms::IntStyle;
using runtime::forms::RecordValues;

namespace {

// Short values stay on their statement's line as hex; longer ones become
// base64 blocks of this width.
constexpr size_t kInlineHexLimit = 32;
constexpr size_t kBase64Width = 76;
// Item lists longer than this go one item per line.
constexpr size_t kItemLineLimit = 80;

bool StartsWith(std::string_view bytes, std::string_view magic, size_t at = 0) {
  return bytes.size() >= at + magic.size() && bytes.substr(at, magic.size()) == magic;
}

// A file extension from the first bytes, so asset files open in other tools.
const char* Extension(std::string_view bytes) {
  if (StartsWith(bytes, "\xFF\xD8")) return ".jpg";
  if (StartsWith(bytes, "\x89PNG")) return ".png";
  if (StartsWith(bytes, "BM")) return ".bmp";
  if (StartsWith(bytes, "GIF8")) return ".gif";
  if (StartsWith(bytes, std::string_view("\0\0\1\0", 4))) return ".ico";
  if (StartsWith(bytes, std::string_view("\0\0\2\0", 4))) return ".cur";
  if (StartsWith(bytes, "RIFF") && StartsWith(bytes, "WAVE", 8)) return ".wav";
  if (StartsWith(bytes, "MThd")) return ".mid";
  return ".bin";
}

std::string IntText(const FieldSpec& field, int32_t value) {
  if (field.style == IntStyle::kColor) return Hex(static_cast<uint32_t>(value));
  if (field.style == IntStyle::kLogical && (value == 0 || value == 1)) {
    return value != 0 ? "true" : "false";
  }
  return Decimal(value);
}

}  // namespace

std::string Decimal(int32_t value) { return std::to_string(value); }

std::string Hex(uint32_t value) {
  char text[11];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

void FormWriter::Blank() {
  // No blank line right after a block opens.
  if (!text_.empty() && !text_.ends_with("{\n")) text_ += '\n';
}

void FormWriter::Line(std::string_view text) {
  text_.append(static_cast<size_t>(depth_) * 2, ' ');
  text_ += text;
  text_ += '\n';
}

void FormWriter::Open(std::string_view text) {
  Line(std::string(text) + " {");
  ++depth_;
}

void FormWriter::Close() {
  --depth_;
  Line("}");
}

std::string FormWriter::AssetPath(std::string_view name, std::string_view bytes) {
  const std::string base = options_.asset_dir + "/" + std::string(name);
  const char* extension = Extension(bytes);
  std::string path = base + extension;
  // Two windows may share an id, so two entries may share a name.
  for (int copy = 2; !asset_paths_.insert(path).second; ++copy) {
    path = base + "-" + std::to_string(copy) + extension;
  }
  return path;
}

void FormWriter::Bytes(std::string_view prefix, std::string_view bytes,
                       std::string_view asset_name) {
  const std::string head(prefix);
  if (bytes.empty()) {
    Line(head + " none");
  } else if (!options_.asset_dir.empty() && bytes.size() >= options_.asset_min_size) {
    std::string path = AssetPath(asset_name, bytes);
    Line(head + " file " + QuoteUtf8(path));
    assets_.push_back({std::move(path), std::string(bytes)});
  } else if (bytes.size() <= kInlineHexLimit) {
    Line(head + " hex " + ToHex(bytes));
  } else {
    Open(head + " base64");
    const std::string digits = ToBase64(bytes);
    for (std::string_view line : WrapLines(digits, kBase64Width)) Line(line);
    Close();
  }
}

void FormWriter::Field(const RecordValues& values, size_t index, std::string_view asset_base) {
  const FieldSpec& field = values.schema().fields[index];
  const std::string name(field.name);
  switch (field.kind) {
    case FieldKind::kInt32:
    case FieldKind::kInt16:
      Line(name + " " + IntText(field, values.Int(index)));
      return;
    case FieldKind::kBytes:
      Bytes(name, values.Text(index), std::string(asset_base) + "-" + name);
      return;
    case FieldKind::kText:
      Line(name + " " + QuoteGbk(values.Text(index)));
      return;
    case FieldKind::kItemList: {
      std::string line = name;
      for (const std::string& item : values.Items(index)) line += " " + QuoteGbk(item);
      if (line.size() <= kItemLineLimit) {
        Line(line);
        return;
      }
      Open(name);
      for (const std::string& item : values.Items(index)) Line(QuoteGbk(item));
      Close();
      return;
    }
  }
}

void FormWriter::Properties(uint32_t type_code, std::string_view record,
                            std::string_view asset_base) {
  if (record.empty()) {
    Line("properties none");
    return;
  }
  const runtime::forms::RecordSchema* schema = runtime::units::SchemaForType(type_code);
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(record.data()),
                                       record.size());
  auto values = schema != nullptr ? ReadRecord(*schema, bytes) : std::nullopt;
  if (!values || WriteRecord(*values, values->version()) != record) {
    if (schema != nullptr) {
      Line("# not a " + std::string(schema->type_name) + " record as this runtime writes them");
    }
    Bytes("properties", record, std::string(asset_base) + "-properties");
    return;
  }
  const size_t mark = text_.size();
  Open("properties");
  const size_t empty_size = text_.size();
  if (values->version() != schema->written_version) {
    Line("version " + std::to_string(values->version()));
  }
  for (size_t i = 0; i < values->size(); ++i) {
    if (schema->fields[i].since > values->version()) continue;
    if (options_.all_fields || !values->IsDefault(i)) Field(*values, i, asset_base);
  }
  if (text_.size() == empty_size) {
    // Nothing differs from the defaults: `properties { }` on one line.
    text_.resize(mark);
    --depth_;
    Line("properties { }");
    return;
  }
  Close();
}

}  // namespace tools::form_text
