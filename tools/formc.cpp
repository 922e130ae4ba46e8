// formc: compiles a form file into a window template segment.
//
//   formc FORM -o SEGMENT [--cpp SOURCE --symbol NAME [--handler-namespace NS]]
//         [--depfile DEPFILE]
//
// Errors go to stderr as "FORM:LINE: what is wrong"; the exit code is then 1
// (2 for a wrong command line) and no output file is written.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tools/form_text/cpp_source.h"
#include "tools/form_text/form_parser.h"

namespace {

namespace fs = std::filesystem;
using tools::form_text::CompiledForm;
using tools::form_text::CompileForm;
using tools::form_text::CompileResult;
using tools::form_text::CppSource;
using tools::form_text::CppSourceOptions;
using tools::form_text::FilesRelativeTo;
using tools::form_text::IsCppIdentifier;
using tools::form_text::IsCppNamespace;

struct Arguments {
  std::string form;
  std::string output;
  std::string cpp;
  std::string symbol;
  std::string handler_namespace;
  std::string depfile;
};

int Usage(const char* why) {
  std::fprintf(stderr,
               "formc: %s\nusage: formc FORM -o SEGMENT [--cpp SOURCE --symbol NAME "
               "[--handler-namespace NS]] [--depfile DEPFILE]\n",
               why);
  return 2;
}

// Null message when the command line is fine.
const char* Parse(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    std::string* value = flag == "-o"                    ? &args.output
                         : flag == "--cpp"               ? &args.cpp
                         : flag == "--symbol"            ? &args.symbol
                         : flag == "--handler-namespace" ? &args.handler_namespace
                         : flag == "--depfile"           ? &args.depfile
                                                         : nullptr;
    if (value == nullptr) {
      if (!flag.empty() && flag[0] == '-') return "unknown option";
      if (!args.form.empty()) return "more than one form file";
      args.form = flag;
      continue;
    }
    if (++i == argc) return "an option lacks its value";
    *value = argv[i];
  }
  if (args.form.empty() || args.output.empty()) return "a form file and -o are needed";
  if (args.cpp.empty() != args.symbol.empty()) return "--cpp and --symbol go together";
  if (!args.symbol.empty() && !IsCppIdentifier(args.symbol)) return "--symbol is no identifier";
  if (!args.handler_namespace.empty() &&
      (args.cpp.empty() || !IsCppNamespace(args.handler_namespace))) {
    return "--handler-namespace needs --cpp and a namespace name";
  }
  return nullptr;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) std::fprintf(stderr, "formc: cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

// Make's rule syntax: spaces in names are escaped.
std::string DepName(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (const char* why = Parse(argc, argv, args)) return Usage(why);
  std::ifstream in(args.form, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "formc: cannot read %s\n", args.form.c_str());
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const fs::path folder = fs::path(args.form).parent_path();
  const CompileResult result = CompileForm(text.str(), FilesRelativeTo(folder));
  if (!result.form) {
    std::fprintf(stderr, "%s:%d: %s\n", args.form.c_str(), result.error.line,
                 result.error.message.c_str());
    return 1;
  }
  const CompiledForm& form = *result.form;
  if (!WriteFile(args.output, form.segment)) return 1;
  if (!args.cpp.empty()) {
    const CppSourceOptions options{args.symbol, fs::path(args.form).filename().string(),
                                   args.handler_namespace};
    if (!WriteFile(args.cpp, CppSource(form.segment, form.handlers, options))) return 1;
  }
  if (!args.depfile.empty()) {
    std::string rule = DepName(args.output) + ":";
    rule += " " + DepName(args.form);
    std::set<std::string> listed;
    for (const std::string& file : form.files) {
      if (listed.insert(file).second) rule += " " + DepName((folder / file).string());
    }
    if (!WriteFile(args.depfile, rule + "\n")) return 1;
  }
  return 0;
}
