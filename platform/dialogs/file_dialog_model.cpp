#include "platform/dialogs/file_dialog_model.h"

#include <algorithm>
#include <cstring>

#include "platform/base/gbk.h"

namespace platform::dialogs {

namespace {

unsigned char LowerAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// The text cut into whole characters, ASCII letters lowered, so that
// matching compares characters and never half of a double-byte one.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> characters;
  for (size_t i = 0; i < text.size();) {
    size_t length = gbk::CharLength(text.data() + i, text.size() - i);
    if (length == 0) length = 1;  // an embedded NUL is a character too
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

bool SameCharacter(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.size() == 1) {
    return LowerAscii(static_cast<unsigned char>(a[0])) ==
           LowerAscii(static_cast<unsigned char>(b[0]));
  }
  return a == b;
}

// Wildcard matching with one remembered '*' to fall back on: linear in
// practice, never exponential.
bool MatchCharacters(const std::vector<std::string_view>& pattern,
                     const std::vector<std::string_view>& name) {
  size_t p = 0, n = 0, star = std::string_view::npos, star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == "*") {
      star = p++;
      star_n = n;
    } else if (p < pattern.size() && (pattern[p] == "?" || SameCharacter(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == "*") ++p;
  return p == pattern.size();
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// '\' becomes '/', stepping over whole characters: a GBK trail byte may be
// 0x5C and is no separator.
std::string WithForwardSlashes(std::string_view path) {
  std::string out;
  for (std::string_view c : Characters(path)) out += (c == "\\") ? std::string_view("/") : c;
  return out;
}

std::string LowerAsciiCopy(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = static_cast<char>(LowerAscii(static_cast<unsigned char>(c)));
  return lowered;
}

bool HasWildcard(std::string_view name) {
  for (std::string_view c : Characters(name)) {
    if (c == "*" || c == "?") return true;
  }
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// Filters
// ---------------------------------------------------------------------------

std::vector<FileFilter> ParseFilterList(LPCSTR list) {
  std::vector<FileFilter> filters;
  if (list == nullptr) return filters;
  size_t at = 0;
  // Reads one NUL-terminated text; false when the cut-off came first.
  auto next_text = [&](std::string_view* text) {
    const size_t start = at;
    while (at < kMaxFilterListBytes && list[at] != '\0') ++at;
    if (at >= kMaxFilterListBytes) return false;
    *text = std::string_view(list + start, at - start);
    ++at;
    return true;
  };
  std::string_view name, patterns;
  while (next_text(&name) && !name.empty() && next_text(&patterns) && !patterns.empty()) {
    filters.push_back({std::string(name), SplitPatterns(patterns)});
  }
  return filters;
}

std::vector<std::string> SplitPatterns(std::string_view text) {
  std::vector<std::string> patterns;
  std::string current;
  auto flush = [&] {
    std::string_view trimmed = Trim(current);
    if (!trimmed.empty()) patterns.emplace_back(trimmed);
    current.clear();
  };
  for (std::string_view c : Characters(text)) {
    if (c == ";") {
      flush();
    } else {
      current += c;
    }
  }
  flush();
  return patterns;
}

size_t FilterIndexFromOfn(DWORD filter_index, size_t count) {
  if (filter_index == 0 || filter_index > count) return 0;
  return filter_index - 1;
}

bool MatchesPattern(std::string_view pattern, std::string_view name) {
  const std::vector<std::string_view> name_chars = Characters(name);
  if (MatchCharacters(Characters(pattern), name_chars)) return true;
  // "x.*" also takes "x" itself: an extension of any length, none included.
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*") {
    return name.find('.') == std::string_view::npos &&
           MatchCharacters(Characters(pattern.substr(0, pattern.size() - 2)), name_chars);
  }
  return false;
}

bool MatchesAnyPattern(const std::vector<std::string>& patterns, std::string_view name) {
  if (patterns.empty()) return true;
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const std::string& p) { return MatchesPattern(p, name); });
}

// ---------------------------------------------------------------------------
// Folders
// ---------------------------------------------------------------------------

std::vector<FolderEntry> ListFolder(const std::string& folder,
                                    const std::vector<std::string>& patterns) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAA data{};
  HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string_view name(data.cFileName);
    if (name == "." || name == ".." || (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)) continue;
    const bool is_folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (is_folder || MatchesAnyPattern(patterns, name))
      entries.push_back({std::string(name), is_folder});
  } while (FindNextFileA(search, &data));
  FindClose(search);
  std::stable_sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    if (a.is_folder != b.is_folder) return a.is_folder;
    const std::string la = LowerAsciiCopy(a.name), lb = LowerAsciiCopy(b.name);
    return la != lb ? la < lb : a.name < b.name;
  });
  return entries;
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// ---------------------------------------------------------------------------
// Paths
// ---------------------------------------------------------------------------

bool IsAbsolutePath(std::string_view path) {
  return !path.empty() && (path.front() == '/' || path.front() == '\\');
}

bool HasFolderPart(std::string_view name) {
  return WithForwardSlashes(name).find('/') != std::string::npos;
}

std::string ResolvePath(std::string_view path, std::string_view base) {
  const std::string slashed = WithForwardSlashes(path);
  const std::string whole =
      IsAbsolutePath(slashed) ? slashed : WithForwardSlashes(base) + "/" + slashed;
  std::vector<std::string_view> parts;
  std::string_view rest(whole);
  while (!rest.empty()) {
    const size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string resolved;
  for (std::string_view part : parts) {
    resolved += '/';
    resolved += part;
  }
  return resolved.empty() ? "/" : resolved;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  if (joined.empty() || joined.back() != '/') joined += '/';
  joined += name;
  return joined;
}

std::string ParentFolder(std::string_view folder) {
  const size_t slash = folder.rfind('/');
  if (slash == std::string_view::npos || slash == 0) return "/";
  return std::string(folder.substr(0, slash));
}

std::vector<std::string> FolderChain(std::string_view folder) {
  std::vector<std::string> chain{"/"};
  for (size_t slash = folder.find('/', 1); chain.back() != folder;
       slash = folder.find('/', slash + 1)) {
    chain.emplace_back(folder.substr(0, slash));
    if (slash == std::string_view::npos) break;
  }
  return chain;
}

size_t NameOffset(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

size_t ExtensionOffset(std::string_view path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < NameOffset(path)) return path.size();
  return dot + 1 == path.size() ? 0 : dot + 1;
}

std::string_view ExtensionOf(std::string_view path) {
  const size_t offset = ExtensionOffset(path);
  return offset == 0 ? std::string_view() : path.substr(offset);
}

std::string CurrentFolder() {
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  if (needed == 0) return "/";
  std::string folder(needed, '\0');
  const DWORD length = GetCurrentDirectoryA(needed, folder.data());
  if (length == 0 || length >= needed) return "/";
  folder.resize(length);
  return folder;
}

// ---------------------------------------------------------------------------
// Typed names
// ---------------------------------------------------------------------------

TypedName ResolveTypedName(std::string_view typed, std::string_view folder,
                           std::string_view default_ext) {
  std::string_view text = Trim(typed);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = Trim(text.substr(1, text.size() - 2));
  }
  TypedName result;
  if (text.empty()) return result;
  const std::string slashed = WithForwardSlashes(text);
  const std::string path = ResolvePath(slashed, folder);
  const std::string_view last = std::string_view(slashed).substr(NameOffset(slashed));
  if (last.empty() || last == "." || last == ".." || FolderExists(path)) {
    result.kind = TypedKind::kFolder;
    result.path = path;
  } else if (HasWildcard(last)) {
    result.kind = TypedKind::kFilter;
    result.path = ParentFolder(path);
    result.patterns = SplitPatterns(last);
  } else {
    result.kind = TypedKind::kFile;
    result.path = path;
    while (!default_ext.empty() && default_ext.front() == '.') default_ext.remove_prefix(1);
    const bool has_extension = last.find('.') != std::string_view::npos;
    if (!has_extension && !default_ext.empty()) {
      result.path += '.';
      result.path += default_ext;
    }
  }
  return result;
}

}  // namespace platform::dialogs
