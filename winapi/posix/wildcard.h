// File name patterns as Windows matches them in directory searches, without
// regard to case:
//   *   any run of characters, dots included;
//   ?   one character, or nothing at the end of the name or before a dot;
//   .   before * or ? or at the end: a dot, or nothing past the end of the name
//       (so "*." finds names without an extension and "*.*" finds every name);
//   *.  (a star before a dot) any run up to the name's last dot.
#pragma once

#include <string_view>

namespace winapi::posix {

// Both texts are UTF-8.
bool matches_file_pattern(std::string_view pattern, std::string_view name);

}  // namespace winapi::posix
