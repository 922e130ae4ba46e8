// The file dialogs' model without windows: filter lists, patterns, paths,
// folder listings (in a temporary folder with Chinese names) and typed names.
#include "platform/dialogs/file_dialog_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "tests/support/temp_dir.h"

namespace platform::dialogs {
namespace {

using gbk::Gbk;
using Patterns = std::vector<std::string>;

// The picture filter as the editor hands it over: "|" turned into NULs, with
// the "||" that makes it end in an empty pair.
std::string EditorFilterList() {
  std::string text =
      Gbk("(*.jpg;*.bmp;*.png)|*.jpg;*.bmp;*.png|JPEG图片(*.jpg)|*.jpg|位图文件(*.bmp)|*.bmp|"
          "PNG图片文件(*.png)|*.png|||");
  for (char& c : text) {
    if (c == '|') c = '\0';
  }
  return text;
}

TEST(FileDialogFilters, ParsesTheEditorsListUpToTheEmptyPair) {
  const std::string list = EditorFilterList();
  const std::vector<FileFilter> filters = ParseFilterList(list.c_str());
  ASSERT_EQ(filters.size(), 4u);
  EXPECT_EQ(filters[0].name, "(*.jpg;*.bmp;*.png)");
  EXPECT_EQ(filters[0].patterns, (Patterns{"*.jpg", "*.bmp", "*.png"}));
  EXPECT_EQ(filters[1].name, Gbk("JPEG图片(*.jpg)"));
  EXPECT_EQ(filters[3].patterns, Patterns{"*.png"});
}

TEST(FileDialogFilters, OddListsEndSafely) {
  EXPECT_TRUE(ParseFilterList(nullptr).empty());
  EXPECT_TRUE(ParseFilterList("\0\0").empty());
  const char no_patterns[] = "Text\0\0More\0*.x\0";
  EXPECT_TRUE(ParseFilterList(no_patterns).empty()) << "a description without patterns ends it";
  const std::string endless(kMaxFilterListBytes + 100, 'a');
  EXPECT_TRUE(ParseFilterList(endless.c_str()).empty()) << "an unterminated list is cut off";
  EXPECT_EQ(SplitPatterns(" *.a ;;*.b; "), (Patterns{"*.a", "*.b"}));
}

TEST(FileDialogFilters, IndexIsOneBasedAndFallsBackToTheFirst) {
  EXPECT_EQ(FilterIndexFromOfn(3, 4), 2u);
  EXPECT_EQ(FilterIndexFromOfn(4, 4), 3u);
  EXPECT_EQ(FilterIndexFromOfn(0, 4), 0u);
  EXPECT_EQ(FilterIndexFromOfn(5, 4), 0u);
  EXPECT_EQ(FilterIndexFromOfn(1, 0), 0u);
}

TEST(FileDialogPatterns, MatchWithoutCaseAndByWholeCharacters) {
  EXPECT_TRUE(MatchesPattern("*.jpg", "Photo.JPG"));
  EXPECT_TRUE(MatchesPattern("*.JPG", Gbk("图片.jpg")));
  EXPECT_FALSE(MatchesPattern("*.jpg", "a.jpeg"));
  EXPECT_FALSE(MatchesPattern("*.jpg", "a.jpg.txt"));
  EXPECT_TRUE(MatchesPattern("a?c.*", "abc.txt"));
  EXPECT_FALSE(MatchesPattern("a?c", "ac"));
  EXPECT_TRUE(MatchesPattern("*.*", "README")) << "\"*.*\" takes names without a dot";
  EXPECT_TRUE(MatchesPattern("read*.*", "readme"));
  EXPECT_TRUE(MatchesPattern("*a*b*c*", "xxaxxbxxcxx"));
  EXPECT_FALSE(MatchesPattern("*a*b*c", "xxaxxbxxcxx"));
  // A double-byte character is one '?' and its trail byte is no letter.
  const std::string trail_a = "x\xB0\x61";
  EXPECT_TRUE(MatchesPattern("x?", trail_a));
  EXPECT_FALSE(MatchesPattern("*a", trail_a));
  EXPECT_FALSE(MatchesPattern("*A", trail_a));
  EXPECT_TRUE(MatchesAnyPattern({}, "anything"));
  EXPECT_TRUE(MatchesAnyPattern({"*.png", "*.bmp"}, "x.BMP"));
  EXPECT_FALSE(MatchesAnyPattern({"*.png", "*.bmp"}, "x.gif"));
}

TEST(FileDialogPaths, ResolveAgainstTheFolderShown) {
  EXPECT_EQ(ResolvePath("b/c.txt", "/a"), "/a/b/c.txt");
  EXPECT_EQ(ResolvePath("/x//y/./z", "/a"), "/x/y/z");
  EXPECT_EQ(ResolvePath("../../../q", "/a/b"), "/q") << "\"..\" stops at the root";
  EXPECT_EQ(ResolvePath("..\\c\\d", "/a/b"), "/a/c/d") << "'\\' separates too";
  EXPECT_EQ(ResolvePath(".", "/"), "/");
  // 0x955C is one character whose second byte is '\'.
  const std::string name =
      "\x95\x5C"
      "x";
  EXPECT_EQ(ResolvePath(name, "/a"), "/a/" + name);
}

TEST(FileDialogPaths, PartsOfAPath) {
  EXPECT_EQ(FolderChain("/a/b"), (Patterns{"/", "/a", "/a/b"}));
  EXPECT_EQ(FolderChain("/"), Patterns{"/"});
  EXPECT_EQ(ParentFolder("/a/b"), "/a");
  EXPECT_EQ(ParentFolder("/a"), "/");
  EXPECT_EQ(ParentFolder("/"), "/");
  EXPECT_EQ(JoinPath("/", "x"), "/x");
  EXPECT_EQ(JoinPath("/a", "x"), "/a/x");
  EXPECT_EQ(NameOffset("/a/b.txt"), 3u);
  EXPECT_EQ(ExtensionOffset("/a/b.txt"), 5u);
  EXPECT_EQ(ExtensionOffset("/a.d/b"), 6u) << "no extension: the length";
  EXPECT_EQ(ExtensionOffset("/a/b."), 0u) << "a trailing dot: 0";
  EXPECT_EQ(ExtensionOf("/a/b.tar.GZ"), "GZ");
  EXPECT_EQ(ExtensionOf("/a/b"), "");
}

class FileDialogFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"sub", "B文件夹", "a folder", ".hidden"}) {
      std::filesystem::create_directory(dir_.path() / folder);
    }
    for (const char* file : {"a.JPG", "c.txt", "b.png", "图片.jpg", ".secret.jpg", "noext"}) {
      std::ofstream(dir_.path() / file) << "x";
    }
    root_ = gbk::FromUtf8(dir_.path().string());
  }

  testing_support::TempDir dir_;
  std::string root_;  // GBK
};

std::vector<std::string> Names(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> names;
  for (const FolderEntry& e : entries) {
    names.push_back(gbk::ToUtf8(e.name) + (e.is_folder ? "/" : ""));
  }
  return names;
}

TEST_F(FileDialogFolder, ListsFoldersFirstThenMatchingFiles) {
  EXPECT_EQ(Names(ListFolder(root_, {"*.jpg", "*.png"})),
            (Patterns{"a folder/", "B文件夹/", "sub/", "a.JPG", "b.png", "图片.jpg"}));
  EXPECT_EQ(Names(ListFolder(root_, {})), (Patterns{"a folder/", "B文件夹/", "sub/", "a.JPG",
                                                    "b.png", "c.txt", "noext", "图片.jpg"}));
  EXPECT_TRUE(ListFolder(root_ + "/missing", {}).empty());
  EXPECT_TRUE(FolderExists(root_ + Gbk("/B文件夹")));
  EXPECT_FALSE(FileExists(root_ + Gbk("/B文件夹")));
  EXPECT_TRUE(FileExists(root_ + Gbk("/图片.jpg")));
  EXPECT_FALSE(FolderExists(root_ + "/c.txt"));
}

TEST_F(FileDialogFolder, TypedNamesAreFilesFoldersOrFilters) {
  TypedName t = ResolveTypedName(Gbk("  图片.jpg "), root_, "bmp");
  EXPECT_EQ(t.kind, TypedKind::kFile);
  EXPECT_EQ(t.path, root_ + Gbk("/图片.jpg")) << "an extension typed: none appended";

  t = ResolveTypedName("new", root_, ".bmp");
  EXPECT_EQ(t.kind, TypedKind::kFile);
  EXPECT_EQ(t.path, root_ + "/new.bmp");
  EXPECT_EQ(ResolveTypedName("new", root_, "").path, root_ + "/new");

  t = ResolveTypedName("\"/etc/hosts\"", root_, "");
  EXPECT_EQ(t.kind, TypedKind::kFile);
  EXPECT_EQ(t.path, "/etc/hosts");

  t = ResolveTypedName(Gbk("B文件夹"), root_, "bmp");
  EXPECT_EQ(t.kind, TypedKind::kFolder);
  EXPECT_EQ(t.path, root_ + Gbk("/B文件夹"));
  EXPECT_EQ(ResolveTypedName("..", root_ + "/sub", "").path, root_);
  t = ResolveTypedName("gone\\", root_, "");
  EXPECT_EQ(t.kind, TypedKind::kFolder) << "a trailing separator names a folder";
  EXPECT_EQ(t.path, root_ + "/gone");

  t = ResolveTypedName("sub/*.txt; *.PNG", root_, "bmp");
  EXPECT_EQ(t.kind, TypedKind::kFilter);
  EXPECT_EQ(t.path, root_ + "/sub");
  EXPECT_EQ(t.patterns, (Patterns{"*.txt", "*.PNG"}));

  EXPECT_EQ(ResolveTypedName("   ", root_, "bmp").kind, TypedKind::kNothing);
  EXPECT_EQ(ResolveTypedName("\"\"", root_, "bmp").kind, TypedKind::kNothing);
}

}  // namespace
}  // namespace platform::dialogs
