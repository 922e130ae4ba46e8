#include "tools/form_text/text_quote.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/base/gbk.h"

namespace tools::form_text {

namespace gbk = platform::gbk;

namespace {

void AppendHexEscape(std::string& out, unsigned char byte) {
  char escape[5];
  std::snprintf(escape, sizeof escape, "\\x%02X", byte);
  out += escape;
}

void AppendAscii(std::string& out, unsigned char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      if (c < 0x20 || c == 0x7F) {
        AppendHexEscape(out, c);
      } else {
        out.push_back(static_cast<char>(c));
      }
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One strictly well-formed UTF-8 character at text[at]: its code point and
// length, or length 0.
struct Utf8Char {
  char32_t code = 0;
  size_t length = 0;
};

Utf8Char DecodeUtf8(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 0;
  char32_t code = 0;
  char32_t lowest = 0;
  if (lead < 0x80) return {lead, 1};
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, lowest = 0x10000;
  } else {
    return {};
  }
  if (text.size() - at < length) return {};
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return {};
    code = (code << 6) | (next & 0x3F);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return {code, length};
}

// Appends the GBK bytes of `code`; false when GBK has none.
bool AppendGbk(std::string& out, char32_t code) {
  char bytes[2];
  const size_t length = gbk::EncodeChar(code, bytes);
  if (length == 1 && bytes[0] == gbk::kUnmappableByte && code != U'?') return false;
  out.append(bytes, length);
  return true;
}

// The escape at text[at] == '\\' applied to both readings of `result`;
// the characters it took, or 0 for an unknown escape.
size_t ReadEscape(std::string_view text, size_t at, UnquotedText& result) {
  const char kind = at + 1 < text.size() ? text[at + 1] : '\0';
  const char* simple = kind == 'n'    ? "\n"
                       : kind == 't'  ? "\t"
                       : kind == 'r'  ? "\r"
                       : kind == '"'  ? "\""
                       : kind == '\\' ? "\\"
                                      : nullptr;
  if (simple != nullptr) {
    result.gbk += simple;
    result.utf8 += simple;
    return 2;
  }
  const int high = kind == 'x' && at + 2 < text.size() ? HexDigit(text[at + 2]) : -1;
  const int low = high >= 0 && at + 3 < text.size() ? HexDigit(text[at + 3]) : -1;
  if (low < 0) return 0;
  result.gbk.push_back(static_cast<char>(high * 16 + low));
  result.utf8.push_back(static_cast<char>(high * 16 + low));
  return 4;
}

}  // namespace

std::string QuoteGbk(std::string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      AppendAscii(out, byte);
      ++i;
      continue;
    }
    const gbk::DecodedChar decoded = gbk::DecodeChar(text.data() + i, text.size() - i);
    char again[2];
    const size_t length =
        decoded.code == gbk::kReplacementChar ? 0 : gbk::EncodeChar(decoded.code, again);
    if (length == decoded.length && std::memcmp(again, text.data() + i, length) == 0) {
      out += gbk::ToUtf8(text.substr(i, length));
    } else {
      for (size_t k = 0; k < decoded.length; ++k) {
        AppendHexEscape(out, static_cast<unsigned char>(text[i + k]));
      }
    }
    i += decoded.length;
  }
  out += '"';
  return out;
}

std::string QuoteUtf8(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      AppendAscii(out, byte);
    } else {
      out.push_back(c);
    }
  }
  out += '"';
  return out;
}

std::optional<UnquotedText> Unquote(std::string_view text, size_t* at, std::string* error) {
  UnquotedText result;
  size_t i = *at + 1;
  while (true) {
    if (i >= text.size()) {
      *error = "the text has no closing quote";
      return std::nullopt;
    }
    const char c = text[i];
    if (c == '"') break;
    if (c == '\\') {
      const size_t used = ReadEscape(text, i, result);
      if (used == 0) {
        *error = "unknown escape in text (use \\n \\r \\t \\\" \\\\ or \\xHH)";
        return std::nullopt;
      }
      i += used;
      continue;
    }
    const Utf8Char decoded = DecodeUtf8(text, i);
    if (decoded.length == 0) {
      *error = "the text is not valid UTF-8";
      return std::nullopt;
    }
    result.utf8.append(text.substr(i, decoded.length));
    if (!AppendGbk(result.gbk, decoded.code) && result.error.empty()) {
      char message[80];
      std::snprintf(message, sizeof message, "the character U+%04X has no GBK encoding",
                    static_cast<unsigned>(decoded.code));
      result.error = message;
    }
    i += decoded.length;
  }
  *at = i + 1;
  return result;
}

}  // namespace tools::form_text
