#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/base/gbk.h"
#include "platform/win32.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class FilesTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return temp_.PathOf(name); }
  static std::string Contents(const std::string& path) {
    return testing_support::FileContents(path);
  }
  static HANDLE OpenForWrite(const std::string& path, DWORD share, DWORD disposition) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, share, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }

  testing_support::TempDir temp_;
  const fs::path& dir_ = temp_.path();
};

TEST_F(FilesTest, CreateAlwaysCreatesThenTruncates) {
  std::string path = PathOf("a.bin");
  HANDLE file = OpenForWrite(path, 0, CREATE_ALWAYS);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, "0123456789", 10, &written, nullptr));
  EXPECT_EQ(written, 10u);
  ASSERT_TRUE(CloseHandle(file));

  file = OpenForWrite(path, 0, CREATE_ALWAYS);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  ASSERT_TRUE(WriteFile(file, "abc", 3, &written, nullptr));
  ASSERT_TRUE(CloseHandle(file));
  EXPECT_EQ(Contents(path), "abc");
}

TEST_F(FilesTest, ExclusiveHandleKeepsOtherWritersOutAndTheFileIntact) {
  std::string path = PathOf("held.bin");
  HANDLE holder = OpenForWrite(path, 0, CREATE_ALWAYS);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(WriteFile(holder, "kept", 4, nullptr, nullptr));

  EXPECT_EQ(OpenForWrite(path, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  HANDLE reader =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(reader, INVALID_HANDLE_VALUE) << "share mode 0 shuts out readers too";
  EXPECT_EQ(Contents(path), "kept") << "a refused create-always must not truncate";

  ASSERT_TRUE(CloseHandle(holder));
  HANDLE next = OpenForWrite(path, 0, CREATE_ALWAYS);
  EXPECT_NE(next, INVALID_HANDLE_VALUE) << "the file is free once the holder closes";
  CloseHandle(next);
}

TEST_F(FilesTest, SharedReadersCoexistAndExcludeAnExclusiveWriter) {
  std::string path = PathOf("shared.bin");
  std::ofstream(path) << "data";
  auto open_reader = [&] {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                       nullptr);
  };
  HANDLE first = open_reader();
  HANDLE second = open_reader();
  ASSERT_NE(first, INVALID_HANDLE_VALUE);
  ASSERT_NE(second, INVALID_HANDLE_VALUE);
  EXPECT_EQ(OpenForWrite(path, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  char buffer[8] = {};
  DWORD read = 0;
  ASSERT_TRUE(ReadFile(first, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(std::string(buffer, read), "data") << "a short read at the end is a success";
  EXPECT_EQ(GetFileSize(second, nullptr), 4u);
  CloseHandle(first);
  CloseHandle(second);
}

TEST_F(FilesTest, DispositionsOnMissingAndExistingFiles) {
  std::string path = PathOf("d.bin");
  EXPECT_EQ(OpenForWrite(path, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  HANDLE created = OpenForWrite(path, 0, CREATE_NEW);
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  CloseHandle(created);
  EXPECT_EQ(OpenForWrite(path, 0, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_EQ(OpenForWrite(PathOf("no/such/dir/x"), 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(OpenForWrite(dir_.string(), 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << "a folder is no file";
  EXPECT_EQ(OpenForWrite("", 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
}

TEST_F(FilesTest, GbkNamesAndBackslashesReachTheFileSystem) {
  std::string name = platform::gbk::Gbk("图片.bmp");
  std::string windows_path = dir_.string() + "\\" + name;
  HANDLE file = OpenForWrite(windows_path, 0, CREATE_ALWAYS);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  EXPECT_TRUE(fs::exists(dir_ / "图片.bmp"));
}

TEST_F(FilesTest, FullDeviceFailsTheWriteAndReportsWhatWasWritten) {
  HANDLE full = OpenForWrite("/dev/full", FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  ASSERT_NE(full, INVALID_HANDLE_VALUE);
  DWORD written = 99;
  EXPECT_FALSE(WriteFile(full, "abc", 3, &written, nullptr));
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  CloseHandle(full);
}

TEST_F(FilesTest, FileTypeTellsFilesFromDevices) {
  HANDLE file = OpenForWrite(PathOf("t.bin"), 0, CREATE_ALWAYS);
  HANDLE null = OpenForWrite("/dev/null", FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ASSERT_NE(null, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileType(file), static_cast<DWORD>(FILE_TYPE_DISK));
  EXPECT_EQ(GetFileType(null), static_cast<DWORD>(FILE_TYPE_CHAR));
  CloseHandle(file);
  CloseHandle(null);
  EXPECT_EQ(GetFileType(file), static_cast<DWORD>(FILE_TYPE_UNKNOWN));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(FilesTest, StaleAndForgedHandlesAreRefused) {
  HANDLE file = OpenForWrite(PathOf("h.bin"), 0, CREATE_ALWAYS);
  ASSERT_TRUE(CloseHandle(file));
  EXPECT_FALSE(CloseHandle(file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(WriteFile(file, "x", 1, nullptr, nullptr));
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(WriteFile(reinterpret_cast<HANDLE>(0x1235), "x", 1, nullptr, nullptr));
}

TEST(ModuleFileName, NamesTheRunningProgramAndReportsTruncation) {
  char path[MAX_PATH * 4] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(std::string(path, n), fs::read_symlink("/proc/self/exe").string());
  char small[4];
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 4u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(small[3], '\0');
}

}  // namespace
