// ASCII helpers for the words of a command line and a .reg file: switches,
// root and type names, answers and hexadecimal digits. Only A-Z and a-z
// change case; other bytes, UTF-8 included, pass unchanged.
#pragma once

#include <string>
#include <string_view>

namespace reg_tool {

inline std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

inline bool EqualsIgnoringCase(std::string_view text, std::string_view other) {
  return AsciiLower(text) == AsciiLower(other);
}

// The value of a hexadecimal digit, or -1.
inline int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace reg_tool
