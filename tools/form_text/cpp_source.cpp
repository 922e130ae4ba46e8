#include "tools/form_text/cpp_source.h"

#include <cstdint>
#include <cstdio>

namespace tools::form_text {

namespace {

constexpr size_t kBytesPerLine = 16;

void AppendBytes(std::string& out, std::string_view bytes) {
  char hex[8];
  for (size_t i = 0; i < bytes.size(); ++i) {
    out += i % kBytesPerLine == 0 ? "\n    " : " ";
    std::snprintf(hex, sizeof hex, "0x%02X,", static_cast<uint8_t>(bytes[i]));
    out += hex;
  }
  out += "\n";
}

}  // namespace

bool IsCppIdentifier(std::string_view name) {
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
  for (char c : name) {
    const bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

bool IsCppNamespace(std::string_view name) {
  while (true) {
    const size_t separator = name.find("::");
    if (!IsCppIdentifier(name.substr(0, separator))) return false;
    if (separator == std::string_view::npos) return true;
    name.remove_prefix(separator + 2);
  }
}

std::string CppSource(std::string_view segment, const std::vector<std::string>& handlers,
                      const CppSourceOptions& options) {
  const std::string& symbol = options.symbol;
  std::string out = "// Compiled by formc from " + options.source_name +
                    "; edit the form, not this file.\n"
                    "#include <cstddef>\n#include <cstdint>\n";
  const bool table = !options.handler_namespace.empty();
  if (table) out += "\n#include \"runtime/core/program_header.h\"\n";
  out += "\nextern const uint8_t " + symbol + "[] = {";
  AppendBytes(out, segment);
  out += "};\nextern const size_t " + symbol + "_size = " + std::to_string(segment.size()) + ";\n";

  out += "\nextern const char* const " + symbol + "_handler_names[] = {\n";
  for (const std::string& name : handlers) out += "    \"" + name + "\",\n";
  out += "    nullptr};\nextern const size_t " + symbol +
         "_handler_count = " + std::to_string(handlers.size()) + ";\n";
  if (!table) return out;

  out += "\nnamespace " + options.handler_namespace + " {\n";
  for (const std::string& name : handlers) {
    out += "runtime::HandlerResult " + name + "(const uint32_t* arguments, int32_t count);\n";
  }
  out += "}  // namespace " + options.handler_namespace +
         "\n\nextern const runtime::EventHandler " + symbol + "_handlers[] = {\n";
  for (const std::string& name : handlers) {
    out += "    &" + options.handler_namespace + "::" + name + ",\n";
  }
  out += "    nullptr};\n";
  return out;
}

}  // namespace tools::form_text
