#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "runtime/commands/commands.h"
#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

namespace fs = std::filesystem;

class WriteToFileTest : public testing::Test {
 protected:
  void TearDown() override {
    for (void* set : sets_) MemFree(set);
  }

  std::string PathOf(const std::string& name) const { return temp_.PathOf(name); }

  ValueRecord Bytes(const std::string& bytes) {
    void* set = MakeByteSet(bytes.data(), static_cast<int32_t>(bytes.size()));
    sets_.push_back(set);
    return ByteSetValue(set);
  }

  // WriteToFile(name, sets...) through the command convention.
  bool Write(const std::string& name, std::vector<ValueRecord> sets) {
    std::vector<ArgumentRecord> args{TextValue(name.c_str())};
    args.insert(args.end(), sets.begin(), sets.end());
    ValueRecord r = CallCommand(WriteToFile, static_cast<int32_t>(args.size()), args.data());
    EXPECT_EQ(r.type, type::kNone);
    return r.AsInt32() != 0;
  }

  static std::string Contents(const std::string& path) {
    return testing_support::FileContents(path);
  }

  testing_support::TempDir temp_;
  const fs::path& dir_ = temp_.path();
  std::vector<void*> sets_;
};

TEST_F(WriteToFileTest, RewritingTruncatesInsteadOfAppending) {
  std::string path = PathOf("picture.bmp");
  EXPECT_TRUE(Write(path, {Bytes("0123456789")}));
  EXPECT_TRUE(Write(path, {Bytes("hello")}));
  EXPECT_EQ(Contents(path), "hello");
}

TEST_F(WriteToFileTest, SeveralByteSetsAreConcatenatedAndEmptyOnesWriteNothing) {
  std::string path = PathOf("joined");
  EXPECT_TRUE(Write(path, {Bytes("ab"), ByteSetValue(nullptr), ValueRecord{}, Bytes("cd")}));
  EXPECT_EQ(Contents(path), "abcd");
  EXPECT_TRUE(Write(path, {ByteSetValue(nullptr)}));
  EXPECT_TRUE(fs::exists(path));
  EXPECT_EQ(fs::file_size(path), 0u) << "the empty byte set leaves an empty file";
  EXPECT_TRUE(Write(PathOf("name-only"), {}));
  EXPECT_TRUE(fs::exists(PathOf("name-only")));
}

TEST_F(WriteToFileTest, EmptyOrAbsentNameTouchesNothing) {
  EXPECT_FALSE(Write("", {Bytes("x")}));
  ValueRecord no_name{};
  EXPECT_EQ(CallCommand(WriteToFile, 1, &no_name).AsInt32(), 0);
  EXPECT_EQ(CallCommand(WriteToFile, 0, nullptr).AsInt32(), 0);
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(WriteToFileTest, MissingFolderFails) {
  EXPECT_FALSE(Write(PathOf("missing/picture.bmp"), {Bytes("x")}));
  EXPECT_FALSE(fs::exists(PathOf("missing")));
}

TEST_F(WriteToFileTest, NameThatIsOnlyAnExtensionIsAFileName) {
  // The save handlers build run directory + "/" + name + extension; an empty
  // typed name leaves ".jpg".
  EXPECT_TRUE(Write(dir_.string() + "/" + ".jpg", {Bytes("jpeg")}));
  EXPECT_EQ(Contents(PathOf(".jpg")), "jpeg");
}

TEST_F(WriteToFileTest, RelativeNamesResolveAgainstTheCurrentDirectory) {
  fs::path previous = fs::current_path();
  fs::current_path(dir_);
  bool written = Write("relative.bin", {Bytes("r")});
  fs::current_path(previous);
  EXPECT_TRUE(written);
  EXPECT_EQ(Contents(PathOf("relative.bin")), "r");
}

TEST_F(WriteToFileTest, FileHeldByAnotherWriterIsLeftUnchanged) {
  std::string path = PathOf("held.bmp");
  ASSERT_TRUE(Write(path, {Bytes("original")}));
  HANDLE holder = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Write(path, {Bytes("new")}));
  CloseHandle(holder);
  EXPECT_EQ(Contents(path), "original");
}

TEST_F(WriteToFileTest, FolderThatIsAFileNameFails) {
  EXPECT_FALSE(Write(dir_.string(), {Bytes("x")}));
}

// Runs `body` in a forked child (which shares this fixture's folder) and
// says whether it returned true there. For limits and privileges that must
// not touch the test process itself.
bool TrueInChild(const std::function<bool()>& body) {
  pid_t child = fork();
  if (child == 0) _exit(body() ? 0 : 1);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Root writes into read-only folders; a child that must be refused drops to
// the unprivileged user first (CI runs as root).
void DropRootPrivileges() {
  if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
}

TEST_F(WriteToFileTest, ReadOnlyFolderFails) {
  fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
  std::string path = PathOf("denied.bmp");
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                            fs::perms::group_exec | fs::perms::others_read |
                            fs::perms::others_exec);
  EXPECT_TRUE(TrueInChild([&] {
    DropRootPrivileges();
    return !Write(path, {Bytes("x")});
  }));
  EXPECT_FALSE(fs::exists(path));
}

// Runs `write` in a child whose file-size limit is 4 bytes, which plays a
// full disk: true when the write reports failure there.
bool FailsUnderAFourByteFileLimit(const std::function<bool()>& write) {
  return TrueInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = 4;
    setrlimit(RLIMIT_FSIZE, &limit);
    return !write();
  });
}

TEST_F(WriteToFileTest, ShortWriteFailsAndKeepsWhatWasWritten) {
  // A file-size limit of 4 bytes plays a full disk: "abc" fits, then only one
  // byte of "defgh" does.
  std::string path = PathOf("short.bin");
  EXPECT_TRUE(FailsUnderAFourByteFileLimit([&] {
    return Write(path, {Bytes("abc"), Bytes("defgh")});
  }));
  EXPECT_EQ(Contents(path), "abcd");
}

TEST_F(WriteToFileTest, WriteToAFullDeviceFails) { EXPECT_FALSE(Write("/dev/full", {Bytes("x")})); }

// Names in the fixture's folder, sorted: what a rewrite left beside its file.
std::vector<std::string> NamesIn(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(WriteToFileTest, FailedRewriteKeepsTheEarlierFileWhole) {
  // A file-size limit of 4 bytes plays a full disk again, now for a name
  // that already holds a file: emptying it first would lose it.
  std::string path = PathOf("picture.bmp");
  ASSERT_TRUE(Write(path, {Bytes("the earlier picture")}));
  EXPECT_TRUE(FailsUnderAFourByteFileLimit([&] {
    return Write(path, {Bytes("abc"), Bytes("defgh")});
  }));
  EXPECT_EQ(Contents(path), "the earlier picture");
  EXPECT_EQ(NamesIn(dir_), std::vector<std::string>{"picture.bmp"}) << "no temporary file left";
}

TEST_F(WriteToFileTest, RewriteKeepsThePermissionsAndLeavesNothingBeside) {
  std::string path = PathOf("private.bmp");
  ASSERT_TRUE(Write(path, {Bytes("old")}));
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_TRUE(Write(path, {Bytes("new"), Bytes(" bytes")}));
  EXPECT_EQ(Contents(path), "new bytes");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(NamesIn(dir_), std::vector<std::string>{"private.bmp"});
}

TEST_F(WriteToFileTest, WritableFileInAReadOnlyFolderIsRewrittenInPlace) {
  // No temporary file can go beside it; the file itself may still be
  // written, so it is, as before.
  std::string path = PathOf("shared.bmp");
  ASSERT_TRUE(Write(path, {Bytes("0123456789")}));
  fs::permissions(path, fs::perms::all);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                            fs::perms::group_exec | fs::perms::others_read |
                            fs::perms::others_exec);
  EXPECT_TRUE(TrueInChild([&] {
    DropRootPrivileges();
    return Write(path, {Bytes("new")});
  }));
  EXPECT_EQ(Contents(path), "new");
}

TEST_F(WriteToFileTest, LinksToDevicesAreWrittenThroughAndStayLinks) {
  // A device cannot be replaced by a file: it is written as it is.
  fs::create_symlink("/dev/full", dir_ / "full");
  fs::create_symlink("/dev/null", dir_ / "null");
  EXPECT_FALSE(Write(PathOf("full"), {Bytes("x")}));
  EXPECT_TRUE(Write(PathOf("null"), {Bytes("x")}));
  EXPECT_TRUE(fs::is_symlink(dir_ / "full"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "null"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(NamesIn(dir_), (std::vector<std::string>{"full", "null"}));
}

TEST_F(WriteToFileTest, FileHeldByAReaderIsLeftUnchanged) {
  std::string path = PathOf("shown.bmp");
  ASSERT_TRUE(Write(path, {Bytes("shown")}));
  HANDLE reader =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Write(path, {Bytes("new")}));
  CloseHandle(reader);
  EXPECT_EQ(Contents(path), "shown");
  EXPECT_EQ(NamesIn(dir_), std::vector<std::string>{"shown.bmp"});
}

TEST_F(WriteToFileTest, GbkNameIsRewrittenInItsOwnFolder) {
  // 0xD5 0x5C: a backslash as second byte, which separates no folder.
  const std::string name = std::string("\xD5\x5C") + ".bmp";
  std::string path = dir_.string() + "/" + name;
  ASSERT_TRUE(Write(path, {Bytes("one")}));
  EXPECT_TRUE(Write(path, {Bytes("two")}));
  EXPECT_EQ(Contents((dir_ / fs::u8path("誠.bmp")).string()), "two");
  EXPECT_EQ(NamesIn(dir_), std::vector<std::string>{"誠.bmp"});
}

}  // namespace
}  // namespace runtime
