#include "tools/form_text/form_syntax.h"

#include "tools/form_text/text_quote.h"

namespace tools::form_text {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool EndsWord(char c) { return IsSpace(c) || c == '"' || c == '{' || c == '}'; }

// The tokens of one line; `{` and `}` come back as unquoted words.
std::vector<Token> SplitLine(std::string_view line, int number) {
  std::vector<Token> tokens;
  size_t at = 0;
  while (at < line.size()) {
    const char c = line[at];
    if (IsSpace(c)) {
      ++at;
    } else if (c == '#') {
      break;
    } else if (c == '{' || c == '}') {
      tokens.push_back({false, std::string(1, c), {}, {}});
      ++at;
    } else if (c == '"') {
      std::string error;
      auto text = Unquote(line, &at, &error);
      if (!text) throw FormError{number, error};
      tokens.push_back({true, std::move(text->gbk), std::move(text->utf8), std::move(text->error)});
    } else {
      const size_t start = at;
      while (at < line.size() && !EndsWord(line[at])) ++at;
      tokens.push_back({false, std::string(line.substr(start, at - start)), {}, {}});
    }
  }
  return tokens;
}

bool IsBrace(const Token& token, char brace) {
  return !token.quoted && token.text.size() == 1 && token.text[0] == brace;
}

class Builder {
 public:
  explicit Builder(std::string_view text) : text_(text) {}

  std::vector<Statement> Build() {
    std::vector<Statement> top;
    if (ReadBlock(top)) throw FormError{line_, "'}' without an open block"};
    return top;
  }

 private:
  // Reads statements into `into` until a closing `}` line (true) or the end
  // of the text (false).
  bool ReadBlock(std::vector<Statement>& into) {
    std::vector<Token> tokens;
    while (NextLine(tokens)) {
      if (tokens.size() == 1 && IsBrace(tokens[0], '}')) return true;
      Statement statement{line_, std::move(tokens), false, {}};
      CheckBraces(statement);
      if (statement.has_block && !closed_inline_) {
        const int opened_at = line_;
        if (!ReadBlock(statement.block)) throw FormError{opened_at, "this block is never closed"};
      }
      into.push_back(std::move(statement));
    }
    return false;
  }

  // Strips a trailing `{` (or `{ }`) and refuses braces anywhere else.
  void CheckBraces(Statement& statement) {
    auto& tokens = statement.tokens;
    closed_inline_ = false;
    if (tokens.size() >= 2 && IsBrace(tokens.back(), '}') &&
        IsBrace(tokens[tokens.size() - 2], '{')) {
      tokens.resize(tokens.size() - 2);
      statement.has_block = closed_inline_ = true;
    } else if (IsBrace(tokens.back(), '{')) {
      tokens.pop_back();
      statement.has_block = true;
    }
    if (tokens.empty()) throw FormError{line_, "a block needs a statement before '{'"};
    for (const Token& token : tokens) {
      if (IsBrace(token, '{') || IsBrace(token, '}')) {
        throw FormError{line_,
                        "'" + token.text + "' may only end a line ('{') or stand alone ('}')"};
      }
    }
  }

  // The tokens of the next line that has any.
  bool NextLine(std::vector<Token>& tokens) {
    while (at_ < text_.size()) {
      size_t end = text_.find('\n', at_);
      if (end == std::string_view::npos) end = text_.size();
      const std::string_view line = text_.substr(at_, end - at_);
      at_ = end + 1;
      ++line_;
      tokens = SplitLine(line, line_);
      if (!tokens.empty()) return true;
    }
    return false;
  }

  std::string_view text_;
  size_t at_ = 0;
  int line_ = 0;
  bool closed_inline_ = false;
};

}  // namespace

std::vector<Statement> ParseStatements(std::string_view text) { return Builder(text).Build(); }

}  // namespace tools::form_text
