#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/base/gbk.h"
#include "platform/win32.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::gbk::Gbk;

class DirectoriesTest : public testing::Test {
 protected:
  // Win32 path text (GBK) for a name inside the test folder.
  std::string PathOf(const char* utf8) const { return Gbk(dir_.string() + "/" + utf8); }
  void MakeFile(const char* utf8) const { std::ofstream(dir_ / utf8) << "x"; }
  static void ExpectError(DWORD expected, const char* what) {
    DWORD error = GetLastError();
    EXPECT_EQ(error, expected) << what << ": expected error " << expected << ", got " << error;
  }

  testing_support::TempDir temp_;
  const fs::path& dir_ = temp_.path();
};

class CurrentDirectoryTest : public DirectoriesTest {
 protected:
  ~CurrentDirectoryTest() override { fs::current_path(saved_); }
  fs::path saved_ = fs::current_path();
};

TEST_F(CurrentDirectoryTest, GbkPathsRoundTripWithWin32BufferRules) {
  fs::create_directory(dir_ / "目录");
  ASSERT_TRUE(SetCurrentDirectoryA(Gbk(dir_.string() + "\\目录").c_str()));
  const std::string expected = Gbk(fs::canonical(dir_ / "目录").string());
  const DWORD length = static_cast<DWORD>(expected.size());

  EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), length + 1) << "size query counts the NUL";
  std::string buffer(length + 8, 'x');
  EXPECT_EQ(GetCurrentDirectoryA(length, buffer.data()), length + 1) << "one byte short";
  EXPECT_EQ(buffer, std::string(length + 8, 'x')) << "a short buffer is left alone";
  EXPECT_EQ(GetCurrentDirectoryA(length + 1, buffer.data()), length);
  EXPECT_EQ(std::string(buffer.c_str()), expected);

  ASSERT_TRUE(SetCurrentDirectoryA(".."));
  EXPECT_EQ(fs::current_path(), fs::canonical(dir_)) << "relative paths start from the current one";
}

TEST_F(CurrentDirectoryTest, RefusedChangesLeaveTheCurrentDirectory) {
  ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
  MakeFile("file.txt");
  EXPECT_FALSE(SetCurrentDirectoryA(PathOf("missing").c_str()));
  ExpectError(ERROR_PATH_NOT_FOUND, "missing folder");
  EXPECT_FALSE(SetCurrentDirectoryA(PathOf("missing/deeper").c_str()));
  ExpectError(ERROR_PATH_NOT_FOUND, "missing parent");
  EXPECT_FALSE(SetCurrentDirectoryA(PathOf("file.txt").c_str()));
  ExpectError(ERROR_DIRECTORY, "a file");
  EXPECT_FALSE(SetCurrentDirectoryA(""));
  EXPECT_EQ(fs::current_path(), fs::canonical(dir_));
}

TEST_F(DirectoriesTest, CreateAndRemoveFoldersWithWin32Errors) {
  const std::string folder = PathOf("新建");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  EXPECT_TRUE(fs::is_directory(dir_ / "新建"));
  EXPECT_FALSE(CreateDirectoryA(folder.c_str(), nullptr));
  ExpectError(ERROR_ALREADY_EXISTS, "creating an existing folder");
  EXPECT_FALSE(CreateDirectoryA(PathOf("no/such").c_str(), nullptr));
  ExpectError(ERROR_PATH_NOT_FOUND, "creating in a missing folder");

  MakeFile("新建/inside.txt");
  EXPECT_FALSE(RemoveDirectoryA(folder.c_str()));
  ExpectError(ERROR_DIR_NOT_EMPTY, "removing a full folder");
  MakeFile("file.txt");
  EXPECT_FALSE(RemoveDirectoryA(PathOf("file.txt").c_str()));
  ExpectError(ERROR_DIRECTORY, "removing a file as a folder");
  EXPECT_FALSE(RemoveDirectoryA(PathOf("gone").c_str()));
  ExpectError(ERROR_FILE_NOT_FOUND, "removing a missing folder");
  EXPECT_FALSE(RemoveDirectoryA(PathOf("gone/deeper").c_str()));
  ExpectError(ERROR_PATH_NOT_FOUND, "removing below a missing folder");

  fs::create_directory(dir_ / "locked");
  fs::permissions(dir_ / "locked", fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_FALSE(RemoveDirectoryA(PathOf("locked").c_str()));
  ExpectError(ERROR_ACCESS_DENIED, "removing a read-only folder");

  fs::remove(dir_ / "新建" / "inside.txt");
  EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
  EXPECT_FALSE(fs::exists(dir_ / "新建"));
}

TEST_F(DirectoriesTest, DeleteFileRefusesFoldersAndReadOnlyFiles) {
  MakeFile("图片.bmp");
  EXPECT_TRUE(DeleteFileA(PathOf("图片.bmp").c_str()));
  EXPECT_FALSE(fs::exists(dir_ / "图片.bmp"));
  EXPECT_FALSE(DeleteFileA(PathOf("图片.bmp").c_str()));
  ExpectError(ERROR_FILE_NOT_FOUND, "deleting twice");
  EXPECT_FALSE(DeleteFileA(PathOf("no/such.bmp").c_str()));
  ExpectError(ERROR_PATH_NOT_FOUND, "deleting in a missing folder");

  MakeFile("kept.txt");
  fs::permissions(dir_ / "kept.txt", fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_FALSE(DeleteFileA(PathOf("kept.txt").c_str()));
  ExpectError(ERROR_ACCESS_DENIED, "deleting a read-only file");
  EXPECT_TRUE(fs::exists(dir_ / "kept.txt"));
  fs::create_directory(dir_ / "sub");
  EXPECT_FALSE(DeleteFileA(PathOf("sub").c_str()));
  ExpectError(ERROR_ACCESS_DENIED, "deleting a folder");
}

TEST_F(DirectoriesTest, AttributesOfPathsAndWhyThereAreNone) {
  fs::create_directory(dir_ / ".config");
  EXPECT_EQ(GetFileAttributesA(PathOf(".config").c_str()),
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(GetFileAttributesA(PathOf(".config\\").c_str()),
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)
      << "a trailing separator is fine";
  fs::create_symlink(dir_ / "nowhere", dir_ / "dangling");
  EXPECT_EQ(GetFileAttributesA(PathOf("dangling").c_str()),
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE))
      << "a dangling link is still an entry";
  EXPECT_EQ(GetFileAttributesA(PathOf("missing").c_str()), INVALID_FILE_ATTRIBUTES);
  ExpectError(ERROR_FILE_NOT_FOUND, "missing file");
  EXPECT_EQ(GetFileAttributesA(PathOf("missing/x").c_str()), INVALID_FILE_ATTRIBUTES);
  ExpectError(ERROR_PATH_NOT_FOUND, "missing folder");
}

}  // namespace
