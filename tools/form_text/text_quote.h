// Texts of the form file: quoted UTF-8 in the file, GBK in the template.
//
// A template text may hold any bytes, including ones that are no GBK
// character at all; those are written as \xHH escapes so that every text
// comes back byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tools::form_text {

// `gbk` as a quoted form-file string: characters as UTF-8; '"', '\\' and
// control characters escaped; bytes that do not decode to a character (and
// encode back to the same bytes) as \xHH.
std::string QuoteGbk(std::string_view gbk);

// A file name (UTF-8, as the file system has it) as a quoted string.
std::string QuoteUtf8(std::string_view utf8);

// The two readings of one quoted string, escapes already applied.
struct UnquotedText {
  std::string gbk;    // the template's bytes
  std::string utf8;   // the text as written (for file names); \xHH bytes as they are
  std::string error;  // why `gbk` could not be made (a character outside GBK); empty if fine
};

// Reads a quoted string starting at text[*at] == '"' and moves *at past its
// closing quote. Null, with `error` set, for a missing closing quote, an
// unknown escape or malformed UTF-8.
std::optional<UnquotedText> Unquote(std::string_view text, size_t* at, std::string* error);

}  // namespace tools::form_text
