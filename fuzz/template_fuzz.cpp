// Arbitrary bytes as a window template segment. A segment the reader accepts
// must hold up under everything the runtime and the form tools do with it:
// every record's fields can be located and rewritten whole, stored property
// records read through the unit types' schemas write back readable, tags can
// grow and shrink in place, handlers relocate, and the dumper's text compiles
// back into exactly the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "runtime/forms/record_fields.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/template_segment.h"
#include "runtime/forms/unit_record.h"
#include "runtime/units/unit_schemas.h"
#include "tools/form_text/form_parser.h"
#include "tools/form_text/form_printer.h"

namespace {

namespace forms = runtime::forms;

void Check(bool condition) {
  if (!condition) std::abort();
}

std::span<const uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

std::string AsString(std::span<const uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

// Stored properties through the type's schema: whatever reads writes back
// into a record that reads again to the same values.
void CheckProperties(uint32_t type_code, std::span<const uint8_t> properties) {
  const forms::RecordSchema* schema = runtime::units::SchemaForType(type_code);
  if (schema == nullptr) return;
  auto values = forms::ReadRecord(*schema, properties);
  if (!values) return;
  for (uint32_t version : {values->version(), schema->written_version}) {
    const std::string record = forms::WriteRecord(*values, version);
    auto again = forms::ReadRecord(*schema, AsBytes(record));
    Check(again.has_value());
    Check(forms::WriteRecord(*again, version) == record);
  }
}

void CheckRecords(const forms::UnitTable& table) {
  for (int32_t i = 0; i < table.Count(); ++i) {
    auto record = table.RecordAt(i);
    if (forms::RecordWord(record, forms::kTypeCodeAt) == forms::kMenuItemType) {
      auto item = forms::ReadMenuItemRecord(record);
      Check(item.has_value() && forms::WriteMenuItemRecord(*item) == AsString(record));
      continue;
    }
    auto layout = forms::LocateUnitFields(record);
    auto unit = forms::ReadUnitRecord(record);
    Check(layout.has_value() && unit.has_value());
    Check(forms::WriteUnitRecord(*unit) == AsString(record));
    Check(AsString(table.StoredProperties(i)) == unit->properties);
    CheckProperties(unit->type_code, table.StoredProperties(i));
  }
}

// Replaces the tag of every unit, then puts it back, checking after each
// step that the whole table still reads and no other record changed.
void CheckTagRewrites(forms::UnitTable table) {
  for (int32_t i = 0; i < table.Count(); ++i) {
    if (table.TypeCodeAt(i) == forms::kMenuItemType) continue;
    const std::string original = AsString(table.RecordAt(i));
    for (const std::string& tag : {std::string("a longer tag\0", 13), std::string(1, '\0')}) {
      std::vector<std::string> before;
      for (int32_t k = 0; k < table.Count(); ++k) before.push_back(AsString(table.RecordAt(k)));
      auto layout = forms::LocateUnitFields(table.RecordAt(i));
      Check(layout.has_value());
      Check(table.Rewrite(i, layout->tag, layout->tag_length, AsBytes(tag)));
      Check(forms::UnitTable::FromBytes(table.bytes(), static_cast<uint32_t>(table.Count()))
                .has_value());
      for (int32_t k = 0; k < table.Count(); ++k) {
        if (k != i) Check(AsString(table.RecordAt(k)) == before[k]);
      }
      Check(forms::ReadUnitRecord(table.RecordAt(i))->tag == tag.substr(0, tag.size() - 1));
    }
    auto layout = forms::LocateUnitFields(table.RecordAt(i));
    const std::string tag = forms::ReadUnitRecord(AsBytes(original))->tag + '\0';
    Check(table.Rewrite(i, layout->tag, layout->tag_length, AsBytes(tag)));
    Check(AsString(table.RecordAt(i)) == original);
  }
}

// Relocated handlers are positions + 1 within the table, or 0.
void CheckRelocation(forms::UnitTable table, size_t handler_count) {
  if (!forms::RelocateHandlers(table, handler_count)) return;
  for (int32_t i = 0; i < table.Count(); ++i) {
    auto record = table.RecordAt(i);
    if (forms::RecordWord(record, forms::kTypeCodeAt) == forms::kMenuItemType) {
      Check(forms::ReadMenuItemRecord(record)->handler <= handler_count);
      continue;
    }
    const auto unit = forms::ReadUnitRecord(record);
    for (const forms::EventBinding& binding : unit->bindings) {
      Check(binding.handler <= handler_count);
    }
  }
}

void CheckFormText(std::span<const uint8_t> segment, bool to_files) {
  tools::form_text::PrintOptions options;
  if (to_files) {
    options.asset_dir = "assets";
    options.asset_min_size = 8;
    options.all_fields = true;
  }
  const tools::form_text::PrintResult printed = tools::form_text::PrintForm(segment, options);
  Check(printed.ok);
  std::map<std::string, std::string> files;
  for (const tools::form_text::Asset& asset : printed.assets) files[asset.path] = asset.bytes;
  auto load = [&files](const std::string& path) -> std::optional<std::string> {
    auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  };
  const tools::form_text::CompileResult compiled =
      tools::form_text::CompileForm(printed.text, load);
  Check(compiled.form.has_value());
  Check(compiled.form->segment == AsString(segment));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> segment(data, size);
  auto windows = forms::ReadTemplateSegment(segment);
  if (!windows) return 0;
  for (const forms::WindowTemplate& window : *windows) {
    CheckRecords(window.units);
    CheckTagRewrites(window.units);
    CheckRelocation(window.units, 16);
  }
  CheckFormText(segment, size % 2 == 1);
  return 0;
}
