// The compiled segment as C++ source, for linking into the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tools::form_text {

struct CppSourceOptions {
  std::string symbol;       // names the byte array; the other names derive from it
  std::string source_name;  // the form file, for the heading comment
  // When set, the handlers are declared as event handlers in this namespace
  // and `<symbol>_handlers` is the handler table (null-terminated).
  std::string handler_namespace;
};

// Defines, at namespace scope:
//   extern const uint8_t <symbol>[];              the segment bytes
//   extern const size_t <symbol>_size;
//   extern const char* const <symbol>_handler_names[];  in table order, then null
//   extern const size_t <symbol>_handler_count;
// and with a handler namespace
//   extern const runtime::EventHandler <symbol>_handlers[];  then null
std::string CppSource(std::string_view segment, const std::vector<std::string>& handlers,
                      const CppSourceOptions& options);

// Whether `name` can be a C++ identifier (ASCII letters, digits, '_'), or
// for namespaces a `::`-separated path of them.
bool IsCppIdentifier(std::string_view name);
bool IsCppNamespace(std::string_view name);

}  // namespace tools::form_text
