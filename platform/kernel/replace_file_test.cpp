#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/win32.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class ReplaceFileTest : public testing::Test {
 protected:
  std::string Put(const std::string& name, const std::string& bytes) {
    std::ofstream(temp_.PathOf(name), std::ios::binary) << bytes;
    return temp_.PathOf(name);
  }
  static std::string Contents(const std::string& path) {
    return testing_support::FileContents(path);
  }
  static BOOL Replace(const std::string& replaced, const std::string& replacement) {
    return ReplaceFileA(replaced.c_str(), replacement.c_str(), nullptr, 0, nullptr, nullptr);
  }

  testing_support::TempDir temp_;
};

TEST_F(ReplaceFileTest, TheReplacementTakesTheNameAndThePermissions) {
  const std::string old_file = Put("picture.bmp", "old");
  const std::string new_file = Put("picture.tmp", "new bytes");
  fs::permissions(old_file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(Replace(old_file, new_file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(Contents(old_file), "new bytes");
  EXPECT_FALSE(fs::exists(new_file));
  EXPECT_EQ(fs::status(old_file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ReplaceFileTest, MissingFilesAndFoldersAreRefused) {
  const std::string file = Put("file", "kept");
  const std::string missing = temp_.PathOf("missing");
  EXPECT_FALSE(Replace(missing, file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(Replace(file, missing));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  fs::create_directory(temp_.PathOf("folder"));
  EXPECT_FALSE(Replace(temp_.PathOf("folder"), file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(Replace(file, temp_.PathOf("folder")));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(ReplaceFileA(file.c_str(), file.c_str(), "backup", 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(ReplaceFileA("", file.c_str(), nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(Contents(file), "kept");
}

TEST_F(ReplaceFileTest, DevicesAreNoFilesToReplace) {
  const std::string file = Put("file", "kept");
  fs::create_symlink("/dev/null", temp_.path() / "null");
  EXPECT_FALSE(Replace(temp_.PathOf("null"), file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(fs::is_symlink(temp_.path() / "null"));
  EXPECT_EQ(Contents(file), "kept");
}

TEST_F(ReplaceFileTest, AReadOnlyOrOpenFileStaysAndSoDoesTheReplacement) {
  const std::string old_file = Put("old", "old");
  const std::string new_file = Put("new", "new");
  fs::permissions(old_file, fs::perms::owner_read);
  EXPECT_FALSE(Replace(old_file, new_file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_UNABLE_TO_REMOVE_REPLACED));
  fs::permissions(old_file, fs::perms::owner_read | fs::perms::owner_write);

  for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
    HANDLE holder = CreateFileA(old_file.c_str(), share == 0 ? GENERIC_WRITE : GENERIC_READ, share,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Replace(old_file, new_file)) << "share mode " << share;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_UNABLE_TO_REMOVE_REPLACED));
    CloseHandle(holder);
  }
  EXPECT_EQ(Contents(old_file), "old");
  EXPECT_EQ(Contents(new_file), "new");
  EXPECT_TRUE(Replace(old_file, new_file)) << "once nobody holds it";
  EXPECT_EQ(Contents(old_file), "new");
}

TEST_F(ReplaceFileTest, RootHandsTheOwnerOver) {
  if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another owner";
  const std::string old_file = Put("theirs", "old");
  const std::string new_file = Put("mine", "new");
  ASSERT_EQ(chown(old_file.c_str(), 65534, 65534), 0);
  ASSERT_TRUE(Replace(old_file, new_file));
  struct stat info {};
  ASSERT_EQ(stat(old_file.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 65534u);
  EXPECT_EQ(info.st_gid, 65534u);
}

}  // namespace
