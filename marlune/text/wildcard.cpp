#include "marlune/text/wildcard.h"

#include <string>

namespace marlune::text {
namespace {

bool SameOrAny(char text, char pattern) { return pattern == '?' || text == pattern; }

bool MatchesAt(std::string_view text, size_t at, std::string_view pattern) {
  for (size_t k = 0; k < pattern.size(); ++k)
    if (!SameOrAny(text[at + k], pattern[k])) return false;
  return true;
}

std::string Folded(std::string_view bytes) {
  std::string folded(bytes);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return folded;
}

std::string WithSingleStars(std::string pattern) {
  std::string single;
  for (char c : pattern)
    if (c != '*' || single.empty() || single.back() != '*') single += c;
  return single;
}

}  // namespace

// Every start position is tried in turn: a shift table built over "?" would
// skip occurrences ("a?b" in "aaab").
int FindWithWildcard(std::string_view text, std::string_view pattern, int start) {
  if (start < 0) return -1;
  size_t from = static_cast<size_t>(start);
  if (pattern.size() + from > text.size()) return -1;
  for (size_t at = from; at + pattern.size() <= text.size(); ++at)
    if (MatchesAt(text, at, pattern)) return static_cast<int>(at);
  return -1;
}

bool MatchWildcard(std::string_view text_in, std::string_view pattern_in, bool case_sensitive) {
  if (pattern_in.empty()) return text_in.empty();
  std::string text = case_sensitive ? std::string(text_in) : Folded(text_in);
  std::string pattern = WithSingleStars(case_sensitive ? std::string(pattern_in) : Folded(pattern_in));
  std::string_view s = text, p = pattern;

  size_t i = 0, j = 0;
  while (i < p.size()) {
    bool last = i + 1 == p.size();
    if (p[i] == '*') {
      if (last) return true;
      size_t end = p.find('*', i + 1);
      if (end == std::string_view::npos) end = p.size();
      std::string_view segment = p.substr(i + 1, end - i - 1);
      if (s.size() - j < segment.size()) return false;
      if (end == p.size()) return MatchesAt(s, s.size() - segment.size(), segment);
      int found = FindWithWildcard(s.substr(j), segment, 0);
      if (found < 0) return false;
      j += static_cast<size_t>(found) + segment.size();
      i = end;
      continue;
    }
    if (j >= s.size() || !SameOrAny(s[j], p[i])) return false;
    if (last && j + 1 != s.size()) return false;
    ++i;
    ++j;
  }
  return true;
}

bool MatchAnyWildcard(std::string_view text, std::string_view patterns, bool case_sensitive) {
  while (!patterns.empty()) {
    size_t comma = patterns.find(',');
    std::string_view item = patterns.substr(0, comma);
    if (!item.empty() && MatchWildcard(text, item, case_sensitive)) return true;
    if (comma == std::string_view::npos) break;
    patterns.remove_prefix(comma + 1);
  }
  return false;
}

}  // namespace marlune::text
