// The editor as `cmake --install` lays it out. Each test installs this build
// tree under a fresh temporary prefix and checks the result where desktops
// and software centres look for it, then runs the installed program with no
// desktop: it plays its demo from the tree's data folder, draws its text with
// the system's fonts and saves beside itself, or, where it may not write,
// loses its saves without a word and still ends normally.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::FileContents;

constexpr char kAppId[] = "org.mienzo.Mienzo";
// The colour picker's colour at start, RGB(255, 80, 128), in which the demo
// writes its text.
constexpr unsigned char kTextColour[3] = {255, 80, 128};

struct Outcome {
  int exit_code = -1;
  std::string out;
  std::string err;
};

int System(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool HaveTool(const std::string& name) {
  return System("command -v " + name + " >/dev/null 2>&1") == 0;
}

// Paths come from mkdtemp under the temporary directory: no quotes in them.
std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i)
    value |= uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
  return value;
}

uint32_t Be32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Pixels of exactly `rgb` in the rectangle [x0, x1) x [y0, y1) (from the top)
// of a 24-bit BMP file image; -1 when it is no such image.
int CountPixels(const std::string& bmp, const unsigned char (&rgb)[3], int x0, int y0, int x1,
                int y1) {
  if (bmp.size() < 54 || bmp.compare(0, 2, "BM") != 0 || bmp[28] != 24) return -1;
  const int width = static_cast<int>(Le32(bmp, 18));
  const int stored_height = static_cast<int>(Le32(bmp, 22));
  const int height = std::abs(stored_height);
  const size_t row = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  const size_t data = Le32(bmp, 10);
  if (bmp.size() < data + row * height) return -1;
  int count = 0;
  for (int y = y0; y < std::min(y1, height); ++y) {
    const int stored_row = stored_height > 0 ? height - 1 - y : y;
    for (int x = x0; x < std::min(x1, width); ++x) {
      const size_t at = data + row * stored_row + static_cast<size_t>(x) * 3;
      const auto byte = [&](size_t i) { return static_cast<unsigned char>(bmp[at + i]); };
      count += byte(2) == rgb[0] && byte(1) == rgb[1] && byte(0) == rgb[2];
    }
  }
  return count;
}

std::set<std::string> FilesUnder(const fs::path& folder) {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_directory()) files.insert(fs::relative(entry.path(), folder).string());
  }
  return files;
}

// key=value lines of a desktop entry's main group.
std::map<std::string, std::string> DesktopKeys(const fs::path& file) {
  std::map<std::string, std::string> keys;
  std::istringstream lines(FileContents(file.string()));
  for (std::string line; std::getline(lines, line);) {
    const size_t equals = line.find('=');
    if (equals != std::string::npos) keys[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return keys;
}

class InstalledTree : public testing::Test {
 protected:
  void SetUp() override {
    // The sanitizer build's program reports large failed requests itself, as
    // in every other test run (scripts/test.sh); a direct ctest run may not
    // have said so.
    setenv("ASAN_OPTIONS", "allocator_may_return_null=1:detect_leaks=1:abort_on_error=0", 0);
    prefix_ = temp_.path() / "prefix";
    const Outcome install = Capture(Quoted(MIENZO_CMAKE_COMMAND) + " --install " +
                                    Quoted(MIENZO_BUILD_DIR) + " --prefix " + Quoted(prefix_));
    ASSERT_EQ(install.exit_code, 0) << install.out << install.err;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(Bin(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }

  // Runs `command` through the shell, its output in files of the test folder.
  Outcome Capture(const std::string& command) const {
    const fs::path out = temp_.path() / "out.txt";
    const fs::path err = temp_.path() / "err.txt";
    Outcome outcome;
    outcome.exit_code = System(command + " >" + Quoted(out) + " 2>" + Quoted(err));
    outcome.out = FileContents(out.string());
    outcome.err = FileContents(err.string());
    return outcome;
  }
  // The installed program with no desktop, started from `folder`; `as` goes
  // before it (a change of user).
  Outcome RunProgram(const fs::path& folder, const std::string& as = "") const {
    return Capture("cd " + Quoted(folder) +
                   " && env -u DISPLAY -u WAYLAND_DISPLAY -u MIENZO_DISPLAY " + as + " " +
                   Quoted(Bin() / "mienzo"));
  }

  fs::path Bin() const { return prefix_ / MIENZO_INSTALL_BINDIR; }
  fs::path Data() const { return prefix_ / MIENZO_INSTALL_DATADIR; }
  fs::path DesktopFile() const {
    return Data() / "applications" / (std::string(kAppId) + ".desktop");
  }
  fs::path MetainfoFile() const {
    return Data() / "metainfo" / (std::string(kAppId) + ".metainfo.xml");
  }
  fs::path Icon(int size) const {
    return Data() / "icons/hicolor" / (std::to_string(size) + "x" + std::to_string(size)) / "apps" /
           (std::string(kAppId) + ".png");
  }

  testing_support::TempDir temp_;
  fs::path prefix_;
};

TEST_F(InstalledTree, HoldsTheProgramItsDemoAndItsDesktopFilesAndNothingElse) {
  const fs::path bin = MIENZO_INSTALL_BINDIR;
  const fs::path data = MIENZO_INSTALL_DATADIR;
  const std::string id = kAppId;
  const std::set<std::string> expected = {
      (bin / "mienzo").string(),
      (data / "applications" / (id + ".desktop")).string(),
      (data / "metainfo" / (id + ".metainfo.xml")).string(),
      (data / "icons/hicolor/48x48/apps" / (id + ".png")).string(),
      (data / "icons/hicolor/128x128/apps" / (id + ".png")).string(),
      (data / "icons/hicolor/256x256/apps" / (id + ".png")).string(),
      (data / "icons/hicolor/scalable/apps" / (id + ".svg")).string(),
      (data / "mienzo/demo.mienzo").string(),
      (data / "mienzo/harbour.jpg").string(),
  };
  EXPECT_EQ(FilesUnder(prefix_), expected);
  EXPECT_EQ(access((Bin() / "mienzo").c_str(), X_OK), 0);
  EXPECT_EQ(FileContents((Data() / "mienzo/demo.mienzo").string()),
            FileContents(MIENZO_APP_DIR "/demo.mienzo"));
  EXPECT_EQ(FileContents((Data() / "mienzo/harbour.jpg").string()),
            FileContents(MIENZO_APP_DIR "/assets/harbour.jpg"));

  // Each bitmap icon is a PNG of the size its folder names.
  for (int size : {48, 128, 256}) {
    const std::string png = FileContents(Icon(size).string());
    ASSERT_GE(png.size(), 24u) << size;
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n") << size;
    EXPECT_EQ(Be32(png, 16), static_cast<uint32_t>(size)) << "width of the " << size << " icon";
    EXPECT_EQ(Be32(png, 20), static_cast<uint32_t>(size)) << "height of the " << size << " icon";
  }
  const std::string svg =
      FileContents((Data() / "icons/hicolor/scalable/apps" / (id + ".svg")).string());
  EXPECT_EQ(svg.rfind("<svg ", 0), 0u) << svg.substr(0, 80);
}

// The menu entry starts the installed program and shows the installed icon;
// the software centre's record points at that entry and program.
TEST_F(InstalledTree, DesktopEntryAndMetainfoPointAtTheInstalledFiles) {
  auto keys = DesktopKeys(DesktopFile());
  EXPECT_EQ(keys["Type"], "Application");
  EXPECT_EQ(keys["Name"], "Mienzo");
  EXPECT_FALSE(keys["Comment"].empty());
  EXPECT_FALSE(keys["Comment[zh_CN]"].empty());
  EXPECT_EQ(keys["Categories"], "Graphics;2DGraphics;RasterGraphics;");
  const std::string exec = keys["Exec"].substr(0, keys["Exec"].find(' '));
  EXPECT_TRUE(fs::exists(Bin() / exec)) << "Exec=" << keys["Exec"];
  EXPECT_EQ(keys["Icon"], kAppId);

  const std::string metainfo = FileContents(MetainfoFile().string());
  EXPECT_NE(metainfo.find("<id>" + std::string(kAppId) + "</id>"), std::string::npos);
  EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + DesktopFile().filename().string() +
                          "</launchable>"),
            std::string::npos);
  EXPECT_NE(metainfo.find("<binary>" + exec + "</binary>"), std::string::npos);
  for (const char* tag : {"<project_license>", "<metadata_license>", "<content_rating", "<summary>",
                          "<description>"}) {
    EXPECT_NE(metainfo.find(tag), std::string::npos) << tag;
  }
}

TEST_F(InstalledTree, DesktopEntryPassesDesktopFileValidate) {
  if (!HaveTool("desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate is not installed";
  const Outcome check = Capture("desktop-file-validate " + Quoted(DesktopFile()));
  EXPECT_EQ(check.exit_code, 0) << check.out << check.err;
  EXPECT_EQ(check.out + check.err, "");  // hints too
}

TEST_F(InstalledTree, MetainfoPassesAppstreamValidation) {
  if (!HaveTool("appstreamcli")) GTEST_SKIP() << "appstreamcli is not installed";
  const Outcome check = Capture("appstreamcli validate --no-net " + Quoted(MetainfoFile()));
  EXPECT_EQ(check.exit_code, 0) << check.out << check.err;
}

// Started from elsewhere, with no desktop: the demo comes from the data
// folder, the run directory is the program's folder, and the text the demo
// writes is drawn, which needs a font found through fontconfig.
TEST_F(InstalledTree, PlaysTheDemoFromTheDataFolderAndSavesBesideTheProgram) {
  const fs::path elsewhere = temp_.path() / "elsewhere";
  fs::create_directories(elsewhere);
  const Outcome run = RunProgram(elsewhere);
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_NE(run.err.find("playing the demo " + (Data() / "mienzo/demo.mienzo").string()),
            std::string::npos)
      << run.err;

  for (const char* saved : {"demo-panel.bmp", "demo-harbour.jpg"}) {
    EXPECT_NE(run.out.find("saved: " + (Bin() / saved).string()), std::string::npos) << run.out;
  }
  for (const char* shot : {"demo-screenshot.png", "demo-after-saving.png"}) {
    EXPECT_EQ(FileContents((Bin() / shot).string()).substr(0, 8), "\x89PNG\r\n\x1a\n") << shot;
  }
  EXPECT_EQ(FileContents((Bin() / "demo-harbour.jpg").string()),
            FileContents(MIENZO_APP_DIR "/assets/harbour.jpg"));
  // Nothing lands where the program was started, nor in the data folder.
  EXPECT_TRUE(fs::is_empty(elsewhere));
  EXPECT_EQ(FilesUnder(Data() / "mienzo"), (std::set<std::string>{"demo.mienzo", "harbour.jpg"}));

  // The demo's two "加文字" lines lie at the panel's top-left, in the
  // colour picker's colour; without a font nothing of them is drawn.
  const std::string panel = FileContents((Bin() / "demo-panel.bmp").string());
  const int text_pixels = CountPixels(panel, kTextColour, 0, 0, 300, 40);
  ASSERT_GE(text_pixels, 0) << "demo-panel.bmp is no 24-bit BMP";
  EXPECT_GE(text_pixels, 100) << "the demo's text lines were not drawn";
}

// A packager who leaves the data out gets a clear refusal, not a hang.
TEST_F(InstalledTree, WithoutItsDemoScriptSaysWhereItLookedAndStops) {
  fs::remove(Data() / "mienzo/demo.mienzo");
  const Outcome run = RunProgram(temp_.path());
  EXPECT_EQ(run.exit_code, 1) << run.out << run.err;
  EXPECT_NE(run.err.find("neither " + (Bin() / "demo.mienzo").string() + " nor " +
                         (Data() / "mienzo/demo.mienzo").string()),
            std::string::npos)
      << run.err;
}

// Installed where the user may not write (as in /usr/local/bin), the saves
// fail and, as for any failed save, no message says so; the run still ends
// normally, and the screenshots it could not write are named.
TEST_F(InstalledTree, ARunDirectoryTheUserCannotWriteLosesTheSavesQuietly) {
  // Another user must reach the installed tree: temporary folders start
  // private.
  fs::permissions(temp_.path(), fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
  fs::permissions(Bin(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  // Root writes anyway, so then the program runs as nobody; a container
  // without that right, or a private temporary folder above ours, skips.
  std::string as;
  if (geteuid() == 0) {
    as = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    if (System(as + " test -x " + Quoted(Bin() / "mienzo") + " >/dev/null 2>&1") != 0) {
      GTEST_SKIP() << "running as root, and cannot run the installed program as nobody";
    }
  }

  const Outcome run = RunProgram("/", as);
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(run.out.find("saved: "), std::string::npos) << run.out;
  EXPECT_EQ(run.err.find("保存成功！"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("cannot write " + (Bin() / "demo-screenshot.png").string()),
            std::string::npos)
      << run.err;
  EXPECT_EQ(FilesUnder(Bin()), std::set<std::string>{"mienzo"});
}

}  // namespace
