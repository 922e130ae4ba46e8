// Writing form-file text: indented lines and blocks, byte values (inline or
// as asset files) and stored property records through their schemas.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/forms/record_schema.h"
#include "tools/form_text/form_printer.h"

namespace tools::form_text {

class FormWriter {
 public:
  explicit FormWriter(const PrintOptions& options) : options_(options) {}

  void Line(std::string_view text);
  void Blank();
  void Open(std::string_view text);  // `text {`, one level deeper
  void Close();

  // `<prefix> <bytes>`: none, hex, a base64 block, or a file named after
  // `asset_name` (an extension is added from the bytes' kind).
  void Bytes(std::string_view prefix, std::string_view bytes, std::string_view asset_name);

  // The `properties` statement of a unit of `type_code`: through the type's
  // schema when the record reads and writes back unchanged, else as bytes.
  void Properties(uint32_t type_code, std::string_view record, std::string_view asset_base);

  std::string& text() { return text_; }
  std::vector<Asset>& assets() { return assets_; }

 private:
  void Field(const runtime::forms::RecordValues& values, size_t index, std::string_view asset_base);
  std::string AssetPath(std::string_view name, std::string_view bytes);

  const PrintOptions& options_;
  std::string text_;
  int depth_ = 0;
  std::vector<Asset> assets_;
  std::set<std::string> asset_paths_;
};

// Decimal for signed fields, 0x%08X for ids and words.
std::string Decimal(int32_t value);
std::string Hex(uint32_t value);

}  // namespace tools::form_text
