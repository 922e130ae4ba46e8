// Helpers shared by the form compiler's and dumper's tests.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>

#include "tools/form_text/form_parser.h"

namespace tools::form_text {

inline std::span<const uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Files by name, so tests need no folder.
inline FileLoader Files(std::map<std::string, std::string> files) {
  return [files = std::move(files)](const std::string& path) -> std::optional<std::string> {
    auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  };
}

}  // namespace tools::form_text
