#include "posix/wildcard.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <string>
#include <vector>

namespace winapi::posix {
namespace {

enum class Token : char32_t {
  star = 0x110000,   // any run
  star_to_dot,       // any run that stops before the name's last dot
  question,          // one character, or nothing at a dot or the end
  dot_or_end,        // a dot, or nothing past the end
};

// Decodes UTF-8 and folds case, so matching compares code points.
std::u32string folded(std::string_view text) {
  std::u32string out;
  int32_t i = 0;
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  while (i < length) {
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    out.push_back(c < 0 ? 0xFFFD : static_cast<char32_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT)));
  }
  return out;
}

bool is_wild(char32_t c) { return c == U'*' || c == U'?'; }

std::u32string tokens_of(std::string_view pattern) {
  std::u32string p = folded(pattern);
  std::u32string tokens;
  for (size_t i = 0; i < p.size(); ++i) {
    const char32_t next = i + 1 < p.size() ? p[i + 1] : 0;
    if (p[i] == U'*')
      tokens.push_back(next == U'.' ? char32_t(Token::star_to_dot) : char32_t(Token::star));
    else if (p[i] == U'?')
      tokens.push_back(char32_t(Token::question));
    else if (p[i] == U'.' && (next == 0 || is_wild(next)))
      tokens.push_back(char32_t(Token::dot_or_end));
    else
      tokens.push_back(p[i]);
  }
  return tokens;
}

class Matcher {
 public:
  Matcher(std::u32string tokens, std::u32string name)
      : t_(std::move(tokens)), n_(std::move(name)), last_dot_(n_.rfind(U'.')),
        memo_((t_.size() + 1) * (n_.size() + 1), -1) {}

  bool match(size_t ti, size_t ni) {
    signed char& known = memo_[ti * (n_.size() + 1) + ni];
    if (known < 0) known = step(ti, ni);
    return known;
  }

 private:
  bool at_end(size_t ni) const { return ni == n_.size(); }

  bool step(size_t ti, size_t ni) {
    if (ti == t_.size()) return at_end(ni);
    const char32_t token = t_[ti];
    switch (static_cast<Token>(token)) {
      case Token::star:
        return match(ti + 1, ni) || (!at_end(ni) && match(ti, ni + 1));
      case Token::star_to_dot: {
        const bool may_take = !at_end(ni) && (last_dot_ == std::u32string::npos || ni < last_dot_);
        return match(ti + 1, ni) || (may_take && match(ti, ni + 1));
      }
      case Token::question:
        if (at_end(ni) || n_[ni] == U'.') return match(ti + 1, ni);
        return match(ti + 1, ni + 1);
      case Token::dot_or_end:
        if (at_end(ni)) return match(ti + 1, ni);
        return n_[ni] == U'.' && match(ti + 1, ni + 1);
      default:
        return !at_end(ni) && n_[ni] == token && match(ti + 1, ni + 1);
    }
  }

  std::u32string t_;
  std::u32string n_;
  size_t last_dot_;
  std::vector<signed char> memo_;
};

}  // namespace

bool matches_file_pattern(std::string_view pattern, std::string_view name) {
  return Matcher(tokens_of(pattern), folded(name)).match(0, 0);
}

}  // namespace winapi::posix
