// The form compiler: form-file text to template segment.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/form_text/form_syntax.h"

namespace tools::form_text {

// The bytes of the file a `file "..."` value names, or null when it cannot
// be read.
using FileLoader = std::function<std::optional<std::string>(const std::string& path)>;

// Loads files relative to `dir` (the form file's folder).
FileLoader FilesRelativeTo(std::filesystem::path dir);

struct CompiledForm {
  std::string segment;                // the template segment
  std::vector<std::string> handlers;  // the handler table, in order
  std::vector<std::string> files;     // every file a `file` value read, as written
};

struct CompileResult {
  std::optional<CompiledForm> form;  // null on error
  FormError error;
};

CompileResult CompileForm(std::string_view text, const FileLoader& load);

}  // namespace tools::form_text
