#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/win32.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::gbk::Gbk;

class FindFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a.jpg", "B.JPG", "c.jpeg", "noext", ".hidden", "图片.bmp"}) {
      std::ofstream(dir_ / name) << "12345";
    }
    fs::create_directory(dir_ / "sub");
  }

  // Win32 path text (GBK) for a pattern inside the test folder.
  std::string Pattern(const char* utf8) const { return Gbk(dir_.string() + "/" + utf8); }

  // Every name the search hands out, in order.
  static std::vector<std::string> Found(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      names.push_back(data.cFileName);
    } while (FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES)) << "for " << pattern;
    FindClose(search);
    return names;
  }

  // What the search reports for each name.
  static std::map<std::string, WIN32_FIND_DATAA> Entries(const std::string& pattern) {
    std::map<std::string, WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
      entries[data.cFileName] = data;
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return entries;
  }

  testing_support::TempDir temp_;
  const fs::path& dir_ = temp_.path();
};

using NameList = std::vector<std::string>;

TEST_F(FindFilesTest, PatternsSelectAndOrderEntriesAsWindowsDoes) {
  const std::string picture = Gbk("图片.bmp");
  EXPECT_EQ(Found(Pattern("*")),
            (NameList{".", "..", ".hidden", "a.jpg", "B.JPG", "c.jpeg", "noext", "sub", picture}));
  EXPECT_EQ(Found(Pattern("*.*")), Found(Pattern("*"))) << "*.* also finds names without a dot";
  EXPECT_EQ(Found(Pattern("*.jpg")), (NameList{"a.jpg", "B.JPG"}));
  EXPECT_EQ(Found(Pattern("?.JPEG")), (NameList{"c.jpeg"}));
  EXPECT_EQ(Found(Pattern("*.")), (NameList{".", "..", "noext", "sub"}));
  EXPECT_EQ(Found(Pattern("NOEXT")), (NameList{"noext"})) << "a plain name ignores case too";
  EXPECT_EQ(Found(Pattern("*.bmp")), (NameList{picture})) << "cFileName is GBK";
}

TEST_F(FindFilesTest, EntriesCarryAttributesSizesAndTimes) {
  ASSERT_EQ(::chmod((dir_ / "noext").c_str(), 0444), 0);
  ASSERT_EQ(::truncate((dir_ / "c.jpeg").c_str(), 5'000'000'123LL), 0);
  const timespec times[2] = {{1'600'000'000, 0}, {1'700'000'000, 123'456'700}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir_ / "a.jpg").c_str(), times, 0), 0);

  auto entries = Entries(Pattern("*"));
  ASSERT_EQ(entries.size(), 9u);
  EXPECT_EQ(entries["sub"].dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(entries["."].dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(entries[".hidden"].dwFileAttributes, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(entries["noext"].dwFileAttributes, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(entries["a.jpg"].dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(entries["a.jpg"].nFileSizeLow, 5u);
  EXPECT_EQ(entries["sub"].nFileSizeLow, 0u) << "folders report no size";
  EXPECT_EQ(entries["c.jpeg"].nFileSizeHigh, 1u);
  EXPECT_EQ(entries["c.jpeg"].nFileSizeLow, static_cast<DWORD>(5'000'000'123LL - (1LL << 32)));
  EXPECT_STREQ(entries["a.jpg"].cAlternateFileName, "");

  // 100 ns ticks since 1601: the Unix epoch is 11644473600 s later.
  auto ticks = [](const FILETIME& t) {
    return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime;
  };
  EXPECT_EQ(ticks(entries["a.jpg"].ftLastWriteTime),
            (1'700'000'000ULL + 11'644'473'600ULL) * 10'000'000ULL + 1'234'567);
  EXPECT_EQ(ticks(entries["a.jpg"].ftLastAccessTime),
            (1'600'000'000ULL + 11'644'473'600ULL) * 10'000'000ULL);
  EXPECT_NE(ticks(entries["a.jpg"].ftCreationTime), 0u);

  for (const char* name : {"sub", ".hidden", "noext", "a.jpg"}) {
    EXPECT_EQ(GetFileAttributesA(Pattern(name).c_str()), entries[name].dwFileAttributes)
        << "GetFileAttributesA and the search disagree about " << name;
  }
}

TEST_F(FindFilesTest, GbkFoldersAndBackslashesReachTheRightFolder) {
  fs::create_directory(dir_ / "目录");
  std::ofstream(dir_ / "目录" / "说明.txt") << "x";
  std::string windows_pattern = Gbk(dir_.string() + "\\目录\\*.TXT");
  EXPECT_EQ(Found(windows_pattern), (NameList{Gbk("说明.txt")}));
}

TEST_F(FindFilesTest, FailuresSayWhatWasMissing) {
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA(Pattern("*.png").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FindFirstFileA(Pattern("nowhere/*").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(FindFirstFileA(Pattern("a.jpg/*").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND)) << "a file is no folder";
  EXPECT_EQ(FindFirstFileA(Pattern("s*/*").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME)) << "wildcards only at the end";
  EXPECT_EQ(FindFirstFileA(Pattern("sub\\").c_str(), &data), INVALID_HANDLE_VALUE)
      << "a trailing separator always fails";
}

TEST_F(FindFilesTest, SearchHandlesAreTheirOwnKind) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(Pattern("*.jpg").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(CloseHandle(search)) << "CloseHandle must not close a search";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(WaitForSingleObject(search, 0) != WAIT_FAILED) << "a search cannot be waited for";
  ASSERT_TRUE(FindNextFileA(search, &data)) << "the search survives the refused close";
  EXPECT_FALSE(FindNextFileA(search, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_FALSE(FindNextFileA(search, &data)) << "the end stays the end";
  EXPECT_TRUE(FindClose(search));
  EXPECT_FALSE(FindClose(search));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FindNextFileA(search, &data));

  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  EXPECT_FALSE(FindClose(event)) << "FindClose closes searches only";
  EXPECT_TRUE(CloseHandle(event));
}

// Restores the current directory when a test that changes it ends.
class CurrentDirectoryGuard {
 public:
  CurrentDirectoryGuard() : saved_(fs::current_path()) {}
  ~CurrentDirectoryGuard() { fs::current_path(saved_); }

 private:
  fs::path saved_;
};

TEST_F(FindFilesTest, ARelativeSearchStaysInItsFolderWhenTheCurrentDirectoryMoves) {
  CurrentDirectoryGuard guard;
  ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA("*.jpg", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "a.jpg");
  ASSERT_TRUE(SetCurrentDirectoryA("/"));
  ASSERT_TRUE(FindNextFileA(search, &data)) << "the second entry is read from the search's folder";
  EXPECT_STREQ(data.cFileName, "B.JPG");
  EXPECT_EQ(data.nFileSizeLow, 5u);
  FindClose(search);
}

}  // namespace
