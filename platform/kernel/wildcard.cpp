#include "platform/kernel/wildcard.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

namespace {

enum class Token : char32_t {
  kStar = 0x110000,  // beyond Unicode, so no name character equals a token
  kDosStar,
  kDosQm,
  kDosDot,
};

std::u32string Tokenize(std::u32string_view pattern) {
  std::u32string tokens;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char32_t c = pattern[i];
    const char32_t next = i + 1 < pattern.size() ? pattern[i + 1] : U'\0';
    if (c == U'*') {
      tokens += static_cast<char32_t>(next == U'.' ? Token::kDosStar : Token::kStar);
    } else if (c == U'?') {
      tokens += static_cast<char32_t>(Token::kDosQm);
    } else if (c == U'.' && (next == U'?' || next == U'*' || next == U'\0')) {
      tokens += static_cast<char32_t>(Token::kDosDot);
    } else {
      tokens += c;
    }
  }
  return tokens;
}

char32_t FoldAscii(char32_t c) { return (c >= U'a' && c <= U'z') ? c - (U'a' - U'A') : c; }

// Matching by position pairs with memory, so patterns of many stars stay
// linear in pattern length times name length.
class Matcher {
 public:
  Matcher(std::u32string_view tokens, std::u32string_view name)
      : tokens_(tokens),
        name_(name),
        last_dot_(name.rfind(U'.')),
        seen_((tokens.size() + 1) * (name.size() + 1), kUnknown) {}

  bool Matches(size_t t, size_t n) {
    int8_t& memo = seen_[t * (name_.size() + 1) + n];
    if (memo == kUnknown) memo = Step(t, n) ? kYes : kNo;
    return memo == kYes;
  }

 private:
  static constexpr int8_t kUnknown = -1, kNo = 0, kYes = 1;

  bool Step(size_t t, size_t n) {
    if (t == tokens_.size()) return n == name_.size();
    const bool at_end = n == name_.size();
    switch (static_cast<Token>(tokens_[t])) {
      case Token::kStar:
        return Matches(t + 1, n) || (!at_end && Matches(t, n + 1));
      case Token::kDosStar:
        return Matches(t + 1, n) || (!at_end && n != last_dot_ && Matches(t, n + 1));
      case Token::kDosQm:
        if (at_end || name_[n] == U'.') return Matches(EndOfQmRun(t), n);
        return Matches(t + 1, n + 1);
      case Token::kDosDot:
        if (at_end) return Matches(t + 1, n);
        return name_[n] == U'.' && Matches(t + 1, n + 1);
      default:
        return !at_end && FoldAscii(name_[n]) == FoldAscii(tokens_[t]) && Matches(t + 1, n + 1);
    }
  }

  size_t EndOfQmRun(size_t t) const {
    while (t < tokens_.size() && tokens_[t] == static_cast<char32_t>(Token::kDosQm)) ++t;
    return t;
  }

  std::u32string_view tokens_;
  std::u32string_view name_;
  size_t last_dot_;  // npos when the name has no '.'
  std::vector<int8_t> seen_;
};

}  // namespace

bool MatchesSearchPattern(std::u32string_view pattern, std::u32string_view name) {
  std::u32string tokens = Tokenize(pattern);
  return Matcher(tokens, name).Matches(0, 0);
}

}  // namespace platform
