// What the open and save dialogs know without any window: the filter list,
// file name patterns, folder listings, paths and what a typed name means.
// Every text is GBK, as the A functions hand it over; paths use '/' (a '\'
// typed by the user counts as one) and are absolute once resolved.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace platform::dialogs {

// ---------------------------------------------------------------------------
// Filters
// ---------------------------------------------------------------------------

// One entry of the "file type" list: "JPEG图片(*.jpg)" and its patterns.
struct FileFilter {
  std::string name;
  std::vector<std::string> patterns;  // empty: every file
};

// lpstrFilter: description and pattern texts, each NUL-terminated, the list
// ending with an empty description (a double NUL). A description without a
// pattern text ends the list as well. NULL gives no filters. A list that
// never ends is cut after kMaxFilterListBytes rather than read past.
inline constexpr size_t kMaxFilterListBytes = 64 * 1024;
std::vector<FileFilter> ParseFilterList(LPCSTR list);

// "*.jpg; *.bmp" -> {"*.jpg", "*.bmp"}: separated by ';', spaces around each
// dropped, empty ones left out.
std::vector<std::string> SplitPatterns(std::string_view text);

// The filter nFilterIndex (1-based) chooses, as an index into `count`
// filters: 0 (no custom filter here) and values past the end take the first.
size_t FilterIndexFromOfn(DWORD filter_index, size_t count);

// '*' stands for any run of characters, '?' for exactly one (a double-byte
// character is one); ASCII letters match either case. A pattern ending in
// ".*" also takes names without an extension, so "*.*" takes every name.
bool MatchesPattern(std::string_view pattern, std::string_view name);
// True when any pattern matches; an empty list matches every name.
bool MatchesAnyPattern(const std::vector<std::string>& patterns, std::string_view name);

// ---------------------------------------------------------------------------
// Folders
// ---------------------------------------------------------------------------

struct FolderEntry {
  std::string name;
  bool is_folder = false;
};

// The folder's sub-folders (every one) and the files the patterns match,
// folders first, each group by name ignoring ASCII case. Hidden entries
// (FILE_ATTRIBUTE_HIDDEN), "." and ".." are left out. A folder that cannot
// be read lists nothing.
std::vector<FolderEntry> ListFolder(const std::string& folder,
                                    const std::vector<std::string>& patterns);

bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);  // an existing entry that is no folder

// ---------------------------------------------------------------------------
// Paths
// ---------------------------------------------------------------------------

// `path` made absolute against `base` (itself absolute): '\' read as '/',
// separators collapsed, "." and ".." resolved (".." stops at the root).
std::string ResolvePath(std::string_view path, std::string_view base);
bool IsAbsolutePath(std::string_view path);
// Whether a typed name has a separator in it, so it names a folder too.
bool HasFolderPart(std::string_view name);
std::string JoinPath(std::string_view folder, std::string_view name);
// "/a/b" -> "/a"; the root stays the root.
std::string ParentFolder(std::string_view folder);
// "/a/b" -> {"/", "/a", "/a/b"}: what the "look in" list offers.
std::vector<std::string> FolderChain(std::string_view folder);
// Byte offsets as nFileOffset and nFileExtension give them: the name after
// the last '/', and the extension after the name's last '.' (the length of
// `path` when the name has none, 0 when the name ends with the '.').
size_t NameOffset(std::string_view path);
size_t ExtensionOffset(std::string_view path);
// The name's extension without its '.', empty when it has none.
std::string_view ExtensionOf(std::string_view path);

// The process's current directory; "/" when it cannot be read.
std::string CurrentFolder();

// ---------------------------------------------------------------------------
// Typed names
// ---------------------------------------------------------------------------

enum class TypedKind {
  kNothing,  // only spaces: nothing to do
  kFile,     // `path` is the file chosen (it may not exist)
  kFolder,   // `path` is a folder to go to (it may not exist)
  kFilter,   // `patterns` become the filter, shown in folder `path`
};

struct TypedName {
  TypedKind kind = TypedKind::kNothing;
  std::string path;  // absolute
  std::vector<std::string> patterns;
};

// What the name field's text means in `folder`: relative names are taken
// from `folder`, absolute ones as they are; spaces around the name and one
// pair of quotes go. A name that is an existing folder or ends with a
// separator is a folder; a last part with '*' or '?' is a filter; anything
// else is a file, `default_ext` (without a leading '.') appended when its
// name has no '.'.
TypedName ResolveTypedName(std::string_view typed, std::string_view folder,
                           std::string_view default_ext);

}  // namespace platform::dialogs
