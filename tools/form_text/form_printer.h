// The form dumper: any readable template segment to form-file text that the
// compiler turns back into the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tools::form_text {

struct PrintOptions {
  // The handler table's names in order. Without them, handlers are named
  // h0, h1, ... up to the highest position in use (offsets far beyond any
  // plausible table are written as @offset).
  std::vector<std::string> handler_names;
  // Also list stored properties that hold their default.
  bool all_fields = false;
  // When set, byte values of at least `asset_min_size` bytes are written as
  // `file "<asset_dir>/<name>"` and handed back as assets instead of inline.
  std::string asset_dir;
  size_t asset_min_size = 256;
};

// A file the form refers to; `path` is as written in the form.
struct Asset {
  std::string path;
  std::string bytes;
};

struct PrintResult {
  bool ok = false;
  std::string text;
  std::string error;
  std::vector<Asset> assets;
};

PrintResult PrintForm(std::span<const uint8_t> segment, const PrintOptions& options);

}  // namespace tools::form_text
