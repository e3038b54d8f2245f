// Wildcard matching over bytes: "?" is any one byte, "*" any run of bytes.
#pragma once

#include <string_view>

namespace marlune::text {

// The 0-based position of the first occurrence of `pattern` in `text` that
// starts at or after `start`, "?" in the pattern matching any byte; -1 when
// there is none or start is negative. An empty pattern is found at `start`.
int FindWithWildcard(std::string_view text, std::string_view pattern, int start);

// Whether the whole text matches the pattern. Without case sensitivity the
// letters A-Z and a-z are the same; no other bytes are folded.
bool MatchWildcard(std::string_view text, std::string_view pattern, bool case_sensitive);

// Whether the text matches a pattern of the comma-separated list; empty items
// are skipped.
bool MatchAnyWildcard(std::string_view text, std::string_view patterns, bool case_sensitive);

}  // namespace marlune::text
