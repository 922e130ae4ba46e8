#include "platform/user/clipboard_text.h"

#include <cstring>

#include "platform/base/gbk.h"

namespace platform::user::clipboard {

namespace {

constexpr char32_t kReplacement = U'\uFFFD';

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[*i] and steps over it; a byte that does
// not start a well-formed sequence is one U+FFFD.
char32_t NextUtf8(std::string_view text, size_t* i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(*i);
  int length = lead < 0x80           ? 1
               : (lead >> 5) == 0x6  ? 2
               : (lead >> 4) == 0xE  ? 3
               : (lead >> 3) == 0x1E ? 4
                                     : 0;
  if (length == 0 || *i + length > text.size()) {
    ++*i;
    return lead < 0x80 ? lead : kReplacement;
  }
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    unsigned char next = byte(*i + k);
    if ((next & 0xC0) != 0x80) {
      ++*i;
      return kReplacement;
    }
    c = (c << 6) | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[length] || c > 0x10FFFF || IsSurrogate(c)) {
    ++*i;
    return kReplacement;
  }
  *i += length;
  return c;
}

// The bytes of a locked block, and the lock's release.
class LockedBlock {
 public:
  explicit LockedBlock(HANDLE handle)
      : handle_(handle), data_(static_cast<const char*>(GlobalLock(handle))) {}
  ~LockedBlock() {
    if (data_ != nullptr) GlobalUnlock(handle_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;

  const char* data() const { return data_; }
  size_t size() const { return data_ ? GlobalSize(handle_) : 0; }

 private:
  HANDLE handle_;
  const char* data_;
};

}  // namespace

bool IsTextFormat(UINT format) {
  return format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t c = gbk::NextUtf16(text, &i);
    AppendUtf8(IsSurrogate(c) ? kReplacement : c, out);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t c = NextUtf8(text, &i);
    if (c < 0x10000) {
      out += static_cast<char16_t>(c);
    } else {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 | (c >> 10));
      out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
  }
  return out;
}

std::optional<std::string> ReadText(UINT format, HANDLE handle) {
  SetLastError(ERROR_SUCCESS);
  if (GlobalSize(handle) == 0) {
    // A discarded block holds no text; a bad handle holds nothing at all.
    if (GetLastError() == ERROR_INVALID_HANDLE) return std::nullopt;
    return std::string();
  }
  LockedBlock block(handle);
  if (block.data() == nullptr) return std::nullopt;
  if (format == CF_UNICODETEXT) {
    size_t units = block.size() / sizeof(char16_t);
    std::u16string text(units, u'\0');
    std::memcpy(text.data(), block.data(), units * sizeof(char16_t));  // the block may be unaligned
    text.resize(std::char_traits<char16_t>::length(text.c_str()));
    return Utf16ToUtf8(text);
  }
  size_t length = strnlen(block.data(), block.size());
  return gbk::ToUtf8(std::string_view(block.data(), length));
}

HGLOBAL MakeText(UINT format, std::string_view utf8) {
  std::string bytes;
  if (format == CF_UNICODETEXT) {
    std::u16string text = Utf8ToUtf16(utf8);
    text += u'\0';
    bytes.assign(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
  } else {
    bytes = gbk::FromUtf8(utf8);
    bytes += '\0';
  }
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (handle == nullptr) return nullptr;
  void* data = GlobalLock(handle);
  std::memcpy(data, bytes.data(), bytes.size());
  GlobalUnlock(handle);
  return handle;
}

std::string ToDesktopLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::string FromDesktopLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

}  // namespace platform::user::clipboard
