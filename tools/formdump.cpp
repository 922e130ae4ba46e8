// formdump: prints a window template segment as a form file.
//
//   formdump SEGMENT [-o FORM] [--handlers NAME,NAME,...] [--assets DIR
//            [--asset-min BYTES]] [--all-fields]
//
// --assets writes byte values of 256 bytes or more (--asset-min; pictures,
// icons) as files into DIR, which the form then names relative to its own
// folder. The output
// compiles back (formc) into the same segment, byte for byte.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/form_text/form_printer.h"

namespace {

namespace fs = std::filesystem;
using tools::form_text::Asset;
using tools::form_text::PrintForm;
using tools::form_text::PrintOptions;
using tools::form_text::PrintResult;

struct Arguments {
  std::string segment;
  std::string output;
  std::string assets;
  PrintOptions options;
};

int Usage(const char* why) {
  std::fprintf(stderr,
               "formdump: %s\nusage: formdump SEGMENT [-o FORM] [--handlers NAME,NAME,...] "
               "[--assets DIR [--asset-min BYTES]] [--all-fields]\n",
               why);
  return 2;
}

std::vector<std::string> SplitNames(const std::string& list) {
  std::vector<std::string> names;
  std::stringstream in(list);
  for (std::string name; std::getline(in, name, ',');) names.push_back(name);
  return names;
}

const char* Parse(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (flag == "--all-fields") {
      args.options.all_fields = true;
      continue;
    }
    std::string handlers;
    std::string asset_min;
    std::string* value = flag == "-o"            ? &args.output
                         : flag == "--assets"    ? &args.assets
                         : flag == "--asset-min" ? &asset_min
                         : flag == "--handlers"  ? &handlers
                                                 : nullptr;
    if (value == nullptr) {
      if (!flag.empty() && flag[0] == '-') return "unknown option";
      if (!args.segment.empty()) return "more than one segment file";
      args.segment = flag;
      continue;
    }
    if (++i == argc) return "an option lacks its value";
    *value = argv[i];
    if (value == &handlers) args.options.handler_names = SplitNames(handlers);
    if (value == &asset_min) {
      char* end = nullptr;
      args.options.asset_min_size = std::strtoul(asset_min.c_str(), &end, 10);
      if (asset_min.empty() || *end != '\0') return "--asset-min takes a byte count";
    }
  }
  return args.segment.empty() ? "a segment file is needed" : nullptr;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::error_code ignored;
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), ignored);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) std::fprintf(stderr, "formdump: cannot write %s\n", path.string().c_str());
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (const char* why = Parse(argc, argv, args)) return Usage(why);
  std::ifstream in(args.segment, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "formdump: cannot read %s\n", args.segment.c_str());
    return 1;
  }
  std::ostringstream read;
  read << in.rdbuf();
  const std::string bytes = read.str();

  // Asset names in the form are relative to the form's folder.
  const fs::path form_folder =
      args.output.empty() ? fs::path(".") : fs::path(args.output).parent_path();
  if (!args.assets.empty()) {
    args.options.asset_dir = fs::path(args.assets)
                                 .lexically_proximate(form_folder.empty() ? "." : form_folder)
                                 .generic_string();
  }
  const PrintResult result =
      PrintForm({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, args.options);
  if (!result.ok) {
    std::fprintf(stderr, "formdump: %s: %s\n", args.segment.c_str(), result.error.c_str());
    return 1;
  }
  for (const Asset& asset : result.assets) {
    if (!WriteFile(form_folder / asset.path, asset.bytes)) return 1;
  }
  if (args.output.empty()) {
    std::fwrite(result.text.data(), 1, result.text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  return WriteFile(args.output, result.text) ? 0 : 1;
}
