// The form file's syntax, before any meaning: lines of words and quoted
// texts, `#` comments, and blocks. A line ending in `{` opens a block that a
// line holding only `}` closes; a line ending in `{ }` has an empty block.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tools::form_text {

// What is wrong with a form file, and on which line (1-based; 0 for the
// file as a whole).
struct FormError {
  int line = 0;
  std::string message;
};

struct Token {
  bool quoted = false;    // a quoted text rather than a bare word
  std::string text;       // the word, or the text's GBK bytes
  std::string utf8;       // quoted texts: the text as written, escapes applied
  std::string gbk_error;  // quoted texts: why they have no GBK form; empty if fine
};

struct Statement {
  int line = 0;
  std::vector<Token> tokens;  // the keyword first; never empty
  bool has_block = false;
  std::vector<Statement> block;
};

// The statements of `text` at the outermost level. Throws FormError.
std::vector<Statement> ParseStatements(std::string_view text);

}  // namespace tools::form_text
