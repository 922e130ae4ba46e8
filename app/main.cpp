// The editor's process entry: the platform's display first, then the window
// framework joins the runtime, and the program starts through its header and
// ends with the runtime's exit code. With no desktop the editor still runs,
// on the headless display, and plays the demo script that lies next to the
// program file (or, installed, in the tree's data folder), so a run without
// a person ends by itself.
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>

#include "app/app_routines.h"
#include "app/demo_player.h"
#include "app/program.h"
#include "platform/display/choose.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "runtime/core/startup.h"
#include "runtime/forms/framework.h"

namespace {

namespace fs = std::filesystem;

constexpr char kDemoScript[] = "demo.mienzo";

fs::path ProgramDirectory() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path() : self.parent_path();
}

// A build tree or a copied folder has the script beside the program; an
// installed tree keeps it with the other data, at a path fixed relative to
// the program's folder so the tree works under any prefix.
std::optional<fs::path> FindDemoScript(const fs::path& program_folder) {
  const fs::path places[] = {
      program_folder / kDemoScript,
      (program_folder / MIENZO_INSTALLED_DEMO_DIR / kDemoScript).lexically_normal()};
  for (const fs::path& place : places) {
    std::error_code error;
    if (fs::is_regular_file(place, error)) return place;
  }
  std::fprintf(stderr, "mienzo: no demo script: neither %s nor %s exists\n", places[0].c_str(),
               places[1].c_str());
  return std::nullopt;
}

// What the run directory holds, to tell afterwards which files the demo saved.
std::map<fs::path, fs::file_time_type> FilesIn(const fs::path& folder) {
  std::map<fs::path, fs::file_time_type> files;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error)) files[entry.path()] = entry.last_write_time(error);
  }
  return files;
}

void PrintDemoResults(const app::DemoPlayer& player,
                      const std::map<fs::path, fs::file_time_type>& before,
                      const fs::path& folder) {
  for (const std::string& problem : player.problems()) {
    std::fprintf(stderr, "mienzo: demo: %s\n", problem.c_str());
  }
  for (const std::string& shot : player.screenshots())
    std::printf("screenshot: %s\n", shot.c_str());
  for (const auto& [path, written] : FilesIn(folder)) {
    const auto was = before.find(path);
    if (was != before.end() && was->second == written) continue;
    bool is_shot = false;
    for (const std::string& shot : player.screenshots()) is_shot |= fs::path(shot) == path;
    if (!is_shot) std::printf("saved: %s\n", path.c_str());
  }
  if (!player.finished()) std::fprintf(stderr, "mienzo: demo: the window closed before the end\n");
}

int RunDemo(platform::HeadlessDisplay& display, const std::string& reason) {
  const fs::path folder = ProgramDirectory();
  const std::optional<fs::path> found = FindDemoScript(folder);
  if (!found) return 1;
  const std::string script_path = found->string();
  app::DemoScript script = app::ReadDemoScript(script_path);
  if (!script.ok()) {
    std::fprintf(stderr, "mienzo: demo %s: %s\n", script_path.c_str(), script.error.c_str());
    return 1;
  }
  std::fprintf(stderr, "mienzo: no desktop display (%s); playing the demo %s\n", reason.c_str(),
               script_path.c_str());
  const auto before = FilesIn(folder);
  app::DemoPlayer player(display, std::move(script),
                         {found->parent_path().string(), folder.string()});
  player.Start();
  runtime::forms::InstallFormsFramework();
  const int32_t exit_code = runtime::RunProgram(app::Program(), app::StartRoutine);
  PrintDemoResults(player, before, folder);
  std::fflush(stdout);
  return exit_code;
}

}  // namespace

int main() {
  const platform::DisplayChoice display = platform::CreateDisplay();
  if (display.display == nullptr) {
    std::fprintf(stderr, "mienzo: no display: %s\n", display.reason.c_str());
    return 1;
  }
  if (display.kind == platform::DisplayKind::kHeadless) {
    auto& headless = static_cast<platform::HeadlessDisplay&>(*display.display);
    ExitProcess(static_cast<UINT>(RunDemo(headless, display.reason)));
  }
  runtime::forms::InstallFormsFramework();
  const int32_t exit_code = runtime::RunProgram(app::Program(), app::StartRoutine);
  ExitProcess(static_cast<UINT>(exit_code));
}
